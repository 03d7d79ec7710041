#include "PresetCatalog.h"

#include <QSet>
#include <QTest>
#include <array>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct TagCount {
    const char *tag;
    int count;
};

struct ExpectedCategory {
    const char *name;
    int entries;
    const char *leadTag; // nullptr where entries have no common first tag
    std::array<const char *, 3> firstEntryTags;
    std::vector<TagCount> tagCounts; // in order of first use
};

// The catalog's categories in build order, with every tag each category may use and how often.
const std::vector<ExpectedCategory> expectedCategories = {
    { "Joy", 15, nullptr, { "excited", "happy", "celebration" },
        { { "excited", 3 }, { "happy", 13 }, { "celebration", 3 }, { "cheer", 1 },
            { "excitement", 3 }, { "smile", 2 }, { "content", 1 }, { "joy", 2 }, { "love", 1 },
            { "happiness", 1 }, { "starry-eyed", 1 }, { "cute", 2 }, { "greeting", 1 },
            { "friendly", 1 }, { "cool", 1 }, { "music", 1 }, { "wide-eyed", 1 },
            { "delighted", 1 }, { "pleased", 1 }, { "flower", 1 }, { "singing", 1 },
            { "cheerful", 1 }, { "dancing", 1 }, { "carefree", 1 } } },
    { "Love", 15, nullptr, { "kiss", "affection", "love" },
        { { "kiss", 4 }, { "affection", 15 }, { "love", 15 }, { "adoration", 2 }, { "cute", 2 },
            { "happiness", 1 }, { "hug", 1 }, { "shy", 2 }, { "heart", 1 }, { "greeting", 1 },
            { "music", 1 } } },
    { "Embarrassment", 15, "embarrassed", { "embarrassed", "blushing", "shy" },
        { { "embarrassed", 15 }, { "blushing", 6 }, { "shy", 7 }, { "hiding", 4 }, { "happy", 3 },
            { "cute", 2 }, { "love", 2 }, { "uncomfortable", 1 }, { "excited", 2 },
            { "surprised", 1 }, { "confused", 1 }, { "crying", 1 } } },
    { "Sympathy", 15, "sympathy", { "sympathy", "sad", "crying" },
        { { "sympathy", 15 }, { "sad", 9 }, { "crying", 4 }, { "comforting", 5 }, { "caring", 1 },
            { "tearful", 1 }, { "disappointed", 2 }, { "hug", 1 }, { "concerned", 1 },
            { "upset", 2 }, { "pat", 1 }, { "love", 2 }, { "teary", 1 } } },
    { "Dissatisfaction", 15, "dissatisfied", { "dissatisfied", "unhappy", "annoyed" },
        { { "dissatisfied", 15 }, { "unhappy", 2 }, { "annoyed", 6 }, { "unimpressed", 5 },
            { "irritated", 2 }, { "skeptical", 2 }, { "sad", 1 }, { "disappointed", 1 },
            { "suspicious", 2 }, { "doubtful", 2 }, { "side-eye", 1 }, { "exasperated", 1 },
            { "displeased", 1 }, { "uncomfortable", 1 }, { "uneasy", 1 }, { "angry", 1 },
            { "frustrated", 1 } } },
    { "Anger", 15, "angry", { "angry", "mad", "furious" },
        { { "angry", 15 }, { "mad", 3 }, { "furious", 4 }, { "table-flip", 1 }, { "frustrated", 3 },
            { "yelling", 1 }, { "upset", 4 }, { "disapproval", 1 }, { "annoyed", 1 },
            { "shouting", 1 }, { "flipping", 1 }, { "violent", 1 }, { "crying", 1 },
            { "intense", 1 }, { "middle-finger", 1 }, { "rude", 1 }, { "shocked", 1 },
            { "fighting", 1 }, { "strong", 1 }, { "double-table-flip", 1 }, { "extreme", 1 } } },
    { "Sadness", 15, "sad", { "sad", "crying", "tearful" },
        { { "sad", 15 }, { "crying", 9 }, { "tearful", 5 }, { "upset", 4 }, { "depressed", 1 },
            { "down", 2 }, { "unhappy", 2 }, { "disappointed", 4 }, { "hugging", 1 },
            { "comforting", 1 }, { "wailing", 1 } } },
    { "Pain", 15, "pain", { "pain", "hurt", "suffering" },
        { { "pain", 15 }, { "hurt", 7 }, { "suffering", 8 }, { "burning", 1 }, { "blushing", 1 },
            { "uncomfortable", 4 }, { "crying", 6 }, { "dead", 1 }, { "shock", 2 } } },
    { "Fear", 15, "fear", { "fear", "shocked", "scared" },
        { { "fear", 15 }, { "shocked", 6 }, { "scared", 6 }, { "trembling", 1 }, { "surprised", 4 },
            { "worried", 3 }, { "concerned", 2 }, { "crying", 1 }, { "terrified", 1 },
            { "panicking", 2 }, { "hiding", 2 }, { "nervous", 1 }, { "pleading", 1 } } },
    { "Indifference", 15, "indifferent", { "indifferent", "shrug", "whatever" },
        { { "indifferent", 15 }, { "shrug", 4 }, { "whatever", 6 }, { "neutral", 9 }, { "meh", 6 },
            { "carefree", 1 }, { "blank", 2 }, { "annoyed", 1 }, { "unimpressed", 1 } } },
    { "Confusion", 15, "confused", { "confused", "puzzled", "unsure" },
        { { "confused", 15 }, { "puzzled", 2 }, { "unsure", 9 }, { "worried", 2 }, { "shrug", 1 },
            { "questioning", 1 }, { "thinking", 1 }, { "shocked", 3 }, { "baffled", 4 },
            { "surprised", 3 }, { "skeptical", 2 }, { "blank", 2 } } },
    { "Doubt", 15, "doubt", { "doubt", "skeptical", "suspicious" },
        { { "doubt", 15 }, { "skeptical", 9 }, { "suspicious", 8 }, { "side-eye", 3 },
            { "unimpressed", 3 }, { "questioning", 1 }, { "smirk", 2 }, { "unsure", 2 },
            { "nervous", 1 }, { "disapproval", 1 } } },
    { "Surprise", 9, "surprised", { "surprised", "shocked", "amazed" },
        { { "surprised", 9 }, { "shocked", 9 }, { "amazed", 1 }, { "wide-eyed", 3 },
            { "confused", 1 }, { "sweating", 1 }, { "exclaiming", 3 } } },
    { "Greeting", 15, "greeting", { "greeting", "hello", "wave" },
        { { "greeting", 15 }, { "hello", 11 }, { "wave", 11 }, { "love", 1 }, { "happy", 2 },
            { "friends", 1 }, { "high-five", 1 }, { "smile", 2 }, { "goodbye", 1 } } },
    { "Hugging", 15, "hugging", { "hugging", "affection", "cute" },
        { { "hugging", 15 }, { "affection", 5 }, { "cute", 3 }, { "excitement", 1 }, { "joy", 2 },
            { "comforting", 3 }, { "caring", 1 }, { "comfort", 2 }, { "shy", 1 }, { "sad", 1 },
            { "excited", 3 }, { "happy", 1 }, { "kiss", 1 }, { "gentle", 1 }, { "intense", 1 },
            { "bear", 1 }, { "casual", 1 }, { "relaxed", 1 }, { "starry-eyed", 1 } } },
    { "Winking", 15, "winking", { "winking", "playful", "flirty" },
        { { "winking", 15 }, { "playful", 9 }, { "flirty", 2 }, { "mischievous", 2 }, { "cute", 4 },
            { "cool", 1 }, { "confident", 2 }, { "cheerful", 1 }, { "casual", 1 },
            { "friendly", 3 }, { "shy", 1 }, { "surprised", 1 }, { "sparkle", 1 }, { "dancing", 1 },
            { "greeting", 1 } } },
    { "Apologizing", 15, "apologizing", { "apologizing", "bowing", "sorry" },
        { { "apologizing", 15 }, { "bowing", 13 }, { "sorry", 15 }, { "crying", 2 } } },
    { "Nosebleeding", 15, "nosebleeding", { "nosebleeding", "shocked", "surprised" },
        { { "nosebleeding", 15 }, { "shocked", 3 }, { "surprised", 2 }, { "excited", 2 },
            { "overwhelmed", 1 }, { "embarrassed", 1 }, { "annoyed", 1 }, { "irritated", 1 },
            { "thinking", 1 }, { "suspicious", 1 }, { "angry", 1 }, { "punching", 1 },
            { "drooling", 1 }, { "saluting", 1 }, { "respectful", 1 }, { "skeptical", 1 },
            { "doubtful", 1 }, { "unimpressed", 1 }, { "bored", 1 }, { "smug", 1 },
            { "confident", 1 }, { "happy", 2 }, { "satisfied", 1 }, { "blushing", 1 },
            { "greeting", 1 }, { "waving", 1 } } },
    { "Hiding", 15, "hiding", { "hiding", "peeking", "shy" },
        { { "hiding", 15 }, { "peeking", 12 }, { "shy", 3 }, { "mischievous", 3 },
            { "skeptical", 1 }, { "sneaky", 2 }, { "waving", 1 }, { "surprised", 1 },
            { "revealing", 1 }, { "cute", 1 }, { "table", 2 }, { "love", 1 }, { "wall", 1 },
            { "ok", 1 } } },
    { "Writing", 15, "writing", { "writing", "happy", "working" },
        { { "writing", 15 }, { "happy", 3 }, { "working", 7 }, { "thinking", 2 }, { "focused", 2 },
            { "finished", 1 }, { "proud", 1 }, { "excited", 2 }, { "confused", 2 }, { "unsure", 2 },
            { "concentrated", 1 }, { "surprised", 1 }, { "pondering", 1 }, { "worried", 1 },
            { "satisfied", 1 }, { "cute", 1 }, { "determined", 1 }, { "intense", 1 } } },
    { "Running", 15, "running", { "running", "excited", "fast" },
        { { "running", 15 }, { "excited", 4 }, { "fast", 1 }, { "panicked", 3 }, { "escape", 5 },
            { "happy", 5 }, { "chasing", 2 }, { "hurried", 4 }, { "late", 1 }, { "scared", 1 },
            { "desperate", 1 }, { "shocked", 1 }, { "determined", 1 }, { "carefree", 1 } } },
    { "Sleeping", 15, "sleeping", { "sleeping", "tired", "resting" },
        { { "sleeping", 15 }, { "tired", 4 }, { "resting", 1 }, { "cute", 3 }, { "peaceful", 5 },
            { "dreaming", 3 }, { "animal", 1 }, { "starry", 1 }, { "quiet", 1 }, { "waving", 1 },
            { "floating", 1 }, { "in bed", 1 }, { "cozy", 1 }, { "zzz", 2 },
            { "falling asleep", 1 }, { "content", 2 }, { "guarding", 1 }, { "protective", 1 } } },
    { "Cat", 15, "cat", { "cat", "cute", "happy" },
        { { "cat", 15 }, { "cute", 7 }, { "happy", 2 }, { "playful", 3 }, { "waving", 1 },
            { "greeting", 2 }, { "simple", 2 }, { "attentive", 1 }, { "bowing", 1 },
            { "respectful", 1 }, { "sad", 1 }, { "crying", 1 }, { "worried", 1 },
            { "concerned", 1 }, { "angry", 1 }, { "upset", 1 }, { "flower", 1 }, { "content", 1 },
            { "relaxed", 1 }, { "excited", 1 } } },
    { "Bear", 15, "bear", { "bear", "cute", "friendly" },
        { { "bear", 15 }, { "cute", 5 }, { "friendly", 1 }, { "happy", 3 }, { "excited", 1 },
            { "innocent", 2 }, { "simple", 1 }, { "content", 3 }, { "relaxed", 1 },
            { "neutral", 1 }, { "calm", 1 }, { "hugging", 1 }, { "affectionate", 2 },
            { "determined", 1 }, { "focused", 1 }, { "winking", 1 }, { "playful", 1 }, { "shy", 1 },
            { "loving", 1 }, { "surprised", 1 }, { "wide-eyed", 1 } } },
    { "Dog", 14, "dog", { "dog", "cute", "friendly" },
        { { "dog", 14 }, { "cute", 4 }, { "friendly", 1 }, { "simple", 1 }, { "alert", 1 },
            { "attentive", 2 }, { "happy", 3 }, { "waving", 2 }, { "cool", 1 }, { "relaxed", 1 },
            { "content", 1 }, { "greeting", 1 }, { "smiling", 1 }, { "innocent", 1 },
            { "shocked", 1 }, { "surprised", 1 }, { "angry", 1 }, { "upset", 1 }, { "playful", 1 },
            { "curious", 1 }, { "sad", 1 }, { "flower", 1 } } },
    { "Rabbit", 15, "rabbit", { "rabbit", "cute", "happy" },
        { { "rabbit", 15 }, { "cute", 6 }, { "happy", 3 }, { "love", 1 }, { "simple", 1 },
            { "shy", 1 }, { "content", 2 }, { "waving", 1 }, { "greeting", 1 }, { "excited", 3 },
            { "jumping", 1 }, { "flower", 2 }, { "confused", 1 }, { "thinking", 1 },
            { "worried", 1 }, { "concerned", 1 }, { "sparkly", 1 }, { "surprised", 1 },
            { "wide-eyed", 1 }, { "relaxed", 1 } } },
    { "Pig", 15, "pig", { "pig", "cute", "snout" },
        { { "pig", 15 }, { "cute", 4 }, { "snout", 3 }, { "simple", 4 }, { "shocked", 1 },
            { "surprised", 1 }, { "innocent", 1 }, { "happy", 2 }, { "content", 1 },
            { "excited", 3 }, { "waving", 2 }, { "greeting", 1 }, { "wide-eyed", 1 },
            { "shrugging", 1 }, { "indifferent", 1 }, { "neutral", 1 }, { "love", 1 },
            { "adoration", 1 }, { "running", 1 } } },
    { "Bird", 15, "bird", { "bird", "simple", "cute" },
        { { "bird", 15 }, { "simple", 3 }, { "cute", 3 }, { "neutral", 1 }, { "whistling", 1 },
            { "singing", 1 }, { "surprised", 2 }, { "wide-eyed", 2 }, { "flying", 1 },
            { "happy", 4 }, { "content", 2 }, { "excited", 1 }, { "relaxed", 1 }, { "smiling", 1 },
            { "confused", 1 }, { "thinking", 1 }, { "angry", 1 }, { "upset", 1 }, { "innocent", 1 },
            { "sad", 1 }, { "disappointed", 1 } } },
    { "Fish", 15, "fish", { "fish", "swimming", "simple" },
        { { "fish", 15 }, { "swimming", 8 }, { "simple", 8 }, { "cute", 6 }, { "detailed", 1 },
            { "happy", 3 }, { "long", 1 }, { "love", 1 }, { "minimalist", 1 }, { "waves", 1 } } },
    { "Spider", 15, "spider", { "spider", "scary", "angry" },
        { { "spider", 15 }, { "scary", 1 }, { "angry", 2 }, { "mischievous", 1 }, { "funny", 1 },
            { "simple", 5 }, { "cute", 3 }, { "happy", 3 }, { "friendly", 1 }, { "excited", 2 },
            { "determined", 1 }, { "focused", 1 }, { "dead", 1 }, { "minimalist", 1 },
            { "innocent", 1 }, { "watching", 1 }, { "confused", 1 }, { "worried", 1 },
            { "surprised", 1 }, { "shocked", 1 }, { "upset", 1 } } },
    { "Friends", 14, "friends", { "friends", "happy", "high-five" },
        { { "friends", 14 }, { "happy", 6 }, { "high-five", 3 }, { "excited", 2 },
            { "cheering", 1 }, { "group", 2 }, { "serious", 2 }, { "peace", 2 },
            { "celebration", 1 }, { "goodbye", 1 }, { "waving", 2 }, { "bond", 1 }, { "magic", 1 },
            { "fun", 1 }, { "poking", 1 }, { "playful", 1 }, { "cool", 1 } } },
    { "Enemies", 15, "enemies", { "enemies", "angry", "rude" },
        { { "enemies", 15 }, { "angry", 12 }, { "rude", 5 }, { "upset", 3 }, { "crying", 2 },
            { "attacking", 1 }, { "glaring", 1 }, { "frustrated", 1 }, { "annoyed", 1 },
            { "serious", 1 }, { "dismissive", 1 }, { "furious", 1 }, { "table-flip", 1 } } },
    { "Weapons", 15, "weapons", { "weapons", "gun", "rifle" },
        { { "weapons", 15 }, { "gun", 8 }, { "rifle", 1 }, { "complex", 1 }, { "cool", 2 },
            { "happy", 1 }, { "serious", 1 }, { "pointing", 1 }, { "sword", 1 },
            { "mischievous", 2 }, { "keyboard", 1 }, { "angry", 2 }, { "magic", 1 }, { "wand", 1 },
            { "shooting", 1 }, { "whip", 1 }, { "table-flip", 1 }, { "punching", 1 },
            { "fighting", 1 }, { "knife", 1 }, { "shocked", 1 } } },
    { "Magic", 15, "magic", { "magic", "sparkles", "casting" },
        { { "magic", 15 }, { "sparkles", 4 }, { "casting", 8 }, { "wand", 1 }, { "mischievous", 2 },
            { "determined", 1 }, { "winking", 1 }, { "love", 1 }, { "cute", 4 }, { "fire", 1 },
            { "transforming", 1 }, { "surprised", 1 }, { "excited", 3 }, { "happy", 1 },
            { "keyboard", 1 } } },
    { "Food", 14, "food", { "food", "yummy", "eating" },
        { { "food", 14 }, { "yummy", 4 }, { "eating", 4 }, { "hot", 1 }, { "offering", 5 },
            { "drooling", 1 }, { "hungry", 1 }, { "happy", 2 }, { "burger", 1 }, { "tea", 1 },
            { "friends", 1 }, { "pizza", 1 }, { "cake", 1 }, { "sushi", 1 }, { "satisfied", 1 },
            { "surprised", 1 }, { "noodles", 1 }, { "excited", 1 } } },
    { "Music", 15, "music", { "music", "happy", "singing" },
        { { "music", 15 }, { "happy", 6 }, { "singing", 4 }, { "cool", 2 }, { "dancing", 8 },
            { "notes", 1 }, { "fun", 1 }, { "whistling", 2 }, { "excited", 1 }, { "casual", 2 },
            { "celebrating", 1 }, { "listening", 1 }, { "enjoying", 1 } } },
    { "Games", 15, "games", { "games", "table-flip", "angry" },
        { { "games", 15 }, { "table-flip", 3 }, { "angry", 2 }, { "table-unflip", 1 },
            { "calm", 1 }, { "excited", 2 }, { "victory", 2 }, { "disapproval", 1 },
            { "serious", 1 }, { "hugging", 1 }, { "friendly", 1 }, { "flipping-opponent", 1 },
            { "frustrated", 1 }, { "annoyed", 1 }, { "furious", 1 }, { "cheering", 1 },
            { "eating", 1 }, { "enjoying", 1 }, { "mischievous", 1 }, { "plotting", 1 },
            { "shocked", 1 }, { "losing", 1 }, { "strong", 1 }, { "determined", 1 },
            { "confused", 1 }, { "unsure", 1 } } },
    { "Faces", 15, "faces", { "faces", "mischievous", "smirk" },
        { { "faces", 15 }, { "mischievous", 2 }, { "smirk", 2 }, { "shrug", 1 },
            { "indifferent", 1 }, { "cool", 1 }, { "sunglasses", 1 }, { "cute", 3 },
            { "animal", 1 }, { "happy", 5 }, { "flower", 3 }, { "surprised", 1 }, { "shocked", 1 },
            { "excited", 1 }, { "angry", 1 }, { "flipping", 1 }, { "disapproval", 1 },
            { "serious", 1 }, { "simple", 1 }, { "frustrated", 1 }, { "upset", 1 } } },
    { "Special", 15, "special", { "special", "bear", "cute" },
        { { "special", 15 }, { "bear", 1 }, { "cute", 1 }, { "reaching", 1 }, { "wanting", 1 },
            { "kissing", 2 }, { "affectionate", 1 }, { "table-flip", 2 }, { "mischievous", 2 },
            { "peeking", 1 }, { "hiding", 1 }, { "walking", 1 }, { "happy", 1 }, { "angry", 2 },
            { "table-unflip", 1 }, { "calm", 1 }, { "lenny", 1 }, { "cool", 1 },
            { "sunglasses", 1 }, { "fighting", 1 }, { "determined", 1 }, { "sparkles", 1 },
            { "excited", 1 }, { "double-table-flip", 1 }, { "love", 1 }, { "disapproval", 1 },
            { "serious", 1 } } },
};

