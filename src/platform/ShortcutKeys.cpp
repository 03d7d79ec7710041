#include "ShortcutKeys.h"

#include <QCoreApplication>
#include <QKeySequence>
#include <QRegularExpression>
#include <array>

namespace {

struct NamedKey {
    int qtKey;
    quint32 keysym;
    const char *name; // the keysym's name, as the portal wants it
};

// The keys beyond letters, digits and F1 to F35 that a shortcut may end in.
constexpr std::array namedKeys {
    NamedKey { Qt::Key_Space, 0x20, "space" },
    NamedKey { Qt::Key_Apostrophe, 0x27, "apostrophe" },
    NamedKey { Qt::Key_Comma, 0x2c, "comma" },
    NamedKey { Qt::Key_Minus, 0x2d, "minus" },
    NamedKey { Qt::Key_Period, 0x2e, "period" },
    NamedKey { Qt::Key_Slash, 0x2f, "slash" },
    NamedKey { Qt::Key_Semicolon, 0x3b, "semicolon" },
    NamedKey { Qt::Key_Equal, 0x3d, "equal" },
    NamedKey { Qt::Key_BracketLeft, 0x5b, "bracketleft" },
    NamedKey { Qt::Key_Backslash, 0x5c, "backslash" },
    NamedKey { Qt::Key_BracketRight, 0x5d, "bracketright" },
    NamedKey { Qt::Key_QuoteLeft, 0x60, "grave" },
    NamedKey { Qt::Key_Backspace, 0xff08, "BackSpace" },
    NamedKey { Qt::Key_Tab, 0xff09, "Tab" },
    NamedKey { Qt::Key_Return, 0xff0d, "Return" },
    NamedKey { Qt::Key_Pause, 0xff13, "Pause" },
    NamedKey { Qt::Key_Escape, 0xff1b, "Escape" },
    NamedKey { Qt::Key_Home, 0xff50, "Home" },
    NamedKey { Qt::Key_Left, 0xff51, "Left" },
    NamedKey { Qt::Key_Up, 0xff52, "Up" },
    NamedKey { Qt::Key_Right, 0xff53, "Right" },
    NamedKey { Qt::Key_Down, 0xff54, "Down" },
    NamedKey { Qt::Key_PageUp, 0xff55, "Page_Up" },
    NamedKey { Qt::Key_PageDown, 0xff56, "Page_Down" },
    NamedKey { Qt::Key_End, 0xff57, "End" },
    NamedKey { Qt::Key_Print, 0xff61, "Print" },
    NamedKey { Qt::Key_Insert, 0xff63, "Insert" },
    NamedKey { Qt::Key_Menu, 0xff67, "Menu" },
    NamedKey { Qt::Key_Enter, 0xff8d, "KP_Enter" },
    NamedKey { Qt::Key_Delete, 0xffff, "Delete" },
};

bool isFunctionKey(int qtKey)
{
    return qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F35;
}

struct Key {
    quint32 keysym;
    QString name;
};

std::optional<Key> keyFor(int qtKey)
{
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
        const char letter = char('a' + (qtKey - Qt::Key_A));
        return Key { quint32(letter), QString(QLatin1Char(letter)) };
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return Key { quint32(qtKey), QString(QLatin1Char(char(qtKey))) };
    if (isFunctionKey(qtKey)) {
        const int number = qtKey - Qt::Key_F1 + 1;
        return Key { quint32(0xffbd + number), QStringLiteral("F%1").arg(number) };
    }
    for (const NamedKey &key : namedKeys) {
        if (key.qtKey == qtKey)
            return Key { key.keysym, QLatin1String(key.name) };
    }
    return std::nullopt;
}

} // namespace

ShortcutKeys ShortcutKeys::standard()
{
    return *fromText(QStringLiteral("Ctrl+Alt+K"), nullptr);
}

std::optional<ShortcutKeys> ShortcutKeys::fromText(const QString &text, QString *problem)
{
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0)
        return none();
    // Linux desktops call the Meta key Super (or the Windows key).
    static const QRegularExpression superKey(
        QStringLiteral("\\b(super|win|logo)\\+"), QRegularExpression::CaseInsensitiveOption);
    QString written = QString(trimmed).replace(superKey, QStringLiteral("Meta+"));
    // The X names of keys ("period", "Page_Up"), as other shortcut settings show them.
    const qsizetype last = written.lastIndexOf(u'+', written.size() - 2) + 1;
    for (const NamedKey &key : namedKeys) {
        if (written.mid(last).compare(QLatin1String(key.name), Qt::CaseInsensitive) == 0)
            written =
                written.left(last) + QKeySequence(key.qtKey).toString(QKeySequence::PortableText);
    }
    const QKeySequence sequence = QKeySequence::fromString(written, QKeySequence::PortableText);
    const auto fail = [&](const char *why) -> std::optional<ShortcutKeys> {
        if (problem)
            *problem = QCoreApplication::translate("ShortcutKeys", why).arg(text)
                + QCoreApplication::translate("ShortcutKeys",
                    "; write it like Ctrl+Alt+K, Super+F12 or Meta+period, or none to turn the "
                    "shortcut off");
        return std::nullopt;
    };
    if (sequence.count() != 1)
        return fail(QT_TRANSLATE_NOOP("ShortcutKeys", "'%1' is not one key combination"));
    const int qtKey = sequence[0].key();
    const Qt::KeyboardModifiers modifiers = sequence[0].keyboardModifiers() & ~Qt::KeypadModifier;
    const std::optional<Key> key = keyFor(qtKey);
    if (!key)
        return fail(
            QT_TRANSLATE_NOOP("ShortcutKeys", "'%1' does not end in a key Pelmora can listen for"));
    // Taking a key without Ctrl, Alt or Meta from every program would stop it being typed.
    if (!(modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        && !isFunctionKey(qtKey))
        return fail(QT_TRANSLATE_NOOP("ShortcutKeys", "'%1' needs Ctrl, Alt or Meta"));

    ShortcutKeys keys;
    keys.m_text = QKeySequence(QKeyCombination(modifiers, Qt::Key(qtKey)))
                      .toString(QKeySequence::PortableText);
    keys.m_keysym = key->keysym;
    const struct {
        Qt::KeyboardModifier modifier;
        quint16 x11Mask;
        const char *portalName;
    } modifierNames[] = { { Qt::ShiftModifier, 0x01, "SHIFT" },
        { Qt::ControlModifier, 0x04, "CTRL" }, { Qt::AltModifier, 0x08, "ALT" },
        { Qt::MetaModifier, 0x40, "LOGO" } };
    QStringList trigger;
    for (const auto &name : modifierNames) {
        if (modifiers & name.modifier) {
            keys.m_x11Modifiers |= name.x11Mask;
            trigger.append(QLatin1String(name.portalName));
        }
    }
    trigger.append(key->name);
    keys.m_portalTrigger = trigger.join(u'+');
    return keys;
}
