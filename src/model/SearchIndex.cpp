#include "SearchIndex.h"

#include <algorithm>

void SearchIndex::rebuild(
    const KaomojiList &records, const TextMatcher &matcher, const SearchWords &words)
{
    for (Joined *joined : { &m_texts, &m_words }) {
        joined->text.clear();
        joined->starts.clear();
        joined->starts.reserve(size_t(records.size()));
    }
    for (const Kaomoji &record : records) {
        m_texts.starts.push_back(m_texts.text.size());
        m_words.starts.push_back(m_words.text.size());
        m_texts.text += matcher.fold(record.face());
        m_texts.text += TextMatcher::separator;
        m_texts.text += matcher.fold(record.category());
        m_texts.text += TextMatcher::separator;
        m_words.text += words.forName(record.category());
        for (const QString &tag : record.tags()) {
            m_texts.text += matcher.fold(tag);
            m_texts.text += TextMatcher::separator;
            // The tag "cat" of the category "Cat" has its words already.
            if (tag.compare(record.category(), Qt::CaseInsensitive) != 0)
                m_words.text += words.forName(tag);
        }
    }
}

qsizetype SearchIndex::findMatches(QStringView foldedQuery, std::vector<char> &matched) const
{
    qsizetype count = mark(m_texts, foldedQuery, matched);
    if (!m_words.text.isEmpty() && !TextMatcher::isAscii(foldedQuery))
        count += mark(m_words, foldedQuery, matched);
    return count;
}

qsizetype SearchIndex::mark(
    const Joined &joined, QStringView foldedQuery, std::vector<char> &matched)
{
    qsizetype count = 0;
    const QStringView text(joined.text);
    qsizetype from = 0;
    while (true) {
        const qsizetype at = TextMatcher::indexOfFolded(text, foldedQuery, from);
        if (at < 0)
            break;
        // The record holding this match (records without text share its start and come
        // before it); the search resumes at the next record.
        const auto next = std::upper_bound(joined.starts.begin(), joined.starts.end(), at);
        const size_t record = size_t(next - joined.starts.begin()) - 1;
        count += !matched[record];
        matched[record] = 1;
        if (next == joined.starts.end())
            break;
        from = *next;
    }
    return count;
}
