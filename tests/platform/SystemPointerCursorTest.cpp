#include "SystemPointerCursor.h"

#include <QCursor>
#include <QGuiApplication>
#include <QTest>

class SystemPointerCursorTest : public QObject {
    Q_OBJECT

private slots:
    void popsOnlyWhatItPushed();
    void restoresWhatIsLeftWhenDestroyed();
};

void SystemPointerCursorTest::popsOnlyWhatItPushed()
{
    // A cursor set by someone else stays when the tiles pop more often than they pushed.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    {
        SystemPointerCursor cursor;
        cursor.pushPointingHand();
        cursor.pushPointingHand();
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::PointingHandCursor);
        cursor.pop();
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::PointingHandCursor);
        cursor.pop();
        cursor.pop();
        QCOMPARE(cursor.depth(), 0);
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    QGuiApplication::restoreOverrideCursor();
    QVERIFY(!QGuiApplication::overrideCursor());
}

void SystemPointerCursorTest::restoresWhatIsLeftWhenDestroyed()
{
    {
        SystemPointerCursor cursor;
        cursor.pushPointingHand();
        cursor.pushPointingHand();
    }
    QVERIFY(!QGuiApplication::overrideCursor());
}

QTEST_MAIN(SystemPointerCursorTest)
#include "SystemPointerCursorTest.moc"
