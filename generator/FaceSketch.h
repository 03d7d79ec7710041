#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// A face being put together, piece by piece, before it becomes text.
struct FaceSketch {
    QStringList before; // decorations left of the face, the one nearest the face first
    QString outerLeftArm;
    QString open;
    QString innerLeftArm;
    QString leftCheek;
    QString leftEye;
    QString gap; // between the eyes and the mouth: nothing or a space
    QString mouth;
    QString rightEye;
    QString rightCheek;
    QString innerRightArm;
    QString close;
    QString outerRightArm;
    QString held; // something held out after the right arm
    QStringList after; // decorations right of the face, the one nearest the face first
    // A whole body drawn at once (a fish); when set, it stands for everything between the
    // decorations.
    QString body;

    QString text() const;

    // Drops decorations, the outermost first, then the held thing and the arms, until the face
    // is at most `codePoints` long. False when even the bare face is longer.
    bool fitWithin(int codePoints);

    static int codePointCount(QStringView text);
};
