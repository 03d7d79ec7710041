#include "PromptReader.h"

#include "PromptLexicon.h"

#include <QChar>
#include <span>
#include <vector>

namespace {

using Kind = PromptLexicon::Kind;
using Sense = PromptLexicon::Sense;
using Mood = PromptMeaning::Mood;

// How many words after "not" a mood may stand and still be turned around.
constexpr int negationReach = 3;
constexpr int maximumIntensity = 3;
// Words longer than this are noise (a pasted hash, a URL) and are not looked up.
constexpr qsizetype longestWord = 40;

struct Item {
    QString word; // lowercase; empty for an emoticon or emoji
    std::span<const Sense> senses; // set for an emoticon or emoji
    bool shouted = false;
};

Mood opposite(Mood mood)
{
    switch (mood) {
    case Mood::Happy:
    case Mood::Excited:
    case Mood::Cute:
    case Mood::Cool:
        return Mood::Sad;
    case Mood::Love:
    case Mood::Calm:
    case Mood::Playful:
        return Mood::Annoyed;
    case Mood::Sad:
    case Mood::Crying:
    case Mood::Pain:
    case Mood::Annoyed:
        return Mood::Happy;
    case Mood::Angry:
        return Mood::Calm;
    case Mood::Scared:
    case Mood::Shy:
    case Mood::Confused:
        return Mood::Determined;
    case Mood::Sleepy:
    case Mood::Indifferent:
        return Mood::Excited;
    case Mood::Surprised:
    case Mood::Determined:
    case Mood::Smug:
        return Mood::Indifferent;
    case Mood::Doubtful:
        return Mood::Happy;
    case Mood::Neutral:
        break;
    }
    return Mood::Neutral;
}

template <typename T> void appendOnce(QList<T> &list, T value)
{
    if (!list.contains(value))
        list.append(value);
}

bool isShouted(const QString &original)
{
    int letters = 0;
    for (const QChar c : original) {
        if (c.isLower())
            return false;
        if (c.isUpper())
            ++letters;
    }
    return letters >= 3;
}

QStringList tokensOf(const QString &prompt)
{
    QStringList tokens;
    QString token;
    for (const QChar c : prompt) {
        if (!c.isSpace()) {
            token += c;
        } else if (!token.isEmpty()) {
            tokens.append(token);
            token.clear();
        }
    }
    if (!token.isEmpty())
        tokens.append(token);
    return tokens;
}

// Splits the prompt into words, emoticons and emoji, in prompt order.
std::vector<Item> itemsOf(const QString &prompt)
{
    std::vector<Item> items;
    const QStringList tokens = tokensOf(prompt);
    for (const QString &token : tokens) {
        if (const auto senses = PromptLexicon::emoticonSenses(token); !senses.empty()) {
            items.push_back({ {}, senses });
            continue;
        }
        QString original;
        const auto flush = [&] {
            if (!original.isEmpty() && original.size() <= longestWord)
                items.push_back({ original.toLower(), {}, isShouted(original) });
            original.clear();
        };
        for (const char32_t codePoint : token.toUcs4()) {
            if (QChar::isLetterOrNumber(codePoint)) {
                original += QChar::fromUcs4(codePoint);
            } else if (codePoint == U'\'' || codePoint == U'’') {
                // "don't" reads as "dont", "cat's" as "cats"
            } else {
                flush();
                if (const auto senses = PromptLexicon::emojiSenses(codePoint); !senses.empty())
                    items.push_back({ {}, senses });
            }
        }
        flush();
    }
    return items;
}

std::span<const Sense> wordSenses(const QString &word)
{
    // Most words are either known as they stand or not words at all; try the cheap way first.
    if (const auto senses = PromptLexicon::senses(word); !senses.empty())
        return senses;
    for (const QString &form : PromptReader::wordForms(word)) {
        if (const auto senses = PromptLexicon::senses(form); !senses.empty())
            return senses;
    }
    return {};
}

// A phrase made of this word and the next meaningful one, skipping "the" and the like.
std::span<const Sense> phraseAt(const std::vector<Item> &items, size_t index, size_t *last)
{
    const QString &first = items[index].word;
    for (size_t next = index + 1; next < items.size() && next <= index + 3; ++next) {
        const QString &second = items[next].word;
        if (second.isEmpty())
            return {};
        auto senses = PromptLexicon::phraseSenses(first, second);
        if (senses.empty() && second.endsWith(u's'))
            senses = PromptLexicon::phraseSenses(first, second.chopped(1));
        if (!senses.empty()) {
            *last = next;
            return senses;
        }
        if (!PromptLexicon::isFiller(second))
            return {};
    }
    return {};
}

// Letters repeated three or more times ("yyyy") become `keep` letters; pairs stay.
QString shortenRuns(const QString &word, qsizetype keep)
{
    QString result;
    result.reserve(word.size());
    for (qsizetype start = 0; start < word.size();) {
        qsizetype end = start + 1;
        while (end < word.size() && word[end] == word[start])
            ++end;
        const qsizetype run = end - start;
        result += QString(run >= 3 ? keep : run, word[start]);
        start = end;
    }
    return result;
}

bool endsWithDoubledLetter(const QString &word)
{
    return word.size() >= 2 && word.back() == word[word.size() - 2];
}

void appendStems(const QString &word, QStringList &forms)
{
    const qsizetype length = word.size();
    const auto add = [&](const QString &form) {
        if (form.size() >= 2 && !forms.contains(form))
            forms.append(form);
    };
    // Endings that drop a letter or change "i" back to "y"
    const auto stripped = [&](qsizetype count) { return word.left(length - count); };
    if (length > 3 && word.endsWith(u's') && !word.endsWith(u"ss"))
        add(stripped(1));
    if (length > 4 && word.endsWith(u"es"))
        add(stripped(2));
    for (const char16_t *ending : { u"ies", u"ied", u"ier", u"ily" }) {
        if (length > 4 && word.endsWith(ending))
            add(stripped(3) + u'y');
    }
    if (length > 5 && word.endsWith(u"iest"))
        add(stripped(4) + u'y');
    // Endings after which the stem may have lost an "e" or doubled its last letter
    for (const char16_t *ending : { u"ing", u"ed", u"er", u"est" }) {
        const qsizetype endingLength = qsizetype(std::char_traits<char16_t>::length(ending));
        if (length <= endingLength + 2 || !word.endsWith(ending))
            continue;
        const QString stem = stripped(endingLength);
        add(stem);
        add(stem + u'e');
        if (endsWithDoubledLetter(stem))
            add(stem.chopped(1));
    }
    if (length > 4 && word.endsWith(u"ly"))
        add(stripped(2));
}

} // namespace

