#pragma once

class QFont;
struct PresetCategory;

// Lays the built-in faces of one category out once with the given font, so that Qt has loaded
// the fallback fonts their scripts need (Kannada, Thai, Tibetan, CJK, symbols) before the
// picker first opens, rather than while it opens. One category at a time, so that a caller can
// give the event loop its turn in between.
void warmUpFaceFonts(const PresetCategory &category, const QFont &font);
