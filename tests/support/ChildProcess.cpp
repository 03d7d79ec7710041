#include "ChildProcess.h"

#include <QDeadlineTimer>
#include <QUrl>
#include <csignal>

QString ChildProcess::pelmora()
{
    return QStringLiteral(PELMORA_BINARY);
}

QString ChildProcess::generator()
{
    return QStringLiteral(PELMORA_GENERATOR_BINARY);
}

ChildProcess::ChildProcess(QString program, QStringList arguments, QProcessEnvironment environment)
{
    m_process.setProgram(program);
    m_process.setArguments(arguments);
    m_process.setProcessEnvironment(environment);
}

ChildProcess::~ChildProcess()
{
    kill();
}

bool ChildProcess::start()
{
    m_process.start();
    return m_process.waitForStarted(10000);
}

void ChildProcess::gather()
{
    m_output[0] += m_process.readAllStandardOutput();
    if (m_process.processChannelMode() != QProcess::MergedChannels)
        m_output[1] += m_process.readAllStandardError();
}

QString ChildProcess::waitForLine(
    const QRegularExpression &pattern, QProcess::ProcessChannel channel, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QByteArray &output = m_output[channel];
    qsizetype &read = m_read[channel];
    for (;;) {
        gather();
        for (qsizetype end = output.indexOf('\n', read); end >= 0;
             end = output.indexOf('\n', read)) {
            const QString line = QString::fromUtf8(output.mid(read, end - read));
            read = end + 1;
            if (pattern.match(line).hasMatch())
                return line;
        }
        if (deadline.hasExpired() || !isRunning())
            return {};
        m_process.waitForReadyRead(50);
    }
}

QString ChildProcess::waitForLine(
    const QString &line, QProcess::ProcessChannel channel, int timeoutMs)
{
    return waitForLine(
        QRegularExpression(QLatin1Char('^') + QRegularExpression::escape(line) + QLatin1Char('$')),
        channel, timeoutMs);
}

bool ChildProcess::waitForExit(int timeoutMs)
{
    const bool ended = !isRunning() || m_process.waitForFinished(timeoutMs);
    gather();
    return ended;
}

void ChildProcess::kill()
{
    if (!isRunning())
        return;
    m_process.kill();
    m_process.waitForFinished(5000);
    gather();
}

void ChildProcess::sendSignal(int signalNumber)
{
    if (isRunning())
        ::kill(pid_t(m_process.processId()), signalNumber);
}

int ChildProcess::exitCode() const
{
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}

QString ChildProcess::output(QProcess::ProcessChannel channel)
{
    gather();
    return QString::fromUtf8(m_output[channel]);
}

int runToEnd(const QString &program, const QStringList &arguments,
    const QProcessEnvironment &environment, QString *output, int timeoutMs)
{
    ChildProcess child(program, arguments, environment);
    child.process().setProcessChannelMode(QProcess::MergedChannels);
    if (!child.start() || !child.waitForExit(timeoutMs))
        return -1;
    if (output)
        *output = child.output();
    return child.exitCode();
}

GeneratorService::GeneratorService(QStringList arguments)
    : m_process(ChildProcess::generator(),
        QStringList { QStringLiteral("--port"), QStringLiteral("0") } + arguments)
{
    if (!m_process.start())
        return;
    static const QRegularExpression listening(
        QStringLiteral("^pelmora-generator listening on (https?://\\S+)$"));
    const QString line = m_process.waitForLine(listening, QProcess::StandardError);
    m_origin = listening.match(line).captured(1);
}

quint16 GeneratorService::port() const
{
    return quint16(QUrl(m_origin).port());
}

QUrl GeneratorService::endpoint() const
{
    return QUrl(m_origin + QStringLiteral("/api/generate-kaomoji.js"));
}
