#include "GeneratorProcess.h"

#include <QDeadlineTimer>
#include <QRegularExpression>

GeneratorProcess::GeneratorProcess(QStringList arguments)
    : m_arguments(std::move(arguments))
{
    m_process.setProgram(QStringLiteral(PELMORA_GENERATOR_BINARY));
    m_process.setArguments(m_arguments);
    m_process.setReadChannel(QProcess::StandardError);
}

GeneratorProcess::~GeneratorProcess()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

bool GeneratorProcess::start()
{
    m_process.start();
    if (!m_process.waitForStarted(10000))
        return false;
    static const QRegularExpression listening(
        QStringLiteral("^pelmora-generator listening on (https?://\\S+)$"),
        QRegularExpression::MultilineOption);
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        const QRegularExpressionMatch match = listening.match(standardError());
        if (match.hasMatch()) {
            m_origin = match.captured(1);
            return true;
        }
        if (m_process.state() == QProcess::NotRunning)
            return false;
        m_process.waitForReadyRead(100);
    }
    return false;
}

bool GeneratorProcess::waitForExit(int ms)
{
    const bool finished =
        m_process.state() == QProcess::NotRunning || m_process.waitForFinished(ms);
    standardError();
    return finished;
}

bool GeneratorProcess::isRunning() const
{
    return m_process.state() == QProcess::Running;
}

int GeneratorProcess::exitCode() const
{
    return m_process.exitCode();
}

QString GeneratorProcess::standardError()
{
    m_standardError += m_process.readAllStandardError();
    return QString::fromUtf8(m_standardError);
}

quint16 GeneratorProcess::port() const
{
    return quint16(QUrl(m_origin).port());
}

QUrl GeneratorProcess::endpoint() const
{
    return QUrl(m_origin + QStringLiteral("/api/generate-kaomoji.js"));
}
