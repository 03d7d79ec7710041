#include "RemoteDesktopPortal.h"

#include "PortalRequest.h"
#include "Preferences.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>

namespace {

const QString remoteDesktop = QStringLiteral("org.freedesktop.portal.RemoteDesktop");
const QString restoreTokenKey = QStringLiteral("RemoteDesktopRestoreToken");
constexpr uint keyboardDevice = 1;
constexpr uint persistUntilRevoked = 2;

} // namespace

RemoteDesktopPortal::RemoteDesktopPortal(Preferences &preferences, QObject *parent)
    : QObject(parent)
    , m_preferences(preferences)
{
    qRegisterMetaType<QDBusObjectPath>();
}

RemoteDesktopPortal::~RemoteDesktopPortal()
{
    stopAwaiting();
    if (m_started)
        PortalRequest::bus().asyncCall(QDBusMessage::createMethodCall(PortalRequest::service,
            m_session, QStringLiteral("org.freedesktop.portal.Session"), QStringLiteral("Close")));
}

void RemoteDesktopPortal::probe()
{
    if (m_available || m_probing || !PortalRequest::bus().isConnected())
        return;
    m_probing = true;
    QDBusMessage get = QDBusMessage::createMethodCall(PortalRequest::service, PortalRequest::path,
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get.setArguments({ remoteDesktop, QStringLiteral("AvailableDeviceTypes") });
    auto *watcher = new QDBusPendingCallWatcher(PortalRequest::bus().asyncCall(get), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        watcher->deleteLater();
        m_probing = false;
        const QVariant types = watcher->reply().arguments().value(0);
        m_available = !watcher->isError()
            && (types.value<QDBusVariant>().variant().toUInt() & keyboardDevice);
    });
}

void RemoteDesktopPortal::typeKeysyms(
    const QList<quint32> &keysyms, std::function<void(const QString &)> done)
{
    if (m_done)
        m_done(tr("a newer paste came first"));
    m_keysyms = keysyms;
    m_done = std::move(done);
    if (m_started) {
        sendKeys();
        return;
    }
    if (m_pendingRequest.isEmpty())
        request(QStringLiteral("CreateSession"),
            { QVariantMap {
                { QStringLiteral("session_handle_token"), QStringLiteral("pelmora") } } },
            SLOT(sessionCreated(uint, QVariantMap)));
}

void RemoteDesktopPortal::request(
    const QString &method, QVariantList arguments, const char *responseSlot)
{
    m_pendingRequest = PortalRequest::call(remoteDesktop, method, std::move(arguments),
        QStringLiteral("pelmora%1").arg(++m_requests), this, responseSlot,
        [this, method](const QString &error) {
            stopAwaiting();
            finish(tr("the desktop's remote-desktop portal refused %1: %2").arg(method, error));
        });
}

void RemoteDesktopPortal::sessionCreated(uint response, const QVariantMap &results)
{
    stopAwaiting();
    if (response != 0) {
        finish(tr("the desktop's remote-desktop portal opened no session"));
        return;
    }
    // A string by the portal's documentation; some desktops send an object path.
    const QVariant handle = results.value(QStringLiteral("session_handle"));
    m_session = handle.metaType() == QMetaType::fromType<QDBusObjectPath>()
        ? handle.value<QDBusObjectPath>().path()
        : handle.toString();
    QVariantMap options { { QStringLiteral("types"), keyboardDevice },
        { QStringLiteral("persist_mode"), persistUntilRevoked } };
    if (const auto token = m_preferences.data(restoreTokenKey); token && !token->isEmpty())
        options.insert(QStringLiteral("restore_token"), QString::fromUtf8(*token));
    request(QStringLiteral("SelectDevices"),
        { QVariant::fromValue(QDBusObjectPath(m_session)), options },
        SLOT(devicesSelected(uint, QVariantMap)));
}

void RemoteDesktopPortal::devicesSelected(uint response, const QVariantMap &)
{
    stopAwaiting();
    if (response != 0) {
        finish(tr("the desktop's remote-desktop portal offered no keyboard"));
        return;
    }
    // The desktop may ask the user now, the first time.
    request(QStringLiteral("Start"),
        { QVariant::fromValue(QDBusObjectPath(m_session)), QString(), QVariantMap() },
        SLOT(started(uint, QVariantMap)));
}

void RemoteDesktopPortal::started(uint response, const QVariantMap &results)
{
    stopAwaiting();
    if (response != 0 || !(results.value(QStringLiteral("devices")).toUInt() & keyboardDevice)) {
        finish(tr("the desktop did not let Pelmora type (declined)"));
        return;
    }
    m_started = true;
    const QString token = results.value(QStringLiteral("restore_token")).toString();
    if (!token.isEmpty())
        m_preferences.setData(restoreTokenKey, token.toUtf8());
    sendKeys();
}

void RemoteDesktopPortal::sendKeys()
{
    const auto notify = [this](quint32 keysym, uint state) {
        QDBusMessage call = QDBusMessage::createMethodCall(PortalRequest::service,
            PortalRequest::path, remoteDesktop, QStringLiteral("NotifyKeyboardKeysym"));
        call.setArguments(
            { QVariant::fromValue(QDBusObjectPath(m_session)), QVariantMap(), int(keysym), state });
        PortalRequest::bus().asyncCall(call);
    };
    for (const quint32 keysym : std::as_const(m_keysyms))
        notify(keysym, 1);
    for (auto keysym = m_keysyms.crbegin(); keysym != m_keysyms.crend(); ++keysym)
        notify(*keysym, 0);
    finish({});
}

void RemoteDesktopPortal::finish(const QString &failure)
{
    if (!failure.isEmpty() && !m_started)
        m_session.clear(); // the next paste starts afresh
    if (auto done = std::exchange(m_done, nullptr))
        done(failure);
}

void RemoteDesktopPortal::stopAwaiting()
{
    if (m_pendingRequest.isEmpty())
        return;
    PortalRequest::stopListening(m_pendingRequest, this,
        { SLOT(sessionCreated(uint, QVariantMap)), SLOT(devicesSelected(uint, QVariantMap)),
            SLOT(started(uint, QVariantMap)) });
    m_pendingRequest.clear();
}
