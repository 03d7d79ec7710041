#pragma once

#include <cstddef>

// Qt asks fontconfig for the best match of each fallback family once per script it sets text
// in and once per thread, and forgets the answers whenever fonts are closed. Each such match
// walks every installed font (about 0.1 ms), and at a keystroke that brings faces of new
// scripts it comes to a few milliseconds of the frame. The app therefore answers fontconfig's
// `FcFontMatch` itself, from a memo shared by all threads: a fallback looked up while the
// window loads, or while faces are measured off the UI thread, is free on the UI thread.
//
// The memo is linked into the executables that want it, as an object library: the app's own
// `FcFontMatch` then stands before fontconfig's for Qt's calls too.
namespace FontMatchMemo {

// Requests answered so far: each answered once by fontconfig.
std::size_t size();

} // namespace FontMatchMemo
