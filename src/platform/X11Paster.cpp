#include "X11Paster.h"

#include "Preferences.h"

#include <QCoreApplication>
#include <QHash>
#include <QTimer>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Every 5 ms for half a second: a window manager hands the keyboard back within a few frames.
constexpr int focusPollMs = 5;
constexpr int focusPollAttempts = 100;

// Terminals take Ctrl+V as a key of its own. xterm and rxvt bind no key to the clipboard, but
// paste the primary selection with Shift+Insert.
bool pastesPrimaryWithShiftInsert(const QString &name)
{
    return name.compare(u"xterm", Qt::CaseInsensitive) == 0 || name.startsWith(u"rxvt")
        || name.compare(u"urxvt", Qt::CaseInsensitive) == 0;
}

bool isTerminal(const QString &name)
{
    static const QStringList terminals { QStringLiteral("foot"), QStringLiteral("kitty"),
        QStringLiteral("alacritty"), QStringLiteral("gnome-terminal"),
        QStringLiteral("gnome-terminal-server"), QStringLiteral("konsole"),
        QStringLiteral("xfce4-terminal"), QStringLiteral("tilix"), QStringLiteral("terminator"),
        QStringLiteral("st"), QStringLiteral("st-256color"), QStringLiteral("mate-terminal"),
        QStringLiteral("lxterminal"), QStringLiteral("qterminal"), QStringLiteral("sakura"),
        QStringLiteral("terminology"), QStringLiteral("org.wezfurlong.wezterm"),
        QStringLiteral("wezterm"), QStringLiteral("termite"), QStringLiteral("kgx") };
    return terminals.contains(name.toLower()) || pastesPrimaryWithShiftInsert(name);
}

QString preference(const Preferences &preferences, const QString &key, const QString &fallback)
{
    const QByteArray value = preferences.data(key).value_or(QByteArray()).trimmed();
    return value.isEmpty() ? fallback : QString::fromUtf8(value);
}

void say(const QString &line)
{
    std::fprintf(stderr, "pelmora: %s\n", qPrintable(line));
}

} // namespace

X11Paster::X11Paster(Preferences &preferences)
    : m_preferences(preferences)
{
    // A connection of its own: Qt's is xcb, and XTest speaks through Xlib.
    m_display = XOpenDisplay(nullptr);
    int event, error, major, minor;
    if (!m_display) {
        m_problem = tr("cannot paste: the X display cannot be reached");
    } else if (!XTestQueryExtension(m_display, &event, &error, &major, &minor)) {
        m_problem = tr("cannot paste: the X server offers no XTest to type the paste keys with");
    }
    // The remembered window may be gone by the time it is asked about: such errors are answers,
    // not reasons to end the program.
    XSetErrorHandler([](Display *, XErrorEvent *) { return 0; });
}

X11Paster::~X11Paster()
{
    if (m_display)
        XCloseDisplay(m_display);
}

void X11Paster::rememberTarget()
{
    if (!m_problem.isEmpty())
        return;
    Window focus = 0;
    int revertTo = 0;
    XGetInputFocus(m_display, &focus, &revertTo);
    m_target = focus == PointerRoot ? 0 : focus;
    m_targetClient = m_target ? clientWithClass(m_target, nullptr) : 0;
}

void X11Paster::paste()
{
    if (!m_target) {
        say(tr("no window had the keyboard before the picker opened; the face is on the "
               "clipboard"));
        return;
    }
    m_focusGivenBack = false;
    pasteWhenFocused(focusPollAttempts);
}

void X11Paster::pasteWhenFocused(int attemptsLeft)
{
    Window focus = 0;
    int revertTo = 0;
    XGetInputFocus(m_display, &focus, &revertTo);
    QStringList windowClass;
    const Window client = focus > PointerRoot ? clientWithClass(focus, &windowClass) : Window(None);
    if (focus == m_target || (client && client == m_targetClient)) {
        if (const QString failure = typeKeys(pasteKeys(windowClass)); !failure.isEmpty())
            say(failure);
        return;
    }
    // No window manager (or one that leaves the keyboard nowhere when the picker goes): the
    // keyboard went back to the root window, so give it to the window it came from.
    if (!client && !std::exchange(m_focusGivenBack, true)) {
        XSetInputFocus(m_display, m_target, RevertToParent, CurrentTime);
        XSync(m_display, False);
        pasteWhenFocused(attemptsLeft);
        return;
    }
    if (attemptsLeft == 0) {
        say(tr("the window you were typing in did not get the keyboard back; the face is on "
               "the clipboard"));
        return;
    }
    QTimer::singleShot(
        focusPollMs, this, [this, attemptsLeft] { pasteWhenFocused(attemptsLeft - 1); });
}

