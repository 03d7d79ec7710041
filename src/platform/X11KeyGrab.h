#pragma once

#include "ShortcutKeys.h"

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <vector>

struct xcb_connection_t;

// Takes a key combination for Pelmora alone on an X11 display: grabbed on the root window, it
// reaches Pelmora whichever window has the keyboard.
class X11KeyGrab final : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    // Only while the application runs on X11 (the "xcb" platform).
    explicit X11KeyGrab(QObject *parent = nullptr);
    ~X11KeyGrab() override;

    // Gives up the previous combination and grabs `keys`. Empty when it worked, else why not:
    // another program holds the combination, or the keyboard has no such key.
    QString grab(const ShortcutKeys &keys);

signals:
    void pressed();

protected:
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    void release();
    std::vector<quint8> keycodesFor(quint32 keysym) const;

    xcb_connection_t *m_connection = nullptr;
    quint32 m_root = 0;
    ShortcutKeys m_keys;
    std::vector<quint8> m_keycodes;
    // A held key repeats: as presses alone, or as a release and a press at the same time.
    bool m_held = false;
    quint32 m_releasedAt = 0;
};
