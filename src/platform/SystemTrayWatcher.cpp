#include "SystemTrayWatcher.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>
#include <QGuiApplication>
#include <QSystemTrayIcon>

namespace {

const QString statusNotifierWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
// Looking for the tray costs a round trip to the display server.
constexpr int pollMs = 500;

} // namespace

SystemTrayWatcher::SystemTrayWatcher(QObject *parent)
    : QObject(parent)
{
    m_poll.setInterval(pollMs);
    connect(&m_poll, &QTimer::timeout, this, &SystemTrayWatcher::check);
}

void SystemTrayWatcher::start()
{
    m_poll.start();
    if (QDBusConnection::sessionBus().isConnected()) {
        m_busWatcher = new QDBusServiceWatcher(statusNotifierWatcher, QDBusConnection::sessionBus(),
            QDBusServiceWatcher::WatchForRegistration, this);
        connect(
            m_busWatcher, &QDBusServiceWatcher::serviceRegistered, this, &SystemTrayWatcher::check);
    }
}

void SystemTrayWatcher::check()
{
    if (!m_poll.isActive())
        return;
    const bool usable = QSystemTrayIcon::isSystemTrayAvailable();
    const QDBusConnectionInterface *bus = QDBusConnection::sessionBus().interface();
    const bool busTray = QGuiApplication::platformName() == QLatin1String("xcb") && bus
        && bus->isServiceRegistered(statusNotifierWatcher);
    if (!usable && !busTray)
        return;
    m_poll.stop();
    if (usable)
        emit appeared();
    else
        emit appearedForANewStart();
}
