#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// The key combination of the global shortcut, as the user writes it ("Ctrl+Alt+K"), as the X
// server knows it (a keysym and a modifier mask) and as the desktop's portal names it
// ("CTRL+ALT+k"). "none" is the combination that turns the shortcut off.
class ShortcutKeys {
public:
    // Ctrl+Alt+K ("K" for kaomoji): GNOME, KDE Plasma, Xfce, sway and i3 leave it free.
    static ShortcutKeys standard();
    static ShortcutKeys none() { return {}; }
    // Reads "Ctrl+Alt+K", "meta+f12", "Super+period" (X's key names too) or "none". Without a result, `problem`
    // says why the text is no combination Pelmora can take from every other program.
    static std::optional<ShortcutKeys> fromText(const QString &text, QString *problem);

    bool isOff() const { return m_keysym == 0; }
    QString text() const { return isOff() ? QStringLiteral("none") : m_text; }
    // The X11 keysym of the key as it is typed without Shift ("k", not "K").
    quint32 keysym() const { return m_keysym; }
    // X11's modifier mask: Shift, Control, Mod1 (Alt), Mod4 (Meta, the Super or Windows key).
    quint16 x11Modifiers() const { return m_x11Modifiers; }
    // The trigger a desktop's GlobalShortcuts portal is asked for.
    QString portalTrigger() const { return m_portalTrigger; }

    bool operator==(const ShortcutKeys &other) const { return text() == other.text(); }

private:
    QString m_text;
    quint32 m_keysym = 0;
    quint16 m_x11Modifiers = 0;
    QString m_portalTrigger;
};
