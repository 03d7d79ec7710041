#include "PromptReader.h"

#include <QTest>

using Mood = PromptMeaning::Mood;
using Animal = PromptMeaning::Animal;
using Action = PromptMeaning::Action;
using Thing = PromptMeaning::Thing;

class PromptReaderTest : public QObject {
    Q_OBJECT

private slots:
    void readsMoodsWithTheirSynonymsAndEndings_data()
    {
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<Mood>("mood");
        QTest::newRow("mad") << "mad" << Mood::Angry;
        QTest::newRow("tired") << "tired" << Mood::Sleepy;
        QTest::newRow("joyful") << "joyful" << Mood::Happy;
        QTest::newRow("-ing") << "sleeping" << Mood::Sleepy;
        QTest::newRow("-ing lost e") << "smiling" << Mood::Happy;
        QTest::newRow("-ied") << "worried" << Mood::Scared;
        QTest::newRow("-ed lost e") << "loved" << Mood::Love;
        QTest::newRow("-ily") << "happily" << Mood::Happy;
        QTest::newRow("-iest") << "sleepiest" << Mood::Sleepy;
        QTest::newRow("doubled letter") << "saddest" << Mood::Sad;
        QTest::newRow("stretched") << "happyyyy" << Mood::Happy;
        QTest::newRow("stretched inside") << "sleeeeepy" << Mood::Sleepy;
        QTest::newRow("upper case") << "Crying" << Mood::Crying;
        QTest::newRow("punctuation") << "angry!!!" << Mood::Angry;
        QTest::newRow("zzz") << "zzzzzz" << Mood::Sleepy;
        QTest::newRow("phrase") << "good night" << Mood::Sleepy;
        QTest::newRow("hyphenated phrase") << "side-eye" << Mood::Doubtful;
        QTest::newRow("emoticon") << "T_T" << Mood::Crying;
        QTest::newRow("heart emoticon") << "<3" << Mood::Love;
        QTest::newRow("emoji") << "😴" << Mood::Sleepy;
        QTest::newRow("uwu") << "uwu" << Mood::Cute;
    }
    void readsMoodsWithTheirSynonymsAndEndings()
    {
        QFETCH(QString, prompt);
        QFETCH(Mood, mood);
        const PromptMeaning meaning = PromptReader::read(prompt);
        QCOMPARE(meaning.moods.value(0, Mood::Neutral), mood);
    }

    void readsAnimalsInAnyForm_data()
    {
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<Animal>("animal");
        QTest::newRow("kitty") << "kitty" << Animal::Cat;
        QTest::newRow("kittens") << "kittens" << Animal::Cat;
        QTest::newRow("possessive") << "cat's toy" << Animal::Cat;
        QTest::newRow("puppies") << "puppies" << Animal::Dog;
        QTest::newRow("bunnies") << "bunnies" << Animal::Rabbit;
        QTest::newRow("panda") << "panda" << Animal::Bear;
        QTest::newRow("piglet") << "piglet" << Animal::Pig;
        QTest::newRow("penguin") << "penguins" << Animal::Bird;
        QTest::newRow("fishes") << "fishes" << Animal::Fish;
        QTest::newRow("spiders") << "spiders" << Animal::Spider;
        QTest::newRow("emoji glued to a word") << "hello🐶" << Animal::Dog;
    }
    void readsAnimalsInAnyForm()
    {
        QFETCH(QString, prompt);
        QFETCH(Animal, animal);
        const PromptMeaning meaning = PromptReader::read(prompt);
        QCOMPARE(meaning.animals, QList<Animal> { animal });
    }

    void readsActionsAndThings()
    {
        QCOMPARE(PromptReader::read("table-flip").actions, QList { Action::TableFlip });
        QCOMPARE(PromptReader::read("flip the table").actions, QList { Action::TableFlip });
        QCOMPARE(PromptReader::read("Table Flip").actions, QList { Action::TableFlip });
        QCOMPARE(PromptReader::read("running late").actions, QList { Action::Running });
        QCOMPARE(PromptReader::read("hugging").actions, QList { Action::Hugging });
        QCOMPARE(PromptReader::read("dancing").actions, QList { Action::Dancing });
        QCOMPARE(PromptReader::read("ice cream").things, QList { Thing::IceCream });
        QCOMPARE(PromptReader::read("shooting star").things, QList { Thing::Star });
        const PromptMeaning birthday = PromptReader::read("birthday");
        QCOMPARE(birthday.actions, QList { Action::Cheering });
        QCOMPARE(birthday.things, QList { Thing::Cake });
    }

    void keepsPromptOrderWithoutRepeats()
    {
        const PromptMeaning meaning =
            PromptReader::read("sleepy cat, then an angry kitty eating pizza and sushi, sleepy");
        QCOMPARE(meaning.moods, (QList { Mood::Sleepy, Mood::Angry }));
        QCOMPARE(meaning.animals, QList { Animal::Cat });
        QCOMPARE(meaning.actions, QList { Action::Eating });
        QCOMPARE(meaning.things, (QList { Thing::Pizza, Thing::Sushi }));
    }

    void negationTurnsTheNextMoodAround()
    {
        QCOMPARE(PromptReader::read("not happy").moods, QList { Mood::Sad });
        QCOMPARE(PromptReader::read("I'm not very sad").moods, QList { Mood::Happy });
        QCOMPARE(PromptReader::read("don't be angry").moods, QList { Mood::Calm });
        // Only the first mood after the negation, and only close to it.
        QCOMPARE(
            PromptReader::read("not sad but sleepy").moods, (QList { Mood::Happy, Mood::Sleepy }));
        QCOMPARE(PromptReader::read("no cat on the mat is happy").moods, QList { Mood::Happy });
    }

    void intensityGrowsWithEmphasis()
    {
        QCOMPARE(PromptReader::read("happy cat").intensity, 0);
        QCOMPARE(PromptReader::read("very happy cat").intensity, 1);
        QCOMPARE(PromptReader::read("happy cat!!").intensity, 1);
        QVERIFY(PromptReader::read("SO VERY HAPPY!!!").intensity >= 3);
        QCOMPARE(PromptReader::read("so so so so so so happy").intensity, 3);
    }

    void unknownTextMeansNothing()
    {
        QVERIFY(PromptReader::read("xyzzy plugh").isEmpty());
        QVERIFY(PromptReader::read("!!! ??? ...").isEmpty());
        QVERIFY(PromptReader::read(QString(500, u'q')).isEmpty());
        QVERIFY(
            PromptReader::read(QString(QChar(0)) + QChar(7) + QStringLiteral("\t\n")).isEmpty());
        // Stems that look like words must not be mistaken for them.
        QVERIFY(PromptReader::read("bus this ring need").isEmpty());
    }

    void readsEveryWordOfALongPrompt()
    {
        QString prompt;
        for (int i = 0; i < 40; ++i)
            prompt += QStringLiteral("blah ");
        prompt += QStringLiteral("bunny");
        QCOMPARE(PromptReader::read(prompt).animals, QList { Animal::Rabbit });
    }
};

QTEST_APPLESS_MAIN(PromptReaderTest)
#include "PromptReaderTest.moc"
