#pragma once

#include "KaomojiView.h"
#include "RecordingPlatform.h"
#include "SettingsPreferences.h"

#include <QTemporaryDir>
#include <QUrl>

// One window as the app makes it, with a recording desktop and the real store on a fresh
// preferences file of its own.
struct TestWindow {
    explicit TestWindow(const QUrl &generationEndpoint)
        : preferences(directory.filePath(QStringLiteral("Pelmora.conf")))
        , view(preferences, platform.services())
    {
        view.setGenerationEndpoint(generationEndpoint);
    }

    QTemporaryDir directory;
    SettingsPreferences preferences;
    RecordingPlatform platform;
    KaomojiView view;
};
