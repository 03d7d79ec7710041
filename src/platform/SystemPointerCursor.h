#pragma once

#include "PointerCursor.h"

// The application's override cursor stack. Only what was pushed here is ever popped, so an
// extra pop cannot take away a cursor somebody else set.
class SystemPointerCursor final : public PointerCursor {
public:
    SystemPointerCursor() = default;
    SystemPointerCursor(const SystemPointerCursor &) = delete;
    SystemPointerCursor &operator=(const SystemPointerCursor &) = delete;
    ~SystemPointerCursor() override;

    void pushPointingHand() override;
    void pop() override;

    int depth() const { return m_depth; }

private:
    int m_depth = 0;
};