QString faceOf(const PresetEntry &entry)
{
    return QString::fromUtf8(entry.face);
}

const PresetCategory *findCategory(const QString &name)
{
    for (const PresetCategory &category : presetCatalogTable()) {
        if (QString::fromUtf8(category.name) == name)
            return &category;
    }
    return nullptr;
}

QStringList tagsOf(const PresetEntry &entry)
{
    QStringList tags;
    for (const char *tag : entry.tags)
        tags.append(QString::fromUtf8(tag));
    return tags;
}

bool isTagText(const QString &tag)
{
    if (tag.isEmpty() || tag.startsWith(u'-') || tag.endsWith(u'-'))
        return false;
    for (QChar c : tag) {
        if (!((c >= u'a' && c <= u'z') || c == u'-' || c == u' '))
            return false;
    }
    return true;
}

} // namespace

class TestPresetCatalog : public QObject {
    Q_OBJECT

private slots:
    void categoriesComeInBuildOrderWithTheirSizes();
    void firstEntriesCarryTheirFixedTags();
    void tagsAreUsedExactlyAsOftenAsListed();
    void everyEntryFollowsTheTagRules();
    void repeatedFacesStayAsSeparateEntries();
    void facesKeepEveryCodePoint_data();
    void facesKeepEveryCodePoint();
    void facesStayWithinTheirBounds();
    void everyBuildHasTheSameContentAndNewIds();
};

