#pragma once

#include "AIKaomojiGenerator.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

class QNetworkReply;

// Follows one generation request to its end: gathers the body while refusing oversized
// replies, follows redirects only within the endpoint's origin, ends the exchange at its time
// limit, applies the reply rules and posts the result to the UI thread once. Lives as a child
// of its reply, and both go away when the request is over.
class GenerationTask final : public QObject {
    Q_OBJECT

public:
    GenerationTask(
        QNetworkReply *reply, QObject *context, AIKaomojiGenerator::Completion completion);

    // Posts `result` to the UI thread, unless `context` was given and is gone by then.
    static void post(
        QObject *context, AIKaomojiGenerator::Completion completion, GenerationResult result);

private:
    void checkAnnouncedSize();
    void checkRedirect(const QUrl &target);
    void endAtTimeLimit();
    void readBody();
    void refuseOversizedReply();
    void finish();
    GenerationResult result() const;

    QNetworkReply *m_reply;
    QPointer<QObject> m_context;
    bool m_hasContext;
    AIKaomojiGenerator::Completion m_completion;
    QUrl m_endpoint;
    QTimer m_timeLimit;
    QByteArray m_body;
    // Where a redirect refused by checkRedirect() pointed.
    QUrl m_refusedRedirect;
    bool m_timedOut = false;
    bool m_tooLarge = false;
    bool m_finished = false;
};
