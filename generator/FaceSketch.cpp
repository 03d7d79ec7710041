#include "FaceSketch.h"

QString FaceSketch::text() const
{
    QString face;
    for (auto it = before.crbegin(); it != before.crend(); ++it)
        face += *it;
    if (!body.isEmpty()) {
        face += body;
    } else {
        face += outerLeftArm + open + innerLeftArm + leftCheek + leftEye + gap + mouth + gap
            + rightEye + rightCheek + innerRightArm + close + outerRightArm + held;
    }
    for (const QString &decoration : after)
        face += decoration;
    return face;
}

bool FaceSketch::fitWithin(int codePoints)
{
    while (codePointCount(text()) > codePoints) {
        if (!before.isEmpty() && (after.isEmpty() || before.size() >= after.size()))
            before.removeLast();
        else if (!after.isEmpty())
            after.removeLast();
        else if (!held.isEmpty())
            held.clear();
        else if (!outerLeftArm.isEmpty() || !outerRightArm.isEmpty() || !innerLeftArm.isEmpty()
            || !innerRightArm.isEmpty())
            outerLeftArm = innerLeftArm = innerRightArm = outerRightArm = QString();
        else
            return false;
    }
    return true;
}

int FaceSketch::codePointCount(QStringView text)
{
    int count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A surrogate pair is one code point.
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        ++count;
    }
    return count;
}
