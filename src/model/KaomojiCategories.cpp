#include "KaomojiCategories.h"

namespace KaomojiCategories {

const QStringList &kaomojiCategories()
{
    static const QStringList names = {
        "Joy",
        "Love",
        "Surprise",
        "Sadness",
        "Anger",
        "Confusion",
        "Custom",
        "Sleeping",
        "Dissatisfaction",
        "Pain",
        "Fear",
        "Indifference",
        "Doubt",
        "Greeting",
        "Hugging",
        "Winking",
        "Apologizing",
        "Nosebleeding",
        "Hiding",
        "Writing",
        "Running",
        "Cat",
        "Bear",
        "Dog",
        "Rabbit",
        "Pig",
        "Bird",
        "Fish",
        "Spider",
        "Friends",
        "Enemies",
        "Weapons",
        "Magic",
        "Food",
        "Music",
        "Games",
        "Faces",
        "Special",
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

} // namespace KaomojiCategories
