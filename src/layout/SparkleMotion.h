#pragma once

#include <QObject>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

// Draws the random motion of one sparkle over a tile: its period and start delay (seconds), the
// scale, opacity and offset from the tile's centre it grows towards, and where it fades out.
// The drawing happens once per appearance; the QML view replays the same values forever.
class SparkleMotion : public QObject {
    Q_OBJECT
    QML_ELEMENT

public:
    explicit SparkleMotion(QObject *parent = nullptr);

    // Values are drawn in the order period, delay, scale, opacity, x, y. The map also holds the
    // fade-out step: fadeDelay (0.75 × period + delay), fadeX and fadeY (1.5 × x and y); scale
    // and opacity fade to 0.
    Q_INVOKABLE QVariantMap draw(qreal width, qreal height) const;

    // The number in [a, b] that the integer r in [0, 2^53] stands for: r = 2^53 is exactly b.
    static double randomInRange(double a, double b, quint64 r);
    // A number drawn uniformly from [a, b], both ends included, from the system's random source.
    static double randomInRange(double a, double b);

    static constexpr quint64 randomSteps = quint64(1) << 53;
};
