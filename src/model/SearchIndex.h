#pragma once

#include "Kaomoji.h"
#include "SearchWords.h"
#include "TextMatcher.h"

#include <QString>
#include <vector>

// The folded texts of a list of records (face, category, tags), made once when the records
// enter the store, so that a search is one pass over one string; beside them the words of the
// UI's language for the category and tags, which only a query beyond plain ASCII can match and
// so costs an English query nothing.
class SearchIndex {
public:
    void rebuild(const KaomojiList &records, const TextMatcher &matcher, const SearchWords &words);

    qsizetype size() const { return qsizetype(m_texts.starts.size()); }

    // Marks in `matched` (sized to size(), all unmarked) every record with a text containing
    // the already folded query. Returns how many records matched.
    qsizetype findMatches(QStringView foldedQuery, std::vector<char> &matched) const;

private:
    struct Joined {
        QString text; // every record's texts, each followed by the separator
        std::vector<qsizetype> starts; // where each record's texts begin
    };
    static qsizetype mark(
        const Joined &joined, QStringView foldedQuery, std::vector<char> &matched);

    Joined m_texts;
    Joined m_words;
};
