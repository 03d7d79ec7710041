#pragma once

// The pointer cursor stack: tiles and chips push the pointing hand while hovered.
class PointerCursor {
public:
    virtual ~PointerCursor() = default;
    virtual void pushPointingHand() = 0;
    virtual void pop() = 0;
};
