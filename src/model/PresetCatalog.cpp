#include "PresetCatalog.h"

KaomojiGroups makePresetKaomojis()
{
    KaomojiGroups groups;
    for (const PresetCategory &category : presetCatalogTable()) {
        const QString name = QString::fromUtf8(category.name);
        KaomojiList records;
        records.reserve(qsizetype(category.entries.size()));
        for (const PresetEntry &entry : category.entries) {
            QStringList tags;
            tags.reserve(3);
            for (const char *tag : entry.tags)
                tags.append(QString::fromUtf8(tag));
            records.append(Kaomoji::create(QString::fromUtf8(entry.face), name, std::move(tags)));
        }
        groups.insert(name, std::move(records));
    }
    return groups;
}