void TestPresetCatalog::categoriesComeInBuildOrderWithTheirSizes()
{
    const auto table = presetCatalogTable();
    QCOMPARE(table.size(), expectedCategories.size());
    QCOMPARE(table.size(), size_t(39));
    size_t total = 0;
    for (size_t i = 0; i < table.size(); ++i) {
        QCOMPARE(table[i].name, expectedCategories[i].name);
        QCOMPARE(int(table[i].entries.size()), expectedCategories[i].entries);
        total += table[i].entries.size();
    }
    QCOMPARE(total, size_t(576));
    QVERIFY(!findCategory(QStringLiteral("Custom")));
    QVERIFY(!findCategory(QStringLiteral("Recently Used")));
}

void TestPresetCatalog::firstEntriesCarryTheirFixedTags()
{
    const auto table = presetCatalogTable();
    QCOMPARE(table.size(), expectedCategories.size());
    for (size_t i = 0; i < table.size(); ++i) {
        const ExpectedCategory &expected = expectedCategories[i];
        QVERIFY2(!table[i].entries.empty(), expected.name);
        const PresetEntry &first = table[i].entries.front();
        for (size_t t = 0; t < 3; ++t)
            QCOMPARE(first.tags[t], expected.firstEntryTags[t]);
    }
}

void TestPresetCatalog::tagsAreUsedExactlyAsOftenAsListed()
{
    const auto table = presetCatalogTable();
    QCOMPARE(table.size(), expectedCategories.size());
    QSet<QString> distinctTags;
    for (size_t i = 0; i < table.size(); ++i) {
        const ExpectedCategory &expected = expectedCategories[i];
        QStringList wanted;
        QStringList wantedOrder;
        for (const TagCount &tagCount : expected.tagCounts) {
            wanted.append(QStringLiteral("%1 %2: %3")
                              .arg(QLatin1String(expected.name), QLatin1String(tagCount.tag))
                              .arg(tagCount.count));
            wantedOrder.append(QLatin1String(tagCount.tag));
        }
        QMap<QString, int> counts;
        QStringList firstUse;
        for (const PresetEntry &entry : table[i].entries) {
            for (const QString &tag : tagsOf(entry)) {
                if (!counts.contains(tag))
                    firstUse.append(tag);
                ++counts[tag];
                distinctTags.insert(tag);
            }
        }
        QStringList used;
        for (const QString &tag : firstUse) {
            used.append(QStringLiteral("%1 %2: %3")
                            .arg(QLatin1String(expected.name), tag)
                            .arg(counts[tag]));
        }
        QCOMPARE(used, wanted);
        // Each category's tag list reads in the order its entries first use the tags.
        QCOMPARE(firstUse, wantedOrder);
    }
    QCOMPARE(distinctTags.size(), 264);
}

