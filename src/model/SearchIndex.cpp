#include "SearchIndex.h"

#include <algorithm>

void SearchIndex::rebuild(const KaomojiList &records, const TextMatcher &matcher)
{
    m_text.clear();
    m_recordStarts.clear();
    m_recordStarts.reserve(size_t(records.size()));
    for (const Kaomoji &record : records) {
        m_recordStarts.push_back(m_text.size());
        m_text += matcher.fold(record.face());
        m_text += TextMatcher::separator;
        m_text += matcher.fold(record.category());
        m_text += TextMatcher::separator;
        for (const QString &tag : record.tags()) {
            m_text += matcher.fold(tag);
            m_text += TextMatcher::separator;
        }
    }
}

qsizetype SearchIndex::findMatches(QStringView foldedQuery, std::vector<char> &matched) const
{
    qsizetype count = 0;
    const QStringView text(m_text);
    qsizetype from = 0;
    while (true) {
        const qsizetype at = TextMatcher::indexOfFolded(text, foldedQuery, from);
        if (at < 0)
            break;
        // The record holding this match; the search resumes at the next record.
        const auto next = std::upper_bound(m_recordStarts.begin(), m_recordStarts.end(), at);
        const size_t record = size_t(next - m_recordStarts.begin()) - 1;
        matched[record] = 1;
        ++count;
        if (next == m_recordStarts.end())
            break;
        from = *next;
    }
    return count;
}
