#pragma once

#include "AIKaomojiGenerator.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QNetworkReply;

// Follows one generation request to its end: gathers the body while refusing oversized
// replies, ends the exchange at its time limit, applies the reply rules and posts the result
// to the UI thread once. Lives as a child of its reply, and both go away when the request is
// over.
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
    void endAtTimeLimit();
    void readBody();
    void refuseOversizedReply();
    void finish();
    GenerationResult result() const;

    QNetworkReply *m_reply;
    QPointer<QObject> m_context;
    bool m_hasContext;
    AIKaomojiGenerator::Completion m_completion;
    QTimer m_timeLimit;
    QByteArray m_body;
    bool m_timedOut = false;
    bool m_tooLarge = false;
    bool m_finished = false;
};
