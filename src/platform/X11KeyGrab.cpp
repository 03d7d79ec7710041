#include "X11KeyGrab.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <algorithm>
#include <cstdlib>
#include <xcb/xcb.h>

namespace {

// A grab matches the modifier state exactly, and Caps Lock and Num Lock (Mod2 on every common
// keymap) count as modifiers: the combination is grabbed with each of them on and off.
constexpr quint16 lockVariants[] = { 0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
    XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2 };
constexpr quint16 shortcutModifiers =
    XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;

} // namespace

X11KeyGrab::X11KeyGrab(QObject *parent)
    : QObject(parent)
{
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return;
    m_connection = x11->connection();
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11KeyGrab::~X11KeyGrab()
{
    release();
}

QString X11KeyGrab::grab(const ShortcutKeys &keys)
{
    release();
    if (!m_connection || keys.isOff())
        return {};
    m_keys = keys;
    m_keycodes = keycodesFor(keys.keysym());
    if (m_keycodes.empty())
        return tr("the keyboard has no such key");
    std::vector<xcb_void_cookie_t> grabs;
    for (const quint8 keycode : m_keycodes) {
        for (const quint16 locks : lockVariants)
            // Reported to the root window even when a window of Pelmora has the keyboard.
            grabs.push_back(xcb_grab_key_checked(m_connection, false, m_root,
                keys.x11Modifiers() | locks, keycode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    }
    bool taken = false;
    for (const xcb_void_cookie_t grab : grabs) {
        if (xcb_generic_error_t *error = xcb_request_check(m_connection, grab)) {
            taken = true;
            std::free(error);
        }
    }
    if (!taken)
        return {};
    release();
    return tr("another program has taken it");
}

void X11KeyGrab::release()
{
    for (const quint8 keycode : m_keycodes) {
        for (const quint16 locks : lockVariants)
            xcb_ungrab_key(m_connection, keycode, m_root, m_keys.x11Modifiers() | locks);
    }
    if (!m_keycodes.empty())
        xcb_flush(m_connection);
    m_keycodes.clear();
    m_held = false;
}

std::vector<quint8> X11KeyGrab::keycodesFor(quint32 keysym) const
{
    const xcb_setup_t *setup = xcb_get_setup(m_connection);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t *mapping = xcb_get_keyboard_mapping_reply(
        m_connection, xcb_get_keyboard_mapping(m_connection, setup->min_keycode, count), nullptr);
    if (!mapping)
        return {};
    const xcb_keysym_t *keysyms = xcb_get_keyboard_mapping_keysyms(mapping);
    const int perKeycode = mapping->keysyms_per_keycode;
    std::vector<quint8> keycodes;
    // The key with it in the first layout (two columns: without and with Shift); where there is
    // none (a Cyrillic or Greek first layout), the key with it in another layout.
    for (const int columns : { std::min(2, perKeycode), perKeycode }) {
        for (int keycode = 0; keycode < count && keycodes.empty(); ++keycode) {
            const xcb_keysym_t *first = keysyms + keycode * perKeycode;
            if (std::find(first, first + columns, keysym) != first + columns)
                keycodes.push_back(quint8(setup->min_keycode + keycode));
        }
    }
    std::free(mapping);
    return keycodes;
}

bool X11KeyGrab::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t" || m_keycodes.empty())
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    const quint8 type = event->response_type & 0x7f;
    if (type == XCB_MAPPING_NOTIFY) {
        // A new keymap may have moved the key.
        if (static_cast<const xcb_mapping_notify_event_t *>(message)->request
            == XCB_MAPPING_KEYBOARD)
            QMetaObject::invokeMethod(
                this, [this] { grab(m_keys); }, Qt::QueuedConnection);
        return false;
    }
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE)
        return false;
    const auto *key = static_cast<const xcb_key_press_event_t *>(message);
    if (key->event != m_root
        || std::find(m_keycodes.begin(), m_keycodes.end(), key->detail) == m_keycodes.end())
        return false;
    if (type == XCB_KEY_RELEASE) {
        m_held = false;
        m_releasedAt = key->time;
        return false;
    }
    const bool repeated = m_held || key->time == m_releasedAt;
    m_held = true;
    if (!repeated && (key->state & shortcutModifiers) == m_keys.x11Modifiers()) {
        // Queued, so that Qt first takes the press's time, with which the window that opens
        // then asks for the keyboard.
        QMetaObject::invokeMethod(this, &X11KeyGrab::pressed, Qt::QueuedConnection);
    }
    return false;
}
