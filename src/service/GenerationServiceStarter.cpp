#include "GenerationServiceStarter.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHostAddress>
#include <QStandardPaths>
#include <QTimer>

namespace {

// The service is listening well within this on a busy machine.
constexpr int startTimeoutMs = 10000;

QString listenAddress(const QUrl &endpoint)
{
    return endpoint.host() == QLatin1String("::1") ? QStringLiteral("::1")
                                                   : QStringLiteral("127.0.0.1");
}

} // namespace

GenerationServiceStarter::GenerationServiceStarter(QObject *parent)
    : QObject(parent)
{
}

GenerationServiceStarter::~GenerationServiceStarter()
{
    if (!m_process || m_process->state() == QProcess::NotRunning)
        return;
    m_process->terminate();
    if (!m_process->waitForFinished(2000))
        m_process->kill();
}

QString GenerationServiceStarter::program()
{
    const QString beside =
        QCoreApplication::applicationDirPath() + QStringLiteral("/pelmora-generator");
    if (QFileInfo(beside).isExecutable())
        return beside;
    return QStandardPaths::findExecutable(QStringLiteral("pelmora-generator"));
}

bool GenerationServiceStarter::canStartFor(const QUrl &endpoint) const
{
    const QString host = endpoint.host();
    return !m_tried && endpoint.scheme() == QLatin1String("http")
        && (host == QLatin1String("localhost") || QHostAddress(host).isLoopback());
}

void GenerationServiceStarter::start(const QUrl &endpoint, Done done)
{
    m_tried = true;
    m_done = std::move(done);
    const QString path = program();
    if (path.isEmpty()) {
        finish(tr("the program pelmora-generator is not installed"));
        return;
    }
    m_process = std::make_unique<QProcess>();
    m_process->setProgram(path);
    m_process->setArguments({ QStringLiteral("--listen"), listenAddress(endpoint),
        QStringLiteral("--port"), QString::number(endpoint.port(80)) });
    m_process->setProcessChannelMode(QProcess::ForwardedOutputChannel);
    m_process->setReadChannel(QProcess::StandardError);
    connect(m_process.get(), &QProcess::readyReadStandardError, this,
        &GenerationServiceStarter::readLine);
    connect(m_process.get(), &QProcess::finished, this, [this] {
        finish(tr("pelmora-generator stopped at once: %1")
                   .arg(QString::fromLocal8Bit(m_process->readAllStandardError()).trimmed()));
    });
    connect(m_process.get(), &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            finish(m_process->errorString());
    });
    QTimer::singleShot(startTimeoutMs, this,
        [this] { finish(tr("pelmora-generator did not start listening in time")); });
    m_process->start();
}

void GenerationServiceStarter::readLine()
{
    // "pelmora-generator listening on http://127.0.0.1:47615" once it accepts requests.
    while (m_process->canReadLine()) {
        if (m_process->readLine().contains("listening on"))
            finish({});
    }
}

void GenerationServiceStarter::finish(const QString &failure)
{
    if (!m_done)
        return;
    const Done done = std::exchange(m_done, nullptr);
    done(failure);
}
