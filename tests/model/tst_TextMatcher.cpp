#include "TextMatcher.h"

#include <QTest>

// Search matching: case folding, canonical equivalence, combining sequences, locales.
class TestTextMatcher : public QObject {
    Q_OBJECT

private slots:
    void matches_data()
    {
        QTest::addColumn<QString>("haystack");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<QLocale::Language>("language");
        QTest::addColumn<bool>("expected");

        const auto row = [](const char *name, const char *haystack, const char *needle,
                             bool expected, QLocale::Language language = QLocale::English) {
            QTest::newRow(name) << QString::fromUtf8(haystack) << QString::fromUtf8(needle)
                                << language << expected;
        };
        // All-ASCII text is left to the exhaustive check below.
        row("full folding sharp s", "straße", "STRASSE", true);
        row("full folding reverse", "STRASSE", "straße", true);
        row("greek final sigma", "ΟΔΟΣ", "οδος", true);
        row("precomposed finds decomposed", "cafe\u0301", "café", true);
        row("decomposed finds precomposed", "café", "cafe\u0301", true);
        row("case and composition", "CAFÉ", "cafe\u0301", true);
        row("base letter does not split", "café", "cafe", false);
        row("base letter decomposed", "cafe\u0301", "e", false);
        row("no diacritic folding", "cafe", "café", false);
        row("lone mark splits", "café", "\u0301", false);
        row("kana voiced mark", "ガ", "カ", false);
        row("kana equivalence", "ガ", "カ\u3099", true);
        row("no width folding", "（＾ｖ＾）", "(^v^)", false);
        row("full-width case", "ＡＢＣ", "ａｂ", true);
        row("face with marks, later match", "( ´•̥̥̥ω•̥̥̥` )", "ω", true);
        row("outside the BMP", "(🐱)", "🐱", true);
        row("second occurrence clean", "e\u0301 e", "e", true);
        // A match starts and ends between whole characters as the reader sees them.
        row("part of a Hangul syllable", "(한)", "하", false);
        row("whole Hangul syllable", "한국", "한", true);
        row("part of an emoji sequence", "(👨\u200D👩\u200D👧)", "👩", false);
        row("whole emoji sequence", "(👨\u200D👩\u200D👧)", "👨\u200D👩\u200D👧", true);
        // "İSTANBUL" holds a non-ASCII letter, so the locale's rule applies to it.
        row("dotted İ, Turkish", "İSTANBUL", "istanbul", true, QLocale::Turkish);
        row("dotted İ, Azerbaijani", "İSTANBUL", "istanbul", true, QLocale::Azerbaijani);
        row("dotted İ, English", "İSTANBUL", "istanbul", false);
        row("dotless ı, Turkish", "KIŞ", "ış", true, QLocale::Turkish);
        row("dotless ı, English", "KIŞ", "ış", false);
        // One rule folds both sides, and ASCII stays ASCII: under the Turkic rule I, ı and İ
        // all fold to i, so either keyboard's spelling finds the other.
        row("I in a non-ASCII face, Turkish", "(•I•)", "I", true, QLocale::Turkish);
        row("I and i, Turkish", "KIŞ", "iş", true, QLocale::Turkish);
        // For a Japanese reader the two kana scripts spell the same words, voiced or not.
        row("katakana finds hiragana, Japanese", "(ねこ)", "ネコ", true, QLocale::Japanese);
        row("voiced kana, Japanese", "ガッコウ", "がっこう", true, QLocale::Japanese);
        row("kana apart, English", "ねこ", "ネコ", false);
    }
    void matches()
    {
        QFETCH(QString, haystack);
        QFETCH(QString, needle);
        QFETCH(QLocale::Language, language);
        QFETCH(bool, expected);
        const TextMatcher matcher(
            TextMatcher::ruleFor(QLocale(language)), TextMatcher::kanaRuleFor(language));
        QCOMPARE(matcher.contains(haystack, needle), expected);
    }

    void asciiTextIsPlainAsciiContainment()
    {
        // Every pair of short ASCII strings agrees with a plain ASCII case-insensitive test.
        const QString alphabet = QStringLiteral("aBiI -_^");
        const auto text = [&](int n) {
            QString result;
            for (; n > 0; n /= 8)
                result += alphabet[n % 8];
            return result;
        };
        for (const auto rule : { TextMatcher::CaseRule::Default, TextMatcher::CaseRule::TurkicI }) {
            const TextMatcher matcher(rule);
            for (int h = 0; h < 4096; ++h) {
                for (int n = 0; n < 64; ++n) {
                    const QString haystack = text(h), needle = text(n);
                    if (matcher.contains(haystack, needle)
                        != haystack.contains(needle, Qt::CaseInsensitive))
                        QFAIL(qPrintable(QStringLiteral("'%1' in '%2'").arg(needle, haystack)));
                }
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestTextMatcher)
#include "tst_TextMatcher.moc"
