#pragma once

#include <QString>
#include <QStringList>

namespace KaomojiCategories {

inline const QString custom = QStringLiteral("Custom");
inline const QString recentlyUsed = QStringLiteral("Recently Used");
inline const QString aiGeneratedTag = QStringLiteral("AI-generated");

// The fixed order of the chips: 38 names, "Custom" among them.
const QStringList &kaomojiCategories();

// "Custom" first, then every other name of kaomojiCategories() in order.
const QStringList &orderedCategories();

} // namespace KaomojiCategories
