#include "PromptReader.h"

#include <QTest>

using Mood = PromptMeaning::Mood;
using Animal = PromptMeaning::Animal;
using Action = PromptMeaning::Action;
using Thing = PromptMeaning::Thing;
Q_DECLARE_METATYPE(PromptMeaning)

class PromptReaderTest : public QObject {
    Q_OBJECT

private slots:
    void readsWhatThePromptAsksFor_data()
    {
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<PromptMeaning>("meaning");
        const auto row = [](const char *prompt, QList<Mood> moods, QList<Animal> animals = {},
                             QList<Action> actions = {}, QList<Thing> things = {},
                             int intensity = 0) {
            QTest::newRow(prompt) << QString::fromUtf8(prompt)
                                  << PromptMeaning { moods, animals, actions, things, intensity };
        };
        // Moods, with their synonyms, word endings, spellings, emoticons and emoji.
        row("mad", { Mood::Angry });
        row("sleeping", { Mood::Sleepy });
        row("smiling", { Mood::Happy });
        row("worried", { Mood::Scared });
        row("loved", { Mood::Love });
        row("happily", { Mood::Happy });
        row("sleepiest", { Mood::Sleepy });
        row("saddest", { Mood::Sad });
        row("happyyyy", { Mood::Happy });
        row("sleeeeepy", { Mood::Sleepy });
        row("Crying", { Mood::Crying });
        row("angry!!!", { Mood::Angry }, {}, {}, {}, 1);
        row("zzzzzz", { Mood::Sleepy });
        row("good night", { Mood::Sleepy }, {}, {}, { Thing::Moon });
        row("side-eye", { Mood::Doubtful });
        row("T_T", { Mood::Crying });
        row("<3", { Mood::Love });
        row("😴", { Mood::Sleepy });
        // Animals in any form.
        row("kitty", {}, { Animal::Cat });
        row("kittens", {}, { Animal::Cat });
        row("cat's toy", {}, { Animal::Cat });
        row("bunnies", {}, { Animal::Rabbit });
        row("penguins", {}, { Animal::Bird });
        row("fishes", {}, { Animal::Fish });
        row("hello🐶", {}, { Animal::Dog }, { Action::Waving });
        // Actions and things, phrases included.
        row("table-flip", {}, {}, { Action::TableFlip });
        row("flip the table", {}, {}, { Action::TableFlip });
        row("running late", {}, {}, { Action::Running });
        row("hugging", {}, {}, { Action::Hugging });
        row("ice cream", {}, {}, {}, { Thing::IceCream });
        row("shooting star", {}, {}, {}, { Thing::Star });
        row("birthday", {}, {}, { Action::Cheering }, { Thing::Cake });
        // In the prompt's order, each once.
        row("sleepy cat, then an angry kitty eating pizza and sushi, sleepy",
            { Mood::Sleepy, Mood::Angry }, { Animal::Cat }, { Action::Eating },
            { Thing::Pizza, Thing::Sushi });
        // A negation turns the first mood after it around, and only close to it.
        row("not happy", { Mood::Sad });
        row("I'm not very sad", { Mood::Happy }, {}, {}, {}, 1);
        row("don't be angry", { Mood::Calm });
        row("not sad but sleepy", { Mood::Happy, Mood::Sleepy });
        row("no cat on the mat is happy", { Mood::Happy }, { Animal::Cat });
        // Emphasis, up to a limit.
        row("very happy cat", { Mood::Happy }, { Animal::Cat }, {}, {}, 1);
        row("SO VERY HAPPY!!!", { Mood::Happy }, {}, {}, {}, 3);
        row("so so so so so so happy", { Mood::Happy }, {}, {}, {}, 3);
        // Nothing it knows, including stems that look like words.
        row("xyzzy plugh", {});
        row("!!! ??? ...", {}, {}, {}, {}, 1);
        row("bus this ring need", {});
        QTest::newRow("500 letters") << QString(500, u'q') << PromptMeaning {};
        QTest::newRow("control characters") << QStringLiteral("\0\a\t\n") << PromptMeaning {};
        QTest::newRow("a word after 40 others") << QStringLiteral("blah ").repeated(40)
                + QStringLiteral("bunny") << PromptMeaning { {}, { Animal::Rabbit }, {}, {}, 0 };
    }
    void readsWhatThePromptAsksFor()
    {
        QFETCH(QString, prompt);
        QFETCH(PromptMeaning, meaning);
        const PromptMeaning read = PromptReader::read(prompt);
        QCOMPARE(read.moods, meaning.moods);
        QCOMPARE(read.animals, meaning.animals);
        QCOMPARE(read.actions, meaning.actions);
        QCOMPARE(read.things, meaning.things);
        QCOMPARE(read.intensity, meaning.intensity);
    }
};

QTEST_APPLESS_MAIN(PromptReaderTest)
#include "PromptReaderTest.moc"
