#pragma once

#include "Kaomoji.h"

#include <array>
#include <span>

// The built-in emoticons. The table itself lives in PresetCatalogData.cpp.
struct PresetEntry {
    const char *face; // UTF-8, exactly as shown to the user
    std::array<const char *, 3> tags;
};

struct PresetCategory {
    const char *name;
    std::span<const PresetEntry> entries;
};

// Categories in build order, entries in catalog order.
std::span<const PresetCategory> presetCatalogTable();

// The catalog as records grouped by category, with new ids on every call.
KaomojiGroups makePresetKaomojis();
