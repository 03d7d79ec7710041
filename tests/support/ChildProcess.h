#pragma once

#include <QByteArray>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// A program run as a child of the test: its output is gathered line by line, a line can be
// awaited, and it is killed when the test is done with it.
class ChildProcess {
public:
    // The programs of this build.
    static QString pelmora();
    static QString generator();

    explicit ChildProcess(QString program, QStringList arguments = {},
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment());
    ~ChildProcess();
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    bool start();
    // The next unread line on `channel` that matches, skipping the lines before it; empty when
    // none comes within `timeoutMs` or the program ends first.
    QString waitForLine(const QRegularExpression &pattern,
        QProcess::ProcessChannel channel = QProcess::StandardOutput, int timeoutMs = 15000);
    QString waitForLine(const QString &line,
        QProcess::ProcessChannel channel = QProcess::StandardOutput, int timeoutMs = 15000);
    // Waits for the program to end by itself; false when it still runs after `timeoutMs`.
    bool waitForExit(int timeoutMs = 15000);
    void kill();
    void sendSignal(int signalNumber);

    bool isRunning() const { return m_process.state() != QProcess::NotRunning; }
    // The exit code, or -1 after a crash or a signal.
    int exitCode() const;
    // Everything the program wrote on `channel` so far.
    QString output(QProcess::ProcessChannel channel = QProcess::StandardOutput);
    QProcess &process() { return m_process; }

private:
    void gather();

    QProcess m_process;
    QByteArray m_output[2];
    qsizetype m_read[2] = { 0, 0 };
};

// Runs a program to its end and returns its exit code (-1 when it had to be killed), with both
// channels of its output in `output`.
int runToEnd(const QString &program, const QStringList &arguments,
    const QProcessEnvironment &environment, QString *output, int timeoutMs = 15000);

// pelmora-generator on a free port, once it says where it listens.
class GeneratorService {
public:
    explicit GeneratorService(QStringList arguments = {});
    bool isListening() const { return !m_origin.isEmpty(); }
    // Such as "http://127.0.0.1:40123"; empty when it did not start.
    QString origin() const { return m_origin; }
    quint16 port() const;
    QUrl endpoint() const;
    ChildProcess &process() { return m_process; }

private:
    ChildProcess m_process;
    QString m_origin;
};
