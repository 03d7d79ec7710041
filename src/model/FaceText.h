#pragma once

#include <QString>

// What a face may be: text that UTF-8 can carry (no lone surrogate, which would make every later
// save of its list fail) and of a length a tile can show. Faces from the stored lists, the
// generation service and the custom form all pass this one test.
namespace FaceText {

// In characters (code points).
constexpr qsizetype longest = 1000;

// Empty for an acceptable face, otherwise why it is not, in words for the user.
QString problem(const QString &face);

} // namespace FaceText
