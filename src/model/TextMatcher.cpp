#include "TextMatcher.h"

#include <memory>
#include <unicode/brkiter.h>
#include <unicode/normalizer2.h>
#include <unicode/unistr.h>
#include <unicode/utext.h>

namespace {

// Grapheme cluster boundaries of one text, asked for only where a match lands.
class Graphemes {
public:
    explicit Graphemes(QStringView text)
        : m_text(text)
    {
    }
    ~Graphemes() { utext_close(&m_utext); }

    bool isBoundary(qsizetype at)
    {
        if (at <= 0 || at >= m_text.size())
            return true;
        const char16_t before = m_text[at - 1].unicode(), after = m_text[at].unicode();
        // The separator ends each text of the index, whatever follows it.
        if (before == TextMatcher::separator || after == TextMatcher::separator)
            return true;
        // Below U+0300 nothing joins but CR LF: most matches need no iterator.
        const auto plain = [](char16_t c) { return c < 0x300 && c != u'\r' && c != u'\n'; };
        if (plain(before) && plain(after))
            return true;
        return iterator() && iterator()->isBoundary(int32_t(at));
    }

private:
    icu::BreakIterator *iterator()
    {
        if (m_ready)
            return m_iterator;
        m_ready = true;
        // Made once per thread (making one is slow), pointed at this text without a copy.
        thread_local const std::unique_ptr<icu::BreakIterator> shared = [] {
            UErrorCode status = U_ZERO_ERROR;
            std::unique_ptr<icu::BreakIterator> made(
                icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
            return U_SUCCESS(status) ? std::move(made) : nullptr;
        }();
        UErrorCode status = U_ZERO_ERROR;
        utext_openUChars(&m_utext, reinterpret_cast<const UChar *>(m_text.utf16()),
            int64_t(m_text.size()), &status);
        if (shared && U_SUCCESS(status))
            shared->setText(&m_utext, status);
        m_iterator = shared && U_SUCCESS(status) ? shared.get() : nullptr;
        return m_iterator;
    }

    QStringView m_text;
    UText m_utext = UTEXT_INITIALIZER;
    icu::BreakIterator *m_iterator = nullptr;
    bool m_ready = false;
};

icu::UnicodeString toIcu(const QString &text)
{
    return icu::UnicodeString(
        false, reinterpret_cast<const UChar *>(text.utf16()), int32_t(text.size()));
}

QString fromIcu(const icu::UnicodeString &text)
{
    return QString(reinterpret_cast<const QChar *>(text.getBuffer()), text.length());
}

} // namespace

TextMatcher::TextMatcher(CaseRule rule, KanaRule kanaRule)
    : m_rule(rule)
    , m_kanaRule(kanaRule)
{
}

TextMatcher::CaseRule TextMatcher::ruleFor(const QLocale &locale)
{
    const QLocale::Language language = locale.language();
    return language == QLocale::Turkish || language == QLocale::Azerbaijani ? CaseRule::TurkicI
                                                                            : CaseRule::Default;
}

TextMatcher::KanaRule TextMatcher::kanaRuleFor(QLocale::Language language)
{
    return language == QLocale::Japanese ? KanaRule::KatakanaAsHiragana : KanaRule::Distinct;
}

bool TextMatcher::isAscii(QStringView text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

QString TextMatcher::fold(const QString &text) const
{
    if (isAscii(text))
        return text.toLower(); // QString lower-cases ASCII exactly like ASCII does

    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2 *nfc = icu::Normalizer2::getNFCInstance(status);
    const icu::Normalizer2 *nfd = icu::Normalizer2::getNFDInstance(status);
    if (U_FAILURE(status))
        return text.toCaseFolded();

    // Compose before folding, so that a decomposed "I" + U+0307 folds like "İ" under the
    // Turkic rule; decompose after, so equivalent sequences end up as the same text.
    icu::UnicodeString folded = nfc->normalize(toIcu(text), status);
    if (m_rule == CaseRule::TurkicI) {
        // ASCII I must fold as it does in ASCII text (to i), so the dotted and dotless
        // letters join it there rather than each keeping a letter of its own.
        folded.findAndReplace(icu::UnicodeString(char16_t(0x130)), icu::UnicodeString(u'i'));
        folded.findAndReplace(icu::UnicodeString(char16_t(0x131)), icu::UnicodeString(u'i'));
    }
    folded.foldCase(U_FOLD_CASE_DEFAULT);
    folded = nfd->normalize(folded, status);
    if (U_FAILURE(status))
        return text.toCaseFolded();
    QString result = fromIcu(folded);
    if (m_kanaRule == KanaRule::KatakanaAsHiragana) {
        // After decomposition the voiced letters are plain ones with a mark, which both
        // scripts share; the letters and the iteration marks lie 0x60 apart.
        for (QChar &c : result) {
            const char16_t code = c.unicode();
            if ((code >= 0x30A1 && code <= 0x30F6) || code == 0x30FD || code == 0x30FE)
                c = QChar(char16_t(code - 0x60));
        }
    }
    return result;
}

bool TextMatcher::contains(const QString &haystack, const QString &needle) const
{
    return indexOfFolded(fold(haystack), fold(needle)) >= 0;
}

qsizetype TextMatcher::indexOfFolded(QStringView haystack, QStringView needle, qsizetype from)
{
    if (needle.isEmpty())
        return from <= haystack.size() ? from : -1;
    Graphemes graphemes(haystack);
    for (qsizetype at = haystack.indexOf(needle, from); at >= 0;
         at = haystack.indexOf(needle, at + 1)) {
        // Neither end may fall inside a character as the reader sees it: a base letter and
        // its marks, a Hangul syllable's jamo, an emoji sequence.
        if (graphemes.isBoundary(at) && graphemes.isBoundary(at + needle.size()))
            return at;
    }
    return -1;
}
