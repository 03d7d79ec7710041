#include "SparkleMotion.h"

#include <QTest>

class SparkleMotionTest : public QObject {
    Q_OBJECT

private slots:
    void randomInRangeReachesBothEnds()
    {
        const quint64 top = SparkleMotion::randomSteps;
        QCOMPARE(SparkleMotion::randomInRange(2.0, 4.0, 0), 2.0);
        QCOMPARE(SparkleMotion::randomInRange(2.0, 4.0, top), 4.0);
        QCOMPARE(SparkleMotion::randomInRange(-15.0, 15.0, top / 2), 0.0);
        // The step just below the top stays below b, and an empty range gives its one value.
        QVERIFY(SparkleMotion::randomInRange(0.0, 1.0, top - 1) < 1.0);
        QCOMPARE(SparkleMotion::randomInRange(-0.0, 0.0, 12345), 0.0);
    }

    // Every draw lies within its ranges and the area, and fades out from where it went.
    void drawsWithinTheArea()
    {
        SparkleMotion motion;
        QVariantMap previous;
        for (int i = 0; i < 1000; ++i) {
            const QSizeF area = i == 0 ? QSizeF(0, 0) : QSizeF(60, 24);
            const QVariantMap drawn = motion.draw(area.width(), area.height());
            const auto value = [&](const char *key) { return drawn.value(key).toDouble(); };
            const auto within = [&](const char *key, double low, double high) {
                return value(key) >= low && value(key) <= high;
            };
            QVERIFY(within("period", 2, 4) && within("delay", 0, 2));
            QVERIFY(within("scale", 0.5, 1) && within("opacity", 0.5, 1));
            QVERIFY(within("x", -area.width() / 2, area.width() / 2));
            QVERIFY(within("y", -area.height() / 2, area.height() / 2));
            QCOMPARE(value("fadeDelay"), 0.75 * value("period") + value("delay"));
            QCOMPARE(value("fadeX"), 1.5 * value("x"));
            QCOMPARE(value("fadeY"), 1.5 * value("y"));
            // Each value is drawn anew, not kept from the sparkle before.
            for (const char *key : { "period", "delay", "scale", "opacity" })
                QVERIFY(i == 0 || drawn.value(key) != previous.value(key));
            previous = drawn;
        }
    }
};

QTEST_APPLESS_MAIN(SparkleMotionTest)

#include "SparkleMotionTest.moc"