void TestPresetCatalog::everyEntryFollowsTheTagRules()
{
    const auto table = presetCatalogTable();
    QCOMPARE(table.size(), expectedCategories.size());
    for (size_t i = 0; i < table.size(); ++i) {
        const ExpectedCategory &expected = expectedCategories[i];
        const QString name = QString::fromUtf8(expected.name);
        for (const PresetEntry &entry : table[i].entries) {
            const QStringList tags = tagsOf(entry);
            const QByteArray where = (name + u' ' + faceOf(entry)).toUtf8();
            QVERIFY2(QSet<QString>(tags.begin(), tags.end()).size() == 3, where);
            for (const QString &tag : tags)
                QVERIFY2(isTagText(tag), (tag + u" in "_s).toUtf8() + where);
            if (expected.leadTag)
                QVERIFY2(tags[0] == QLatin1String(expected.leadTag), where);
            if (name == u"Love") {
                QVERIFY2(tags.contains(u"love"_s) && tags.contains(u"affection"_s), where);
            } else if (name == u"Surprise") {
                QVERIFY2(tags.contains(u"shocked"_s), where);
            } else if (name == u"Apologizing") {
                QVERIFY2(tags[2] == u"sorry", where);
            }
        }
    }
}

void TestPresetCatalog::repeatedFacesStayAsSeparateEntries()
{
    QMap<QString, QStringList> categoriesByFace;
    for (const PresetCategory &category : presetCatalogTable()) {
        for (const PresetEntry &entry : category.entries)
            categoriesByFace[faceOf(entry)].append(QString::fromUtf8(category.name));
    }
    int repeated = 0;
    QMap<QString, QStringList> repeatsWithinCategory;
    for (auto it = categoriesByFace.cbegin(); it != categoriesByFace.cend(); ++it) {
        if (it.value().size() > 1)
            ++repeated;
        const QSet<QString> distinct(it.value().begin(), it.value().end());
        for (const QString &category : distinct) {
            if (it.value().count(category) > 1)
                repeatsWithinCategory[category].append(it.key());
        }
    }
    QCOMPARE(repeated, 44);

    const QString disapproval = QString::fromUtf16(u"\u0CA0_\u0CA0");
    QCOMPARE(categoriesByFace.value(disapproval),
        QStringList({ u"Anger"_s, u"Games"_s, u"Faces"_s, u"Special"_s }));

    const QString peekingFromWall =
        QString::fromUtf16(u"\u252C\u2534\u252C\u2534\u2524(\uFF65_\u251C\u252C\u2534\u252C\u2534");
    QCOMPARE(categoriesByFace.value(peekingFromWall),
        QStringList({ u"Hiding"_s, u"Hiding"_s, u"Hiding"_s, u"Special"_s }));

    QCOMPARE(repeatsWithinCategory.keys(),
        QStringList(
            { u"Enemies"_s, u"Hiding"_s, u"Music"_s, u"Pig"_s, u"Running"_s, u"Spider"_s }));
    for (const QStringList &faces : std::as_const(repeatsWithinCategory))
        QCOMPARE(faces.size(), 1);
    QCOMPARE(repeatsWithinCategory.value(u"Hiding"_s), QStringList { peekingFromWall });
}

