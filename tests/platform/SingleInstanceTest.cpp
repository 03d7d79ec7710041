#include "ChildProcess.h"

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

using namespace Qt::StringLiterals;

// Real processes of SingleInstanceProbe meet at a socket of their own in each case.
class SingleInstanceTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_directory;
    QString m_socket;
    std::vector<std::unique_ptr<ChildProcess>> m_probes;

    ChildProcess &start(const QStringList &arguments)
    {
        m_probes.push_back(std::make_unique<ChildProcess>(
            QStringLiteral(SINGLE_INSTANCE_PROBE), QStringList { m_socket } + arguments));
        m_probes.back()->start();
        return *m_probes.back();
    }
    // The next line a probe reports, whatever it says.
    static QString next(ChildProcess &probe)
    {
        return probe.waitForLine(QRegularExpression(u"."_s));
    }
    // A later start run to its end, as "EXITCODE REPORT".
    QString run(const QStringList &arguments)
    {
        QString output;
        const int exitCode =
            runToEnd(QStringLiteral(SINGLE_INSTANCE_PROBE), QStringList { m_socket } + arguments,
                QProcessEnvironment::systemEnvironment(), &output);
        return u"%1 %2"_s.arg(exitCode).arg(output.trimmed());
    }

private slots:
    void init() { m_socket = m_directory.filePath(QUuid::createUuid().toString(QUuid::Id128)); }
    void cleanup() { m_probes.clear(); }

    void processesStartedTogetherElectOneListener()
    {
        for (int i = 0; i < 5; ++i)
            start({ u"toggle"_s, u"--slow-start"_s });
        ChildProcess *listener = nullptr;
        for (const auto &probe : m_probes) {
            const QString line = next(*probe);
            if (line == "listening"_L1) {
                QVERIFY2(!listener, "two processes listen at once");
                listener = probe.get();
            } else {
                QCOMPARE(line, u"delivered"_s);
            }
        }
        QVERIFY(listener);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(next(*listener), u"received toggle"_s);
        // What it does not know it refuses, and goes on listening.
        QCOMPARE(run({ u"explode"_s }),
            u"1 failed: the running Pelmora refused \"explode\": unknown command"_s);
        QCOMPARE(run({ u"show"_s }), u"0 delivered"_s);
        QCOMPARE(next(*listener), u"received show"_s);
        // A launch's activation token travels with the command.
        QCOMPARE(run({ u"toggle launcher-1_TIME42"_s }), u"0 delivered"_s);
        QCOMPARE(next(*listener), u"received toggle launcher-1_TIME42"_s);
        // So does a face with spaces, "%" and text beyond ASCII.
        QCOMPARE(run({ u"toggle ( ˘ ³˘)%20♥"_s }), u"0 delivered"_s);
        QCOMPARE(next(*listener), u"received toggle ( ˘ ³˘)%20♥"_s);
    }

    void anOlderPelmoraGetsTheCommandAlone()
    {
        // Knows single words only, as Pelmora did before commands took an argument.
        QLocalServer older;
        QVERIFY(older.listen(m_socket));
        QStringList lines;
        connect(&older, &QLocalServer::newConnection, this, [&] {
            QLocalSocket *socket = older.nextPendingConnection();
            connect(socket, &QLocalSocket::readyRead, this, [&lines, socket] {
                for (; socket->canReadLine(); socket->flush()) {
                    lines.append(QString::fromUtf8(socket->readLine().trimmed()));
                    socket->write(lines.last().contains(u' ') ? "unknown command\n" : "ok\n");
                }
            });
        });
        ChildProcess &later = start({ u"toggle token"_s });
        QTRY_COMPARE(lines, (QStringList { u"toggle token"_s, u"toggle"_s }));
        QCOMPARE(next(later), u"delivered"_s);
    }

    void leftoversOfAKilledProcessDoNotBlock_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("leftover");
        QTest::newRow("socket") << QStringList { u"show"_s } << u"listening"_s << QString();
        // Killed between finding nobody and listening.
        QTest::newRow("lock") << QStringList { u"show"_s, u"--claim-only"_s } << u"claimed"_s
                              << u".lock"_s;
    }
    void leftoversOfAKilledProcessDoNotBlock()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, report);
        QFETCH(QString, leftover);
        ChildProcess &killed = start(arguments);
        QCOMPARE(next(killed), report);
        killed.kill(); // SIGKILL: nothing gets to clean up
        QVERIFY(QFile::exists(m_socket + leftover));
        QCOMPARE(next(start({ u"show"_s })), u"listening"_s);
        QCOMPARE(run({ u"show"_s }), u"0 delivered"_s);
    }

    void socketOfAnotherUserIsNoRunningPelmora()
    {
        // Only root can start a process of another user; CI runs the tests as root.
        if (geteuid() != 0 && qEnvironmentVariableIsEmpty("CI"))
            QSKIP("only root can play another user");
        QTemporaryDir theirs;
        QCOMPARE(::chown(QFile::encodeName(theirs.path()).constData(), 65534, 65534), 0);
        m_socket = theirs.filePath(u"socket"_s);
        QCOMPARE(next(start({ u"show"_s, u"--as-nobody"_s })), u"listening"_s);
        ChildProcess &mine = start({ u"show"_s });
        QCOMPARE(next(mine),
            "warning: a process of uid 65534, not a Pelmora of yours, answers at "_L1 + m_socket
                + "; starting as the first Pelmora"_L1);
        QCOMPARE(next(mine), u"listening"_s);
    }

    void unansweringInstanceFailsWithAReason()
    {
        // Takes connections and never answers, as a hung Pelmora would.
        QLocalServer mute;
        QVERIFY(mute.listen(m_socket));
        QCOMPARE(run({ u"show"_s, u"--timeout"_s, u"300"_s }),
            u"1 failed: the running Pelmora did not answer within 300 ms"_s);
    }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"
