#include "FaceComposer.h"

#include <QRandomGenerator>
#include <QSet>
#include <QTest>
#include <thread>
#include <vector>

namespace {

// A prompt for every kind of word the reader knows, plus a few it does not.
const QStringList variedPrompts = {
    "happy cat",
    "sleepy cat",
    "angry bear",
    "love",
    "sad dog",
    "crying bunny",
    "pig eating pizza",
    "singing bird",
    "fish",
    "spider",
    "table flip",
    "very angry table flip",
    "running late",
    "hiding",
    "shy",
    "surprised",
    "scared",
    "confused",
    "suspicious",
    "cool",
    "smug",
    "playful",
    "calm",
    "cute",
    "determined",
    "pain",
    "meh",
    "excited",
    "hug",
    "dance",
    "magic",
    "kiss",
    "fight",
    "party",
    "thinking",
    "shrug",
    "sorry",
    "jump",
    "fly",
    "swim",
    "walk",
    "point",
    "salute",
    "gaming",
    "coffee",
    "rain",
    "snow",
    "birthday cake",
    "flowers",
    "money",
    "good night",
    "good morning",
    "ice cream",
    "sleepy love fish",
    "not happy",
    "I LOVE CATS!!",
    "😴🐱",
    "xyzzy",
    "qwerty asdf",
    "writing homework",
    "sparkly wizard",
    "ghost",
    "sushi",
};

// True when the face holds at least one of the texts.
bool holdsAny(const QString &face, const QStringList &texts)
{
    return std::any_of(
        texts.begin(), texts.end(), [&](const QString &text) { return face.contains(text); });
}

} // namespace

class FaceComposerTest : public QObject {
    Q_OBJECT

private slots:
    void facesFitTheirPrompt_data()
    {
        // Each face must hold something of every group.
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QList<QStringList>>("groups");
        const QStringList catMouths { "ω", "ﻌ", "ェ", "ㅅ", "ｪ" };
        const QStringList closedEyes { "-", "ᴗ", "˘", "∪", "＿", "ᵕ", "ꈍ", "︶", "－", "_" };
        const QStringList snoring { "z", "Z" };
        const QStringList hearts { "♡", "♥", "❤", "ღ", "💕" };
        const QStringList bearEars { "ʕ" };
        const QStringList angryEyes { "ಠ", "`", "｀", "▼", "Ò", "ò", "⇀", "◣" };
        QTest::newRow("cat") << "cat" << QList<QStringList> { catMouths };
        QTest::newRow("kitty") << "kitty" << QList<QStringList> { catMouths };
        QTest::newRow("sleepy") << "sleepy" << QList<QStringList> { closedEyes, snoring };
        QTest::newRow("sleepy cat")
            << "sleepy cat" << QList<QStringList> { catMouths, closedEyes, snoring };
        QTest::newRow("love") << "love" << QList<QStringList> { hearts };
        QTest::newRow("love cat") << "I love my cat" << QList<QStringList> { catMouths, hearts };
        QTest::newRow("angry bear")
            << "angry bear" << QList<QStringList> { bearEars, QStringList { "ʔ" }, angryEyes };
        QTest::newRow("happy bear") << "happy bear" << QList<QStringList> { bearEars };
        QTest::newRow("puppy") << "puppy" << QList<QStringList> { QStringList { "ᴥ", "ω", "ﻌ" } };
        QTest::newRow("bunny") << "bunny"
                               << QList<QStringList> { QStringList { "ㅅ", "×", "ᆺ", "ω", "x" } };
        QTest::newRow("pig") << "pig"
                             << QList<QStringList> { QStringList {
                                    "(oo)", "(00)", "(∞)", "(OO)", "(●●)" } };
        QTest::newRow("bird") << "bird"
                              << QList<QStringList> { QStringList {
                                     "∋", "⊝", "θ", "Θ", "◇", "ε" } };
        QTest::newRow("fish") << "fish" << QList<QStringList> { QStringList { ")))", "(((" } };
        QTest::newRow("sad fish") << "sad fish"
                                  << QList<QStringList> { QStringList { ")))", "(((" },
                                         QStringList {
                                             "╥", "；", "T", "´•", "｡•́", "ಥ", "︶", "´；", "ᗒ" } };
        QTest::newRow("spider") << "spider" << QList<QStringList> { QStringList { "/\\", "╱╲" } };
        QTest::newRow("crying") << "crying"
                                << QList<QStringList> { QStringList {
                                       "╥", "T", "ಥ", "；", "ᗒ", "இ" } };
        QTest::newRow("table flip")
            << "table-flip" << QList<QStringList> { QStringList { "┻", "┸" } };
        QTest::newRow("music") << "music" << QList<QStringList> { QStringList { "♪", "♫", "♬" } };
        QTest::newRow("singing") << "singing"
                                 << QList<QStringList> { QStringList { "♪", "♫", "♬" } };
        QTest::newRow("pizza") << "pizza party" << QList<QStringList> { QStringList { "🍕" } };
        QTest::newRow("surprised")
            << "surprised"
            << QList<QStringList> { QStringList { "⊙", "°", "O", "◎", "ﾟ", "o", "●", "◉", "ʘ" } };
        QTest::newRow("hiding") << "hiding" << QList<QStringList> { QStringList { "|", "┤" } };
        QTest::newRow("shrug") << "shrug"
                               << QList<QStringList> { QStringList { "¯\\_", "┐", "╮", "ヽ" } };
    }
    void facesFitTheirPrompt()
    {
        QFETCH(QString, prompt);
        QFETCH(QList<QStringList>, groups);
        FaceComposer composer(2024);
        for (int i = 0; i < 60; ++i) {
            const QString face = composer.compose(prompt);
            QVERIFY2(FaceComposer::isWellFormedFace(face), qPrintable(face));
            for (const QStringList &group : groups)
                QVERIFY2(holdsAny(face, group),
                    qPrintable(face + QStringLiteral(" lacks any of ") + group.join(u' ')));
        }
    }

