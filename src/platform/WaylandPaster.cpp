#include "WaylandPaster.h"

#include "Preferences.h"
#include "RemoteDesktopPortal.h"
#include "virtual-keyboard-unstable-v1-client-protocol.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QHash>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
// Last: its macros would clash with the names above.
#include <X11/Xlib.h>

namespace {

// Every 5 ms for half a second, as on X11.
constexpr int focusPollMs = 5;
constexpr int focusPollAttempts = 100;
constexpr uint32_t keymapFormatXkbV1 = 1; // wl_keyboard.keymap_format.xkb_v1

struct Modifier {
    const char *keysym;
    quint32 keysymValue;
    const char *name; // in the keymap's modifier_map
    uint32_t mask;
};

const QHash<QString, Modifier> &modifiers()
{
    static const QHash<QString, Modifier> table {
        { QStringLiteral("ctrl"), { "Control_L", 0xffe3, "Control", 1u << 2 } },
        { QStringLiteral("control"), { "Control_L", 0xffe3, "Control", 1u << 2 } },
        { QStringLiteral("shift"), { "Shift_L", 0xffe1, "Shift", 1u << 0 } },
        { QStringLiteral("alt"), { "Alt_L", 0xffe9, "Mod1", 1u << 3 } },
        { QStringLiteral("super"), { "Super_L", 0xffeb, "Mod4", 1u << 6 } },
        { QStringLiteral("meta"), { "Super_L", 0xffeb, "Mod4", 1u << 6 } },
    };
    return table;
}

// A keymap that holds exactly the keys of the combination, the n-th as evdev code n + 1.
QByteArray keymapFor(const QStringList &names)
{
    QByteArray codes, symbols, modifierMaps;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QByteArray key = "<K" + QByteArray::number(i) + '>';
        codes += key + " = " + QByteArray::number(i + 9) + ";\n";
        const auto modifier = modifiers().constFind(names[i].toLower());
        const bool last = i + 1 == names.size();
        const QByteArray keysym = !last ? QByteArray(modifier->keysym)
            : names[i].size() == 1      ? names[i].toLower().toLatin1()
                                        : names[i].toLatin1();
        symbols += "key " + key + " { [ " + keysym + " ] };\n";
        if (!last)
            modifierMaps += "modifier_map " + QByteArray(modifier->name) + " { " + key + " };\n";
    }
    return "xkb_keymap {\nxkb_keycodes \"pelmora\" {\nminimum = 8;\nmaximum = 255;\n" + codes
        + "};\nxkb_types \"pelmora\" { include \"complete\" };\n"
          "xkb_compatibility \"pelmora\" { include \"complete\" };\n"
          "xkb_symbols \"pelmora\" {\n"
        + symbols + modifierMaps + "};\n};\n";
}

void onGlobal(void *paster, wl_registry *registry, uint32_t name, const char *interface, uint32_t)
{
    static_cast<WaylandPaster *>(paster)->announce(registry, name, interface);
}

void onGlobalRemove(void *, wl_registry *, uint32_t) { }

const wl_registry_listener registryListener { onGlobal, onGlobalRemove };

void say(const QString &line)
{
    std::fprintf(stderr, "pelmora: %s\n", qPrintable(line));
}

} // namespace

WaylandPaster::WaylandPaster(Preferences &preferences)
    : m_preferences(preferences)
    , m_portal(new RemoteDesktopPortal(preferences, this))
{
    // A connection of its own, so that Qt's needs no private interface.
    m_display = wl_display_connect(nullptr);
    if (!m_display) {
        m_problem = tr("cannot paste: the Wayland display cannot be reached");
        return;
    }
    m_registry = wl_display_get_registry(m_display);
    wl_registry_add_listener(m_registry, &registryListener, this);
    wl_display_roundtrip(m_display);
    if (!m_seat || !m_manager)
        m_problem = tr("cannot paste: this Wayland desktop offers programs no virtual keyboard "
                       "to type the paste keys with; the face is on the clipboard");
}

WaylandPaster::~WaylandPaster()
{
    if (m_keyboard)
        zwp_virtual_keyboard_v1_destroy(m_keyboard);
    if (m_manager)
        zwp_virtual_keyboard_manager_v1_destroy(m_manager);
    if (m_seat)
        wl_seat_destroy(m_seat);
    if (m_registry)
        wl_registry_destroy(m_registry);
    if (m_display)
        wl_display_disconnect(m_display);
}