void TestPresetCatalog::facesKeepEveryCodePoint_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("face");

    // Written with escapes so a mistyped literal in the table cannot hide here as well.
    QTest::newRow("backslash shrug")
        << u"Indifference"_s << 0 << QString::fromUtf16(u"\u00AF\\_(\u30C4)_/\u00AF");
    QTest::newRow("leading backslash") << u"Joy"_s << 1 << QString::fromUtf16(u"\\(^\u30EE^)/");
    QTest::newRow("backslash at the end")
        << u"Anger"_s << 7
        << QString::fromUtf16(u"(\u256F\u00B0\u0414\u00B0)\u256F\uFE35/(.\u25A1 . \\)");
    QTest::newRow("backtick") << u"Joy"_s << 10
                              << QString::fromUtf16(u"\u10DA(\u00B4\u06A1`\u10DA)");
    QTest::newRow("ideographic space")
        << u"Indifference"_s << 10 << QString::fromUtf16(u"(\u3000\u02D9-\u02D9\u3000)");
    QTest::newRow("outside the basic plane")
        << u"Food"_s << 4 << QString::fromUtf16(u"( \u02D8\u25BD\u02D8)\u3063\U0001F354");
    QTest::newRow("combining marks")
        << u"Bear"_s << 2 << QString::fromUtf16(u"\u0295\u2022\u032B\u0361\u2022\u0294");
    QTest::newRow("stacked combining marks")
        << u"Sadness"_s << 3
        << QString::fromUtf16(u"( \u2688\u0325\u0325\u0325\u0325\u0325\u0301\u2322\u2688\u0325"
                              u"\u0325\u0325\u0325\u0325\u0300)");
    QTest::newRow("starts with a combining mark")
        << u"Weapons"_s << 5
        << QString::fromUtf16(
               u"\u033F\u033F \u033F\u033F \u033F\u033F \u033F'\u033F'\\\u0335\u0347\u033F\u033F"
               u"\\\u0417= ( \u2580 \u035C\u035E\u0296\u2580) =\u0395/\u0335\u0347\u033F\u033F/'"
               u"\u033F'\u033F \u033F \u033F\u033F \u033F\u033F \u033F\u033F");
    QTest::newRow("longest")
        << u"Weapons"_s << 1
        << QString::fromUtf16(
               u"\u00AF\u00AF\u033F\u033F\u00AF\u033F\u033F'\u033F\u033F\u033F\u033F\u033F\u033F"
               u"\u033F'\u033F\u033F'\u033F\u033F\u033F\u033F\u033F'\u033F\u033F\u033F)\u0347"
               u"\u033F\u033F)\u033F\u033F\u033F\u033F '\u033F\u033F\u033F\u033F\u033F\u033F\\"
               u"\u0335\u0347\u033F\u033F\\=(\u2022\u032A\u0300\u25CF\u0301)=o/\u0335\u0347"
               u"\u033F\u033F/'\u033F\u033F \u033F \u033F\u033F");
}

