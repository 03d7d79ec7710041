#include "FaceComposer.h"

#include "PresetCatalog.h"
#include "TestSeed.h"

#include <QSet>
#include <QTest>
#include <thread>
#include <vector>

class FaceComposerTest : public QObject {
    Q_OBJECT

private slots:
    void facesFitTheirPrompt_data()
    {
        // Each face holds one text of every group of `needs`, and none of `never`.
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QList<QStringList>>("needs");
        QTest::addColumn<QStringList>("never");
        const auto row = [](const char *prompt, QList<QStringList> needs, QStringList never = {}) {
            QTest::newRow(prompt) << QString::fromUtf8(prompt) << needs << never;
        };
        const QStringList catMouths { "ω", "ﻌ", "ェ", "ㅅ", "ｪ" };
        const QStringList closedEyes { "-", "ᴗ", "˘", "∪", "＿", "ᵕ", "ꈍ", "︶", "－", "_" };
        const QStringList tears { "╥", "T", "ಥ", "；", "ᗒ" };
        const QStringList notes { "♪", "♫", "♬" };
        row("cat", { catMouths });
        row("sleepy cat", { catMouths, closedEyes, { "z", "Z" } });
        row("I love my cat", { catMouths, { "♡", "♥", "❤", "ღ", "💕" } });
        row("angry bear", { { "ʕ" }, { "ʔ" }, { "ಠ", "`", "｀", "▼", "Ò", "ò", "⇀", "◣" } });
        row("puppy", { { "ᴥ", "ω", "ﻌ" } });
        row("bunny", { { "ㅅ", "×", "ᆺ", "ω", "x" } });
        row("pig", { { "(oo)", "(00)", "(∞)", "(OO)", "(●●)" } });
        row("bird", { { "∋", "⊝", "θ", "Θ", "◇", "ε" } });
        row("sad fish", { { ")))", "(((" }, tears + QStringList { "´•", "｡•́", "︶", "´；" } });
        row("spider", { { "/\\", "╱╲" } });
        row("crying", { tears + QStringList { "இ" } });
        row("table-flip", { { "┻", "┸" } });
        row("music", { notes });
        row("singing", { notes });
        row("pizza party", { { "🍕" } });
        row("surprised", { { "⊙", "°", "O", "◎", "ﾟ", "o", "●", "◉", "ʘ" } });
        row("hiding", { { "|", "┤" } });
        row("shrug", { { "¯\\_", "┐", "╮", "ヽ" } });
        // A prompt it does not understand gets a friendly face.
        for (const char *prompt : { "xyzzy", "1234", "¿¡", "the of and", "Lorem ipsum dolor" })
            row(prompt, {}, { "╥", "益", "皿", "╬", "Д", "ಠ", "T", "；", "💢", "×" });
    }
    void facesFitTheirPrompt()
    {
        QFETCH(QString, prompt);
        QFETCH(QList<QStringList>, needs);
        QFETCH(QStringList, never);
        const auto holdsAny = [](const QString &face, const QStringList &texts) {
            return std::any_of(texts.begin(), texts.end(),
                [&](const QString &text) { return face.contains(text); });
        };
        FaceComposer composer(testSeed());
        QSet<QString> faces;
        for (int i = 0; i < 60; ++i) {
            const QString face = composer.compose(prompt);
            faces << face;
            QVERIFY2(FaceComposer::isWellFormedFace(face) && !holdsAny(face, never),
                qPrintable(face + seedNote()));
            for (const QStringList &group : needs)
                QVERIFY2(holdsAny(face, group),
                    qPrintable(
                        face + QStringLiteral(" lacks any of ") + group.join(u' ') + seedNote()));
        }
        // Not one face per prompt: the same words give many.
        QVERIFY2(faces.size() >= 30, qPrintable(QString::number(faces.size()) + seedNote()));
    }

    void composesNewWellFormedFacesThatFollowTheSeed()
    {
        // The catalog's tags and category names are the words likeliest to meet its faces.
        QSet<QString> builtIn;
        QStringList prompts;
        for (const PresetCategory &category : presetCatalogTable()) {
            prompts << QString::fromUtf8(category.name).toLower();
            for (const PresetEntry &entry : category.entries) {
                builtIn << QString::fromUtf8(entry.face);
                for (const char *tag : entry.tags)
                    prompts << QString::fromUtf8(tag);
            }
        }
        // Every word at once, and random text of any script, control characters included.
        prompts << prompts.join(u' ');
        QRandomGenerator random(testSeed());
        for (int i = 0; i < 300; ++i) {
            prompts << QString(random.bounded(1, 500), Qt::Uninitialized);
            for (QChar &character : prompts.last())
                character = QChar(char16_t(random.bounded(1, 0xD7FF)));
        }
        FaceComposer composer(testSeed()), again(testSeed()), otherSeed(testSeed() + 1), unseeded,
            alsoUnseeded;
        int builtInFaces = 0, sameForOtherSeed = 0, sameUnseeded = 0;
        for (const QString &prompt : std::as_const(prompts)) {
            const QString face = composer.compose(prompt);
            QVERIFY2(FaceComposer::isWellFormedFace(face),
                qPrintable(prompt.left(80) + QStringLiteral(": ") + face + seedNote()));
            QCOMPARE(again.compose(prompt), face);
            builtInFaces += builtIn.contains(face);
            sameForOtherSeed += otherSeed.compose(prompt) == face;
            sameUnseeded += unseeded.compose(prompt) == alsoUnseeded.compose(prompt);
        }
        // It invents rather than repeats the catalog; another seed, or none, gives other faces.
        QVERIFY2(builtInFaces < prompts.size() / 20 && sameForOtherSeed < prompts.size() / 2
                && sameUnseeded < prompts.size() / 2,
            qPrintable(
                QStringLiteral("%1 built-in, %2 alike with another seed, %3 without a seed, of %4")
                    .arg(builtInFaces)
                    .arg(sameForOtherSeed)
                    .arg(sameUnseeded)
                    .arg(prompts.size())
                + seedNote()));
    }

    void oneComposerServesManyThreads()
    {
        FaceComposer composer(testSeed());
        std::vector<QStringList> facesByThread(4);
        std::vector<std::thread> threads;
        for (QStringList &faces : facesByThread)
            threads.emplace_back([&composer, &faces] {
                for (int i = 0; i < 400; ++i)
                    faces << composer.compose(
                        QString::fromUtf8(i % 2 ? "sleepy cat" : "angry table flip"));
            });
        for (std::thread &thread : threads)
            thread.join();
        for (const QStringList &faces : facesByThread)
            QVERIFY(std::all_of(faces.begin(), faces.end(), &FaceComposer::isWellFormedFace));
    }

    void wellFormedMeansValidPrintableAndSized()
    {
        for (const QString &face :
            { u"(•ᴗ•)"_qs, u"ω_ω"_qs, QString(60, u'x'), u"🍕"_qs.repeated(30) + QString(30, u'x') })
            QVERIFY2(FaceComposer::isWellFormedFace(face), qPrintable(face));
        for (const QString &face : { QString(61, u'x'), u"ab"_qs, u"(•\a•)"_qs, u"(•\n•)"_qs,
                 u"(•"_qs + QChar(0xD800) + u"•)"_qs })
            QVERIFY2(!FaceComposer::isWellFormedFace(face), qPrintable(face));
    }
};

QTEST_APPLESS_MAIN(FaceComposerTest)
#include "FaceComposerTest.moc"
