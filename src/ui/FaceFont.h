#pragma once

#include <QFont>

// The font the tiles set faces in: the desktop font, then the installed fonts that draw the
// scripts of the built-in faces (the ones scripts/setup.sh installs), in the order fontconfig
// would fall back to them. Naming them spares Qt asking fontconfig for a fallback for every
// script of every face, and keeps further fallback fonts (two more CJK fonts) out of memory.
namespace FaceFont {

QFont from(const QFont &desktopFont);

// Hands back the pages of the font files open: their glyphs are drawn from the glyph cache by
// now, yet every glyph once read kept the 64 KiB around it mapped, which for the CJK fonts
// comes to megabytes. Pages needed again are read back from the page cache.
void returnFilePages();

// Also closes the fonts that no item draws with any more (those that measuring opened for faces
// not on screen) and returns the freed heap: once every face is measured, and for a window that
// hides, as the next faces shown open their fonts again and the next allocations touch fresh
// pages.
void releaseUnused();

} // namespace FaceFont
