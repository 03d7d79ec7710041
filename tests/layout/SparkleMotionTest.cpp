#include "SparkleMotion.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QTest>
#include <QtQml/QQmlExtensionPlugin>
#include <memory>

Q_IMPORT_QML_PLUGIN(Pelmora_LayoutPlugin)

class SparkleMotionTest : public QObject {
    Q_OBJECT

private slots:
    void randomInRangeCoversBothEnds();
    void drawsInsideTheArea();
    void zeroSizedAreaStaysAtTheCentre();
    void drawsDifferEachTime();
    void drawsFromQml();
};

void SparkleMotionTest::randomInRangeCoversBothEnds()
{
    const quint64 top = quint64(1) << 53;
    QCOMPARE(SparkleMotion::randomInRange(2.0, 4.0, 0), 2.0);
    QCOMPARE(SparkleMotion::randomInRange(2.0, 4.0, top), 4.0);
    QCOMPARE(SparkleMotion::randomInRange(2.0, 4.0, top / 2), 3.0);
    QCOMPARE(SparkleMotion::randomInRange(-15.0, 15.0, top / 2), 0.0);
    // The step just below the top stays below b, and an empty range gives its one value.
    QVERIFY(SparkleMotion::randomInRange(0.0, 1.0, top - 1) < 1.0);
    QCOMPARE(SparkleMotion::randomInRange(-0.0, 0.0, 12345), 0.0);
}

void SparkleMotionTest::drawsInsideTheArea()
{
    SparkleMotion motion;
    for (int i = 0; i < 1000; ++i) {
        const QVariantMap drawn = motion.draw(60, 24);
        const double period = drawn.value("period").toDouble();
        const double delay = drawn.value("delay").toDouble();
        const double x = drawn.value("x").toDouble();
        const double y = drawn.value("y").toDouble();
        QVERIFY(period >= 2.0 && period <= 4.0);
        QVERIFY(delay >= 0.0 && delay <= 2.0);
        QVERIFY(drawn.value("scale").toDouble() >= 0.5 && drawn.value("scale").toDouble() <= 1.0);
        QVERIFY(
            drawn.value("opacity").toDouble() >= 0.5 && drawn.value("opacity").toDouble() <= 1.0);
        QVERIFY(x >= -30 && x <= 30);
        QVERIFY(y >= -12 && y <= 12);
        QCOMPARE(drawn.value("fadeDelay").toDouble(), 0.75 * period + delay);
        QCOMPARE(drawn.value("fadeX").toDouble(), 1.5 * x);
        QCOMPARE(drawn.value("fadeY").toDouble(), 1.5 * y);
    }
}

void SparkleMotionTest::zeroSizedAreaStaysAtTheCentre()
{
    const QVariantMap drawn = SparkleMotion().draw(0, 0);
    QCOMPARE(drawn.value("x").toDouble(), 0.0);
    QCOMPARE(drawn.value("y").toDouble(), 0.0);
    QCOMPARE(drawn.value("fadeX").toDouble(), 0.0);
    QCOMPARE(drawn.value("fadeY").toDouble(), 0.0);
}

void SparkleMotionTest::drawsDifferEachTime()
{
    SparkleMotion motion;
    const QVariantMap first = motion.draw(60, 24);
    const QVariantMap second = motion.draw(60, 24);
    for (const char *key : { "period", "delay", "scale", "opacity", "x", "y" })
        QVERIFY2(first.value(key) != second.value(key), key);
}

void SparkleMotionTest::drawsFromQml()
{
    QQmlEngine engine;
    engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
    QQmlComponent component(&engine);
    component.setData(R"(
import QtQml
import Pelmora.Layout
SparkleMotion {
    readonly property var drawn: draw(40, 20)
}
)",
        QUrl());
    std::unique_ptr<QObject> motion(component.create());
    QVERIFY2(motion, qPrintable(component.errorString()));
    const QVariantMap drawn = motion->property("drawn").toMap();
    QCOMPARE(drawn.keys(),
        QStringList(
            { "delay", "fadeDelay", "fadeX", "fadeY", "opacity", "period", "scale", "x", "y" }));
    QVERIFY(qAbs(drawn.value("x").toDouble()) <= 20);
}

QTEST_MAIN(SparkleMotionTest)

#include "SparkleMotionTest.moc"
