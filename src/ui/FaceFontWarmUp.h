#pragma once

class QFont;

// Lays every built-in face out once with the given font, so that Qt has loaded the fallback
// fonts their scripts need (Kannada, Thai, Tibetan, CJK, symbols) before the picker first
// opens, rather than while it opens.
void warmUpFaceFonts(const QFont &font);
