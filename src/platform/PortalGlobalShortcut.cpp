#include "PortalGlobalShortcut.h"

#include "PortalRequest.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>

namespace {

const QString globalShortcuts = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString shortcutId = QStringLiteral("toggle-picker");

// a(sa{sv}): each shortcut's id and its properties.
using PortalShortcuts = QList<std::pair<QString, QVariantMap>>;

} // namespace

PortalGlobalShortcut::PortalGlobalShortcut(QObject *parent)
    : QObject(parent)
{
    qDBusRegisterMetaType<std::pair<QString, QVariantMap>>();
    qDBusRegisterMetaType<PortalShortcuts>();
    // QtDBus finds a slot taking an object path only once the type is registered by name.
    qRegisterMetaType<QDBusObjectPath>();
    PortalRequest::bus().connect(PortalRequest::service, PortalRequest::path, globalShortcuts,
        QStringLiteral("Activated"), this,
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
    if (!PortalRequest::bus().isConnected()) {
        emit failed(tr("there is no D-Bus session bus to reach the desktop's portal"));
        return;
    }
    // The portal answers for the properties of the interfaces it offers only.
    QDBusMessage version =
        QDBusMessage::createMethodCall(PortalRequest::service, PortalRequest::path,
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    version.setArguments({ globalShortcuts, QStringLiteral("version") });
    auto *watcher = new QDBusPendingCallWatcher(PortalRequest::bus().asyncCall(version), this);
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
    m_pendingRequest = PortalRequest::call(globalShortcuts, method, std::move(arguments),
        QStringLiteral("pelmora%1").arg(++m_requests), this, responseSlot,
        [this, method](const QString &error) {
            emit failed(tr("the desktop's portal refused %1: %2").arg(method, error));
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
    PortalRequest::stopListening(m_pendingRequest, this,
        { SLOT(sessionCreated(uint, QVariantMap)), SLOT(shortcutsBound(uint, QVariantMap)) });
    m_pendingRequest.clear();
}

void PortalGlobalShortcut::closeSession()
{
    // An answer still on its way belongs to the combination being given up.
    stopAwaiting();
    if (m_session.isEmpty())
        return;
    PortalRequest::bus().asyncCall(QDBusMessage::createMethodCall(PortalRequest::service, m_session,
        QStringLiteral("org.freedesktop.portal.Session"), QStringLiteral("Close")));
    m_session.clear();
}
