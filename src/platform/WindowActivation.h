#pragma once

#include <QString>

class QWindow;

// Hands a window the activation token of the launch it opens for (a `pelmora --toggle` bound
// to a key, the desktop's shortcut portal), so that desktops which prevent focus stealing still
// give it the keyboard. On Wayland Qt presents XDG_ACTIVATION_TOKEN at the window's next
// requestActivate(); on X11 the window carries the launch's startup id (_NET_STARTUP_ID) for
// the window manager to read when it maps the window, and the launch is then declared done.
class WindowActivation final {
public:
    // Before `window` is shown; the token is spent or dropped at the end of the scope.
    WindowActivation(QWindow &window, const QString &token);
    ~WindowActivation();
    WindowActivation(const WindowActivation &) = delete;
    WindowActivation &operator=(const WindowActivation &) = delete;

    // Once the window is hidden: a later opening has a launch of its own, or none.
    static void forget(QWindow &window);

private:
    QWindow &m_window;
    QString m_token;
};