QStringList PromptReader::wordForms(const QString &word)
{
    QStringList forms { word };
    // "happyyy" and "sooo" stretch a letter; try the run kept at two letters, then at one.
    for (qsizetype keep : { 2, 1 }) {
        const QString shortened = shortenRuns(word, keep);
        if (!forms.contains(shortened))
            forms.append(shortened);
    }
    const qsizetype spellings = forms.size();
    for (qsizetype i = 0; i < spellings; ++i) {
        const QString spelling = forms[i]; // a copy: appending may move the list
        appendStems(spelling, forms);
    }
    return forms;
}

PromptMeaning PromptReader::read(const QString &prompt)
{
    PromptMeaning meaning;
    int negationLeft = 0;

    const auto apply = [&](std::span<const Sense> senses) {
        bool negationSeen = false;
        bool moodSeen = false;
        for (const Sense &sense : senses) {
            switch (sense.kind) {
            case Kind::Intensifier:
                ++meaning.intensity;
                break;
            case Kind::Negation:
                negationSeen = true;
                break;
            case Kind::Mood: {
                auto mood = Mood(sense.value);
                if (negationLeft > 0)
                    mood = opposite(mood);
                moodSeen = true;
                appendOnce(meaning.moods, mood);
                break;
            }
            case Kind::Animal:
                appendOnce(meaning.animals, PromptMeaning::Animal(sense.value));
                break;
            case Kind::Action:
                appendOnce(meaning.actions, PromptMeaning::Action(sense.value));
                break;
            case Kind::Thing:
                appendOnce(meaning.things, PromptMeaning::Thing(sense.value));
                break;
            }
        }
        if (negationSeen)
            negationLeft = negationReach;
        else if (moodSeen)
            negationLeft = 0;
        else if (negationLeft > 0)
            --negationLeft;
    };

    const std::vector<Item> items = itemsOf(prompt);
    for (size_t i = 0; i < items.size(); ++i) {
        const Item &item = items[i];
        if (item.word.isEmpty()) {
            apply(item.senses);
            continue;
        }
        size_t last = i;
        auto senses = phraseAt(items, i, &last);
        if (senses.empty())
            senses = wordSenses(item.word);
        if (item.shouted && !senses.empty())
            ++meaning.intensity;
        apply(senses);
        i = last;
    }

    if (prompt.count(u'!') + prompt.count(u'！') >= 2)
        ++meaning.intensity;
    meaning.intensity = std::min(meaning.intensity, maximumIntensity);
    return meaning;
}
