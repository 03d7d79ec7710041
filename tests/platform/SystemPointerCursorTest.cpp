#include "SystemPointerCursor.h"

#include <QCursor>
#include <QGuiApplication>
#include <QTest>

class SystemPointerCursorTest : public QObject {
    Q_OBJECT

    // The cursor set over the application's own, if any.
    static Qt::CursorShape shape()
    {
        const QCursor *cursor = QGuiApplication::overrideCursor();
        return cursor ? cursor->shape() : Qt::BlankCursor;
    }

private slots:
    void takesBackOnlyWhatItPushed()
    {
        // A cursor set by someone else stays when the tiles pop more often than they pushed,
        // and when the adapter goes it takes back what it still has pushed.
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        {
            SystemPointerCursor cursor;
            cursor.pushPointingHand();
            cursor.pushPointingHand();
            cursor.pop();
            QCOMPARE(shape(), Qt::PointingHandCursor);
            cursor.pop();
            cursor.pop();
            QCOMPARE(shape(), Qt::WaitCursor);
            cursor.pushPointingHand();
            cursor.pushPointingHand();
        }
        QCOMPARE(shape(), Qt::WaitCursor);
        QGuiApplication::restoreOverrideCursor();
        QCOMPARE(shape(), Qt::BlankCursor);
    }
};

QTEST_MAIN(SystemPointerCursorTest)
#include "SystemPointerCursorTest.moc"
