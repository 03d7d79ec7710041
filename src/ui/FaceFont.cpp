#include "FaceFont.h"

#include <QFontInfo>
#include <QStringList>

QFont FaceFont::from(const QFont &desktopFont)
{
    static const QStringList fallbacks {
        QStringLiteral("Noto Sans"), QStringLiteral("DejaVu Sans"),
        QStringLiteral("WenQuanYi Micro Hei"), // kana, kanji, hangul, vertical brackets
        QStringLiteral("Konatu Tohaba"), // the wave dash, halfwidth arrows
        QStringLiteral("DejaVu Math TeX Gyre"), QStringLiteral("DejaVu Sans Mono"),
        QStringLiteral("Noto Kufi Arabic"), QStringLiteral("Noto Sans Symbols2"),
        QStringLiteral("Noto Serif Gujarati"), QStringLiteral("Noto Serif Kannada"),
        QStringLiteral("Noto Sans Devanagari"), QStringLiteral("Noto Sans Gurmukhi"),
        QStringLiteral("Noto Sans Telugu"), QStringLiteral("Noto Serif Tibetan"),
        QStringLiteral("Noto Sans Canadian Aboriginal"), QStringLiteral("Noto Sans Oriya"),
        QStringLiteral("Noto Sans Samaritan"), QStringLiteral("Noto Sans Thai"),
        QStringLiteral("Noto Sans Vai"), QStringLiteral("Noto Sans Yi"),
        QStringLiteral("Symbola"), // the food emoji
        QStringLiteral("Bandal"), // the hangul final jamo U+11BA
    };
    // The desktop family is often an alias ("Sans Serif") that only a font of one family
    // resolves: name the font it stands for.
    QStringList families { QFontInfo(desktopFont).family() };
    for (const QString &family : fallbacks) {
        if (!families.contains(family))
            families.append(family);
    }
    QFont font = desktopFont;
    font.setFamilies(families);
    return font;
}
