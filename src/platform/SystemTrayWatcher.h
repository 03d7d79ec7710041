#pragma once

#include <QObject>
#include <QTimer>

class QDBusServiceWatcher;

// Tells when a system tray shows up after Pelmora started: a panel that comes up a few seconds
// after the apps that start at login, or one started by hand. XEmbed trays are polled (their
// manager selection, through Qt); StatusNotifierItem panels announce a watcher on the session
// bus.
class SystemTrayWatcher final : public QObject {
    Q_OBJECT

public:
    explicit SystemTrayWatcher(QObject *parent = nullptr);

    void start();

signals:
    // Qt's tray item can be used now.
    void appeared();
    // A StatusNotifierItem panel on X11, which Qt 6.4 only takes up in a process that finds it
    // at its start.
    void appearedForANewStart();

private:
    void check();

    QTimer m_poll;
    QDBusServiceWatcher *m_busWatcher = nullptr;
};
