#include "PickerWindow.h"

#include "WindowPlacement.h"

#include <QCursor>
#include <QFile>
#include <QGuiApplication>
#include <QQuickItem>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

class PickerWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void loadsTheRootWithItsView();
    void reportsQmlErrors();
    void opensAgainstTheTrayItemAndToggles();
    void hidesWhenAnotherWindowTakesTheKeyboard();
    void staysWhenTheKeyboardBouncesRightAfterOpening();
    void trayClickThatHidItDoesNotReopenIt();
    void closingTheAttachedWindowOnlyHidesIt();
    void standaloneWindowStaysAndReportsClosing();

private:
    std::unique_ptr<PickerWindow> makeWindow(PickerWindow::Mode mode);
    void activateOtherWindow();

    QObject m_view;
    std::unique_ptr<QWindow> m_other;
};

void PickerWindowTest::initTestCase()
{
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}

void PickerWindowTest::init()
{
    m_other = std::make_unique<QWindow>();
    m_other->setGeometry(0, 0, 50, 50);
}

void PickerWindowTest::cleanup()
{
    m_other.reset();
}

std::unique_ptr<PickerWindow> PickerWindowTest::makeWindow(PickerWindow::Mode mode)
{
    auto window = std::make_unique<PickerWindow>(mode);
    const bool loaded =
        window->load(QUrl::fromLocalFile(QStringLiteral(PELMORA_TEST_DATA_DIR "/PickerProbe.qml")),
            { { QStringLiteral("view"), QVariant::fromValue(&m_view) } });
    if (!loaded)
        qWarning("%s", qPrintable(window->errorString()));
    return window;
}

void PickerWindowTest::activateOtherWindow()
{
    m_other->show();
    m_other->requestActivate();
    QVERIFY(QTest::qWaitForWindowActive(m_other.get()));
}

void PickerWindowTest::loadsTheRootWithItsView()
{
    const auto window = makeWindow(PickerWindow::Mode::AttachedToTray);
    QVERIFY(window->rootObject());
    QCOMPARE(window->rootObject()->property("view").value<QObject *>(), &m_view);
    QCOMPARE(window->size(), QSize(300, 400));
    QCOMPARE(window->rootObject()->size(), QSizeF(300, 400));
    QVERIFY(!window->isVisible());
}

void PickerWindowTest::reportsQmlErrors()
{
    // Written here rather than kept among the fixtures, where the QML linter would trip on it.
    QTemporaryDir directory;
    QFile broken(directory.filePath(QStringLiteral("Broken.qml")));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("import QtQuick\nRectangle { width: 300 +\n");
    broken.close();

    PickerWindow window(PickerWindow::Mode::AttachedToTray);
    QVERIFY(!window.load(QUrl::fromLocalFile(broken.fileName()),
        { { QStringLiteral("view"), QVariant::fromValue(&m_view) } }));
    QVERIFY2(window.errorString().contains(QStringLiteral("Broken.qml:")),
        qPrintable(window.errorString()));

    // A file that is not there is named too.
    PickerWindow missing(PickerWindow::Mode::AttachedToTray);
    QVERIFY(!missing.load(QUrl(QStringLiteral("qrc:/nowhere/Main.qml")), {}));
    QVERIFY2(missing.errorString().contains(QStringLiteral("qrc:/nowhere/Main.qml")),
        qPrintable(missing.errorString()));
}

void PickerWindowTest::opensAgainstTheTrayItemAndToggles()
{
    const auto window = makeWindow(PickerWindow::Mode::AttachedToTray);
    QSignalSpy opened(window.get(), &PickerWindow::opened);
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect tray(available.right() - 30, available.top(), 22, 22);

    window->open(tray);
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(opened.count(), 1);
    QCOMPARE(window->position(),
        WindowPlacement::place(tray, QCursor::pos(), QSize(300, 400), available));
    QVERIFY(window->flags() & Qt::FramelessWindowHint);

    window->toggle(tray);
    QVERIFY(!window->isVisible());
    window->toggle(tray);
    QVERIFY(window->isVisible());
    QCOMPARE(opened.count(), 2);

    // Opening what is already open activates it again, which the view also hears about.
    window->open(tray);
    QCOMPARE(opened.count(), 3);
    window->dismiss();
    QVERIFY(!window->isVisible());
}

void PickerWindowTest::hidesWhenAnotherWindowTakesTheKeyboard()
{
    const auto window = makeWindow(PickerWindow::Mode::AttachedToTray);
    window->open({});
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTest::qWait(PickerWindow::activationGraceMs + 50);

    activateOtherWindow();
    QTRY_VERIFY(!window->isVisible());
}

void PickerWindowTest::staysWhenTheKeyboardBouncesRightAfterOpening()
{
    const auto window = makeWindow(PickerWindow::Mode::AttachedToTray);
    QElapsedTimer sinceOpened;
    sinceOpened.start();
    window->open({});
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    activateOtherWindow();
    if (sinceOpened.elapsed() >= PickerWindow::activationGraceMs)
        QSKIP("the machine was too busy to move the focus within the grace period");
    QVERIFY(window->isVisible());
}

void PickerWindowTest::trayClickThatHidItDoesNotReopenIt()
{
    const auto window = makeWindow(PickerWindow::Mode::AttachedToTray);
    window->open({});
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTest::qWait(PickerWindow::activationGraceMs + 50);

    activateOtherWindow();
    QTRY_VERIFY(!window->isVisible());
    QElapsedTimer sinceHidden;
    sinceHidden.start();
    window->toggle({});
    if (sinceHidden.elapsed() >= PickerWindow::reopenGuardMs)
        QSKIP("the machine was too busy to toggle within the guard period");
    QVERIFY(!window->isVisible());

    QTest::qWait(PickerWindow::reopenGuardMs + 50);
    window->toggle({});
    QVERIFY(window->isVisible());
}

void PickerWindowTest::closingTheAttachedWindowOnlyHidesIt()
{
    const auto window = makeWindow(PickerWindow::Mode::AttachedToTray);
    QSignalSpy closedByUser(window.get(), &PickerWindow::closedByUser);
    QQuickItem *root = window->rootObject();
    window->open({});
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));

    window->close();
    QVERIFY(!window->isVisible());
    QCOMPARE(closedByUser.count(), 0);
    QCOMPARE(window->rootObject(), root);
    window->open({});
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void PickerWindowTest::standaloneWindowStaysAndReportsClosing()
{
    const auto window = makeWindow(PickerWindow::Mode::Standalone);
    QSignalSpy closedByUser(window.get(), &PickerWindow::closedByUser);
    QVERIFY(!(window->flags() & Qt::FramelessWindowHint));
    QCOMPARE(window->title(), QStringLiteral("(•⩊•)"));
    window->open({});
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTest::qWait(PickerWindow::activationGraceMs + 50);

    activateOtherWindow();
    QVERIFY(window->isVisible());

    window->close();
    QCOMPARE(closedByUser.count(), 1);
}

QTEST_MAIN(PickerWindowTest)
#include "PickerWindowTest.moc"
