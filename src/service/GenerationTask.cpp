#include "GenerationTask.h"

#include <QCoreApplication>
#include <QNetworkReply>

namespace {

// Qt's read buffer per reply; what the service sends beyond it waits in the socket.
constexpr qint64 readBufferSize = 64 * 1024;

// Qt turns HTTP 4xx and 5xx statuses into content, server and (for 400) protocol errors, yet
// such a reply still carries the service's JSON, which is read like any other.
bool isStatusError(QNetworkReply::NetworkError error)
{
    return error == QNetworkReply::ProtocolInvalidOperationError
        || (error >= QNetworkReply::ContentAccessDenied
               && error <= QNetworkReply::UnknownContentError)
        || (error >= QNetworkReply::InternalServerError
            && error <= QNetworkReply::UnknownServerError);
}

// Statuses whose replies never carry a body. Any other reply that arrived has one, even if
// it is empty, and the JSON parser judges it.
bool hasNoBody(int status)
{
    return status == 204 || status == 205 || status == 304;
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
{
    reply->setReadBufferSize(readBufferSize);
    connect(reply, &QNetworkReply::metaDataChanged, this, &GenerationTask::checkAnnouncedSize);
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
        return GenerationResult::failure(clientError(
            AIKaomojiGenerator::tooLargeErrorCode, QStringLiteral("Response too large")));
    const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const QNetworkReply::NetworkError error = m_reply->error();
    if (error != QNetworkReply::NoError && !(status.isValid() && isStatusError(error)))
        return GenerationResult::failure(
            { QStringLiteral("QNetworkReply"), int(error), m_reply->errorString() });
    if (!status.isValid() || hasNoBody(status.toInt()))
        return GenerationResult::failure(
            clientError(AIKaomojiGenerator::noDataErrorCode, QStringLiteral("No data received")));
    return AIKaomojiGenerator::resultFromBody(m_body);
}
