#pragma once

#include <QLocale>
#include <QStringList>

// Pelmora's translations, built into the program.
namespace Translations {

// Speaks the first of `preferred` that Pelmora speaks (UiLanguage::choose) from now on: puts
// its translation into the application object, and tells the search. Call it again for each
// new application object.
void install(const QStringList &preferred = QLocale::system().uiLanguages());

} // namespace Translations
