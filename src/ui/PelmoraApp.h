#pragma once

#include "DesktopPaster.h"
#include "DesktopUrlOpener.h"
#include "GlobalShortcut.h"
#include "QtAppLifecycle.h"
#include "QtMainQueue.h"
#include "SettingsPreferences.h"
#include "SystemClipboard.h"
#include "SystemPointerCursor.h"
#include "SystemTrayWatcher.h"

#include <QApplication>
#include <QElapsedTimer>
#include <memory>

class KaomojiView;
class PickerWindow;
class SingleInstance;
class TrayIcon;

// The program: one tray item titled "(•⩊•)" whose click opens the picker window, as does a
// global shortcut. Without a system tray the picker is an ordinary window instead, and closing
// it quits.
class PelmoraApp final : public QApplication {
    Q_OBJECT

public:
    // The whole program, from the command line to the end of the event loop; returns the
    // process's exit code. A later start hands its request to the running Pelmora and exits.
    static int run(int argc, char **argv);

    PelmoraApp(int &argc, char **argv, QElapsedTimer sinceStart);
    ~PelmoraApp() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // `command` and `argument` are what this start asked for (SingleInstance's commands).
    bool start(const QString &command, const QString &argument);
    void placeInTray();
    // Builds the window; opened at once when asked or when it is a window of its own.
    bool buildWindowInTheBackground(bool open);
    void showAsWindowOfItsOwn();
    void moveIntoTray();
    bool buildWindow();
    void openWindow();
    void openWhenTrayItemIsPlaced(int attemptsLeft);
    void toggleWindow();
    void handleCommand(const QString &command, const QString &argument);
    void changeShortcut(const QString &keysText);
    void setPasteAfterCopy(bool on);
    // Before the picker takes the keyboard: the window that has it is where a paste goes.
    void rememberPasteTarget();
    QRect trayGeometry() const;

    QElapsedTimer m_sinceStart;
    SettingsPreferences m_preferences;
    GlobalShortcut m_globalShortcut { m_preferences };
    SystemClipboard m_clipboard;
    DesktopUrlOpener m_urlOpener;
    SystemPointerCursor m_pointerCursor;
    QtAppLifecycle m_appLifecycle;
    QtMainQueue m_mainQueue;
    std::unique_ptr<Paster> m_paster = DesktopPaster::forThisDesktop(m_preferences);
    bool m_pasteAfterCopy = false;
    // The window shows the view, so it goes first.
    std::unique_ptr<KaomojiView> m_view;
    std::unique_ptr<PickerWindow> m_window;
    std::unique_ptr<TrayIcon> m_trayIcon;
    SystemTrayWatcher m_trayWatcher;
    bool m_openWhenReady = false;
    // A tray this process cannot take up appeared: run() starts Pelmora afresh.
    bool m_newStartWanted = false;
};
