#pragma once

#include <QLocale>
#include <QStringList>

// The language Pelmora speaks to the user: English, its own, or one it is translated to.
// Chosen once at start; the search reads it to know which words besides English find faces.
namespace UiLanguage {

// The first of `preferred` (most wanted first, as QLocale::uiLanguages() lists them) that
// Pelmora speaks. English ends the search: "en_US:ja" reads English, "fr:ja" Japanese.
QLocale::Language choose(const QStringList &preferred);

// English until set.
QLocale::Language current();
void setCurrent(QLocale::Language language);

} // namespace UiLanguage
