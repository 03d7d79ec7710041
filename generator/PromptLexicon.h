#pragma once

#include "PromptMeaning.h"

#include <QString>
#include <span>

// The words the generator knows, each with what it means for a face. Lookups take a word
// already lowercased and stripped of its ending; PromptReader does that.
class PromptLexicon {
public:
    enum class Kind : unsigned char { Mood, Animal, Action, Thing, Intensifier, Negation };

    struct Sense {
        Kind kind;
        int value; // a PromptMeaning::Mood, Animal, Action or Thing, by kind
    };

    // The senses of one word; empty when the word is unknown.
    static std::span<const Sense> senses(const QString &word);
    // The senses of a two-word phrase such as "ice cream" or "table flip".
    static std::span<const Sense> phraseSenses(const QString &first, const QString &second);
    // The senses of a whole whitespace-free token such as ":)" or "T_T".
    static std::span<const Sense> emoticonSenses(const QString &token);
    // The senses of one emoji code point such as U+1F431 (cat face).
    static std::span<const Sense> emojiSenses(char32_t codePoint);
    // Words that never carry meaning but may sit inside a phrase ("flip the table").
    static bool isFiller(const QString &word);
};
