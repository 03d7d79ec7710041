#pragma once

#include <QFont>

// The font the tiles set faces in: the desktop font, then the installed fonts that draw the
// scripts of the built-in faces (the ones scripts/setup.sh installs), in the order fontconfig
// would fall back to them. Naming them spares Qt asking fontconfig for a fallback for every
// script of every face, and keeps further fallback fonts (two more CJK fonts) out of memory.
namespace FaceFont {

QFont from(const QFont &desktopFont);

// Opens ahead what the threads of a process share of their fonts: Qt's font database, the
// fallback fonts fontconfig sorts for each script and, where FontMatchMemo is linked in, the
// families fontconfig matched, for the desktop font and for the face font over the scripts of
// `faces`. Run on a thread of its own while the window loads, it spares the window's first
// faces most of their fontconfig work; the fonts it opens are its thread's own and close with it.
void prepare(const QFont &desktopFont, const QStringList &faces);

// Hands back the pages of the font files open: their glyphs are drawn from the glyph cache by
// now, yet every glyph once read kept the 64 KiB around it mapped, which for the CJK fonts
// comes to megabytes. Pages needed again are read back from the page cache.
void returnFilePages();

// The font files' pages and the heap freed since (by fonts closed elsewhere, for one).
void returnMemory();

// Also closes every font no item draws with any more, for a window that hides: Qt closes them
// only all at once, so the next faces shown open their fonts anew, the window's own included.
void releaseUnused();

} // namespace FaceFont
