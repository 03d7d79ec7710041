#include "FaceFont.h"
#include "FontMatchMemo.h"
#include "PresetCatalog.h"

#include <QFontDatabase>
#include <QGlyphRun>
#include <QPainterPath>
#include <QRawFont>
#include <QRegularExpression>
#include <QTest>
#include <QTextBoundaryFinder>
#include <QTextLayout>
#include <fontconfig/fontconfig.h>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

// Every face text the user can see, with where it shows: the built-in faces, the tray title,
// the empty-state face and the symbols the interface itself writes.
QList<std::pair<QString, QString>> shownTexts()
{
    QList<std::pair<QString, QString>> texts;
    for (const PresetCategory &category : presetCatalogTable()) {
        for (const PresetEntry &entry : category.entries)
            texts.append({ QString::fromUtf8(category.name), QString::fromUtf8(entry.face) });
    }
    texts.append({ u"tray title"_s, u"(•⩊•)"_s });
    texts.append({ u"empty state"_s, u"(╥﹏╥)"_s });
    texts.append({ u"interface symbols"_s, u"✧ ♡ ♪ ☆ ★ zzZ ฅ ʕ ʔ ᴥ"_s });
    return texts;
}

QString hex(QList<uint> points)
{
    std::sort(points.begin(), points.end());
    points.erase(std::unique(points.begin(), points.end()), points.end());
    QStringList names;
    for (uint point : points)
        names.append(u"U+%1"_s.arg(point, 4, 16, QChar(u'0')).toUpper());
    return names.join(u' ');
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
    const char32_t character = point;
    const QList<quint32> glyphs = font.glyphIndexesForString(QString::fromUcs4(&character, 1));
    return QChar::isSpace(character)
        || (!glyphs.isEmpty() && glyphs.first() != 0 && hasInk(font, glyphs.first()));
}

// What goes wrong in glyphs laid out for `text`: runs drawn by Qt's box engine (no installed
// font registered for the script, or Indic text without OpenType tables), glyph 0 (the font's
// missing-glyph box), or more empty glyphs than the text has spaces.
QString fault(const QList<QGlyphRun> &runs, const QString &text)
{
    int missing = 0;
    int blank = 0;
    for (const QGlyphRun &run : runs) {
        const QRawFont raw = run.rawFont();
        if (!raw.isValid() || raw.fontTable("cmap").isEmpty())
            return u"boxes: no font usable for its script"_s;
        for (quint32 glyph : run.glyphIndexes()) {
            missing += glyph == 0;
            blank += glyph != 0 && !hasInk(raw, glyph);
        }
    }
    if (missing > 0)
        return u"missing glyph"_s;
    return blank > std::count_if(text.begin(), text.end(), [](QChar c) { return c.isSpace(); })
        ? u"drawn blank"_s
        : QString();
}

// The grapheme clusters at fault, judged within the whole text because the fonts Qt picks
// depend on the neighbours; a cluster carries its marks, so they are named with their base.
QStringList faultyClusters(const QString &text)
{
    QTextLayout layout(text, FaceFont::from(QFont()));
    layout.beginLayout();
    layout.createLine().setLineWidth(1.0e6);
    layout.endLayout();
    if (fault(layout.glyphRuns(), text).isEmpty())
        return {};
    QStringList culprits;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype start = 0; finder.toNextBoundary() != -1; start = finder.position()) {
        const QString cluster = text.mid(start, finder.position() - start);
        const QString what = fault(layout.glyphRuns(int(start), int(cluster.size())), cluster);
        if (!what.isEmpty())
            culprits.append(u"'%1' (%2) %3"_s.arg(cluster, hex(cluster.toUcs4()), what));
    }
    return culprits.isEmpty() ? QStringList { u"somewhere in "_s + hex(text.toUcs4()) } : culprits;
}

// KiB of font files resident in this process: the Rss line of each font file's mapping.
qlonglong residentFontKiB()
{
    QFile smaps(u"/proc/self/smaps"_s);
    smaps.open(QIODevice::ReadOnly);
    static const QRegularExpression fontRss(u"\\.(?:ttf|ttc|otf)\\n(?:[A-Z].*\\n)*?Rss: *(\\d+)"_s);
    qlonglong total = 0;
    for (const auto &match : fontRss.globalMatch(QString::fromLatin1(smaps.readAll())))
        total += match.captured(1).toLongLong();
    return total;
}

} // namespace

