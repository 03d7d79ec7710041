#pragma once

#include <QString>

// Starting Pelmora at login, the freedesktop way: an entry pelmora.desktop in the user's
// autostart folder ($XDG_CONFIG_HOME/autostart). The state is read from the folder each time, so
// an entry the user made by hand counts, and one they disabled (Hidden=true) does not.
class LoginAutostart {
public:
    static QString entryPath();

    static bool isEnabled();
    // Writes or removes the entry. Returns an empty string on success, else why it failed.
    static QString setEnabled(bool enabled);
};
