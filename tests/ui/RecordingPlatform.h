#pragma once

#include "AppLifecycle.h"
#include "Clipboard.h"
#include "PlatformServices.h"
#include "PointerCursor.h"
#include "UrlOpener.h"

#include <QStringList>
#include <QUrl>

// Stands in for the desktop and writes down everything the window asks of it.
class RecordingPlatform final : public Clipboard,
                                public UrlOpener,
                                public PointerCursor,
                                public AppLifecycle {
public:
    PlatformServices services() { return { *this, *this, *this, *this }; }

    void copyText(const QString &text) override { copiedTexts.append(text); }
    void openUrl(const QUrl &url) override { openedUrls.append(url); }
    void pushPointingHand() override { ++cursorPushes; }
    void pop() override { ++cursorPops; }
    void quit() override { ++quitRequests; }

    QStringList copiedTexts;
    QList<QUrl> openedUrls;
    int cursorPushes = 0;
    int cursorPops = 0;
    int quitRequests = 0;
};
