#pragma once

#include "ShortcutKeys.h"

#include <QDBusObjectPath>
#include <QObject>
#include <QVariantMap>

// Asks the desktop for a global shortcut through its portal (org.freedesktop.portal.GlobalShortcuts
// on the session bus), the only way to one on Wayland. The desktop may show the user a dialog,
// bind another combination, or refuse.
class PortalGlobalShortcut final : public QObject {
    Q_OBJECT

public:
    explicit PortalGlobalShortcut(QObject *parent = nullptr);
    ~PortalGlobalShortcut() override;

    // Ends the session of the previous combination and asks for `keys` (nothing for "none").
    // Answers with failed() when there is no such portal or the desktop declines.
    void bind(const ShortcutKeys &keys);

signals:
    void failed(const QString &reason);
    // `activationToken` lets the window that opens take the keyboard, when the desktop gave one.
    void activated(const QString &activationToken);

private slots:
    void sessionCreated(uint response, const QVariantMap &results);
    void shortcutsBound(uint response, const QVariantMap &results);
    void shortcutActivated(const QDBusObjectPath &session, const QString &shortcut,
        qulonglong timestamp, const QVariantMap &options);

private:
    // Calls a portal method that answers through a request object's Response signal.
    void request(const QString &method, QVariantList arguments, const char *responseSlot);
    void stopAwaiting();
    void closeSession();

    ShortcutKeys m_keys;
    QString m_session;
    QString m_pendingRequest; // the request object whose Response is awaited
    int m_requests = 0;
    int m_sessions = 0;
};
