#include "GenerationServer.h"
#include "KaomojiCategories.h"
#include "KaomojiData.h"
#include "TestWindow.h"

#include <QColor>
#include <QGuiApplication>
#include <QPalette>
#include <QPointer>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QSignalSpy>
#include <QTest>
#include <QtQml/qqmlextensionplugin.h>
#include <QtQuickTest/quicktest.h>
#include <algorithm>
#include <functional>
#include <memory>

Q_IMPORT_QML_PLUGIN(PelmoraPlugin)
Q_IMPORT_QML_PLUGIN(Pelmora_LayoutPlugin)

// The picker window as the user meets it: the real views on a real (offscreen) window, driven
// by mouse and keyboard events, over the real window state and store with a recording desktop
// and a temporary preferences file.
class KaomojiWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void fadesInAndFocusesTheSearchField();
    void clickCopiesFlashesAndShowsTheBanner();
    void clickInRecentlyUsedLeavesTheListAlone();
    void tilesThatStayKeepTheirDelegates();
    void chipsToggleAndCustomChipFollowsTheCustomList();
    void wandButtonLooks();
    void formAddsAFaceAndShowsErrors();
    void emptyStateAndSectionsWithoutChip();
    void deleteOnlyInTheCustomSection();
    void clearOnlyInRecentlyUsed();
    void onlyTheNewestGeneratedKaomojiSparkles();
    void facesAreShownAsPlainText();
    void hoverPushesAndPopsThePointingHandOnce();
    void keyboardReachesEverything();
    void menuOffersDonateAndQuit();

private:
    QQuickItem *root() const { return m_window->rootObject(); }
    QList<QQuickItem *> items(const QString &objectName) const;
    QQuickItem *item(const QString &objectName) const;
    QQuickItem *tile(const QString &sectionName, const QString &face) const;
    QList<QQuickItem *> tiles(const QString &sectionName) const;
    QQuickItem *section(const QString &name) const;
    QQuickItem *chip(const QString &category) const;
    void click(QQuickItem *target, Qt::MouseButton button = Qt::LeftButton);
    void addCustomFace(const QString &face);
    void search(const QString &text);
    void typeText(const QByteArray &text);

    GenerationServer m_server;
    std::unique_ptr<TestWindow> m_state;
    std::unique_ptr<QQuickView> m_window;
    KaomojiView *m_view = nullptr;
    RecordingPlatform *m_platform = nullptr;
};

static const QColor blue("#0a84ff");

static bool isShown(const QQuickItem *item)
{
    return item && item->isVisible() && item->opacity() > 0;
}

void KaomojiWindowTest::initTestCase()
{
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QVERIFY(m_server.listen());
}

void KaomojiWindowTest::init()
{
    m_server.reset();
    m_state = std::make_unique<TestWindow>(m_server.endpoint());
    m_view = &m_state->view;
    m_platform = &m_state->platform;

    m_window = std::make_unique<QQuickView>();
    m_window->engine()->addImportPath(QStringLiteral("qrc:/qt/qml"));
    m_window->setResizeMode(QQuickView::SizeRootObjectToView);
    m_window->setInitialProperties({ { "view", QVariant::fromValue(m_view) } });
    m_window->setSource(QUrl(QStringLiteral("qrc:/qt/qml/Pelmora/Main.qml")));
    QVERIFY2(m_window->errors().isEmpty(), qPrintable(m_window->errors().value(0).toString()));
    QCOMPARE(m_window->status(), QQuickView::Ready);
    m_window->resize(300, 400);
    m_window->show();
    m_window->requestActivate();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    // As the app does when it opens the window.
    m_view->appear();
    QVERIFY(QQuickTest::qWaitForPolish(m_window.get()));
}

void KaomojiWindowTest::cleanup()
{
    m_window.reset();
    m_state.reset();
}

static QList<QQuickItem *> descendants(QQuickItem *ancestor, const QString &objectName)
{
    QList<QQuickItem *> found;
    const std::function<void(QQuickItem *)> visit = [&](QQuickItem *parent) {
        for (QQuickItem *child : parent->childItems()) {
            if (child->objectName() == objectName)
                found.append(child);
            visit(child);
        }
    };
    visit(ancestor);
    return found;
}

QList<QQuickItem *> KaomojiWindowTest::items(const QString &objectName) const
{
    return descendants(m_window->contentItem(), objectName);
}

QQuickItem *KaomojiWindowTest::item(const QString &objectName) const
{
    const QList<QQuickItem *> found = items(objectName);
    return found.isEmpty() ? nullptr : found.first();
}

