#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

// Every case runs real processes of SingleInstanceProbe against a socket in a fresh directory.
class SingleInstanceTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void laterProcessesHandTheirCommandToTheFirst();
    void processesStartedTogetherElectOneListener();
    void staleSocketOfAKilledProcessDoesNotBlock();
    void lockOfAKilledProcessDoesNotBlock();
    void unansweringProcessFailsWithAReason();
    void unknownCommandIsRefused();

private:
    QProcess *start(const QStringList &arguments);
    // Waits for the next line of a process's output.
    static QString nextLine(QProcess *process);
    // Runs a probe to its end and returns its output.
    QString run(const QStringList &arguments, int *exitCode);

    std::unique_ptr<QTemporaryDir> m_directory;
    QString m_socket;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

void SingleInstanceTest::init()
{
    m_directory = std::make_unique<QTemporaryDir>();
    QVERIFY(m_directory->isValid());
    m_socket = m_directory->filePath(QStringLiteral("pelmora-test"));
}

void SingleInstanceTest::cleanup()
{
    for (const auto &process : m_processes) {
        process->kill();
        process->waitForFinished();
    }
    m_processes.clear();
    m_directory.reset();
}

QProcess *SingleInstanceTest::start(const QStringList &arguments)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(QStringLiteral(SINGLE_INSTANCE_PROBE), arguments);
    m_processes.push_back(std::move(process));
    return m_processes.back().get();
}

QString SingleInstanceTest::nextLine(QProcess *process)
{
    QElapsedTimer timer;
    timer.start();
    while (!process->canReadLine() && timer.elapsed() < 10000)
        process->waitForReadyRead(100);
    return QString::fromUtf8(process->readLine()).trimmed();
}

QString SingleInstanceTest::run(const QStringList &arguments, int *exitCode)
{
    QProcess *process = start(arguments);
    if (!process->waitForFinished(15000))
        return QStringLiteral("still running");
    *exitCode = process->exitCode();
    return QString::fromUtf8(process->readAllStandardOutput()).trimmed();
}

void SingleInstanceTest::laterProcessesHandTheirCommandToTheFirst()
{
    QProcess *first = start({ m_socket, QStringLiteral("show") });
    QCOMPARE(nextLine(first), QStringLiteral("listening"));

    int exitCode = -1;
    QCOMPARE(run({ m_socket, QStringLiteral("show") }, &exitCode), QStringLiteral("delivered"));
    QCOMPARE(exitCode, 0);
    QCOMPARE(nextLine(first), QStringLiteral("received show"));

    QCOMPARE(run({ m_socket, QStringLiteral("toggle") }, &exitCode), QStringLiteral("delivered"));
    QCOMPARE(exitCode, 0);
    QCOMPARE(nextLine(first), QStringLiteral("received toggle"));
    QCOMPARE(first->state(), QProcess::Running);
}

void SingleInstanceTest::processesStartedTogetherElectOneListener()
{
    constexpr int count = 5;
    std::vector<QProcess *> probes;
    for (int i = 0; i < count; ++i)
        probes.push_back(start({ m_socket, QStringLiteral("toggle") }));

    QProcess *listener = nullptr;
    int delivered = 0;
    for (QProcess *probe : probes) {
        const QString line = nextLine(probe);
        if (line == QLatin1String("listening")) {
            QVERIFY2(!listener, "two processes listen at once");
            listener = probe;
        } else {
            QCOMPARE(line, QStringLiteral("delivered"));
            QVERIFY(probe->waitForFinished(5000));
            QCOMPARE(probe->exitCode(), 0);
            ++delivered;
        }
    }
    QVERIFY(listener);
    QCOMPARE(delivered, count - 1);
    for (int i = 0; i < delivered; ++i)
        QCOMPARE(nextLine(listener), QStringLiteral("received toggle"));
}

void SingleInstanceTest::staleSocketOfAKilledProcessDoesNotBlock()
{
    QProcess *crashed = start({ m_socket, QStringLiteral("show") });
    QCOMPARE(nextLine(crashed), QStringLiteral("listening"));
    crashed->kill(); // SIGKILL: nothing gets to remove the socket file
    QVERIFY(crashed->waitForFinished());
    QVERIFY(QFile::exists(m_socket));

    QProcess *next = start({ m_socket, QStringLiteral("show") });
    QCOMPARE(nextLine(next), QStringLiteral("listening"));
    int exitCode = -1;
    QCOMPARE(run({ m_socket, QStringLiteral("show") }, &exitCode), QStringLiteral("delivered"));
    QCOMPARE(nextLine(next), QStringLiteral("received show"));
}

void SingleInstanceTest::lockOfAKilledProcessDoesNotBlock()
{
    // Killed between finding nobody and listening: it leaves its lock file behind.
    QProcess *crashed = start({ m_socket, QStringLiteral("show"), QStringLiteral("--claim-only") });
    QCOMPARE(nextLine(crashed), QStringLiteral("claimed"));
    crashed->kill();
    QVERIFY(crashed->waitForFinished());
    QVERIFY(QFile::exists(m_socket + QStringLiteral(".lock")));

    QProcess *next = start({ m_socket, QStringLiteral("show") });
    QCOMPARE(nextLine(next), QStringLiteral("listening"));
}

void SingleInstanceTest::unansweringProcessFailsWithAReason()
{
    QProcess *mute = start({ m_socket, QStringLiteral("mute") });
    QCOMPARE(nextLine(mute), QStringLiteral("listening"));

    int exitCode = -1;
    const QString output = run(
        { m_socket, QStringLiteral("show"), QStringLiteral("--timeout"), QStringLiteral("300") },
        &exitCode);
    QCOMPARE(exitCode, 1);
    QCOMPARE(output, QStringLiteral("failed: the running Pelmora did not answer within 300 ms"));

    // The failed attempt gave the lock back: once the mute process is gone, a start works.
    mute->kill();
    QVERIFY(mute->waitForFinished());
    QProcess *next = start({ m_socket, QStringLiteral("show") });
    QCOMPARE(nextLine(next), QStringLiteral("listening"));
}

void SingleInstanceTest::unknownCommandIsRefused()
{
    QProcess *first = start({ m_socket, QStringLiteral("show") });
    QCOMPARE(nextLine(first), QStringLiteral("listening"));

    int exitCode = -1;
    QCOMPARE(run({ m_socket, QStringLiteral("explode") }, &exitCode),
        QStringLiteral("failed: the running Pelmora refused \"explode\": unknown command"));
    QCOMPARE(exitCode, 1);
    QCOMPARE(run({ m_socket, QStringLiteral("show") }, &exitCode), QStringLiteral("delivered"));
    QCOMPARE(nextLine(first), QStringLiteral("received show"));
}

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"
