#pragma once

#include <QElapsedTimer>
#include <QQuickView>

// The window holding the picker. Built once and kept while hidden, so the search text, the
// selection and the open form are still there at the next opening.
//
// Attached to the tray it is a borderless tool window that opens against the tray item and
// hides as soon as it loses the keyboard. Standalone, for desktops without a tray, it is an
// ordinary decorated window, and closing it ends the application.
class PickerWindow final : public QQuickView {
    Q_OBJECT

public:
    enum class Mode { AttachedToTray, Standalone };

    static constexpr QSize contentSize { 300, 400 };
    // Focus may bounce off the window while it is being shown; losing it that early is not
    // the user clicking elsewhere.
    static constexpr int activationGraceMs = 200;
    // A click on the tray item first takes the focus away (hiding the window) and then
    // toggles; such a toggle must not reopen what it just closed.
    static constexpr int reopenGuardMs = 300;

    explicit PickerWindow(Mode mode, QWindow *parent = nullptr);

    Mode mode() const { return m_mode; }
    // A tray came up after the window was shown on its own: from now on the window belongs to
    // the tray item, and it hides until the item is clicked.
    void attachToTray();

    // Loads the root QML file. On failure errorString() says what went wrong.
    bool load(const QUrl &source, const QVariantMap &initialProperties);
    QString errorString() const { return m_errorString; }

    // Shows and activates the window; attached to the tray it opens next to `trayRect`, or
    // beside the pointer when that is empty.
    void open(const QRect &trayRect);
    void toggle(const QRect &trayRect);
    // Escape: hides the window, or minimizes the standalone one, which has no tray to come
    // back from.
    void dismiss();

    // The two periods above, for tests that must land on a known side of each.
    void setFocusGuards(int activationGraceMs, int reopenGuardMs)
    {
        m_activationGraceMs = activationGraceMs;
        m_reopenGuardMs = reopenGuardMs;
    }

signals:
    void opened();
    void closedByUser();

protected:
    bool event(QEvent *event) override;

private:
    void hideWhenInactive();
    bool isOnScreen() const;
    void traceFrame();

    Mode m_mode;
    QString m_errorString;
    int m_activationGraceMs = activationGraceMs;
    int m_reopenGuardMs = reopenGuardMs;
    QElapsedTimer m_sinceOpened;
    QElapsedTimer m_sinceAutoHidden;
    // Clicks made before the window was ready reach it all at once when it is: only one made
    // after the user could see it may close it again.
    bool m_drawnSinceOpened = false;
    // For the latency lines of PELMORA_TRACE_STARTUP: from a request to show the window, and
    // from a key press or a mouse button let go, to the next frame on screen.
    QElapsedTimer m_sinceShowRequested;
    QElapsedTimer m_sinceKeyPressed;
    QElapsedTimer m_sinceClicked;
};
