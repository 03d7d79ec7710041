#pragma once

#include <QFont>

// The font the tiles set faces in: the desktop font, then the installed fonts that draw the
// scripts of the built-in faces (the ones scripts/setup.sh installs), in the order fontconfig
// would fall back to them. Naming them spares Qt asking fontconfig for a fallback for every
// script of every face, and keeps further fallback fonts (two more CJK fonts) out of memory.
namespace FaceFont {

QFont from(const QFont &desktopFont);

} // namespace FaceFont
