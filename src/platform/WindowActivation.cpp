#include "WindowActivation.h"

#include <QGuiApplication>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace {

xcb_connection_t *x11Connection()
{
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, false, std::strlen(name), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

// Ends the launch's busy cursor: the startup notification message "remove: ID=...", sent to
// the root window in pieces of 20 bytes, the last one ending in a zero byte.
void declareLaunchDone(xcb_connection_t *connection, xcb_window_t window, const QString &id)
{
    const QByteArray message =
        "remove: ID=\"" + id.toUtf8().replace('\\', "\\\\").replace('"', "\\\"") + '"';
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_atom_t type = atom(connection, "_NET_STARTUP_INFO_BEGIN");
    const xcb_atom_t continuation = atom(connection, "_NET_STARTUP_INFO");
    for (qsizetype at = 0; at <= message.size(); at += 20) {
        xcb_client_message_event_t event = {};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 8;
        event.window = window;
        event.type = type;
        std::memcpy(event.data.data8, message.constData() + at,
            std::min<qsizetype>(20, message.size() - at));
        xcb_send_event(connection, false, root, XCB_EVENT_MASK_PROPERTY_CHANGE,
            reinterpret_cast<const char *>(&event));
        type = continuation;
    }
    xcb_flush(connection);
}

} // namespace

WindowActivation::WindowActivation(QWindow &window, const QString &token)
    : m_window(window)
    , m_token(token)
{
    if (token.isEmpty())
        return;
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        qputenv("XDG_ACTIVATION_TOKEN", token.toUtf8());
    } else if (xcb_connection_t *connection = x11Connection()) {
        const QByteArray id = token.toUtf8();
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xcb_window_t(window.winId()),
            atom(connection, "_NET_STARTUP_ID"), atom(connection, "UTF8_STRING"), 8,
            quint32(id.size()), id.constData());
    }
}

WindowActivation::~WindowActivation()
{
    if (m_token.isEmpty())
        return;
    // Qt has taken the token if the window asked for the keyboard; one left over would be
    // presented at an unrelated later opening.
    qunsetenv("XDG_ACTIVATION_TOKEN");
    if (xcb_connection_t *connection = x11Connection())
        declareLaunchDone(connection, xcb_window_t(m_window.winId()), m_token);
}

void WindowActivation::forget(QWindow &window)
{
    // Not at the end of the scope: the window manager reads the id only once it handles the
    // request to map the window.
    if (xcb_connection_t *connection = x11Connection()) {
        xcb_delete_property(
            connection, xcb_window_t(window.winId()), atom(connection, "_NET_STARTUP_ID"));
        xcb_flush(connection);
    }
}
