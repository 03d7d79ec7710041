#pragma once

#include <QObject>
#include <QVariantMap>
#include <functional>

class Preferences;

// Types keys through the desktop's remote-desktop portal (org.freedesktop.portal.RemoteDesktop
// on the session bus), which GNOME and KDE Plasma offer on Wayland. The first session asks the
// user; the restore token the desktop then gives is kept in Pelmora.conf, so that later starts
// need not ask again. One session serves every paste while Pelmora runs.
class RemoteDesktopPortal final : public QObject {
    Q_OBJECT

public:
    explicit RemoteDesktopPortal(Preferences &preferences, QObject *parent = nullptr);
    ~RemoteDesktopPortal() override;

    // Asks, without waiting, whether the desktop has the portal with a keyboard.
    void probe();
    bool isAvailable() const { return m_available; }
    // Presses the keysyms in order and lets go of them in reverse, once a session has started.
    // `done` gets an empty string, or why nothing was typed.
    void typeKeysyms(const QList<quint32> &keysyms, std::function<void(const QString &)> done);

private slots:
    void sessionCreated(uint response, const QVariantMap &results);
    void devicesSelected(uint response, const QVariantMap &results);
    void started(uint response, const QVariantMap &results);

private:
    void request(const QString &method, QVariantList arguments, const char *responseSlot);
    void stopAwaiting();
    void finish(const QString &failure);
    void sendKeys();

    Preferences &m_preferences;
    bool m_available = false;
    bool m_probing = false;
    QString m_session;
    bool m_started = false; // m_session has started, with a keyboard
    QString m_pendingRequest;
    int m_requests = 0;
    QList<quint32> m_keysyms; // waiting for the session
    std::function<void(const QString &)> m_done;
};
