#pragma once

#include <QString>

// Puts what was just copied into the window the user was typing in, by typing the keys that
// paste there.
class Paster {
public:
    virtual ~Paster() = default;

    // Why pasting cannot work on this desktop; empty when it can.
    virtual QString problem() const = 0;
    // Notes the window that has the keyboard now, before the picker takes it.
    virtual void rememberTarget() { }
    // Once the remembered window has the keyboard again, pastes into it. Says on standard
    // error when that does not happen; the copy stays on the clipboard either way.
    virtual void paste() = 0;
};