QList<QQuickItem *> KaomojiWindowTest::tiles(const QString &sectionName) const
{
    QList<QQuickItem *> found;
    for (QQuickItem *candidate : items("tile")) {
        if (candidate->property("sectionName").toString() == sectionName)
            found.append(candidate);
    }
    return found;
}

QQuickItem *KaomojiWindowTest::tile(const QString &sectionName, const QString &face) const
{
    for (QQuickItem *candidate : tiles(sectionName)) {
        if (candidate->property("face").toString() == face)
            return candidate;
    }
    return nullptr;
}

QQuickItem *KaomojiWindowTest::section(const QString &name) const
{
    for (QQuickItem *candidate : items("resultSection")) {
        if (candidate->property("name").toString() == name && candidate->isVisible())
            return candidate;
    }
    return nullptr;
}

QQuickItem *KaomojiWindowTest::chip(const QString &category) const
{
    for (QQuickItem *candidate : items("categoryButton")) {
        if (candidate->property("category").toString() == category)
            return candidate;
    }
    return nullptr;
}

void KaomojiWindowTest::click(QQuickItem *target, Qt::MouseButton button)
{
    QVERIFY(target);
    const QPointF centre = target->mapToScene(QPointF(target->width() / 2, target->height() / 2));
    QTest::mouseClick(m_window.get(), button, {}, centre.toPoint());
}

void KaomojiWindowTest::addCustomFace(const QString &face)
{
    m_view->setNewFace(face);
    m_view->submitCustomForm();
    QVERIFY(QQuickTest::qWaitForPolish(m_window.get()));
}

void KaomojiWindowTest::search(const QString &text)
{
    m_view->setSearchText(text);
    QVERIFY(QQuickTest::qWaitForPolish(m_window.get()));
}

void KaomojiWindowTest::typeText(const QByteArray &text)
{
    for (const char character : text)
        QTest::keyClick(m_window.get(), character);
}

void KaomojiWindowTest::fadesInAndFocusesTheSearchField()
{
    QVERIFY(m_view->isVisible());
    QTRY_COMPARE(root()->opacity(), 1.0);
    QCOMPARE(root()->size(), QSizeF(300, 400));
    QTRY_COMPARE(m_window->activeFocusItem(), item("searchField"));
    QCOMPARE(m_view->focusedField(), KaomojiView::Search);

    // Typing goes into the view's search text, keystroke by keystroke.
    typeText("ca");
    QCOMPARE(m_view->searchText(), QStringLiteral("ca"));
}

void KaomojiWindowTest::clickCopiesFlashesAndShowsTheBanner()
{
    QQuickItem *joyTile = tiles("Joy").value(0);
    QVERIFY(joyTile);
    const QString face = joyTile->property("face").toString();
    QQuickItem *background = joyTile->findChild<QQuickItem *>("tileBackground");
    QVERIFY(background);
    QVERIFY(background->property("color").value<QColor>() != blue);

    click(joyTile);
    QCOMPARE(m_platform->copiedTexts, QStringList { face });
    QVERIFY(joyTile->property("flashing").toBool());
    QTRY_COMPARE(background->property("color").value<QColor>(), blue);
    QTRY_VERIFY(isShown(item("copiedBanner")));
    QCOMPARE(item("copiedText")->property("text").toString(), "Copied: " + face);

    // The flash ends after 0.3 s and the tile fades back; the banner stays for 2.0 s.
    QTRY_VERIFY(!joyTile->property("flashing").toBool());
    QTRY_VERIFY(background->property("color").value<QColor>() != blue);
    QVERIFY(isShown(item("copiedBanner")));
    QTRY_VERIFY_WITH_TIMEOUT(!isShown(item("copiedBanner")), 4000);
    QVERIFY(!m_view->hasCopiedKaomoji());

    // The use was recorded: the face heads a new "Recently Used" section.
    QTRY_VERIFY(tile(KaomojiCategories::recentlyUsed, face));
    QCOMPARE(tiles(KaomojiCategories::recentlyUsed).size(), 1);
}

