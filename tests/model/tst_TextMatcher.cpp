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
        QTest::addColumn<bool>("expected");

        QTest::newRow("ascii case") << "Sadness"
                                    << "SAD" << true;
        QTest::newRow("ascii middle") << "table-flip"
                                      << "E-F" << true;
        QTest::newRow("ascii absent") << "happy"
                                      << "sad" << false;
        QTest::newRow("space is not ignored") << "in bed"
                                              << "inbed" << false;
        QTest::newRow("single space") << "in bed"
                                      << " " << true;
        QTest::newRow("full folding sharp s") << QString::fromUtf8("straße") << "STRASSE" << true;
        QTest::newRow("full folding reverse") << "STRASSE" << QString::fromUtf8("straße") << true;
        QTest::newRow("greek final sigma")
            << QString::fromUtf8("ΟΔΟΣ") << QString::fromUtf8("οδος") << true;
        QTest::newRow("precomposed finds decomposed")
            << QString::fromUtf8("cafe\xCC\x81") << QString::fromUtf8("café") << true;
        QTest::newRow("decomposed finds precomposed")
            << QString::fromUtf8("café") << QString::fromUtf8("cafe\xCC\x81") << true;
        QTest::newRow("case and composition")
            << QString::fromUtf8("CAFÉ") << QString::fromUtf8("cafe\xCC\x81") << true;
        QTest::newRow("base letter does not split") << QString::fromUtf8("café") << "cafe" << false;
        QTest::newRow("base letter decomposed")
            << QString::fromUtf8("cafe\xCC\x81") << "e" << false;
        QTest::newRow("no diacritic folding") << "cafe" << QString::fromUtf8("café") << false;
        QTest::newRow("lone mark splits")
            << QString::fromUtf8("café") << QString::fromUtf8("\xCC\x81") << false;
        QTest::newRow("kana voiced mark")
            << QString::fromUtf8("ガ") << QString::fromUtf8("カ") << false;
        QTest::newRow("kana equivalence")
            << QString::fromUtf8("ガ") << QString::fromUtf8("カ\xE3\x82\x99") << true;
        QTest::newRow("no width folding")
            << QString::fromUtf8("（＾ｖ＾）") << QString::fromUtf8("(^v^)") << false;
        QTest::newRow("full-width case")
            << QString::fromUtf8("ＡＢＣ") << QString::fromUtf8("ａｂ") << true;
        QTest::newRow("face with marks, later match")
            << QString::fromUtf8("( ´•̥̥̥ω•̥̥̥` )") << QString::fromUtf8("ω") << true;
        QTest::newRow("outside the BMP")
            << QString::fromUtf8("(🐱)") << QString::fromUtf8("🐱") << true;
        QTest::newRow("second occurrence clean") << QString::fromUtf8("e\xCC\x81 e") << "e" << true;
    }
    void matches()
    {
        QFETCH(QString, haystack);
        QFETCH(QString, needle);
        QFETCH(bool, expected);
        QCOMPARE(TextMatcher(TextMatcher::CaseRule::Default).contains(haystack, needle), expected);
    }

    void asciiTextIsPlainAsciiContainment()
    {
        // Every pair of short ASCII strings agrees with a plain ASCII case-insensitive test.
        const QString alphabet = QStringLiteral("aBiI -_^");
        for (const TextMatcher::CaseRule rule :
            { TextMatcher::CaseRule::Default, TextMatcher::CaseRule::TurkicI }) {
            const TextMatcher matcher(rule);
            for (int h = 0; h < 4096; ++h) {
                QString haystack;
                for (int n = h; n > 0; n /= 8)
                    haystack += alphabet[n % 8];
                for (int k = 0; k < 64; ++k) {
                    QString needle;
                    for (int n = k; n > 0; n /= 8)
                        needle += alphabet[n % 8];
                    const bool plain = haystack.contains(needle, Qt::CaseInsensitive);
                    if (matcher.contains(haystack, needle) != plain)
                        QFAIL(qPrintable(QStringLiteral("'%1' in '%2'").arg(needle, haystack)));
                }
            }
        }
    }

    void turkishDottedAndDotlessI()
    {
        const QString dottedCapital = QString::fromUtf8("İ");
        const QString dotless = QString::fromUtf8("ı");
        const TextMatcher turkish(TextMatcher::ruleFor(QLocale(QLocale::Turkish)));
        const TextMatcher azerbaijani(TextMatcher::ruleFor(QLocale(QLocale::Azerbaijani)));
        const TextMatcher english(TextMatcher::ruleFor(QLocale(QLocale::English)));
        QCOMPARE(turkish.rule(), TextMatcher::CaseRule::TurkicI);
        QCOMPARE(azerbaijani.rule(), TextMatcher::CaseRule::TurkicI);
        QCOMPARE(english.rule(), TextMatcher::CaseRule::Default);

        // "İSTANBUL" holds a non-ASCII letter, so the locale's rule applies to it.
        const QString city = dottedCapital + QStringLiteral("STANBUL");
        QVERIFY(turkish.contains(city, QStringLiteral("istanbul")));
        QVERIFY(!english.contains(city, QStringLiteral("istanbul")));
        QVERIFY(turkish.contains(QString::fromUtf8("KIŞ"), dotless + QString::fromUtf8("ş")));
        QVERIFY(!english.contains(QString::fromUtf8("KIŞ"), dotless + QString::fromUtf8("ş")));
        QVERIFY(!turkish.contains(QString::fromUtf8("KIŞ"), QString::fromUtf8("iş")));
    }
};

QTEST_APPLESS_MAIN(TestTextMatcher)
#include "tst_TextMatcher.moc"