void WaylandPaster::announce(wl_registry *registry, uint32_t name, const char *interface)
{
    if (!m_seat && std::strcmp(interface, wl_seat_interface.name) == 0)
        m_seat = static_cast<wl_seat *>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    else if (std::strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0)
        m_manager = static_cast<zwp_virtual_keyboard_manager_v1 *>(
            wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1));
}

QString WaylandPaster::problem() const
{
    return m_portal->isAvailable() ? QString() : m_problem;
}

void WaylandPaster::rememberTarget()
{
    // Asked when the picker opens, answered by the time a tile is clicked.
    m_portal->probe();
}

void WaylandPaster::paste()
{
    pasteWhenUnfocused(focusPollAttempts);
}

void WaylandPaster::pasteWhenUnfocused(int attemptsLeft)
{
    // The compositor takes the keyboard from the picker and gives it to the window that had it
    // before in one step: once the picker has lost it, the keys reach that window.
    if (!QGuiApplication::focusWindow()) {
        typePasteKeys();
        return;
    }
    if (attemptsLeft == 0) {
        say(tr("the picker kept the keyboard; the face is on the clipboard"));
        return;
    }
    QTimer::singleShot(
        focusPollMs, this, [this, attemptsLeft] { pasteWhenUnfocused(attemptsLeft - 1); });
}

void WaylandPaster::typePasteKeys()
{
    const QByteArray keys = m_preferences.data(QStringLiteral("PasteKeys"))
                                .value_or(QByteArrayLiteral("Shift+Insert"))
                                .trimmed();
    QStringList names = QString::fromUtf8(keys).split(u'+', Qt::SkipEmptyParts);
    for (QString &name : names)
        name = name.trimmed();
    for (qsizetype i = 0; i + 1 < names.size(); ++i) {
        if (!modifiers().contains(names[i].toLower())) {
            say(tr("cannot type the paste keys \"%1\": \"%2\" is no modifier")
                    .arg(QString::fromUtf8(keys), names[i]));
            return;
        }
    }
    if (names.isEmpty())
        return;
    if (m_portal->isAvailable()) {
        QList<quint32> keysyms;
        for (qsizetype i = 0; i + 1 < names.size(); ++i)
            keysyms.append(modifiers().value(names[i].toLower()).keysymValue);
        const QString key = names.last().size() == 1 ? names.last().toLower() : names.last();
        keysyms.append(quint32(XStringToKeysym(key.toLatin1().constData())));
        m_portal->typeKeysyms(keysyms, [](const QString &failure) {
            if (!failure.isEmpty())
                say(failure);
        });
    } else if (const QString failure = typeKeys(names); !failure.isEmpty()) {
        say(failure);
    }
}

QString WaylandPaster::typeKeys(const QStringList &names)
{
    if (!m_keyboard)
        m_keyboard = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(m_manager, m_seat);
    if (m_keymapKeys != names) {
        const QByteArray keymap = keymapFor(names);
        const int fd = memfd_create("pelmora-keymap", MFD_CLOEXEC);
        if (fd < 0 || write(fd, keymap.constData(), keymap.size() + 1) != keymap.size() + 1) {
            if (fd >= 0)
                close(fd);
            return tr("cannot paste: the keymap could not be written");
        }
        zwp_virtual_keyboard_v1_keymap(m_keyboard, keymapFormatXkbV1, fd, keymap.size() + 1);
        close(fd);
        m_keymapKeys = names;
    }
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    uint32_t mask = 0;
    const auto send = [&](qsizetype i, bool pressed) {
        zwp_virtual_keyboard_v1_key(m_keyboard, uint32_t(clock.elapsed()), uint32_t(i + 1),
            pressed ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
        if (i + 1 < names.size()) {
            const uint32_t bit = modifiers().value(names[i].toLower()).mask;
            mask = pressed ? mask | bit : mask & ~bit;
            zwp_virtual_keyboard_v1_modifiers(m_keyboard, mask, 0, 0, 0);
        }
    };
    for (qsizetype i = 0; i < names.size(); ++i)
        send(i, true);
    for (qsizetype i = names.size() - 1; i >= 0; --i)
        send(i, false);
    // Also reads what the compositor sent meanwhile, which nothing else on this connection does.
    if (wl_display_roundtrip(m_display) < 0)
        return tr("cannot paste: the Wayland compositor closed the connection");
    return {};
}