void KaomojiWindowTest::clickInRecentlyUsedLeavesTheListAlone()
{
    const QList<QQuickItem *> joy = tiles("Joy");
    QVERIFY(joy.size() >= 2);
    const QString first = joy[0]->property("face").toString();
    const QString second = joy[1]->property("face").toString();
    click(joy[0]);
    click(joy[1]);
    QTRY_COMPARE(tiles(KaomojiCategories::recentlyUsed).size(), 2);
    const KaomojiList before = m_view->kaomojiData().recentlyUsedKaomojis();
    QCOMPARE(before.first().face(), second);

    click(tile(KaomojiCategories::recentlyUsed, first));
    QCOMPARE(m_platform->copiedTexts.last(), first);
    QCOMPARE(m_view->kaomojiData().recentlyUsedKaomojis(), before);
    QTRY_VERIFY(isShown(item("copiedBanner")));
    QCOMPARE(item("copiedText")->property("text").toString(), "Copied: " + first);
}

void KaomojiWindowTest::tilesThatStayKeepTheirDelegates()
{
    QQuickItem *joySection = section("Joy");
    QVERIFY(joySection);
    QList<QPointer<QQuickItem>> joyTiles;
    for (QQuickItem *joyTile : tiles("Joy"))
        joyTiles.append(joyTile);
    QVERIFY(joyTiles.size() > 5);

    click(joyTiles[3]);
    QTRY_VERIFY(section(KaomojiCategories::recentlyUsed));
    QCOMPARE(section("Joy"), joySection);
    const QList<QQuickItem *> after = tiles("Joy");
    QCOMPARE(after.size(), joyTiles.size());
    for (int index = 0; index < joyTiles.size(); ++index) {
        QVERIFY(joyTiles[index]);
        QVERIFY(after.contains(joyTiles[index].data()));
    }
}

void KaomojiWindowTest::chipsToggleAndCustomChipFollowsTheCustomList()
{
    QQuickItem *joy = chip("Joy");
    QVERIFY(joy);
    QVERIFY(!chip("Custom")->isVisible());
    const QQuickItem *firstVisible = nullptr;
    for (QQuickItem *candidate : items("categoryButton")) {
        if (candidate->isVisible()) {
            firstVisible = candidate;
            break;
        }
    }
    QCOMPARE(firstVisible, joy);

    const QRectF joyPlace(joy->position(), joy->size());
    QQuickItem *joyBackground = joy->findChild<QQuickItem *>("chipBackground");
    click(joy);
    QCOMPARE(m_view->selectedCategories(), QStringList { "Joy" });
    QTRY_COMPARE(joy->property("selectionScale").toReal(), 1.1);
    QCOMPARE(joyBackground->width(), joy->width() * 1.1);
    QTRY_COMPARE(joyBackground->property("color").value<QColor>(),
        QGuiApplication::palette().color(QPalette::Highlight));
    // Growing does not push the other chips aside.
    QCOMPARE(QRectF(joy->position(), joy->size()), joyPlace);
    QVERIFY(section("Joy"));
    QVERIFY(!section("Love"));

    click(joy);
    QVERIFY(m_view->selectedCategories().isEmpty());
    QTRY_COMPARE(joy->property("selectionScale").toReal(), 1.0);
    // A right click is no click.
    click(joy, Qt::RightButton);
    QVERIFY(m_view->selectedCategories().isEmpty());

    addCustomFace("(o_o)");
    QTRY_VERIFY(chip("Custom")->isVisible());
    QVERIFY(chip("Custom")->x() < joy->x());
    click(chip("Custom"));
    QCOMPARE(m_view->selectedCategories(), QStringList { "Custom" });

    // Deleting the last custom kaomoji takes the chip away and drops it from the selection.
    m_view->deleteKaomoji(m_view->kaomojiData().customKaomojis().first().id().toString());
    QTRY_VERIFY(!chip("Custom")->isVisible());
    QVERIFY(m_view->selectedCategories().isEmpty());
}

