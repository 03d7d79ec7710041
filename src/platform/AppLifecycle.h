#pragma once

// Ending the application, as the Quit item and its shortcut ask.
class AppLifecycle {
public:
    virtual ~AppLifecycle() = default;
    virtual void quit() = 0;
};
