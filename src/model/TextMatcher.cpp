#include "TextMatcher.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/ustring.h>

namespace {

char32_t codePointAt(QStringView text, qsizetype index)
{
    const QChar c = text[index];
    if (c.isHighSurrogate() && index + 1 < text.size() && text[index + 1].isLowSurrogate())
        return QChar::surrogateToUcs4(c, text[index + 1]);
    return c.unicode();
}

bool isCombiningMark(char32_t codePoint)
{
    return (U_GET_GC_MASK(codePoint) & U_GC_M_MASK) != 0;
}

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

TextMatcher::TextMatcher(CaseRule rule)
    : m_rule(rule)
{
}

TextMatcher::CaseRule TextMatcher::ruleFor(const QLocale &locale)
{
    const QLocale::Language language = locale.language();
    return language == QLocale::Turkish || language == QLocale::Azerbaijani ? CaseRule::TurkicI
                                                                            : CaseRule::Default;
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
    return fromIcu(folded);
}

bool TextMatcher::contains(const QString &haystack, const QString &needle) const
{
    return indexOfFolded(fold(haystack), fold(needle)) >= 0;
}

qsizetype TextMatcher::indexOfFolded(QStringView haystack, QStringView needle, qsizetype from)
{
    if (needle.isEmpty())
        return from <= haystack.size() ? from : -1;
    for (qsizetype at = haystack.indexOf(needle, from); at >= 0;
         at = haystack.indexOf(needle, at + 1)) {
        const qsizetype end = at + needle.size();
        // A match that starts on a mark attached to the character before it, or that is
        // followed by a mark of its own last character, would split that character.
        const bool splitsStart = at > 0 && haystack[at - 1] != TextMatcher::separator
            && isCombiningMark(codePointAt(haystack, at));
        const bool splitsEnd = end < haystack.size() && isCombiningMark(codePointAt(haystack, end));
        if (!splitsStart && !splitsEnd)
            return at;
    }
    return -1;
}
