#include "PortalGlobalShortcut.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString globalShortcuts = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");
const QString shortcutId = QStringLiteral("toggle-picker");

// a(sa{sv}): each shortcut's id and its properties.
using PortalShortcuts = QList<std::pair<QString, QVariantMap>>;

QDBusConnection bus()
{
    return QDBusConnection::sessionBus();
}

} // namespace

PortalGlobalShortcut::PortalGlobalShortcut(QObject *parent)
    : QObject(parent)
{
    qDBusRegisterMetaType<std::pair<QString, QVariantMap>>();
    qDBusRegisterMetaType<PortalShortcuts>();
    // QtDBus finds a slot taking an object path only once the type is registered by name.
    qRegisterMetaType<QDBusObjectPath>();
    bus().connect(portalService, portalPath, globalShortcuts, QStringLiteral("Activated"), this,
        SLOT(shortcutActivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
}

PortalGlobalShortcut::~PortalGlobalShortcut()
{
    closeSession();
}

void PortalGlobalShortcut::bind(const ShortcutKeys &keys)
{
    closeSession();
    m_keys = keys;
    if (keys.isOff())
        return;
    if (!bus().isConnected()) {
        emit failed(tr("there is no D-Bus session bus to reach the desktop's portal"));
        return;
    }
    // The portal answers for the properties of the interfaces it offers only.
    QDBusMessage version = QDBusMessage::createMethodCall(portalService, portalPath,
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    version.setArguments({ globalShortcuts, QStringLiteral("version") });
    auto *watcher = new QDBusPendingCallWatcher(bus().asyncCall(version), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, keys] {
        watcher->deleteLater();
        if (keys != m_keys)
            return; // changed meanwhile
        if (watcher->isError()) {
            emit failed(tr("the desktop offers applications no global shortcuts (its portal has "
                           "no org.freedesktop.portal.GlobalShortcuts)"));
            return;
        }
        // A session of its own for each combination: the last one's may still be closing.
        const QString sessionToken = QStringLiteral("pelmora%1").arg(++m_sessions);
        request(QStringLiteral("CreateSession"),
            { QVariantMap { { QStringLiteral("session_handle_token"), sessionToken } } },
            SLOT(sessionCreated(uint, QVariantMap)));
    });
}

void PortalGlobalShortcut::request(
    const QString &method, QVariantList arguments, const char *responseSlot)
{
    const QString token = QStringLiteral("pelmora%1").arg(++m_requests);
    QVariantMap options = arguments.takeLast().toMap();
    options.insert(QStringLiteral("handle_token"), token);
    arguments.append(options);
    // The answer comes from an object named after our bus name and the token: listening before
    // the call leaves no moment in which it could be missed.
    const QString sender = bus().baseService().mid(1).replace(u'.', u'_');
    m_pendingRequest = QStringLiteral("%1/request/%2/%3").arg(portalPath, sender, token);
    bus().connect(portalService, m_pendingRequest, requestInterface, QStringLiteral("Response"),
        this, responseSlot);

    QDBusMessage call =
        QDBusMessage::createMethodCall(portalService, portalPath, globalShortcuts, method);
    call.setArguments(arguments);
    auto *watcher = new QDBusPendingCallWatcher(bus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, method] {
        watcher->deleteLater();
        if (watcher->isError())
            emit failed(
                tr("the desktop's portal refused %1: %2").arg(method, watcher->error().message()));
    });
}

void PortalGlobalShortcut::sessionCreated(uint response, const QVariantMap &results)
{
    stopAwaiting();
    if (response != 0) {
        emit failed(tr("the desktop's portal opened no session for the shortcut"));
        return;
    }
    // A string by the portal's documentation; some desktops send an object path.
    const QVariant handle = results.value(QStringLiteral("session_handle"));
    m_session = handle.metaType() == QMetaType::fromType<QDBusObjectPath>()
        ? handle.value<QDBusObjectPath>().path()
        : handle.toString();
    const QVariantMap properties {
        { QStringLiteral("description"), tr("Open or close the kaomoji picker") },
        { QStringLiteral("preferred_trigger"), m_keys.portalTrigger() },
    };
    request(QStringLiteral("BindShortcuts"),
        { QVariant::fromValue(QDBusObjectPath(m_session)),
            QVariant::fromValue(PortalShortcuts { { shortcutId, properties } }), QString(),
            QVariantMap() },
        SLOT(shortcutsBound(uint, QVariantMap)));
}

void PortalGlobalShortcut::shortcutsBound(uint response, const QVariantMap &)
{
    stopAwaiting();
    if (response != 0)
        emit failed(tr("the desktop did not bind %1 (declined)").arg(m_keys.text()));
}

void PortalGlobalShortcut::shortcutActivated(
    const QDBusObjectPath &session, const QString &shortcut, qulonglong, const QVariantMap &options)
{
    if (!m_session.isEmpty() && session.path() == m_session && shortcut == shortcutId)
        emit activated(options.value(QStringLiteral("activation_token")).toString());
}

void PortalGlobalShortcut::stopAwaiting()
{
    if (m_pendingRequest.isEmpty())
        return;
    for (const char *slot :
        { SLOT(sessionCreated(uint, QVariantMap)), SLOT(shortcutsBound(uint, QVariantMap)) })
        bus().disconnect(portalService, m_pendingRequest, requestInterface,
            QStringLiteral("Response"), this, slot);
    m_pendingRequest.clear();
}

void PortalGlobalShortcut::closeSession()
{
    // An answer still on its way belongs to the combination being given up.
    stopAwaiting();
    if (m_session.isEmpty())
        return;
    bus().asyncCall(QDBusMessage::createMethodCall(portalService, m_session,
        QStringLiteral("org.freedesktop.portal.Session"), QStringLiteral("Close")));
    m_session.clear();
}
