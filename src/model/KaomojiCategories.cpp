#include "KaomojiCategories.h"

#include <QCoreApplication>

namespace KaomojiCategories {

namespace {

// The one section without a chip, named here for lupdate.
[[maybe_unused]] constexpr const char *recentlyUsedName =
    QT_TRANSLATE_NOOP("KaomojiCategories", "Recently Used");

} // namespace

const QStringList &kaomojiCategories()
{
    static const QStringList names = {
        QT_TRANSLATE_NOOP("KaomojiCategories", "Joy"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Love"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Surprise"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Sadness"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Anger"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Confusion"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Custom"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Sleeping"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Dissatisfaction"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Pain"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Fear"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Indifference"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Doubt"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Greeting"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Hugging"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Winking"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Apologizing"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Nosebleeding"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Hiding"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Writing"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Running"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Cat"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Bear"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Dog"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Rabbit"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Pig"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Bird"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Fish"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Spider"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Friends"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Enemies"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Weapons"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Magic"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Food"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Music"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Games"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Faces"),
        QT_TRANSLATE_NOOP("KaomojiCategories", "Special"),
    };
    return names;
}

const QStringList &orderedCategories()
{
    static const QStringList names = [] {
        QStringList ordered { custom };
        for (const QString &name : kaomojiCategories()) {
            if (name != custom)
                ordered.append(name);
        }
        return ordered;
    }();
    return names;
}

QString displayName(const QString &category)
{
    return QCoreApplication::translate("KaomojiCategories", category.toUtf8().constData());
}

} // namespace KaomojiCategories
