#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

// Locale-aware, case-insensitive containment of one text in another.
//
// Both texts are brought to a folded form: full case folding (so "STRASSE" finds "straße"),
// then canonical decomposition (so a precomposed "é" matches "e" followed by U+0301).
// Diacritics, width and spaces are not ignored, and a match starts and ends on grapheme
// cluster boundaries: "e" does not match "é", nor "하" the syllable "한". Text that is all
// ASCII on both sides is compared as plain ASCII case-insensitive containment. For a Japanese
// reader katakana folds to hiragana, so "ネコ" and "ねこ" find each other.
class TextMatcher {
public:
    enum class CaseRule {
        Default,
        // Turkish and Azerbaijani: dotted İ and dotless ı fold to i, like I.
        TurkicI,
    };

    enum class KanaRule {
        Distinct,
        // The two kana scripts spell the same words: katakana folds to hiragana.
        KatakanaAsHiragana,
    };

    explicit TextMatcher(
        CaseRule rule = ruleFor(QLocale()), KanaRule kanaRule = KanaRule::Distinct);
    static CaseRule ruleFor(const QLocale &locale);
    // The kana rule for a reader of `language`, the language the app speaks.
    static KanaRule kanaRuleFor(QLocale::Language language);

    CaseRule rule() const { return m_rule; }

    // The form stored for searching: ASCII text lower-cased, anything else folded and
    // decomposed under this matcher's rule.
    QString fold(const QString &text) const;

    bool contains(const QString &haystack, const QString &needle) const;

    // Containment of one folded text in another, at a place that splits no grapheme cluster
    // (a place next to the separator counts as a boundary). Returns the index of the first
    // such match, or -1.
    static qsizetype indexOfFolded(QStringView haystack, QStringView needle, qsizetype from = 0);

    static bool isAscii(QStringView text);

    // Stands between texts joined for one search; a noncharacter, so no query holds it.
    static constexpr QChar separator = QChar(0xFFFF);

private:
    CaseRule m_rule;
    KanaRule m_kanaRule;
};
