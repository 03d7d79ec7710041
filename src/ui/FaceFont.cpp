#include "FaceFont.h"

#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QSet>
#include <QStringList>
#include <QTextLayout>
#include <malloc.h>
#include <sys/mman.h>

namespace {

// Only font files: a library's relocated pages must never be handed back.
bool isFontFile(const QByteArray &path)
{
    const QByteArray name = path.toLower();
    return name.endsWith(".ttf") || name.endsWith(".ttc") || name.endsWith(".otf")
        || name.endsWith(".otc");
}

} // namespace

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

void FaceFont::prepare(const QFont &desktopFont, const QStringList &faces)
{
    const QFont faceFont = from(desktopFont);
    // Text of no particular script, which is most of a face.
    QFontMetricsF(desktopFont).height();
    QFontMetricsF(faceFont).height();
    // Qt asks for fallbacks per script of a run of text: one letter of each script will do.
    QSet<QChar::Script> prepared;
    for (const QString &face : faces) {
        for (const char32_t letter : face.toUcs4()) {
            const QChar::Script script = QChar::script(letter);
            if (script <= QChar::Script_Common || prepared.contains(script))
                continue;
            prepared.insert(script);
            QTextLayout layout(QString::fromUcs4(&letter, 1), faceFont);
            layout.beginLayout();
            layout.createLine();
            layout.endLayout();
        }
    }
}

void FaceFont::releaseUnused()
{
    // Engines still drawn with are shared with the items that hold them and stay.
    QFont::cleanup();
    returnMemory();
}

void FaceFont::returnMemory()
{
    returnFilePages();
    malloc_trim(0);
}

void FaceFont::returnFilePages()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return;
    for (const QByteArray &line : maps.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 6 || !isFontFile(fields.mid(5).join(' ')))
            continue;
        const QList<QByteArray> range = fields[0].split('-');
        const quintptr start = range.value(0).toULongLong(nullptr, 16);
        const quintptr end = range.value(1).toULongLong(nullptr, 16);
        // FreeType maps font files read-only: nothing in them is lost.
        if (start < end && fields[1] == "r--p")
            madvise(reinterpret_cast<void *>(start), end - start, MADV_DONTNEED);
    }
}