void TestPresetCatalog::facesKeepEveryCodePoint()
{
    QFETCH(QString, category);
    QFETCH(int, index);
    QFETCH(QString, face);

    const PresetCategory *found = findCategory(category);
    QVERIFY(found);
    QVERIFY(size_t(index) < found->entries.size());
    const char *bytes = found->entries[size_t(index)].face;
    QCOMPARE(QString::fromUtf8(bytes), face);
    QCOMPARE(QByteArray(bytes), face.toUtf8());
}

void TestPresetCatalog::facesStayWithinTheirBounds()
{
    qsizetype longest = 0;
    for (const PresetCategory &category : presetCatalogTable()) {
        for (const PresetEntry &entry : category.entries) {
            const QByteArray bytes(entry.face);
            const QString face = QString::fromUtf8(bytes);
            const QByteArray where = bytes + " in " + category.name;
            // Invalid UTF-8 would not survive the round trip.
            QVERIFY2(face.toUtf8() == bytes, where);
            const qsizetype codePoints = face.toUcs4().size();
            QVERIFY2(codePoints >= 3 && codePoints <= 75, where);
            QVERIFY2(bytes.size() <= 132, where);
            QVERIFY2(!bytes.contains('"') && !bytes.contains('\t') && !bytes.contains('\n')
                    && !bytes.contains('\r'),
                where);
            QVERIFY2(!face.startsWith(u' ') && !face.endsWith(u' '), where);
            longest = std::max(longest, codePoints);
        }
    }
    QCOMPARE(longest, 75);
}

