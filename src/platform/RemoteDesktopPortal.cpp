#include "RemoteDesktopPortal.h"

#include "Preferences.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString remoteDesktop = QStringLiteral("org.freedesktop.portal.RemoteDesktop");
const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");
const QString restoreTokenKey = QStringLiteral("RemoteDesktopRestoreToken");
constexpr uint keyboardDevice = 1;
constexpr uint persistUntilRevoked = 2;

QDBusConnection bus()
{
    return QDBusConnection::sessionBus();
}

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
        bus().asyncCall(QDBusMessage::createMethodCall(portalService, m_session,
            QStringLiteral("org.freedesktop.portal.Session"), QStringLiteral("Close")));
}

void RemoteDesktopPortal::probe()
{
    if (m_available || m_probing || !bus().isConnected())
        return;
    m_probing = true;
    QDBusMessage get = QDBusMessage::createMethodCall(portalService, portalPath,
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get.setArguments({ remoteDesktop, QStringLiteral("AvailableDeviceTypes") });
    auto *watcher = new QDBusPendingCallWatcher(bus().asyncCall(get), this);
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
    const QString token = QStringLiteral("pelmora%1").arg(++m_requests);
    QVariantMap options = arguments.takeLast().toMap();
    options.insert(QStringLiteral("handle_token"), token);
    arguments.append(options);
    // Listening before the call leaves no moment in which the answer could be missed.
    const QString sender = bus().baseService().mid(1).replace(u'.', u'_');
    m_pendingRequest = QStringLiteral("%1/request/%2/%3").arg(portalPath, sender, token);
    bus().connect(portalService, m_pendingRequest, requestInterface, QStringLiteral("Response"),
        this, responseSlot);
    QDBusMessage call =
        QDBusMessage::createMethodCall(portalService, portalPath, remoteDesktop, method);
    call.setArguments(arguments);
    auto *watcher = new QDBusPendingCallWatcher(bus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, method] {
        watcher->deleteLater();
        if (watcher->isError()) {
            stopAwaiting();
            finish(tr("the desktop's remote-desktop portal refused %1: %2")
                       .arg(method, watcher->error().message()));
        }
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
        QDBusMessage call = QDBusMessage::createMethodCall(
            portalService, portalPath, remoteDesktop, QStringLiteral("NotifyKeyboardKeysym"));
        call.setArguments(
            { QVariant::fromValue(QDBusObjectPath(m_session)), QVariantMap(), int(keysym), state });
        bus().asyncCall(call);
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
    for (const char *slot : { SLOT(sessionCreated(uint, QVariantMap)),
             SLOT(devicesSelected(uint, QVariantMap)), SLOT(started(uint, QVariantMap)) })
        bus().disconnect(portalService, m_pendingRequest, requestInterface,
            QStringLiteral("Response"), this, slot);
    m_pendingRequest.clear();
}
