#include "PickerWindow.h"

#include "WindowPlacement.h"

#include <QCursor>
#include <QQuickItem>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

// The window around the picker, on a stand-in root, beside another window that can take the
// keyboard from it.
class PickerWindowTest : public QObject {
    Q_OBJECT

    QObject m_view;
    QWindow m_other;

    std::unique_ptr<PickerWindow> makeWindow(bool standalone = false)
    {
        auto window = std::make_unique<PickerWindow>(
            standalone ? PickerWindow::Mode::Standalone : PickerWindow::Mode::AttachedToTray);
        if (!window->load(
                QUrl::fromLocalFile(QStringLiteral(PELMORA_TEST_DATA_DIR "/PickerProbe.qml")),
                { { u"view"_s, QVariant::fromValue(&m_view) } }))
            qWarning("%s", qPrintable(window->errorString()));
        return window;
    }

private slots:
    void initTestCase()
    {
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
        m_other.setGeometry(0, 0, 50, 50);
    }

    void namesWhatFailedToLoad()
    {
        PickerWindow window(PickerWindow::Mode::AttachedToTray);
        QVERIFY(!window.load(QUrl(u"qrc:/nowhere/Main.qml"_s), {}));
        QVERIFY2(window.errorString().contains(u"qrc:/nowhere/Main.qml"_s),
            qPrintable(window.errorString()));
    }

    void opensAgainstTheTrayItem()
    {
        const auto window = makeWindow();
        QVERIFY2(!window->isVisible(), "it is built hidden");

        QSignalSpy opened(window.get(), &PickerWindow::opened);
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect tray(available.right() - 30, available.top(), 22, 22);
        window->open(tray);
        QCOMPARE(window->position(),
            WindowPlacement::place(tray, QCursor::pos(), window->size(), available));
        // Opening what is already open activates it again, which the view also hears about.
        window->open(tray);
        QCOMPARE(opened.count(), 2);
        window->dismiss();
        QVERIFY(!window->isVisible());
    }

    void goesAwayWhenTheUserLeavesIt_data()
    {
        QTest::addColumn<bool>("standalone");
        QTest::addColumn<int>("graceMs");
        QTest::addColumn<int>("guardMs");
        QTest::addColumn<bool>("shownAfterLoss");
        QTest::addColumn<bool>("shownAfterToggle");
        constexpr int hour = 3600 * 1000;
        // Another window takes the keyboard: the window hides, and the tray click that took it
        // toggles nothing back open; a later toggle does.
        QTest::newRow("keyboard taken, then the tray click")
            << false << 0 << hour << false << false;
        QTest::newRow("keyboard taken, later a toggle") << false << 0 << 0 << false << true;
        // Focus bouncing off while the window is being shown is not the user clicking elsewhere.
        QTest::newRow("bounced right after opening") << false << hour << hour << true << false;
        // With no tray to come back from, it has a frame, stays, and closing it ends the app.
        QTest::newRow("standalone") << true << 0 << hour << true << false;
    }
    void goesAwayWhenTheUserLeavesIt()
    {
        QFETCH(bool, standalone);
        QFETCH(int, graceMs);
        QFETCH(int, guardMs);
        QFETCH(bool, shownAfterLoss);
        QFETCH(bool, shownAfterToggle);
        const auto window = makeWindow(standalone);
        QCOMPARE(bool(window->flags() & Qt::FramelessWindowHint), !standalone);
        window->setFocusGuards(graceMs, guardMs);
        window->open({});
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        m_other.show();
        m_other.requestActivate();
        QVERIFY(QTest::qWaitForWindowActive(&m_other));
        QCOMPARE(window->isVisible(), shownAfterLoss);
        window->toggle({});
        QCOMPARE(window->isVisible(), shownAfterToggle);

        // Closed, the one attached to the tray only hides, keeping what the user typed.
        QSignalSpy closedByUser(window.get(), &PickerWindow::closedByUser);
        QQuickItem *root = window->rootObject();
        window->open({});
        window->close();
        QVERIFY(!window->isVisible());
        QCOMPARE(closedByUser.count(), standalone ? 1 : 0);
        QCOMPARE(window->rootObject(), root);
    }
};

QTEST_MAIN(PickerWindowTest)
#include "PickerWindowTest.moc"