    void unknownPromptsGetAFriendlyFace()
    {
        const QStringList unfriendly { "╥", "益", "皿", "╬", "Д", "ಠ", "T", "；", "💢", "×" };
        FaceComposer composer(7);
        for (const QString prompt :
            { "xyzzy", "qwerty asdf", "1234", "¿¡", "the of and", "Lorem ipsum dolor sit amet" }) {
            for (int i = 0; i < 20; ++i) {
                const QString face = composer.compose(prompt);
                QVERIFY2(FaceComposer::isWellFormedFace(face), qPrintable(face));
                QVERIFY2(!holdsAny(face, unfriendly), qPrintable(face));
            }
        }
    }

    void everyFaceIsWellFormed()
    {
        FaceComposer composer(99);
        for (const QString &prompt : variedPrompts) {
            for (int i = 0; i < 40; ++i) {
                const QString face = composer.compose(prompt);
                QVERIFY2(FaceComposer::isWellFormedFace(face),
                    qPrintable(prompt + QStringLiteral(": ") + face));
            }
        }
        // Random text of any script and length, control characters included.
        QRandomGenerator random(5);
        for (int i = 0; i < 300; ++i) {
            QString prompt;
            const int length = random.bounded(1, 500);
            for (int j = 0; j < length; ++j)
                prompt += QChar(char16_t(random.bounded(1, 0xD7FF)));
            const QString face = composer.compose(prompt);
            QVERIFY2(FaceComposer::isWellFormedFace(face), qPrintable(face));
        }
        // Every word it knows at once must still fit in 60 characters.
        const QString everything = variedPrompts.join(u' ');
        for (int i = 0; i < 100; ++i) {
            const QString face = composer.compose(everything);
            QVERIFY2(FaceComposer::isWellFormedFace(face), qPrintable(face));
        }
    }

    void sameSeedSameFaces()
    {
        FaceComposer first(123456789);
        FaceComposer second(123456789);
        FaceComposer other(123456790);
        int differences = 0;
        for (const QString &prompt : variedPrompts) {
            const QString face = first.compose(prompt);
            QCOMPARE(second.compose(prompt), face);
            differences += other.compose(prompt) != face;
        }
        QVERIFY(differences > variedPrompts.size() / 2);
    }

    void facesVaryWithoutASeed()
    {
        FaceComposer composer;
        for (const QString prompt : { "happy cat", "love", "xyzzy", "sleepy", "fish" }) {
            QSet<QString> faces;
            for (int i = 0; i < 40; ++i)
                faces.insert(composer.compose(prompt));
            QVERIFY2(faces.size() >= 10,
                qPrintable(QString::number(faces.size()) + QStringLiteral(" for ") + prompt));
        }
        // Two unseeded composers do not repeat each other.
        FaceComposer another;
        int same = 0;
        for (const QString &prompt : variedPrompts)
            same += composer.compose(prompt) == another.compose(prompt);
        QVERIFY(same < variedPrompts.size() / 2);
    }

    void oneComposerServesManyThreads()
    {
        FaceComposer composer(1);
        std::vector<QStringList> facesByThread(4);
        std::vector<std::thread> threads;
        for (size_t t = 0; t < facesByThread.size(); ++t) {
            threads.emplace_back([&composer, &faces = facesByThread[t]] {
                for (int i = 0; i < 400; ++i)
                    faces.append(composer.compose(variedPrompts[i % variedPrompts.size()]));
            });
        }
        for (std::thread &thread : threads)
            thread.join();
        for (const QStringList &faces : facesByThread) {
            QCOMPARE(faces.size(), 400);
            for (const QString &face : faces)
                QVERIFY2(FaceComposer::isWellFormedFace(face), qPrintable(face));
        }
    }

    void wellFormedMeansValidPrintableAndSized()
    {
        QVERIFY(FaceComposer::isWellFormedFace("(•ᴗ•)"));
        QVERIFY(FaceComposer::isWellFormedFace("ω_ω"));
        QVERIFY(FaceComposer::isWellFormedFace(QString(60, u'x')));
        // Sixty code points, some outside the Basic Multilingual Plane.
        QVERIFY(FaceComposer::isWellFormedFace(
            QString::fromUtf8("🍕").repeated(30) + QString(30, u'x')));
        QVERIFY(!FaceComposer::isWellFormedFace(QString(61, u'x')));
        QVERIFY(!FaceComposer::isWellFormedFace("ab"));
        QVERIFY(!FaceComposer::isWellFormedFace(QString::fromUtf8("(•\u0007•)")));
        QVERIFY(!FaceComposer::isWellFormedFace(QString::fromUtf8("(•\n•)")));
        QVERIFY(!FaceComposer::isWellFormedFace(
            QStringLiteral("(•") + QString(QChar(0xD800)) + QStringLiteral("•)")));
    }
};

QTEST_APPLESS_MAIN(FaceComposerTest)
#include "FaceComposerTest.moc"
