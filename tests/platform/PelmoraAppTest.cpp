#include "ChildProcess.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

using namespace Qt::StringLiterals;

// The real pelmora binary on the offscreen platform, which has no system tray: the picker is
// a standalone window there, and every opening is traced on standard error. How a later start
// reaches the running one shows under Xvfb with a tray, in e2e/second_start_toggle.sh.
class PelmoraAppTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_home;

    // A fresh user, with or without a display.
    QProcessEnvironment environment(bool display = true) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString &name : { u"QT_QPA_PLATFORM"_s, u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s })
            environment.remove(name);
        if (display)
            environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        environment.insert(u"XDG_RUNTIME_DIR"_s, m_home->path());
        environment.insert(u"XDG_CONFIG_HOME"_s, m_home->filePath(u"config"_s));
        environment.insert(u"PELMORA_TRACE_STARTUP"_s, u"1"_s);
        return environment;
    }

private slots:
    void init() { m_home = std::make_unique<QTemporaryDir>(); }

    void endsAtOnceWithoutADisplay_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("says");
        QTest::newRow("help") << u"--help"_s << 0 << u"--toggle"_s;
        QTest::newRow("version") << u"--version"_s << 0 << QStringLiteral(PELMORA_VERSION);
        QTest::newRow("misspelt option") << u"--tog"_s << 1 << u"Unknown option 'tog'"_s;
        QTest::newRow("stray argument") << u"show"_s << 2 << u"unexpected argument 'show'"_s;
        QTest::newRow("start") << QString() << 1 << u"no display"_s;
    }
    void endsAtOnceWithoutADisplay()
    {
        QFETCH(QString, argument);
        QFETCH(int, exitCode);
        QFETCH(QString, says);
        QString output;
        const QStringList arguments = argument.split(u' ', Qt::SkipEmptyParts);
        QCOMPARE(
            runToEnd(ChildProcess::pelmora(), arguments, environment(false), &output), exitCode);
        QVERIFY2(output.contains(says), qPrintable(output));
    }

    void terminationSignalsQuitCleanly_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
    }
    void terminationSignalsQuitCleanly()
    {
        // Logout sends SIGTERM, a terminal's Ctrl+C SIGINT: both end Pelmora like "Quit", so
        // the instance socket is gone rather than left stale.
        QFETCH(int, signalNumber);
        ChildProcess app(ChildProcess::pelmora(), {}, environment());
        QVERIFY(app.start());
        QVERIFY(!app.waitForLine(u"pelmora: window opened"_s, QProcess::StandardError).isEmpty());
        QDir runtime(m_home->path(), u"pelmora-*"_s, QDir::NoSort, QDir::System);
        QCOMPARE(runtime.count(), 1);
        app.sendSignal(signalNumber);
        QVERIFY(app.waitForExit());
        QCOMPARE(app.exitCode(), 0);
        runtime.refresh();
        QCOMPARE(runtime.entryList(), QStringList());
    }
};

QTEST_GUILESS_MAIN(PelmoraAppTest)
#include "PelmoraAppTest.moc"
