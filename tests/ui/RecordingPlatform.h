#pragma once

#include "AppLifecycle.h"
#include "Clipboard.h"
#include "MainQueue.h"
#include "PlatformServices.h"
#include "PointerCursor.h"
#include "UrlOpener.h"

#include <QStringList>
#include <QTimer>
#include <QUrl>

// Stands in for the desktop and writes down everything the window asks of it.
class RecordingPlatform final : public Clipboard,
                                public UrlOpener,
                                public PointerCursor,
                                public AppLifecycle,
                                public MainQueue {
public:
    PlatformServices services() { return { *this, *this, *this, *this, *this }; }

    void copyText(const QString &text) override { copiedTexts.append(text); }
    void openUrl(const QUrl &url) override { openedUrls.append(url); }
    void pushPointingHand() override { ++cursorPushes; }
    void pop() override { ++cursorPops; }
    void quit() override { ++quitRequests; }
    void runAfter(int milliseconds, QObject *context, std::function<void()> step) override
    {
        QTimer::singleShot(milliseconds, context, std::move(step));
    }

    QStringList copiedTexts;
    QList<QUrl> openedUrls;
    int cursorPushes = 0;
    int cursorPops = 0;
    int quitRequests = 0;
};
