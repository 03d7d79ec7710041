#pragma once

#include "GenerationResult.h"

#include <QNetworkRequest>
#include <QString>
#include <QUrl>
#include <functional>

class QByteArray;
class QNetworkAccessManager;
class QObject;

// Asks the generation service to invent one emoticon from a short prompt. There are no
// instances and no state: one request per call, and the result comes back through the
// completion.
class AIKaomojiGenerator final {
public:
    using Completion = std::function<void(const GenerationResult &)>;

    static inline const QString errorDomain = QStringLiteral("AIKaomojiGenerator");
    static constexpr int notAnObjectErrorCode = 2;
    static constexpr int serviceErrorCode = 2;
    static constexpr int missingKaomojiErrorCode = 3;
    static constexpr int tooLargeErrorCode = 4;
    static constexpr int timedOutErrorCode = 5;
    static constexpr int redirectRefusedErrorCode = 6;
    static constexpr int unusableKaomojiErrorCode = 7;

    static inline const QString encodingErrorDomain = QStringLiteral("QStringConverter");
    static constexpr int encodingErrorCode = 1;

    // The whole exchange, from sending the prompt to the last byte of the reply, must fit in
    // this; a service that trickles its reply gains no more time than a silent one.
    static constexpr int requestTimeoutMilliseconds = 60000;
    // Where makeRequest() keeps the time limit for the request's own GenerationTask.
    static constexpr auto timeLimitAttribute =
        QNetworkRequest::Attribute(QNetworkRequest::User + 1);
    // A reply body beyond this is refused without reading the rest.
    static constexpr qint64 maximumReplySize = 1024 * 1024;

    AIKaomojiGenerator() = delete;

    // The service's address, fixed when Pelmora is configured.
    static const QUrl &endpointURL();

    // Sends `prompt` unchanged to endpointURL(). The completion runs exactly once, later, on
    // the UI thread, and not at all once `context` (when given) has been destroyed. Only a
    // prompt that is not valid Unicode fails at once, before this returns, and sends nothing.
    // A redirect is followed only within the endpoint's origin (scheme, host and port): the
    // prompt is the user's words, and only the configured service may see it or answer it.
    // Call on the UI thread.
    static void generateKaomoji(const QString &prompt, QObject *context, Completion completion);
    // The same with a request of the caller's making, for another address or time limit.
    static void generateKaomoji(const QNetworkRequest &request, const QString &prompt,
        QObject *context, Completion completion);

    // The request the app posts: JSON content type and a limit on the whole exchange.
    static QNetworkRequest makeRequest(
        const QUrl &endpoint = endpointURL(), int timeoutMilliseconds = requestTimeoutMilliseconds);
    static QByteArray requestBody(const QString &prompt);
    // Reads a reply body that arrived: the service's face, its error, or why it is unreadable.
    static GenerationResult resultFromBody(const QByteArray &body);

    // One manager for the whole process, owned by the application object.
    static QNetworkAccessManager *sharedSession();
};
