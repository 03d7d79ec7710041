#include "ChildProcess.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

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
        environment.insert(u"XDG_CACHE_HOME"_s, m_home->filePath(u"cache"_s));
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
        QTest::addColumn<QString>("languages"); // LANGUAGE, the user's languages in order
        QTest::newRow("help") << u"--help"_s << 0 << u"--toggle"_s << u"en"_s;
        QTest::newRow("version") << u"--version"_s << 0 << QStringLiteral(PELMORA_VERSION) << u""_s;
        QTest::newRow("misspelt option") << u"--tog"_s << 1 << u"Unknown option 'tog'"_s << u"en"_s;
        // English, Pelmora's own language, comes first: it ends the search.
        QTest::newRow("stray argument")
            << u"show"_s << 2 << u"unexpected argument 'show'"_s << u"en_GB:ja"_s;
        QTest::newRow("shortcut without a key")
            << u"--shortcut ctrl+alt"_s << 2 << u"does not end in a key"_s << u"en"_s;
        QTest::newRow("shortcut without Ctrl, Alt or Meta")
            << u"--shortcut shift+k"_s << 2 << u"needs Ctrl, Alt or Meta"_s << u"en"_s;
        QTest::newRow("start") << QString() << 1 << u"no display"_s << u"en"_s;
        // Pelmora speaks the first of the user's languages it knows, Qt's words included.
        QTest::newRow("help, Japanese")
            << u"--help"_s << 0 << u"ピッカーのウィンドウを表示します"_s << u"ja"_s;
        QTest::newRow("misspelt option, Japanese")
            << u"--tog"_s << 1 << u"不明なオプション「tog」"_s << u"ja"_s;
        QTest::newRow("start, French then Japanese")
            << QString() << 1 << u"ディスプレイがありません"_s << u"fr:ja_JP"_s;
    }
    void endsAtOnceWithoutADisplay()
    {
        QFETCH(QString, argument);
        QFETCH(int, exitCode);
        QFETCH(QString, says);
        QFETCH(QString, languages);
        QString output;
        const QStringList arguments = argument.split(u' ', Qt::SkipEmptyParts);
        QProcessEnvironment environment = this->environment(false);
        environment.insert(u"LANGUAGE"_s, languages);
        QCOMPARE(runToEnd(ChildProcess::pelmora(), arguments, environment, &output), exitCode);
        QVERIFY2(output.contains(says), qPrintable(output));
    }

    void refusesASocketDirectoryOthersCanReach_data()
    {
        QTest::addColumn<QString>("directory"); // in the home; "runtime" is $XDG_RUNTIME_DIR
        QTest::addColumn<uint>("mode");
        QTest::addColumn<uint>("owner");
        QTest::addColumn<QString>("says");
        QTest::newRow("runtime, open")
            << u"runtime"_s << 0755u << getuid() << u"it is open to other users (mode 0755)"_s;
        QTest::newRow("cache, another user's")
            << u"cache/pelmora"_s << 0700u << 65534u << u"it belongs to uid 65534"_s;
    }
    void refusesASocketDirectoryOthersCanReach()
    {
        QFETCH(QString, directory);
        QFETCH(uint, mode);
        QFETCH(uint, owner);
        QFETCH(QString, says);
        // Only root can give a directory away; CI runs the tests as root.
        if (owner != getuid() && geteuid() != 0 && qEnvironmentVariableIsEmpty("CI"))
            QSKIP("only root can play another user");
        const QString path = m_home->filePath(directory);
        QVERIFY(QDir().mkpath(path));
        QVERIFY(::chmod(QFile::encodeName(path), mode) == 0
            && ::chown(QFile::encodeName(path), owner, owner) == 0);
        QProcessEnvironment environment = this->environment(false);
        environment.insert(u"XDG_RUNTIME_DIR"_s, directory == "runtime"_L1 ? path : QString());
        QString output;
        QCOMPARE(runToEnd(ChildProcess::pelmora(), {}, environment, &output), 1);
        QVERIFY2(
            output.contains("no place for the instance socket: "_L1 + says), qPrintable(output));
    }

    void terminationSignalsQuitCleanly_data()
    {
        QTest::addColumn<int>("signalNumber");
        // Where the instance socket lives: the runtime directory, or without one the cache.
        QTest::addColumn<QString>("socketDirectory");
        QTest::newRow("SIGTERM") << SIGTERM << QString();
        QTest::newRow("SIGINT, no runtime directory") << SIGINT << u"cache/pelmora"_s;
    }
    void terminationSignalsQuitCleanly()
    {
        // Logout sends SIGTERM, a terminal's Ctrl+C SIGINT: both end Pelmora like "Quit", so
        // the instance socket is gone rather than left stale.
        QFETCH(int, signalNumber);
        QFETCH(QString, socketDirectory);
        QProcessEnvironment environment = this->environment();
        environment.insert(u"XDG_RUNTIME_DIR"_s, socketDirectory.isEmpty() ? m_home->path() : "");
        ChildProcess app(ChildProcess::pelmora(), {}, environment);
        QVERIFY(app.start());
        QVERIFY(!app.waitForLine(u"pelmora: window opened"_s, QProcess::StandardError).isEmpty());
        QDir runtime(m_home->filePath(socketDirectory), u"pelmora-*"_s, QDir::NoSort, QDir::System);
        QCOMPARE(runtime.count(), 1);
        // Nothing for the group and others.
        QCOMPARE(QFile::permissions(runtime.path()) & 0x0077, QFile::Permissions());
        app.sendSignal(signalNumber);
        QVERIFY(app.waitForExit());
        QCOMPARE(app.exitCode(), 0);
        runtime.refresh();
        QCOMPARE(runtime.entryList(), QStringList());
    }
};

QTEST_GUILESS_MAIN(PelmoraAppTest)
#include "PelmoraAppTest.moc"
