#include "GenerationRequest.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

namespace {

constexpr int badRequest = 400;
constexpr int payloadTooLarge = 413;

} // namespace

GenerationRequest::GenerationRequest(QString prompt, int status, QString errorMessage)
    : m_prompt(std::move(prompt))
    , m_status(status)
    , m_errorMessage(std::move(errorMessage))
{
}

GenerationRequest GenerationRequest::fromBody(const QByteArray &body)
{
    const auto failure = [](int status, const QString &message) {
        return GenerationRequest({}, status, message);
    };
    if (body.size() > largestBody) {
        return failure(payloadTooLarge,
            QStringLiteral("The request body is %1 bytes; at most %2 bytes (16 KiB) "
                           "are accepted.")
                .arg(body.size())
                .arg(largestBody));
    }
    if (body.trimmed().isEmpty()) {
        return failure(badRequest,
            QStringLiteral("The request body is empty; send a JSON object such as "
                           "{\"prompt\": \"happy cat\"}."));
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(body, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        return failure(badRequest,
            QStringLiteral("The request body is not valid JSON (%1 at byte %2).")
                .arg(parseError.errorString())
                .arg(parseError.offset));
    }
    if (!document.isObject()) {
        return failure(badRequest,
            QStringLiteral("The request body must be a JSON object with a string "
                           "\"prompt\", such as {\"prompt\": \"happy cat\"}."));
    }
    const QJsonValue prompt = document.object().value(QLatin1String("prompt"));
    if (prompt.isUndefined()) {
        return failure(badRequest,
            QStringLiteral("The request has no \"prompt\"; send a JSON object such as "
                           "{\"prompt\": \"happy cat\"}."));
    }
    if (!prompt.isString()) {
        return failure(badRequest, QStringLiteral("The \"prompt\" must be a string."));
    }
    const QString text = prompt.toString();
    if (text.trimmed().isEmpty()) {
        return failure(badRequest,
            QStringLiteral("The prompt is empty; describe the kaomoji you want, for "
                           "example \"sleepy cat\"."));
    }
    const auto length = text.toUcs4().size();
    if (length > longestPrompt) {
        return failure(badRequest,
            QStringLiteral("The prompt is %1 characters long; at most %2 characters "
                           "are allowed.")
                .arg(length)
                .arg(longestPrompt));
    }
    return GenerationRequest(text, 200, {});
}
