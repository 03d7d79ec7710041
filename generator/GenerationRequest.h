#pragma once

#include <QByteArray>
#include <QString>

// One request to the generation service, read from its body: either the prompt, or the
// status and message of why it cannot be served.
class GenerationRequest {
public:
    static constexpr qsizetype largestBody = 16 * 1024;
    static constexpr int longestPrompt = 500; // in characters (code points)

    static GenerationRequest fromBody(const QByteArray &body);

    bool isValid() const { return m_status == 200; }
    const QString &prompt() const { return m_prompt; }
    // 200 for a valid request, else the HTTP status to answer with.
    int status() const { return m_status; }
    // Empty for a valid request, else a message for the person who sent it.
    const QString &errorMessage() const { return m_errorMessage; }

private:
    GenerationRequest(QString prompt, int status, QString errorMessage);

    QString m_prompt;
    int m_status;
    QString m_errorMessage;
};