void KaomojiWindowTest::wandButtonLooks()
{
    QQuickItem *wand = item("wandButton");
    QQuickItem *symbol = item("wandSymbol");
    QQuickItem *busy = item("wandBusyIndicator");
    QQuickItem *background = item("wandBackground");
    QCOMPARE(symbol->property("name").toString(), QStringLiteral("plus"));
    QVERIFY(symbol->property("valid").toBool());
    // The symbol is drawn in the text colour: the middle of the plus is the primary colour.
    QTRY_COMPARE(root()->opacity(), 1.0);
    const QPoint middle = symbol->mapToScene(QPointF(8, 8)).toPoint();
    QCOMPARE(m_window->grabWindow().pixelColor(middle),
        QGuiApplication::palette().color(QPalette::WindowText));
    QCOMPARE(wand->size(), QSizeF(32, 32));
    QVERIFY(background->property("color").value<QColor>() != blue);

    click(wand);
    QVERIFY(m_view->showingCustomForm());
    QCOMPARE(symbol->property("name").toString(), QStringLiteral("xmark"));

    m_server.setHolding(true);
    QSignalSpy requests(&m_server, &GenerationServer::requestReceived);
    search("cat");
    QCOMPARE(symbol->property("name").toString(), QStringLiteral("wand.and.stars"));
    QCOMPARE(background->property("color").value<QColor>(), blue);
    QVERIFY(wand->isEnabled());
    QVERIFY(!busy->isVisible());

    click(wand);
    QVERIFY(m_view->isGeneratingAI());
    QVERIFY(m_view->showingCustomForm());
    QVERIFY(busy->isVisible());
    QCOMPARE(busy->scale(), 0.5);
    QVERIFY(!symbol->isVisible());
    QVERIFY(!wand->isEnabled());
    QVERIFY(requests.wait());
    QCOMPARE(m_server.prompts().last(), QStringLiteral("cat"));

    m_server.release(0, R"j({"kaomoji":"(=^･ω･^=)"})j");
    QTRY_VERIFY(!m_view->isGeneratingAI());
    QVERIFY(wand->isEnabled());
    // Success empties the search text, so the wand closes the form again.
    QCOMPARE(symbol->property("name").toString(), QStringLiteral("xmark"));
    QVERIFY(symbol->isVisible());
}

void KaomojiWindowTest::formAddsAFaceAndShowsErrors()
{
    QVERIFY(!isShown(item("customKaomojiForm")));
    click(item("wandButton"));
    QTRY_VERIFY(isShown(item("customKaomojiForm")));
    QQuickItem *form = item("customKaomojiForm");
    QQuickItem *add = item("addButton");
    QCOMPARE(form->height(), 70.0);
    QVERIFY(!add->isEnabled());
    QTRY_COMPARE(m_window->activeFocusItem(), item("newFaceField"));

    typeText("(o_o) ");
    QCOMPARE(m_view->newFace(), QStringLiteral("(o_o) "));
    QVERIFY(add->isEnabled());
    // Return in the form's fields neither adds nor generates.
    QTest::keyClick(m_window.get(), Qt::Key_Return);
    QVERIFY(m_view->kaomojiData().customKaomojis().isEmpty());

    click(add);
    QCOMPARE(m_view->kaomojiData().customKaomojis().size(), 1);
    QCOMPARE(m_view->kaomojiData().customKaomojis().first().face(), QStringLiteral("(o_o) "));
    QVERIFY(!m_view->showingCustomForm());
    QTRY_VERIFY(!isShown(item("customKaomojiForm")));
    QTRY_COMPARE(m_window->activeFocusItem(), item("searchField"));
    QTRY_VERIFY(tile("Custom", "(o_o) "));

    // A failed generation shows its message in red below the rows; the form grows to 90.
    m_server.setReplyBody(R"j({"error":"The service is resting"})j");
    click(item("wandButton"));
    QTRY_COMPARE(item("formArea")->property("reveal").toReal(), 1.0);
    form = item("customKaomojiForm");
    QQuickItem *generate = item("generateButton");
    QVERIFY(!generate->isEnabled());
    QQuickItem *prompt = item("aiPromptField");
    click(prompt);
    typeText("tea");
    QCOMPARE(m_view->searchText(), QStringLiteral("tea"));
    QCOMPARE(item("searchField")->property("text").toString(), QStringLiteral("tea"));
    QVERIFY(generate->isEnabled());
    click(generate);
    QTRY_VERIFY(m_view->hasAIError());
    QQuickItem *error = item("aiErrorText");
    QTRY_VERIFY(error->isVisible());
    QCOMPARE(error->property("text").toString(), m_view->aiError());
    QCOMPARE(error->property("textFormat").toInt(), int(Qt::PlainText));
    QCOMPARE(error->property("color").value<QColor>(), QColor("#e5484d"));
    QCOMPARE(form->height(), 90.0);
}

void KaomojiWindowTest::emptyStateAndSectionsWithoutChip()
{
    QQuickItem *emptyState = item("emptyStateView");
    QVERIFY(!emptyState->isVisible());
    QVERIFY(item("results")->isVisible());

    search("zzqqxxnothing");
    QVERIFY(emptyState->isVisible());
    QVERIFY(!item("results")->isVisible());
    QCOMPARE(emptyState->y(), 48.0);

    // "Embarrassment" has no chip, so it never gets a section, even when it matches.
    search("embarrassed");
    QVERIFY(!emptyState->isVisible());
    QVERIFY(!section("Embarrassment"));
    for (QQuickItem *candidate : items("tile"))
        QVERIFY(candidate->property("sectionName").toString() != "Embarrassment");
}