void TestPresetCatalog::everyBuildHasTheSameContentAndNewIds()
{
    const KaomojiGroups first = makePresetKaomojis();
    const KaomojiGroups second = makePresetKaomojis();
    QCOMPARE(first.size(), 39);
    QCOMPARE(second.keys(), first.keys());

    QSet<QUuid> ids;
    int records = 0;
    for (const PresetCategory &category : presetCatalogTable()) {
        const QString name = QString::fromUtf8(category.name);
        const KaomojiList a = first.value(name);
        const KaomojiList b = second.value(name);
        QCOMPARE(size_t(a.size()), category.entries.size());
        QCOMPARE(b.size(), a.size());
        for (qsizetype i = 0; i < a.size(); ++i) {
            const PresetEntry &entry = category.entries[size_t(i)];
            QCOMPARE(a[i].face(), faceOf(entry));
            QCOMPARE(a[i].category(), name);
            QCOMPARE(a[i].tags(), tagsOf(entry));
            QCOMPARE(b[i].face(), a[i].face());
            QCOMPARE(b[i].category(), a[i].category());
            QCOMPARE(b[i].tags(), a[i].tags());
            QVERIFY(a[i] != b[i]);
            for (const Kaomoji &record : { a[i], b[i] }) {
                QCOMPARE(record.id().version(), QUuid::Random);
                QCOMPARE(record.id().variant(), QUuid::DCE);
                ids.insert(record.id());
            }
            ++records;
        }
    }
    QCOMPARE(records, 576);
    // Equal faces still get their own ids, and no id comes back in the second build.
    QCOMPARE(ids.size(), 2 * 576);
}

QTEST_APPLESS_MAIN(TestPresetCatalog)
#include "tst_PresetCatalog.moc"
