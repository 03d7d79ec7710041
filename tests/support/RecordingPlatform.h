#pragma once

#include "AppLifecycle.h"
#include "Clipboard.h"
#include "MainQueue.h"
#include "Paster.h"
#include "PlatformServices.h"
#include "PointerCursor.h"
#include "UrlOpener.h"

#include <QPointer>
#include <QStringList>
#include <QUrl>
#include <vector>

// Stands in for the desktop and writes down everything the window asks of it. Delayed steps
// wait until the test moves the clock on with advance(), so timing is exact and load-proof.
class RecordingPlatform final : public Clipboard,
                                public UrlOpener,
                                public PointerCursor,
                                public AppLifecycle,
                                public MainQueue,
                                public Paster {
public:
    PlatformServices services() { return { *this, *this, *this, *this, *this, *this }; }

    void copyText(const QString &text) override { copiedTexts.append(text); }
    void openUrl(const QUrl &url) override { openedUrls.append(url); }
    void pushPointingHand() override { ++cursorPushes; }
    void pop() override { ++cursorPops; }
    void quit() override { ++quitRequests; }
    QString problem() const override { return pasteProblem; }
    void paste() override { ++pastes; }
    void runAfter(int milliseconds, QObject *context, std::function<void()> step) override
    {
        m_steps.push_back({ m_now + milliseconds, m_sequence++, context, std::move(step) });
    }

    // Runs, in time order, every step due within the next `milliseconds`, also steps that
    // those steps schedule.
    void advance(int milliseconds)
    {
        const qint64 end = m_now + milliseconds;
        for (;;) {
            auto next = m_steps.end();
            for (auto it = m_steps.begin(); it != m_steps.end(); ++it) {
                if (it->due <= end
                    && (next == m_steps.end()
                        || std::pair(it->due, it->sequence) < std::pair(next->due, next->sequence)))
                    next = it;
            }
            if (next == m_steps.end())
                break;
            Step step = std::move(*next);
            m_steps.erase(next);
            m_now = step.due;
            if (step.context)
                step.run();
        }
        m_now = end;
    }

    QStringList copiedTexts;
    QList<QUrl> openedUrls;
    int cursorPushes = 0;
    int cursorPops = 0;
    int quitRequests = 0;
    QString pasteProblem; // what problem() answers
    int pastes = 0;

private:
    struct Step {
        qint64 due;
        qint64 sequence;
        QPointer<QObject> context;
        std::function<void()> run;
    };
    std::vector<Step> m_steps;
    qint64 m_now = 0;
    qint64 m_sequence = 0;
};