void KaomojiWindowTest::deleteOnlyInTheCustomSection()
{
    addCustomFace("(o_o)");
    QTRY_VERIFY(tile("Custom", "(o_o)"));

    click(tiles("Joy").value(0), Qt::RightButton);
    QVERIFY(!item("deleteItem"));
    // A right click opens the menu and does nothing else.
    QVERIFY(m_platform->copiedTexts.isEmpty());

    click(tile("Custom", "(o_o)"), Qt::RightButton);
    QTRY_VERIFY(isShown(item("deleteItem")));
    QCOMPARE(item("deleteItem")->property("text").toString(), QStringLiteral("Delete"));
    click(item("deleteItem"));
    QVERIFY(m_view->kaomojiData().customKaomojis().isEmpty());
    QTRY_VERIFY(!section("Custom"));
}

void KaomojiWindowTest::clearOnlyInRecentlyUsed()
{
    click(tiles("Joy").value(0));
    QTRY_VERIFY(section(KaomojiCategories::recentlyUsed));
    int shownClearButtons = 0;
    for (QQuickItem *button : items("clearButton")) {
        if (!button->isVisible())
            continue;
        ++shownClearButtons;
        QCOMPARE(button->parentItem()->parentItem(), section(KaomojiCategories::recentlyUsed));
    }
    QCOMPARE(shownClearButtons, 1);

    QQuickItem *clear =
        section(KaomojiCategories::recentlyUsed)->findChild<QQuickItem *>("clearButton");
    click(clear);
    QVERIFY(m_view->kaomojiData().recentlyUsedKaomojis().isEmpty());
    QTRY_VERIFY(!section(KaomojiCategories::recentlyUsed));
}

void KaomojiWindowTest::onlyTheNewestGeneratedKaomojiSparkles()
{
    m_view->kaomojiData().addAIKaomoji("(older)");
    m_view->kaomojiData().addAIKaomoji("(newer)");
    addCustomFace("(typed)");
    QTRY_VERIFY(tile("Custom", "(typed)"));
    const auto effectOf = [this](const QString &face) {
        return descendants(tile("Custom", face), "sparkleEffect").value(0);
    };
    QVERIFY(!effectOf("(older)"));
    QVERIFY(!effectOf("(typed)"));
    QQuickItem *effect = effectOf("(newer)");
    QVERIFY(effect);
    QCOMPARE(effect->opacity(), 0.7);
    QCOMPARE(effect->size(), tile("Custom", "(newer)")->size());
    const QList<QQuickItem *> stars = descendants(effect, "sparkle");
    QCOMPARE(stars.size(), 15);
    QVERIFY(stars.first()->property("valid").toBool());

    // The stars twinkle while the window is shown, and everything stops while it is hidden.
    QVERIFY(effect->property("running").toBool());
    QTRY_VERIFY(std::any_of(
        stars.cbegin(), stars.cend(), [](const QQuickItem *star) { return star->opacity() > 0; }));
    m_window->hide();
    QVERIFY(!effect->property("running").toBool());
    m_window->show();
    QVERIFY(effect->property("running").toBool());

    // A use outside "Recently Used" ends the sparkle.
    click(tiles("Joy").value(0));
    QTRY_VERIFY(!effectOf("(newer)"));
}

void KaomojiWindowTest::facesAreShownAsPlainText()
{
    const QString face = QStringLiteral("<b>(^_^)</b>");
    addCustomFace(face);
    QTRY_VERIFY(tile("Custom", face));
    QQuickItem *text = tile("Custom", face)->findChild<QQuickItem *>("faceText");
    QCOMPARE(text->property("text").toString(), face);
    QCOMPARE(text->property("textFormat").toInt(), int(Qt::PlainText));

    click(tile("Custom", face));
    QTRY_VERIFY(isShown(item("copiedBanner")));
    QCOMPARE(item("copiedText")->property("text").toString(), "Copied: " + face);
    QCOMPARE(item("copiedText")->property("textFormat").toInt(), int(Qt::PlainText));
    QCOMPARE(m_platform->copiedTexts, QStringList { face });
}

