#include "UiLanguage.h"

namespace UiLanguage {

namespace {

QLocale::Language chosen = QLocale::English;

} // namespace

QLocale::Language choose(const QStringList &preferred)
{
    for (const QString &name : preferred) {
        const QLocale::Language language = QLocale(name).language();
        if (language == QLocale::English || language == QLocale::Japanese)
            return language;
    }
    return QLocale::English;
}

QLocale::Language current()
{
    return chosen;
}

void setCurrent(QLocale::Language language)
{
    chosen = language;
}

} // namespace UiLanguage
