#include "FaceText.h"

#include <QCoreApplication>
#include <QLocale>
#include <algorithm>

namespace FaceText {

QString problem(const QString &face)
{
    if (!face.isValidUtf16())
        return QCoreApplication::translate("FaceText", "The kaomoji is not valid text.");
    // Valid UTF-16: every high surrogate starts a pair that stands for one character.
    const auto pairs =
        std::count_if(face.cbegin(), face.cend(), [](QChar c) { return c.isHighSurrogate(); });
    if (face.size() - pairs > longest)
        return QCoreApplication::translate(
            "FaceText", "A kaomoji can be at most %1 characters long.")
            .arg(QLocale().toString(longest));
    return {};
}

} // namespace FaceText
