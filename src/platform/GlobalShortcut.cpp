#include "GlobalShortcut.h"

#include "PortalGlobalShortcut.h"
#include "Preferences.h"
#include "X11KeyGrab.h"

#include <QGuiApplication>
#include <cstdio>

namespace {

void say(const QString &line)
{
    std::fprintf(stderr, "pelmora: %s\n", qPrintable(line));
}

} // namespace

GlobalShortcut::GlobalShortcut(Preferences &preferences, QObject *parent)
    : QObject(parent)
    , m_preferences(preferences)
{
}

GlobalShortcut::~GlobalShortcut() = default;

void GlobalShortcut::start()
{
    ShortcutKeys keys = ShortcutKeys::standard();
    if (const std::optional<QByteArray> stored = m_preferences.data(preferenceKey)) {
        QString problem;
        if (const std::optional<ShortcutKeys> chosen =
                ShortcutKeys::fromText(QString::fromUtf8(*stored), &problem))
            keys = *chosen;
        else
            say(tr("%1 in %2: %3; using %4")
                    .arg(preferenceKey, m_preferences.location(), problem, keys.text()));
    }
    registerKeys(keys);
}

void GlobalShortcut::change(const ShortcutKeys &keys)
{
    const QString failure = m_preferences.setData(preferenceKey, keys.text().toUtf8());
    if (!failure.isEmpty())
        say(tr("the shortcut %1: %2").arg(keys.text(), failure));
    registerKeys(keys);
}

void GlobalShortcut::registerKeys(const ShortcutKeys &keys)
{
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb")) {
        if (!m_grab) {
            m_grab = std::make_unique<X11KeyGrab>();
            connect(m_grab.get(), &X11KeyGrab::pressed, this, [this] { emit activated({}); });
        }
        if (const QString problem = m_grab->grab(keys); !problem.isEmpty())
            report(keys, problem);
    } else if (platform.startsWith(QLatin1String("wayland"))) {
        if (!m_portal) {
            m_portal = std::make_unique<PortalGlobalShortcut>();
            connect(
                m_portal.get(), &PortalGlobalShortcut::activated, this, &GlobalShortcut::activated);
        }
        // Answers come later, for this combination only.
        disconnect(m_portal.get(), &PortalGlobalShortcut::failed, this, nullptr);
        connect(m_portal.get(), &PortalGlobalShortcut::failed, this,
            [this, keys](const QString &reason) { report(keys, reason); });
        m_portal->bind(keys);
    } else if (!keys.isOff() && platform != QLatin1String("offscreen")) {
        report(keys, tr("Pelmora registers shortcuts on X11 and Wayland only"));
    }
}

void GlobalShortcut::report(const ShortcutKeys &keys, const QString &problem)
{
    say(tr("the shortcut %1 is off: %2. Choose another with `pelmora --shortcut KEYS`, or bind "
           "`pelmora --toggle` to a key in your desktop's settings")
            .arg(keys.text(), problem));
}
