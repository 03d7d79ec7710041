#pragma once

#include "Kaomoji.h"
#include "TextMatcher.h"

#include <QString>
#include <vector>

// The folded texts of a list of records (face, category, tags), made once when the records
// enter the store, so that a search is one pass over one string.
class SearchIndex {
public:
    void rebuild(const KaomojiList &records, const TextMatcher &matcher);

    qsizetype size() const { return qsizetype(m_recordStarts.size()); }

    // Marks in `matched` (sized to size()) every record with a text containing the
    // already folded query. Returns how many records matched.
    qsizetype findMatches(QStringView foldedQuery, std::vector<char> &matched) const;

private:
    QString m_text; // every record's texts, each followed by the separator
    std::vector<qsizetype> m_recordStarts;
};
