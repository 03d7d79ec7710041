#include "GenerationTask.h"

#include <QCoreApplication>
#include <QNetworkReply>

namespace {

// Qt's read buffer per reply; what the service sends beyond it waits in the socket.
constexpr qint64 readBufferSize = 64 * 1024;

// Whether `error` is Qt's word for the reply's HTTP status rather than a failure of the
// exchange. Qt names statuses of 400 and above after network errors from 100 up (407 as a
// proxy error) once the whole body is in; errors below 100 are the connection's (refused,
// closed, time-out, TLS, redirects). Qt's failure to inflate a compressed body (a corrupt one,
// or one past its safety limit of 10 MiB) can come with any status: below 400 it is the
// transport's error; from 400 up it looks like the status's, and what was inflated before it
// goes to the JSON parser like any body.
bool isStatusError(QNetworkReply::NetworkError error, const QVariant &status)
{
    return status.toInt() >= 400 && error > QNetworkReply::UnknownNetworkError;
}

// Where a reply may send the request again: the same scheme, host and port.
bool isSameOrigin(const QUrl &url, const QUrl &other)
{
    const auto port = [](const QUrl &url) { return url.port(url.scheme() == u"https" ? 443 : 80); };
    return url.scheme() == other.scheme() && url.host() == other.host() && port(url) == port(other);
}

QString timeLimitMessage(int milliseconds)
{
    const int seconds = (milliseconds + 999) / 1000;
    return seconds == 1 ? QCoreApplication::translate(
               "GenerationTask", "The generation service did not answer within 1 second")
                        : QCoreApplication::translate("GenerationTask",
                            "The generation service did not answer within %1 seconds")
                              .arg(seconds);
}

GenerationError clientError(int code, const QString &message)
{
    return { AIKaomojiGenerator::errorDomain, code, message };
}

} // namespace

GenerationTask::GenerationTask(
    QNetworkReply *reply, QObject *context, AIKaomojiGenerator::Completion completion)
    : QObject(reply)
    , m_reply(reply)
    , m_context(context)
    , m_hasContext(context != nullptr)
    , m_completion(std::move(completion))
    , m_endpoint(reply->url())
{
    reply->setReadBufferSize(readBufferSize);
    m_timeLimit.setSingleShot(true);
    connect(&m_timeLimit, &QTimer::timeout, this, &GenerationTask::endAtTimeLimit);
    m_timeLimit.start(reply->request()
                          .attribute(AIKaomojiGenerator::timeLimitAttribute,
                              AIKaomojiGenerator::requestTimeoutMilliseconds)
                          .toInt());
    connect(reply, &QNetworkReply::metaDataChanged, this, &GenerationTask::checkAnnouncedSize);
    connect(reply, &QNetworkReply::redirected, this, &GenerationTask::checkRedirect);
    connect(reply, &QNetworkReply::readyRead, this, &GenerationTask::readBody);
    connect(reply, &QNetworkReply::finished, this, &GenerationTask::finish);
}

void GenerationTask::post(
    QObject *context, AIKaomojiGenerator::Completion completion, GenerationResult result)
{
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [guard = QPointer<QObject>(context), hasContext = context != nullptr,
            completion = std::move(completion), result = std::move(result)] {
            if (hasContext && !guard)
                return;
            completion(result);
        },
        Qt::QueuedConnection);
}

void GenerationTask::checkAnnouncedSize()
{
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > AIKaomojiGenerator::maximumReplySize)
        refuseOversizedReply();
}

void GenerationTask::checkRedirect(const QUrl &target)
{
    if (isSameOrigin(target, m_endpoint)) {
        emit m_reply->redirectAllowed();
        return;
    }
    m_refusedRedirect = target;
    m_reply->abort();
}

void GenerationTask::endAtTimeLimit()
{
    m_timedOut = true;
    m_reply->abort();
}

void GenerationTask::readBody()
{
    if (m_tooLarge)
        return;
    const qint64 room = AIKaomojiGenerator::maximumReplySize - m_body.size();
    // One byte more than the room is enough to know the body is too large.
    m_body += m_reply->read(room + 1);
    if (m_body.size() > AIKaomojiGenerator::maximumReplySize)
        refuseOversizedReply();
}

void GenerationTask::refuseOversizedReply()
{
    m_tooLarge = true;
    m_body.clear();
    if (!m_finished)
        m_reply->abort();
}

void GenerationTask::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    m_timeLimit.stop();
    // An aborted or timed-out reply is closed and has nothing more to read.
    if (!m_tooLarge && m_reply->isOpen())
        readBody();
    // A context destroyed while the request ran must not be handed to post() as "none".
    if (!m_hasContext || m_context)
        post(m_context, std::move(m_completion), result());
    m_reply->deleteLater();
}

GenerationResult GenerationTask::result() const
{
    if (m_tooLarge)
        return GenerationResult::failure(
            clientError(AIKaomojiGenerator::tooLargeErrorCode, tr("Response too large")));
    if (m_timedOut)
        return GenerationResult::failure(clientError(
            AIKaomojiGenerator::timedOutErrorCode, timeLimitMessage(m_timeLimit.interval())));
    if (m_refusedRedirect.isValid())
        return GenerationResult::failure(clientError(AIKaomojiGenerator::redirectRefusedErrorCode,
            tr("The generation service tried to send the prompt to another address (%1); it "
               "was not sent there")
                .arg(m_refusedRedirect
                         .adjusted(QUrl::RemoveUserInfo | QUrl::RemovePath | QUrl::RemoveQuery
                             | QUrl::RemoveFragment)
                         .toDisplayString())));
    const QNetworkReply::NetworkError error = m_reply->error();
    const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (error != QNetworkReply::NoError && !isStatusError(error, status))
        return GenerationResult::failure(
            { QStringLiteral("QNetworkReply"), int(error), m_reply->errorString() });
    // Whatever the status, even one that never carries a body, the JSON parser judges it.
    return AIKaomojiGenerator::resultFromBody(m_body);
}
