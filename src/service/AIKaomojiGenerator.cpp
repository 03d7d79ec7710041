#include "AIKaomojiGenerator.h"

#include "FaceText.h"
#include "GenerationTask.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QThread>

const QUrl &AIKaomojiGenerator::endpointURL()
{
    static const QUrl url(QStringLiteral(PELMORA_GENERATOR_URL), QUrl::StrictMode);
    return url;
}

namespace {

QPointer<QNetworkAccessManager> session;

// Runs while the application object still exists: Qt 6.4 warns when TLS connections close
// after it is gone, as they would if the session died with the object's other children.
void deleteSharedSession()
{
    delete session;
}

} // namespace

QNetworkAccessManager *AIKaomojiGenerator::sharedSession()
{
    Q_ASSERT(QThread::currentThread() == QCoreApplication::instance()->thread());
    // Owned by the application object so it never outlives it; a later application gets a
    // new one.
    if (!session) {
        session = new QNetworkAccessManager(QCoreApplication::instance());
        qAddPostRoutine(deleteSharedSession);
    }
    return session;
}

QNetworkRequest AIKaomojiGenerator::makeRequest(const QUrl &endpoint, int timeoutMilliseconds)
{
    QNetworkRequest request(endpoint);
    request.setRawHeader("Content-Type", "application/json");
    request.setAttribute(timeLimitAttribute, timeoutMilliseconds);
    return request;
}

QByteArray AIKaomojiGenerator::requestBody(const QString &prompt)
{
    return QJsonDocument(QJsonObject { { QStringLiteral("prompt"), prompt } })
        .toJson(QJsonDocument::Compact);
}

void AIKaomojiGenerator::generateKaomoji(
    const QString &prompt, QObject *context, Completion completion)
{
    generateKaomoji(makeRequest(), prompt, context, std::move(completion));
}

void AIKaomojiGenerator::generateKaomoji(
    const QNetworkRequest &request, const QString &prompt, QObject *context, Completion completion)
{
    Q_ASSERT(!context || context->thread() == QCoreApplication::instance()->thread());
    // Qt's JSON writer would quietly replace a lone surrogate; such a prompt is refused
    // instead of sending something the user did not type.
    if (!prompt.isValidUtf16()) {
        completion(GenerationResult::failure({ encodingErrorDomain, encodingErrorCode,
            QCoreApplication::translate(
                "AIKaomojiGenerator", "The prompt is not valid Unicode text") }));
        return;
    }
    // GenerationTask judges every redirect, whatever request the caller made.
    QNetworkRequest checked = request;
    checked.setAttribute(
        QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
    QNetworkReply *reply = sharedSession()->post(checked, requestBody(prompt));
    new GenerationTask(reply, context, std::move(completion));
}

GenerationResult AIKaomojiGenerator::resultFromBody(const QByteArray &body)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(body, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return GenerationResult::failure(
            { QStringLiteral("QJsonParseError"), int(parseError.error), parseError.errorString() });
    if (!document.isObject())
        return GenerationResult::failure({ errorDomain, notAnObjectErrorCode,
            QCoreApplication::translate(
                "AIKaomojiGenerator", "Failed to parse API response as JSON") });
    const QJsonObject reply = document.object();
    // A string "error" wins over a face; an error of any other type is not the service's.
    if (const QJsonValue error = reply.value(QStringLiteral("error")); error.isString())
        return GenerationResult::failure({ errorDomain, serviceErrorCode, error.toString() });
    const QJsonValue face = reply.value(QStringLiteral("kaomoji"));
    // A lone surrogate escaped in the JSON is no text at all: the reply is unreadable.
    if (!face.isString() || !face.toString().isValidUtf16())
        return GenerationResult::failure({ errorDomain, missingKaomojiErrorCode,
            QCoreApplication::translate("AIKaomojiGenerator", "Failed to parse API response") });
    if (const QString problem = FaceText::problem(face.toString()); !problem.isEmpty())
        return GenerationResult::failure({ errorDomain, unusableKaomojiErrorCode,
            QCoreApplication::translate(
                "AIKaomojiGenerator", "The generation service sent an unusable kaomoji. %1")
                .arg(problem) });
    return GenerationResult::success(face.toString());
}
