#pragma once

#include "TextMatcher.h"

#include <QHash>
#include <QLocale>
#include <QString>

// Words of the language Pelmora speaks for the catalog's categories and its most used tags,
// searched besides the English ones: in Japanese, "ねこ" and "猫" find the faces tagged "cat".
// They are written in the language's own scripts, never in ASCII, which the English words
// cover: a plain ASCII query does not look at them. Folded once when made, so that indexing a
// record costs a lookup per name.
class SearchWords {
public:
    // No words: English needs none.
    SearchWords() = default;
    SearchWords(QLocale::Language language, const TextMatcher &matcher);

    // The folded words for a category name or a tag, in any case ("Cat", "cat"), each followed
    // by TextMatcher::separator; empty when there are none.
    QString forName(const QString &englishName) const
    {
        return m_words.isEmpty() ? QString() : m_words.value(englishName.toLower());
    }

private:
    QHash<QString, QString> m_words;
};