void KaomojiWindowTest::hoverPushesAndPopsThePointingHandOnce()
{
    QQuickItem *joyTile = tiles("Joy").value(0);
    const QPoint inside = joyTile->mapToScene(QPointF(5, 5)).toPoint();
    QTest::mouseMove(m_window.get(), QPoint(150, 2));
    QTest::mouseMove(m_window.get(), inside);
    QTRY_COMPARE(m_platform->cursorPushes, 1);
    QTest::mouseMove(m_window.get(), inside + QPoint(1, 1));
    QTest::mouseMove(m_window.get(), QPoint(150, 2));
    QTRY_COMPARE(m_platform->cursorPops, 1);
    QCOMPARE(m_platform->cursorPushes, 1);

    QTest::mouseMove(m_window.get(), chip("Joy")->mapToScene(QPointF(5, 5)).toPoint());
    QTRY_COMPARE(m_platform->cursorPushes, 2);
    QTest::mouseMove(m_window.get(), QPoint(150, 2));
    QTRY_COMPARE(m_platform->cursorPops, 2);
}

void KaomojiWindowTest::keyboardReachesEverything()
{
    QTRY_COMPARE(m_window->activeFocusItem(), item("searchField"));
    QTest::keyClick(m_window.get(), Qt::Key_Tab);
    QCOMPARE(m_window->activeFocusItem(), item("wandButton"));
    QTest::keyClick(m_window.get(), Qt::Key_Tab);
    QCOMPARE(m_window->activeFocusItem(), item("menuButton"));
    QTest::keyClick(m_window.get(), Qt::Key_Tab);
    QCOMPARE(m_window->activeFocusItem(), chip("Joy"));
    QVERIFY(chip("Joy")->property("visualFocus").toBool());

    QTest::keyClick(m_window.get(), Qt::Key_Space);
    QCOMPARE(m_view->selectedCategories(), QStringList { "Joy" });
    QTest::keyClick(m_window.get(), Qt::Key_Return);
    QVERIFY(m_view->selectedCategories().isEmpty());

    // On through the chips to the first tile, which Space and Return copy.
    QQuickItem *focused = nullptr;
    for (int step = 0; step < 60; ++step) {
        QTest::keyClick(m_window.get(), Qt::Key_Tab);
        focused = m_window->activeFocusItem();
        if (focused && focused->objectName() == "tile")
            break;
    }
    QVERIFY(focused && focused->objectName() == "tile");
    QVERIFY(focused->property("visualFocus").toBool());
    const QString face = focused->property("face").toString();
    QTest::keyClick(m_window.get(), Qt::Key_Space);
    QCOMPARE(m_platform->copiedTexts, QStringList { face });
    QTest::keyClick(m_window.get(), Qt::Key_Return);
    QCOMPARE(m_platform->copiedTexts.size(), 2);

    // Shift+Tab goes back; Return in the search field still generates.
    item("searchField")->forceActiveFocus();
    QTest::keyClick(m_window.get(), Qt::Key_Tab, Qt::ShiftModifier);
    QVERIFY(m_window->activeFocusItem() != item("searchField"));
    item("searchField")->forceActiveFocus();
    QSignalSpy requests(&m_server, &GenerationServer::requestReceived);
    typeText("owl");
    QTest::keyClick(m_window.get(), Qt::Key_Return);
    QVERIFY(requests.wait());
    QCOMPARE(m_server.prompts().last(), QStringLiteral("owl"));

    QSignalSpy dismissals(m_view, &KaomojiView::dismissRequested);
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    QCOMPARE(dismissals.size(), 1);
}

void KaomojiWindowTest::menuOffersDonateAndQuit()
{
    click(item("menuButton"));
    QTRY_VERIFY(isShown(item("donateItem")));
    QCOMPARE(item("donateItem")->property("text").toString(), QStringLiteral("Donate"));
    QCOMPARE(item("quitItem")->property("text").toString(), QStringLiteral("Quit"));
    // The platform's own key for quitting: Ctrl+Q on X11, none on the offscreen platform.
    QCOMPARE(item("quitShortcutText")->property("text").toString(),
        QKeySequence(QKeySequence::Quit).toString(QKeySequence::NativeText));
    click(item("donateItem"));
    QCOMPARE(m_platform->openedUrls.size(), 1);
    QTRY_VERIFY(!isShown(item("donateItem")));

    click(item("menuButton"));
    QTRY_VERIFY(isShown(item("quitItem")));
    click(item("quitItem"));
    QCOMPARE(m_platform->quitRequests, 1);
}

QTEST_MAIN(KaomojiWindowTest)
#include "KaomojiWindowTest.moc"
