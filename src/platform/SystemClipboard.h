#pragma once

#include "Clipboard.h"

// The desktop's clipboard (the one Ctrl+V pastes from), reached through QGuiApplication.
class SystemClipboard final : public Clipboard {
public:
    void copyText(const QString &text) override;
};
