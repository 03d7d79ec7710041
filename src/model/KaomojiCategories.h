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

// A chip's or a section's name in the language Pelmora speaks. The names stay English in the
// data and the settings; a name Pelmora does not know is shown as it is.
QString displayName(const QString &category);

} // namespace KaomojiCategories
