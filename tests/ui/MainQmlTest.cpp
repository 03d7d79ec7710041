#include "GenerationServer.h"
#include "KaomojiData.h"
#include "TestWindow.h"

#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QSignalSpy>
#include <QTest>
#include <QtQml/qqmlextensionplugin.h>
#include <memory>

Q_IMPORT_QML_PLUGIN(PelmoraPlugin)

// The window content as the app loads it, driven by keys and clicks.
class MainQmlTest : public QObject {
    Q_OBJECT

private:
    GenerationServer m_server;
    std::unique_ptr<TestWindow> m_window;
    std::unique_ptr<QQuickView> m_quickView;

    KaomojiView &view() { return m_window->view; }
    QQuickItem *root() { return m_quickView->rootObject(); }
    // Delegates are not QObject children of the root, so the search walks the item tree.
    static QQuickItem *findItem(QQuickItem *parent, const QString &name)
    {
        for (QQuickItem *child : parent->childItems()) {
            if (child->objectName() == name)
                return child;
            if (QQuickItem *found = findItem(child, name))
                return found;
        }
        return nullptr;
    }
    QQuickItem *item(const char *name) { return findItem(root(), QString::fromUtf8(name)); }

    void type(const char *text)
    {
        for (const char *key = text; *key; ++key)
            QTest::keyClick(m_quickView.get(), *key);
    }

private slots:
    void initTestCase() { QVERIFY(m_server.listen()); }

    void init()
    {
        m_server.reset();
        m_window = std::make_unique<TestWindow>(m_server.endpoint());
        m_quickView = std::make_unique<QQuickView>();
        m_quickView->engine()->addImportPath(QStringLiteral("qrc:/qt/qml"));
        m_quickView->setInitialProperties({ { "view", QVariant::fromValue(&view()) } });
        m_quickView->setSource(QUrl(QStringLiteral("qrc:/qt/qml/Pelmora/Main.qml")));
        QVERIFY2(
            m_quickView->errors().isEmpty(), qPrintable(m_quickView->errors().value(0).toString()));
        QCOMPARE(m_quickView->status(), QQuickView::Ready);
        m_quickView->show();
        m_quickView->requestActivate();
        QVERIFY(QTest::qWaitForWindowActive(m_quickView.get()));
    }

    void cleanup()
    {
        m_quickView.reset();
        m_window.reset();
    }

    void contentIsFixedSizeAndFadesInOnAppearance()
    {
        QCOMPARE(root()->width(), 300.0);
        QCOMPARE(root()->height(), 400.0);
        QCOMPARE(root()->opacity(), 0.0);
        view().appear();
        QVERIFY(root()->opacity() < 1.0); // animated, not at once
        QTRY_COMPARE(root()->opacity(), 1.0);
    }

    void typingSearchesAndReturnGenerates()
    {
        QQuickItem *search = item("searchField");
        QVERIFY(search);
        search->forceActiveFocus();
        type("cat");
        QCOMPARE(view().searchText(), QStringLiteral("cat"));
        auto *results = item("results");
        QTRY_COMPARE(results->property("count").toInt(), view().sections()->rowCount());

        QSignalSpy received(&m_server, &GenerationServer::requestReceived);
        QTest::keyClick(m_quickView.get(), Qt::Key_Return);
        QVERIFY(view().isGeneratingAI());
        QVERIFY(received.wait());
        QCOMPARE(m_server.prompts().last(), QStringLiteral("cat"));
        QTRY_COMPARE(search->property("text").toString(), QString());
    }

    void wandOpensTheFormAndFocusesTheFaceField()
    {
        view().wandAction();
        QQuickItem *face = item("newFaceField");
        QVERIFY(face);
        QTRY_VERIFY(face->hasActiveFocus());
        type("(o_o)");
        QCOMPARE(view().newFace(), QStringLiteral("(o_o)"));

        view().submitCustomForm();
        QTRY_VERIFY(item("searchField")->hasActiveFocus());
        QCOMPARE(view().kaomojiData().customKaomojis().first().face(), QStringLiteral("(o_o)"));
    }

    void clickingATileCopiesAndShowsTheBanner()
    {
        QQuickItem *tile = item("tile");
        QVERIFY(tile);
        const QString face = tile->property("face").toString();
        const QPointF centre = tile->mapToScene({ tile->width() / 2, tile->height() / 2 });
        QTest::mouseClick(m_quickView.get(), Qt::LeftButton, {}, centre.toPoint());
        QCOMPARE(m_window->platform.copiedTexts, QStringList { face });
        QQuickItem *banner = item("copiedBanner");
        QVERIFY(banner->isVisible());
        QCOMPARE(banner->property("text").toString(), QStringLiteral("Copied: ") + face);
    }

    void escapeAsksToHide()
    {
        QSignalSpy dismissed(&view(), &KaomojiView::dismissRequested);
        QTest::keyClick(m_quickView.get(), Qt::Key_Escape);
        QCOMPARE(dismissed.count(), 1);
    }

    // The offscreen platform binds no key to Quit (X11 binds Ctrl+Q), so the shortcut is
    // checked for its standard key and then fired.
    void quitShortcutQuits()
    {
        QObject *shortcut = root()->findChild<QObject *>(QStringLiteral("quitShortcut"));
        QVERIFY(shortcut);
        QCOMPARE(shortcut->property("sequence").toInt(), int(QKeySequence::Quit));
        if (!QKeySequence::keyBindings(QKeySequence::Quit).isEmpty())
            QTest::keySequence(m_quickView.get(), QKeySequence::Quit);
        else
            QVERIFY(QMetaObject::invokeMethod(shortcut, "activated"));
        QCOMPARE(m_window->platform.quitRequests, 1);
    }
};

QTEST_MAIN(MainQmlTest)
#include "MainQmlTest.moc"
