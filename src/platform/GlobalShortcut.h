#pragma once

#include "ShortcutKeys.h"

#include <QObject>
#include <memory>

class Preferences;
class PortalGlobalShortcut;
class X11KeyGrab;

// The key combination that opens and closes the picker whichever program has the keyboard:
// grabbed from the X server on X11, asked of the desktop's portal on Wayland. It is kept in the
// preferences under "GlobalShortcut" (Ctrl+Alt+K when unset, "none" when turned off). Where it
// cannot work, it says why once on standard error; `pelmora --toggle` works everywhere.
class GlobalShortcut final : public QObject {
    Q_OBJECT

public:
    static inline const QString preferenceKey = QStringLiteral("GlobalShortcut");

    explicit GlobalShortcut(Preferences &preferences, QObject *parent = nullptr);
    ~GlobalShortcut() override;

    // Registers the combination in the preferences.
    void start();
    // Keeps `keys` in the preferences and registers it instead.
    void change(const ShortcutKeys &keys);

signals:
    // `activationToken` lets the window that opens take the keyboard, when the desktop gave one.
    void activated(const QString &activationToken);

private:
    void registerKeys(const ShortcutKeys &keys);
    void report(const ShortcutKeys &keys, const QString &problem);

    Preferences &m_preferences;
    std::unique_ptr<X11KeyGrab> m_grab;
    std::unique_ptr<PortalGlobalShortcut> m_portal;
};
