#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <memory>

// The real pelmora binary on the offscreen platform, which has no system tray: the picker is
// a standalone window there, and every opening is traced on standard error.
class PelmoraAppTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void helpAndVersionNeedNoDisplay();
    void mistakesOnTheCommandLineAreRefused();
    void withoutADisplayItSaysSo();
    void laterStartsOpenOrToggleTheRunningWindow();
    void startsAfterAnInstanceWasKilled();
    void terminationSignalsQuitCleanly();

private:
    QProcessEnvironment environment() const;
    QProcess *startApp(const QStringList &arguments = {});
    // Runs pelmora to its end; returns its exit code, or -1 when it would not end.
    int runApp(const QStringList &arguments, QProcessEnvironment environment, QString *output);
    // Waits for a trace line on the first instance's standard error.
    bool waitForLine(QProcess *process, const QString &line);

    std::unique_ptr<QTemporaryDir> m_home;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

void PelmoraAppTest::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    QVERIFY(m_home->isValid());
    QVERIFY(QFile::setPermissions(
        m_home->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

void PelmoraAppTest::cleanup()
{
    for (const auto &process : m_processes) {
        process->kill();
        process->waitForFinished();
    }
    m_processes.clear();
    m_home.reset();
}

QProcessEnvironment PelmoraAppTest::environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home->path());
    environment.insert(
        QStringLiteral("XDG_CONFIG_HOME"), m_home->filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("PELMORA_TRACE_STARTUP"), QStringLiteral("1"));
    return environment;
}

QProcess *PelmoraAppTest::startApp(const QStringList &arguments)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment());
    process->start(QStringLiteral(PELMORA_BINARY), arguments);
    m_processes.push_back(std::move(process));
    return m_processes.back().get();
}

int PelmoraAppTest::runApp(
    const QStringList &arguments, QProcessEnvironment environment, QString *output)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(PELMORA_BINARY), arguments);
    if (!process.waitForFinished(15000)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    *output = QString::fromUtf8(process.readAll());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

bool PelmoraAppTest::waitForLine(QProcess *process, const QString &line)
{
    process->setReadChannel(QProcess::StandardError);
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 15000) {
        while (process->canReadLine()) {
            if (QString::fromUtf8(process->readLine()).trimmed()
                == QLatin1String("pelmora: ") + line)
                return true;
        }
        if (!process->waitForReadyRead(100) && process->state() != QProcess::Running)
            return false;
    }
    return false;
}

void PelmoraAppTest::helpAndVersionNeedNoDisplay()
{
    QProcessEnvironment bare = environment();
    for (const char *name : { "QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY" })
        bare.remove(QString::fromLatin1(name));

    QString output;
    QCOMPARE(runApp({ QStringLiteral("--help") }, bare, &output), 0);
    QVERIFY2(output.contains(QStringLiteral("--toggle")), qPrintable(output));
    QCOMPARE(runApp({ QStringLiteral("--version") }, bare, &output), 0);
    QVERIFY2(output.contains(QStringLiteral(PELMORA_VERSION)), qPrintable(output));
}

void PelmoraAppTest::mistakesOnTheCommandLineAreRefused()
{
    QString output;
    QVERIFY(runApp({ QStringLiteral("--tog") }, environment(), &output) > 0);
    QVERIFY2(output.contains(QStringLiteral("Unknown option 'tog'")), qPrintable(output));
    QVERIFY(runApp({ QStringLiteral("show") }, environment(), &output) > 0);
    QVERIFY2(output.contains(QStringLiteral("unexpected argument 'show'")), qPrintable(output));
}

void PelmoraAppTest::withoutADisplayItSaysSo()
{
    QProcessEnvironment bare = environment();
    for (const char *name : { "QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY" })
        bare.remove(QString::fromLatin1(name));
    QString output;
    QCOMPARE(runApp({}, bare, &output), 1);
    QVERIFY2(output.contains(QStringLiteral("no display")), qPrintable(output));
}

void PelmoraAppTest::laterStartsOpenOrToggleTheRunningWindow()
{
    QProcess *first = startApp();
    QVERIFY(waitForLine(first, QStringLiteral("window opened")));

    QString output;
    QCOMPARE(runApp({}, environment(), &output), 0);
    QVERIFY(waitForLine(first, QStringLiteral("window opened")));

    QCOMPARE(runApp({ QStringLiteral("--toggle") }, environment(), &output), 0);
    QVERIFY(waitForLine(first, QStringLiteral("window hidden")));
    QCOMPARE(runApp({ QStringLiteral("--toggle") }, environment(), &output), 0);
    QVERIFY(waitForLine(first, QStringLiteral("window opened")));
    QCOMPARE(first->state(), QProcess::Running);
}

void PelmoraAppTest::startsAfterAnInstanceWasKilled()
{
    QProcess *crashed = startApp();
    QVERIFY(waitForLine(crashed, QStringLiteral("window opened")));
    crashed->kill();
    QVERIFY(crashed->waitForFinished());

    QProcess *next = startApp({ QStringLiteral("--toggle") });
    QVERIFY(waitForLine(next, QStringLiteral("window opened")));
}

void PelmoraAppTest::terminationSignalsQuitCleanly()
{
    // Logout sends SIGTERM, a terminal's Ctrl+C SIGINT: both end Pelmora like "Quit", so
    // the instance socket is gone rather than left stale.
    for (const int signalNumber : { SIGTERM, SIGINT }) {
        QProcess *app = startApp({ QStringLiteral("--toggle") });
        QVERIFY(waitForLine(app, QStringLiteral("window opened")));
        const QStringList sockets =
            QDir(m_home->path())
                .entryList({ QStringLiteral("pelmora-*") }, QDir::System | QDir::Files);
        QVERIFY2(!sockets.isEmpty(), "the instance socket is in the runtime directory");
        ::kill(pid_t(app->processId()), signalNumber);
        QVERIFY(app->waitForFinished(10000));
        QCOMPARE(app->exitStatus(), QProcess::NormalExit);
        QCOMPARE(app->exitCode(), 0);
        QVERIFY(!QFileInfo::exists(m_home->filePath(sockets.constFirst())));
    }
}

QTEST_GUILESS_MAIN(PelmoraAppTest)
#include "PelmoraAppTest.moc"
