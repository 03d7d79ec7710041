#pragma once

#include "ItemFinder.h"
#include "KaomojiView.h"
#include "LoopbackHttpServer.h"
#include "RecordingPlatform.h"
#include "SettingsPreferences.h"

#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtQuickTest/quicktest.h>
#include <memory>

// The picker as the app makes it: the window state over the real store on a fresh preferences
// file, a recording desktop, and a generation service on loopback. show() puts the real views
// on a window (offscreen under the tests' platform); tests that link the QML modules use it.
struct PickerFixture {
    PickerFixture()
        : preferences(directory.filePath(QStringLiteral("Pelmora.conf")))
        , view(preferences, platform.services())
    {
        view.setGenerationEndpoint(service.url());
    }

    bool show()
    {
        static const bool software = [] {
            QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
            return true;
        }();
        Q_UNUSED(software);
        window = std::make_unique<QQuickView>();
        window->engine()->addImportPath(QStringLiteral("qrc:/qt/qml"));
        window->setResizeMode(QQuickView::SizeRootObjectToView);
        window->setInitialProperties({ { QStringLiteral("view"), QVariant::fromValue(&view) } });
        window->setSource(QUrl(QStringLiteral("qrc:/qt/qml/Pelmora/Main.qml")));
        if (window->status() != QQuickView::Ready) {
            qWarning() << window->errors();
            return false;
        }
        window->resize(300, 400);
        QSignalSpy drawn(window.get(), &QQuickWindow::frameSwapped);
        window->show();
        window->requestActivate();
        if (!QTest::qWaitForWindowActive(window.get()))
            return false;
        view.appear(); // as the app does when it opens the window
        // What lies past the first screen is built once the window has drawn.
        return QTest::qWaitFor([&] { return !drawn.isEmpty(); })
            && QQuickTest::qWaitForPolish(window.get());
    }

    QQuickItem *item(
        const QString &objectName, const char *property = nullptr, const QVariant &value = {}) const
    {
        return ItemFinder::find(window->contentItem(), objectName, property, value);
    }

    KaomojiData &store() { return view.kaomojiData(); }

    QTemporaryDir directory;
    SettingsPreferences preferences;
    RecordingPlatform platform;
    LoopbackHttpServer service;
    KaomojiView view;
    std::unique_ptr<QQuickView> window;
};
