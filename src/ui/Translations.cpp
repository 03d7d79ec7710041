#include "Translations.h"

#include "UiLanguage.h"

#include <QCoreApplication>
#include <QTranslator>

namespace {

// Qt's own words in `pelmora --help` and in its complaints about the command line. Qt's
// translations are a separate package; these few are part of ours, so that the help reads in
// one language wherever Pelmora runs.
[[maybe_unused]] constexpr const char *commandLineWords[] = {
    QT_TRANSLATE_NOOP("QCommandLineParser", "Usage: %1"),
    QT_TRANSLATE_NOOP("QCommandLineParser", "[options]"),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Options:"),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Arguments:"),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Displays help on commandline options."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Displays help including Qt specific options."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Displays version information."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Unknown option '%1'."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Unknown options: %1."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Missing value after '%1'."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Unexpected value after '%1'."),
};

} // namespace

namespace Translations {

void install(const QStringList &preferred)
{
    // Lives as long as the program: it outlasts the launcher's application object.
    static QTranslator translator;
    const QLocale::Language language = UiLanguage::choose(preferred);
    UiLanguage::setCurrent(language);
    QCoreApplication::removeTranslator(&translator);
    if (language != QLocale::English
        && translator.load(QLocale(language), QStringLiteral("pelmora"), QStringLiteral("_"),
            QStringLiteral(":/i18n")))
        QCoreApplication::installTranslator(&translator);
}

} // namespace Translations