unsigned long X11Paster::clientWithClass(unsigned long window, QStringList *windowClass) const
{
    // The keyboard may be on a child of the client window, and a window manager's frame may sit
    // between the client and the root.
    while (window) {
        XClassHint hint {};
        if (XGetClassHint(m_display, window, &hint)) {
            if (windowClass)
                *windowClass = { QString::fromLocal8Bit(hint.res_name),
                    QString::fromLocal8Bit(hint.res_class) };
            XFree(hint.res_name);
            XFree(hint.res_class);
            return window;
        }
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(m_display, window, &root, &parent, &children, &count))
            return 0;
        if (children)
            XFree(children);
        window = parent == root ? 0 : parent;
    }
    return 0;
}

QString X11Paster::pasteKeys(const QStringList &windowClass) const
{
    const auto any = [&](bool (*test)(const QString &)) {
        return std::any_of(windowClass.begin(), windowClass.end(), test);
    };
    if (!any(isTerminal))
        return preference(m_preferences, QStringLiteral("PasteKeys"), QStringLiteral("Ctrl+V"));
    return preference(m_preferences, QStringLiteral("TerminalPasteKeys"),
        any(pastesPrimaryWithShiftInsert) ? QStringLiteral("Shift+Insert")
                                          : QStringLiteral("Ctrl+Shift+V"));
}

QString X11Paster::typeKeys(const QString &keys)
{
    static const QHash<QString, KeySym> modifiers { { QStringLiteral("ctrl"), XK_Control_L },
        { QStringLiteral("control"), XK_Control_L }, { QStringLiteral("shift"), XK_Shift_L },
        { QStringLiteral("alt"), XK_Alt_L }, { QStringLiteral("super"), XK_Super_L },
        { QStringLiteral("meta"), XK_Super_L } };
    std::vector<KeyCode> combination;
    const QStringList names = keys.split(u'+', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString name = names[i].trimmed();
        // Letters by their unshifted keysym, the one the keyboard map lists first.
        const KeySym keysym = i + 1 < names.size()
            ? modifiers.value(name.toLower(), NoSymbol)
            : XStringToKeysym((name.size() == 1 ? name.toLower() : name).toLatin1().constData());
        const KeyCode code = keysym == NoSymbol ? 0 : XKeysymToKeycode(m_display, keysym);
        if (!code)
            return tr("cannot type the paste keys \"%1\": no key for \"%2\" on this keyboard")
                .arg(keys, name);
        combination.push_back(code);
    }
    // Modifiers the user still holds would turn Ctrl+V into something else: they are let go of
    // for the paste. Not pressed again after: the user may have lifted them meanwhile, and a
    // modifier the server thinks is down would stick.
    char pressed[32];
    XQueryKeymap(m_display, pressed);
    std::vector<KeyCode> held;
    if (XModifierKeymap *map = XGetModifierMapping(m_display)) {
        for (int i = 0; i < 8 * map->max_keypermod; ++i) {
            const KeyCode code = map->modifiermap[i];
            if (code && (pressed[code / 8] & (1 << (code % 8))))
                held.push_back(code);
        }
        XFreeModifiermap(map);
    }
    for (KeyCode code : held)
        XTestFakeKeyEvent(m_display, code, False, CurrentTime);
    for (KeyCode code : combination)
        XTestFakeKeyEvent(m_display, code, True, CurrentTime);
    for (auto code = combination.rbegin(); code != combination.rend(); ++code)
        XTestFakeKeyEvent(m_display, *code, False, CurrentTime);
    XSync(m_display, False);
    return {};
}
