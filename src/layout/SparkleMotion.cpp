#include "SparkleMotion.h"

#include <QRandomGenerator>

SparkleMotion::SparkleMotion(QObject *parent)
    : QObject(parent)
{
}

double SparkleMotion::randomInRange(double a, double b, quint64 r)
{
    if (r >= randomSteps)
        return b;
    return a + (b - a) * double(r) * 0x1p-53;
}

double SparkleMotion::randomInRange(double a, double b)
{
    // bounded() excludes its limit, so one more step makes 2^53 itself reachable.
    return randomInRange(a, b, QRandomGenerator::global()->bounded(randomSteps + 1));
}

QVariantMap SparkleMotion::draw(qreal width, qreal height) const
{
    // Each draw is its own statement: the order of the draws is part of the motion's contract.
    const double period = randomInRange(2.0, 4.0);
    const double delay = randomInRange(0.0, 2.0);
    const double scale = randomInRange(0.5, 1.0);
    const double opacity = randomInRange(0.5, 1.0);
    const double x = randomInRange(-0.5 * width, 0.5 * width);
    const double y = randomInRange(-0.5 * height, 0.5 * height);

    return {
        { QStringLiteral("period"), period },
        { QStringLiteral("delay"), delay },
        { QStringLiteral("scale"), scale },
        { QStringLiteral("opacity"), opacity },
        { QStringLiteral("x"), x },
        { QStringLiteral("y"), y },
        { QStringLiteral("fadeDelay"), 0.75 * period + delay },
        { QStringLiteral("fadeX"), 1.5 * x },
        { QStringLiteral("fadeY"), 1.5 * y },
    };
}
