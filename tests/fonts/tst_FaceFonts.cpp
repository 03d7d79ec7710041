#include "PresetCatalog.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGlyphRun>
#include <QPainterPath>
#include <QRawFont>
#include <QSet>
#include <QStringList>
#include <QTest>
#include <QTextBoundaryFinder>
#include <QTextLayout>
#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct ShownText {
    QString where;
    QString text;
};

// Every text of a face the user can see: the built-in faces, the tray title, the empty-state
// face and the symbols the interface itself writes.
std::vector<ShownText> shownTexts()
{
    std::vector<ShownText> texts;
    for (const PresetCategory &category : presetCatalogTable()) {
        for (const PresetEntry &entry : category.entries)
            texts.push_back({ QString::fromUtf8(category.name), QString::fromUtf8(entry.face) });
    }
    texts.push_back({ u"tray title"_s, u"(•⩊•)"_s });
    texts.push_back({ u"empty state"_s, u"(╥﹏╥)"_s });
    texts.push_back({ u"interface symbols"_s, u"✧ ♡ ♪ ☆ ★ zzZ ฅ ʕ ʔ ᴥ"_s });
    return texts;
}

QList<uint> codePoints(const QString &text)
{
    QList<uint> points = text.toUcs4();
    std::sort(points.begin(), points.end());
    points.erase(std::unique(points.begin(), points.end()), points.end());
    return points;
}

QString hex(const QList<uint> &points)
{
    QStringList names;
    for (uint point : points)
        names.append(u"U+%1"_s.arg(point, 4, 16, QChar(u'0')).toUpper());
    return names.join(u' ');
}

bool isWhitespace(uint point)
{
    return QChar::isSpace(char32_t(point));
}

// Some fonts map a character to an empty outline; that draws nothing, which is as bad as a box.
bool hasInk(const QRawFont &font, quint32 glyph)
{
    return !font.pathForGlyph(glyph).isEmpty() || !font.boundingRect(glyph).isEmpty();
}

bool drawsCharacter(const QRawFont &font, uint point)
{
    if (!font.supportsCharacter(point))
        return false;
    if (isWhitespace(point))
        return true;
    const char32_t character = point;
    const QList<quint32> glyphs = font.glyphIndexesForString(QString::fromUcs4(&character, 1));
    return !glyphs.isEmpty() && glyphs.first() != 0 && hasInk(font, glyphs.first());
}

// Qt draws a whole script run with its box engine, which has no font tables, when no installed
// font is registered for that writing system (Indic scripts also need OpenType tables).
bool isBoxEngine(const QRawFont &font)
{
    return !font.isValid() || font.fontTable("cmap").isEmpty();
}

// Lays the text out the way a label does, with Qt's own font fallback.
void layOut(QTextLayout &layout)
{
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1.0e6);
    layout.endLayout();
}

// Names what goes wrong in glyphs laid out for `text`: glyph 0 (the font's missing-glyph box),
// runs drawn as boxes, or more empty glyphs than the text has spaces.
QString fault(const QList<QGlyphRun> &runs, const QString &text)
{
    int missing = 0;
    int boxed = 0;
    int blank = 0;
    for (const QGlyphRun &run : runs) {
        const QRawFont raw = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        if (isBoxEngine(raw)) {
            boxed += int(glyphs.size());
            continue;
        }
        for (quint32 glyph : glyphs) {
            if (glyph == 0)
                ++missing;
            else if (!hasInk(raw, glyph))
                ++blank;
        }
    }
    const QList<uint> points = text.toUcs4();
    const auto spaces = std::count_if(points.begin(), points.end(), isWhitespace);
    if (boxed > 0)
        return u"boxes: no font usable for its script"_s;
    if (missing > 0)
        return u"missing glyph"_s;
    if (blank > spaces)
        return u"drawn blank"_s;
    return {};
}

// The grapheme clusters at fault, judged within the whole text because the fonts Qt picks
// depend on the neighbours; a cluster carries its marks, so they are named with their base.
QStringList faultyClusters(const QString &text, const QFont &font)
{
    QTextLayout layout(text, font);
    layOut(layout);
    if (fault(layout.glyphRuns(), text).isEmpty())
        return {};

    QStringList culprits;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    while (finder.toNextBoundary() != -1) {
        const qsizetype length = finder.position() - start;
        const QString cluster = text.mid(start, length);
        const QString what = fault(layout.glyphRuns(int(start), int(length)), cluster);
        if (!what.isEmpty())
            culprits.append(u"'%1' (%2) %3"_s.arg(cluster, hex(cluster.toUcs4()), what));
        start = finder.position();
    }
    if (culprits.isEmpty())
        culprits.append(u"somewhere in %1"_s.arg(hex(codePoints(text))));
    return culprits;
}

} // namespace

class TestFaceFonts : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QFont font;
        qInfo("application font: %s %g pt (resolved to %s)", qPrintable(font.family()),
            font.pointSizeF(), qPrintable(QFontInfo(font).family()));
        QVERIFY2(!QFontDatabase::families().isEmpty(), "the font database offers no font at all");
    }

    void catalogIsAllThere()
    {
        qsizetype faces = 0;
        for (const PresetCategory &category : presetCatalogTable())
            faces += qsizetype(category.entries.size());
        QCOMPARE(faces, 576);
    }

    // A code point no installed font has cannot be helped by any fallback: this names the
    // characters for which a font package is missing.
    void everyCodePointHasAnInstalledFont()
    {
        QSet<uint> wanted;
        for (const ShownText &shown : shownTexts()) {
            for (uint point : codePoints(shown.text))
                wanted.insert(point);
        }

        QSet<uint> missing = wanted;
        for (const QString &family : QFontDatabase::families()) {
            const QRawFont raw = QRawFont::fromFont(QFont(family));
            if (!raw.isValid())
                continue;
            for (auto it = missing.begin(); it != missing.end();) {
                if (drawsCharacter(raw, *it))
                    it = missing.erase(it);
                else
                    ++it;
            }
            if (missing.isEmpty())
                break;
        }

        QList<uint> sorted(missing.begin(), missing.end());
        std::sort(sorted.begin(), sorted.end());
        QStringList faces;
        for (const ShownText &shown : shownTexts()) {
            const QList<uint> points = codePoints(shown.text);
            if (std::any_of(points.begin(), points.end(),
                    [&](uint point) { return missing.contains(point); }))
                faces.append(u"%1: %2"_s.arg(shown.where, shown.text));
        }
        QVERIFY2(sorted.isEmpty(),
            qPrintable(u"no installed font draws %1, needed by\n%2"_s.arg(
                hex(sorted), faces.join(u'\n'))));
    }

    // What the user actually sees: each face laid out in the application font, with every
    // fallback Qt chooses, must not contain a single missing-glyph box.
    void everyFaceRendersWithoutMissingGlyphs()
    {
        const QFont font;
        QStringList failures;
        for (const ShownText &shown : shownTexts()) {
            const QStringList culprits = faultyClusters(shown.text, font);
            if (culprits.isEmpty())
                continue;
            failures.append(u"%1: %2 -> %3"_s.arg(shown.where, shown.text, culprits.join(u", ")));
        }
        QVERIFY2(failures.isEmpty(),
            qPrintable(u"%1 texts show a missing-glyph box or draw nothing for a character:\n%2"_s
                           .arg(failures.size())
                           .arg(failures.join(u'\n'))));
    }
};

QTEST_MAIN(TestFaceFonts)
#include "tst_FaceFonts.moc"