// Catches a missing font package: every face must draw without a single box.
class TestFaceFonts : public QObject {
    Q_OBJECT

private slots:
    // A code point no installed font has cannot be helped by any fallback: this names the
    // characters for which a font package is missing.
    void everyCodePointHasAnInstalledFont()
    {
        QSet<uint> missing;
        for (const auto &[where, text] : shownTexts()) {
            for (uint point : text.toUcs4())
                missing.insert(point);
        }
        for (const QString &family : QFontDatabase::families()) {
            const QRawFont raw = QRawFont::fromFont(QFont(family));
            missing.removeIf(
                [&](uint point) { return raw.isValid() && drawsCharacter(raw, point); });
        }
        QStringList faces;
        for (const auto &[where, text] : shownTexts()) {
            const QList<uint> points = text.toUcs4();
            if (std::any_of(
                    points.begin(), points.end(), [&](uint p) { return missing.contains(p); }))
                faces.append(where + u": "_s + text);
        }
        QVERIFY2(missing.isEmpty(),
            qPrintable(u"no installed font draws %1, needed by\n%2"_s.arg(
                hex(QList<uint>(missing.begin(), missing.end())), faces.join(u'\n'))));
    }

    // What the user actually sees: each face laid out in the tiles' face font, with every
    // fallback Qt chooses, must not contain a single missing-glyph box.
    void everyFaceRendersWithoutMissingGlyphs()
    {
        QStringList failures;
        for (const auto &[where, text] : shownTexts()) {
            if (const QStringList culprits = faultyClusters(text); !culprits.isEmpty())
                failures.append(u"%1: %2 -> %3"_s.arg(where, text, culprits.join(u", ")));
        }
        QVERIFY2(failures.isEmpty(),
            qPrintable(u"%1 texts show a missing-glyph box or draw nothing for a character:\n%2"_s
                           .arg(failures.size())
                           .arg(failures.join(u'\n'))));
    }

    // Fonts handed back leave no font file resident, and faces draw as before.
    void handedBackFontsStillDraw()
    {
        const QString face = u"(〜￣▽￣)〜 ｷﾀ━━(゜∀゜)━━!!!"_s;
        // A font still drawn with stays open; only its pages go.
        const QRawFont held = QRawFont::fromFont(FaceFont::from(QFont()));
        QVERIFY(faultyClusters(face).isEmpty() && residentFontKiB() > 0);
        FaceFont::releaseUnused();
        QCOMPARE(residentFontKiB(), 0);
        QVERIFY(faultyClusters(face).isEmpty());
    }

    // Qt's lookups of fonts reach the app's memo of fontconfig's answers: faces set on one
    // thread leave nothing to ask for the same faces on another.
    void fontMatchesAreSharedBetweenThreads()
    {
        // A size nothing has been set in yet, so that its fonts are looked up anew.
        QFont font;
        font.setPixelSize(37);
        const QStringList faces { u"ฅ^•ﻌ•^ฅ ಠ_ಠ (ノಠ益ಠ)ノ彡┻━┻"_s };
        const std::size_t before = FontMatchMemo::size();
        std::thread([&] { FaceFont::prepare(font, faces); }).join();
        const std::size_t afterOtherThread = FontMatchMemo::size();
        QVERIFY(afterOtherThread > before);
        FaceFont::prepare(font, faces);
        QCOMPARE(FontMatchMemo::size(), afterOtherThread);
    }

    // Callers share what they are answered, and each lets go of it as with fontconfig's own.
    void rememberedMatchesOutliveTheirCallers()
    {
        FcPattern *request = FcNameParse(reinterpret_cast<const FcChar8 *>("DejaVu Sans:bold"));
        for (int caller = 0; caller < 3; ++caller) {
            FcResult result = FcResultNoMatch;
            FcPattern *match = FcFontMatch(nullptr, request, &result);
            QCOMPARE(result, FcResultMatch);
            FcChar8 *family = nullptr;
            QCOMPARE(FcPatternGetString(match, FC_FAMILY, 0, &family), FcResultMatch);
            QCOMPARE(QString::fromUtf8(reinterpret_cast<const char *>(family)), u"DejaVu Sans"_s);
            FcPatternDestroy(match);
        }
        FcPatternDestroy(request);
    }
};

QTEST_MAIN(TestFaceFonts)
#include "tst_FaceFonts.moc"
