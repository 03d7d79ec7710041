#include "FaceText.h"
#include "KaomojiCategories.h"
#include "KaomojiData.h"
#include "PickerFixture.h"
#include "Translations.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <QPalette>
#include <QPointer>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(PelmoraPlugin)
Q_IMPORT_QML_PLUGIN(Pelmora_LayoutPlugin)

using ItemFinder::click;
using Rows = KaomojiRowsModel;
using ItemFinder::isShown;

// The picker window as the user meets it: the real views on a real (offscreen) window, driven by
// mouse and keyboard, over the real window state and store.
class KaomojiWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<PickerFixture> m_picker;

    KaomojiView &view() { return m_picker->view; }
    KaomojiData &store() { return m_picker->store(); }
    RecordingPlatform &platform() { return m_picker->platform; }
    QQuickWindow *window() { return m_picker->window.get(); }
    QQuickItem *item(const QString &name) { return m_picker->item(name); }
    QQuickItem *chip(const QString &category)
    {
        return m_picker->item("categoryButton", "category", category);
    }
    QQuickItem *section(const QString &name)
    {
        return m_picker->item("resultSection", "name", name);
    }
    QList<QQuickItem *> tiles(const QString &sectionName)
    {
        return ItemFinder::all(window()->contentItem(), "tile", "sectionName", sectionName);
    }
    QQuickItem *tile(const QString &sectionName, const QString &face)
    {
        for (QQuickItem *tile : tiles(sectionName)) {
            if (tile->property("face") == face)
                return tile;
        }
        return nullptr;
    }
    QColor colorOf(QQuickItem *item, const char *child)
    {
        return item->findChild<QQuickItem *>(child)->property("color").value<QColor>();
    }
    void type(const QByteArray &text)
    {
        for (const char character : text)
            QTest::keyClick(window(), character);
    }
    void settle() { QVERIFY(QQuickTest::qWaitForPolish(window())); }
    // The pixels of `area` in the text colour of the light palette, row by row.
    static QPolygon ink(const QImage &image, const QRect &area)
    {
        QPolygon points;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (qGray(image.pixel(x, y)) < 160)
                    points << QPoint(x, y);
        return points;
    }
    QQuickItem *focused() { return window()->activeFocusItem(); }
    bool inSight(QQuickItem *tile)
    {
        return QRectF({}, item("results")->size())
            .contains(tile->mapRectToItem(item("results"), tile->boundingRect()));
    }
    // The wand opens the form, which takes the keyboard 0.1 s later, once it has slid in.
    void openForm()
    {
        click(item("wandButton"));
        platform().advance(100);
        QTRY_COMPARE(item("formArea")->property("reveal").toReal(), 1.0);
    }

private slots:
    void init()
    {
        m_picker = std::make_unique<PickerFixture>();
        QVERIFY(m_picker->show());
    }
    void cleanup() { m_picker.reset(); }

    // A click copies, flashes the tile for 0.3 s, shows the banner for 2 s and records the use.
    void clickCopiesFlashesAndShowsTheBanner()
    {
        QQuickItem *joyTile = tiles("Joy").value(0);
        const QString face = joyTile->property("face").toString();
        const QColor idle = colorOf(joyTile, "tileBackground");
        click(joyTile);
        QCOMPARE(platform().copiedTexts, QStringList { face });
        QTRY_VERIFY(colorOf(joyTile, "tileBackground") != idle);
        QTRY_VERIFY(isShown(item("copiedBanner")));
        QCOMPARE(item("copiedText")->property("text").toString(), "Copied: " + face);
        QTRY_VERIFY(tile(KaomojiCategories::recentlyUsed, face));

        platform().advance(300);
        QTRY_COMPARE(colorOf(joyTile, "tileBackground"), idle);
        QVERIFY(isShown(item("copiedBanner")) && item("copiedAnnouncement")->isVisible());
        platform().advance(1700);
        // Screen readers hear of it no longer, though it is still on its way out.
        QVERIFY(!item("copiedAnnouncement")->isVisible() && item("copiedBanner")->isVisible());
        QTRY_VERIFY(!isShown(item("copiedBanner")));
    }

    // With pasting on, a click copies and records the use as ever, then hides the window and
    // pastes. Where pasting cannot work, the window stays and the banner says why, once.
    void clickWithPastingOn_data()
    {
        QTest::addColumn<QString>("problem");
        QTest::newRow("pastes") << QString();
        QTest::newRow("cannot paste") << QStringLiteral("cannot paste: no way to type here");
    }
    void clickWithPastingOn()
    {
        QFETCH(QString, problem);
        platform().pasteProblem = problem;
        view().setPasteAfterCopy(true);
        QSignalSpy dismissed(&view(), &KaomojiView::dismissRequested);
        const QString face = tiles("Joy").value(0)->property("face").toString();
        for (const int clicks : { 1, 2 }) {
            click(tiles("Joy").value(0));
            QCOMPARE(platform().copiedTexts, QStringList(clicks, face));
            QTRY_VERIFY(tile(KaomojiCategories::recentlyUsed, face));
            const int pastes = problem.isEmpty() ? clicks : 0;
            QCOMPARE(platform().pastes, pastes);
            QCOMPARE(dismissed.size(), pastes);
            QTRY_COMPARE(isShown(item("copiedBanner")), !pastes);
            QTRY_COMPARE(isShown(item("copiedNote")), !pastes && clicks == 1);
            if (isShown(item("copiedNote")))
                QCOMPARE(item("copiedNote")->property("text").toString(), problem);
        }
    }

    // A tile of "Recently Used" copies without recording the use again, so the list and the
    // sparkle stay; every tile that stays in sight keeps its delegate.
    void clickInRecentlyUsedLeavesTheListAlone()
    {
        QList<QPointer<QQuickItem>> joy;
        for (QQuickItem *tile : tiles("Joy"))
            joy.append(tile);
        click(joy[0]);
        click(joy[1]);
        store().addAIKaomoji("(new)");
        QTRY_COMPARE(tiles(KaomojiCategories::recentlyUsed).size(), 2);
        const KaomojiList before = store().recentlyUsedKaomojis();
        click(tiles(KaomojiCategories::recentlyUsed).last());
        QCOMPARE(platform().copiedTexts.last(), joy[0]->property("face").toString());
        QCOMPARE(store().recentlyUsedKaomojis(), before);
        QVERIFY(!store().mostRecentAIKaomojiId().isNull());
        // The sections that came above pushed the tiles down: those in sight now were before.
        int stayed = 0;
        for (QQuickItem *tile : tiles("Joy")) {
            if (inSight(tile))
                QVERIFY(joy.contains(tile) && ++stayed);
        }
        QVERIFY(stayed > 0);
    }

    void chipsFilterAndCustomFollowsTheCustomList()
    {
        QQuickItem *joy = chip("Joy");
        QVERIFY(!chip("Custom")->isVisible());
        const QRectF place(joy->position(), joy->size());
        click(joy);
        QCOMPARE(view().selectedCategories(), QStringList { "Joy" });
        QTRY_COMPARE(
            colorOf(joy, "chipBackground"), QGuiApplication::palette().color(QPalette::Highlight));
        QCOMPARE(QRectF(joy->position(), joy->size()), place); // growing pushes nothing aside
        QVERIFY(section("Joy") && !section("Love"));
        click(joy);
        click(joy, Qt::RightButton); // no click
        QVERIFY(view().selectedCategories().isEmpty());

        // A face added under a filter stays in sight; the chip comes first while one exists.
        click(chip("Love"));
        openForm();
        type("(o_o)");
        click(item("addButton"));
        QCOMPARE(view().selectedCategories(), (QStringList { "Custom", "Love" }));
        QTRY_VERIFY(chip("Custom")->isVisible());
        QVERIFY(chip("Custom")->x() < joy->x());

        QTRY_VERIFY(tile("Custom", "(o_o)"));
        click(tile("Custom", "(o_o)"), Qt::RightButton);
        QTRY_VERIFY(isShown(item("deleteItem")));
        click(item("deleteItem"));
        QTRY_VERIFY(!chip("Custom")->isVisible());
        QCOMPARE(view().selectedCategories(), QStringList { "Love" });
        QVERIFY(!store().shouldUnselectCustom()); // the one-shot flag is lowered again

        // An ordinary wheel over the chips scrolls them sideways.
        const QPointF over = joy->mapToScene(QPointF(4, 4));
        QWheelEvent wheel(over, window()->mapToGlobal(over), {}, QPoint(0, -120), Qt::NoButton, {},
            Qt::NoScrollPhase, false);
        QGuiApplication::sendEvent(window(), &wheel);
        QVERIFY(item("chipBar")->property("contentX").toReal() > 0);

        // A screen reader hears a chip as checked while it is selected, however that changes.
        QVERIFY(chip("Love")->property("checked").toBool());
        view().setSelectedCategories({});
        QVERIFY(!chip("Love")->property("checked").toBool());
    }

    void wandShowsWhatItWillDo()
    {
        QQuickItem *wand = item("wandButton");
        QQuickItem *symbol = item("wandSymbol");
        QCOMPARE(symbol->property("name").toString(), "plus");
        // Symbols are drawn in the text colour of the palette.
        QTRY_COMPARE(m_picker->window->rootObject()->opacity(), 1.0);
        QCOMPARE(window()->grabWindow().pixelColor(symbol->mapToScene(QPointF(8, 8)).toPoint()),
            QGuiApplication::palette().color(QPalette::WindowText));
        click(wand);
        QCOMPARE(symbol->property("name").toString(), "xmark");

        m_picker->service.setHolding(true);
        view().setSearchText("cat");
        QCOMPARE(symbol->property("name").toString(), "wand.and.stars");
        const auto wandTop = [&] {
            return window()->grabWindow().pixel(wand->mapToScene(QPointF(16, 2)).toPoint());
        };
        const QRgb ready = wandTop();
        click(wand);
        QVERIFY(item("wandBusyIndicator")->isVisible() && !symbol->isVisible());
        QVERIFY(!wand->isEnabled() && wandTop() != ready); // and looks it
        QTRY_COMPARE(m_picker->service.heldCount(), 1);
        m_picker->service.release(0, R"j({"kaomoji":"(=^･ω･^=)"})j");
        QTRY_VERIFY(wand->isEnabled());
        QCOMPARE(symbol->property("name").toString(), "xmark"); // the text went with the success
    }

    void formAddsTypedFacesAndShowsErrors()
    {
        openForm();
        QCOMPARE(window()->activeFocusItem(), item("newFaceField"));
        QVERIFY(!item("addButton")->isEnabled());
        type("(o_o) ");
        QTest::keyClick(window(), Qt::Key_Return); // Return in the form does nothing
        QVERIFY(store().customKaomojis().isEmpty());
        click(item("addButton"));
        QCOMPARE(store().customKaomojis().first().face(), QStringLiteral("(o_o) "));
        QVERIFY(view().selectedCategories().isEmpty()); // no filter, none added
        QTRY_VERIFY(!isShown(item("customKaomojiForm")));
        platform().advance(100);
        QTRY_COMPARE(window()->activeFocusItem(), item("searchField"));
        view().setNewFace(QStringLiteral("(o_o) "));
        view().submitCustomForm(); // the same face again is a second entry
        QCOMPARE(store().customKaomojis().size(), 2);

        m_picker->service.answerJson(200, R"j({"error":"<b>resting</b>"})j");
        openForm();
        // A face the store could not keep is refused with the reason, shown until it is edited.
        view().setNewFace(QString(FaceText::longest + 1, 'o'));
        click(item("addButton"));
        QVERIFY(isShown(item("customFormErrorText")) && store().customKaomojis().size() == 2);
        QCOMPARE(
            item("customFormErrorText")->property("text"), FaceText::problem(view().newFace()));
        view().setNewFace(QString());
        QVERIFY(!item("customFormErrorText")->isVisible());
        click(item("aiPromptField"));
        type("tea");
        QCOMPARE(item("searchField")->property("text").toString(), QStringLiteral("tea"));
        click(item("generateButton"));
        QTRY_VERIFY(item("aiErrorText")->isVisible());
        QCOMPARE(item("aiErrorText")->property("text").toString(), "<b>resting</b>");
    }

    // Texts from data are plain text: a face that looks like markup is shown and copied as is.
    void dataIsShownAsPlainText()
    {
        const QString face = QStringLiteral("<b>(^_^)</b>");
        store().addCustomKaomoji(Kaomoji::create(face, "Custom"));
        QTRY_VERIFY(tile("Custom", face));
        click(tile("Custom", face));
        QTRY_VERIFY(isShown(item("copiedBanner")));
        openForm(); // the service's message
        for (QQuickItem *text : { tile("Custom", face)->findChild<QQuickItem *>("faceText"),
                 item("copiedText"), item("aiErrorText") })
            QCOMPARE(text->property("textFormat").toInt(), int(Qt::PlainText));
        QCOMPARE(item("copiedText")->property("text").toString(), "Copied: " + face);
    }

    // Marks above and below a face stay inside its tile, and a face is drawn left to right as
    // it is copied, also when it starts with an Arabic letter (whose dot is the lowest ink).
    void facesFitTheirTilesLeftToRight()
    {
        const QString tall = "(o" + QString(8, QChar(0x030D)) + QString(8, QChar(0x0329)) + ")";
        const QString arabic = QStringLiteral("\u0628MMMM");
        for (const QString &face : { tall, arabic })
            store().addCustomKaomoji(Kaomoji::create(face, KaomojiCategories::custom));
        view().setSelectedCategories({ KaomojiCategories::custom });
        QTRY_VERIFY(tile(KaomojiCategories::custom, arabic));
        QTRY_COMPARE(m_picker->window->rootObject()->opacity(), 1.0);
        const QImage image = window()->grabWindow();
        const auto place = [this](const QString &face) {
            QQuickItem *found = tile(KaomojiCategories::custom, face);
            return QRectF(found->mapToScene(QPointF()), found->size()).toAlignedRect();
        };
        const QRect tallTile = place(tall);
        const QRect tallInk = ink(image, tallTile.adjusted(-4, -6, 4, 6)).boundingRect();
        QVERIFY(tallTile.adjusted(2, 2, -2, -2).contains(tallInk));
        QVERIFY(ink(image, place(arabic)).last().x() < place(arabic).center().x());
    }

    // In Japanese the window, its chips and section headers read in Japanese while the keys
    // stay English, and the name on each chip finds its faces.
    void speaksJapanese()
    {
        const auto backToEnglish = qScopeGuard([] { Translations::install({ "en" }); });
        Translations::install({ "ja-JP" });
        m_picker = std::make_unique<PickerFixture>();
        QVERIFY(m_picker->show());
        QCOMPARE(item("searchField")->property("placeholderText").toString(), "検索");
        QCOMPARE(item("sectionTitle")->property("text").toString(), "喜び");
        const auto label = chip("Cat")->findChild<QQuickItem *>("chipLabel");
        QCOMPARE(label->property("text").toString(), "ねこ");
        store().addCustomKaomoji(Kaomoji::create("mine", "Custom"));
        for (const QString &category : view().orderedCategories()) {
            view().setSearchText(view().categoryName(category));
            QVERIFY2(view().sections()->names().contains(category), qPrintable(category));
        }
    }

    void emptyStateAndSectionsWithoutChip()
    {
        view().setSearchText("zzqqxxnothing");
        QVERIFY(item("emptyStateView")->isVisible() && !item("results")->isVisible());
        // "Embarrassment" has no chip, so it never gets a section, even when it matches.
        view().setSearchText("embarrassed");
        settle();
        QVERIFY(!item("emptyStateView")->isVisible());
        QVERIFY(!section("Embarrassment") && tiles("Embarrassment").isEmpty());
    }

    void onlyRecentlyUsedHasClearAndOnlyCustomHasDelete()
    {
        click(tiles("Joy").value(0), Qt::RightButton);
        QVERIFY(!item("deleteItem"));
        QVERIFY(platform().copiedTexts.isEmpty());
        click(tiles("Joy").value(0));
        QTRY_VERIFY(section(KaomojiCategories::recentlyUsed));
        int clearButtons = 0;
        for (QQuickItem *button : ItemFinder::all(window()->contentItem(), "clearButton"))
            clearButtons += button->isVisible();
        QCOMPARE(clearButtons, 1);
        click(section(KaomojiCategories::recentlyUsed)->findChild<QQuickItem *>("clearButton"));
        QVERIFY(store().recentlyUsedKaomojis().isEmpty());
        QTRY_VERIFY(!section(KaomojiCategories::recentlyUsed));
    }

    void onlyTheNewestGeneratedKaomojiSparkles()
    {
        store().addAIKaomoji("(older)");
        store().addAIKaomoji("(newer)");
        store().addCustomKaomoji(Kaomoji::create("(typed)", "Custom"));
        QTRY_VERIFY(tile("Custom", "(typed)"));
        const auto effectOf = [this](const QString &face) {
            return ItemFinder::find(tile("Custom", face), "sparkleEffect");
        };
        QVERIFY(!effectOf("(older)") && !effectOf("(typed)"));
        QQuickItem *effect = effectOf("(newer)");
        QVERIFY(effect);
        const QList<QQuickItem *> stars = ItemFinder::all(effect, "sparkle");
        QTRY_VERIFY(std::any_of(
            stars.cbegin(), stars.cend(), [](auto *star) { return star->opacity() > 0; }));
        // Nothing runs while the window is hidden.
        window()->hide();
        QVERIFY(!effect->property("running").toBool());
        window()->show();
        QVERIFY(effect->property("running").toBool());
        click(tiles("Joy").value(0));
        QTRY_VERIFY(!effectOf("(newer)"));
    }

    void hoverShowsThePointingHandOnce()
    {
        for (QQuickItem *target : { tiles("Joy").value(0), chip("Joy") }) {
            const int pops = platform().cursorPops;
            const QPoint inside = target->mapToScene(QPointF(5, 5)).toPoint();
            QTest::mouseMove(window(), QPoint(150, 2));
            QTest::mouseMove(window(), inside);
            QTest::mouseMove(window(), inside + QPoint(1, 1));
            QTest::mouseMove(window(), QPoint(150, 2));
            QTRY_COMPARE(platform().cursorPops, pops + 1);
            QCOMPARE(platform().cursorPushes, platform().cursorPops);
        }
    }

    // However a pop-up menu closes, the keyboard goes back to the search field, where typing
    // searches and Escape dismisses.
    void closedMenusGiveTheKeyboardBack_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QString>("closing");
        for (const char *opener : { "tile", "menuButton" })
            for (const char *closing : { "Escape", "choice", "elsewhere" })
                QTest::addRow("%s, %s", opener, closing) << QString(opener) << QString(closing);
    }
    void closedMenusGiveTheKeyboardBack()
    {
        QFETCH(QString, opener);
        QFETCH(QString, closing);
        store().addCustomKaomoji(Kaomoji::create("(o_o)", KaomojiCategories::custom));
        QTRY_VERIFY(tile(KaomojiCategories::custom, "(o_o)"));
        click(opener == "tile" ? tile(KaomojiCategories::custom, "(o_o)") : item("menuButton"),
            opener == "tile" ? Qt::RightButton : Qt::LeftButton);
        QQuickItem *choice = item(opener == "tile" ? "deleteItem" : "donateItem");
        QTRY_VERIFY(isShown(choice));
        QSignalSpy dismissals(&view(), &KaomojiView::dismissRequested);
        if (closing == "Escape")
            QTest::keyClick(window(), Qt::Key_Escape);
        else if (closing == "choice")
            click(choice);
        else
            QTest::mouseClick(window(), Qt::LeftButton, {}, QPoint(150, 2));
        QTRY_COMPARE(window()->activeFocusItem(), item("searchField"));
        type("x");
        QCOMPARE(view().searchText(), QStringLiteral("x"));
        QTest::keyClick(window(), Qt::Key_Escape);
        QCOMPARE(dismissals.size(), 1);
    }

    // The focused tile keeps the keyboard, in sight, while "Recently Used" comes in above it,
    // and the keyboard stays in the results when its tile goes. Tab goes search, results, wand,
    // menu and round; the chips are a Shift+Tab behind the results and take Left and Right. A
    // letter typed away from the search goes on in it, and then Down and Return copy the first
    // match.
    void keyboardReachesEverything()
    {
        QTRY_COMPARE(focused(), item("searchField"));
        QPointer<QQuickItem> lowest; // in sight; the first rows are built top down
        for (QQuickItem *tile : ItemFinder::all(window()->contentItem(), "tile"))
            lowest = inSight(tile) ? tile : lowest.data();
        lowest->forceActiveFocus(Qt::TabFocusReason);
        QTest::keyClick(window(), Qt::Key_Return);
        QTRY_VERIFY(section(KaomojiCategories::recentlyUsed));
        QTRY_VERIFY(inSight(lowest) && focused() == lowest);
        QTest::keyClick(window(), Qt::Key_Home);
        QCOMPARE(focused()->property("sectionName"), KaomojiCategories::recentlyUsed);
        view().clearRecentlyUsed();
        QTRY_VERIFY(focused()->property("sectionName") == "Joy"
            && focused()->property("visualFocus").toBool());
        // Clear, far above the last tile, is on the way from the results to the wand.
        lowest->forceActiveFocus(Qt::TabFocusReason);
        QTest::keyClick(window(), Qt::Key_Return);
        QTest::keyClick(window(), Qt::Key_End);
        QTest::keyClick(window(), Qt::Key_Tab);
        QTRY_COMPARE(focused()->objectName(), "clearButton");
        QTest::keyClick(window(), Qt::Key_Return);
        QTRY_VERIFY(!section(KaomojiCategories::recentlyUsed) && focused()->objectName() == "tile");

        item("searchField")->forceActiveFocus();
        for (const char *next : { "tile", "wandButton", "menuButton", "searchField", "tile" }) {
            QTest::keyClick(window(), Qt::Key_Tab);
            QCOMPARE(focused()->objectName(), next);
        }
        const QStringList categories = view().orderedCategories();
        const QString second = categories[categories.indexOf("Joy") + 1];
        QTest::keyClick(window(), Qt::Key_Backtab);
        QCOMPARE(focused(), chip("Joy")); // the first, none being selected
        QTest::keyClick(window(), Qt::Key_Right);
        QTest::keyClick(window(), Qt::Key_Space);
        QCOMPARE(view().selectedCategories(), QStringList { second });
        QTest::keyClick(window(), Qt::Key_Tab);
        QCOMPARE(focused()->property("sectionName"), second);
        QTest::keyClick(window(), Qt::Key_Backtab);
        QCOMPARE(focused(), chip(second)); // the selected one
        QTest::keyClick(window(), Qt::Key_Return);
        QVERIFY(view().selectedCategories().isEmpty());

        type("cat");
        QTest::keyClick(window(), Qt::Key_Down);
        QTest::keyClick(window(), Qt::Key_Space);
        QTest::keyClick(window(), Qt::Key_Return);
        QCOMPARE(
            platform().copiedTexts.mid(2), QStringList(2, focused()->property("face").toString()));
        QTest::keyClick(window(), Qt::Key_C, Qt::ControlModifier); // not typing
        // Text alone, as an input method gives it.
        QTest::sendKeyEvent(QTest::Click, window(), Qt::Key_unknown, "ね", Qt::NoModifier);
        QTest::keyClick(window(), Qt::Key_Return);
        QTRY_COMPARE(m_picker->service.prompts(), QStringList { "catね" });
        QSignalSpy dismissals(&view(), &KaomojiView::dismissRequested);
        QTest::keyClick(window(), Qt::Key_Escape);
        QCOMPARE(dismissals.size(), 1);
    }

    // Keys move among the tiles by their places as drawn: along the reading order, or to the
    // tile of the row above or below whose centre is nearest, across section borders. The
    // tile reached is scrolled into sight and shows its focus ring.
    void keysMoveAmongTilesByPlace_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("to");
        const auto row = [](const char *from, Qt::Key key, const char *to) {
            QTest::addRow("%s, %s", from, qPrintable(QKeySequence(key).toString()))
                << QString(from) << int(key) << QString(to);
        };
        row("search", Qt::Key_Down, "first");
        row("first", Qt::Key_Up, "search");
        row("first", Qt::Key_Right, "second");
        row("end of the first row", Qt::Key_Right, "start of the second row");
        row("start of the second row", Qt::Key_Left, "end of the first row");
        row("end of the first row", Qt::Key_Down, "below");
        row("first of Love", Qt::Key_Up, "above");
        row("end of the second row", Qt::Key_Home, "first");
        row("first", Qt::Key_End, "last");
    }
    void keysMoveAmongTilesByPlace()
    {
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(QString, to);
        // Love's first row lies just below the first screen, among the rows built ahead.
        QTRY_VERIFY(!tiles("Love").isEmpty());
        QList<QList<QQuickItem *>> lines; // the tiles built, row by row as drawn
        for (QQuickItem *row : ItemFinder::all(window()->contentItem(), "resultRow"))
            lines.append(ItemFinder::all(row, "tile"));
        lines.removeAll({});
        std::ranges::sort(lines, {}, [](auto &tiles) { return tiles[0]->parentItem()->y(); });
        const auto sectionOf = [](auto &tiles) { return tiles[0]->property("sectionName"); };
        const qsizetype love =
            std::ranges::find(lines, QVariant("Love"), sectionOf) - lines.begin();
        QHash<QString, QQuickItem *> places { { "search", item("searchField") },
            { "first", lines[0][0] }, { "second", lines[0][1] },
            { "end of the first row", lines[0].last() }, { "start of the second row", lines[1][0] },
            { "end of the second row", lines[1].last() }, { "first of Love", lines[love][0] } };
        QQuickItem *start = places[from];
        start->forceActiveFocus(Qt::TabFocusReason);
        const auto nearestOn = [&, centre = start->mapToScene(start->boundingRect().center()).x()](
                                   qsizetype line) {
            return std::ranges::min(lines[line], {}, [&](QQuickItem *tile) {
                return std::abs(tile->mapToScene(tile->boundingRect().center()).x() - centre);
            });
        };
        places.insert({ { "below", nearestOn(1) }, { "above", nearestOn(love - 1) } });

        QTest::keyClick(window(), Qt::Key(key));
        const Rows &rows = *view().rows();
        // Built only now, at an estimated size: once measured, its row is built anew and the
        // keyboard finds the tile again.
        if (to == "last")
            QTRY_COMPARE(focused()->property("kaomojiId"),
                rows.row(rows.rowCount() - 1).tiles.back().id.toString(QUuid::WithoutBraces));
        else
            QCOMPARE(focused(), places[to]);
        QTRY_VERIFY(
            to == "search" || (focused()->property("visualFocus").toBool() && inSight(focused())));
    }

    void menuOffersDonateAndQuit()
    {
        click(item("menuButton"));
        QTRY_VERIFY(isShown(item("donateItem")));
        click(item("donateItem"));
        QCOMPARE(platform().openedUrls.value(0).scheme(), QStringLiteral("https"));
        QTRY_VERIFY(!isShown(item("donateItem")));
        click(item("menuButton"));
        QTRY_VERIFY(isShown(item("quitItem")));
        // Ctrl+Q quits also where the platform has no Quit key, as offscreen has none.
        QCOMPARE(item("quitShortcutText")->property("text"),
            QKeySequence(Qt::CTRL | Qt::Key_Q).toString(QKeySequence::NativeText));
        click(item("quitItem"));
        QCOMPARE(platform().quitRequests, 1);
        QTest::keyClick(window(), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(platform().quitRequests, 2);
        // By keyboard: Return on the button opens the menu, Up goes round to its last item.
        QTest::mouseMove(window(), QPoint(5, 395)); // where the menu does not come
        item("menuButton")->forceActiveFocus(Qt::TabFocusReason);
        QTest::keyClick(window(), Qt::Key_Return);
        QTRY_VERIFY(isShown(item("quitItem")));
        QTest::keyClick(window(), Qt::Key_Up);
        QTest::keyClick(window(), Qt::Key_Return);
        QCOMPARE(platform().quitRequests, 3);
        QVERIFY(!isShown(item("quitItem")));
    }

    // A dark palette and a large font of the desktop reach every control and every text.
    void followsTheDesktopPaletteAndFont()
    {
        const auto restore = qScopeGuard([font = QGuiApplication::font()] {
            QGuiApplication::setPalette(QPalette());
            QGuiApplication::setFont(font);
        });
        QGuiApplication::setPalette(QPalette(QColor(40, 40, 40)));
        QGuiApplication::setFont(QFont(QGuiApplication::font().family(), 24));
        m_picker = std::make_unique<PickerFixture>();
        QVERIFY(m_picker->show());

        const auto pixelSize = [this](QQuickItem *text) {
            return QFontInfo(text->property("font").value<QFont>()).pixelSize();
        };
        const int tileText = pixelSize(tiles("Joy").value(0)->findChild<QQuickItem *>("faceText"));
        QVERIFY(pixelSize(item("sectionTitle")) >= tileText);

        const auto isDark = [this](const char *name) {
            const QPointF at = item(name)->mapToScene(QPointF(4, 4));
            return qGray(window()->grabWindow().pixel(at.toPoint())) < 100;
        };
        openForm();
        QTRY_VERIFY(isDark("addButton") && isDark("generateButton"));
        view().setSearchText("zzqqxxnothing"); // the empty state's hint
        for (const char *smaller : { "emptyStateHint", "aiErrorText" })
            QVERIFY(pixelSize(item(smaller)) >= 0.9 * tileText);
        click(item("menuButton"));
        QTRY_VERIFY(isShown(item("donateItem")) && isDark("donateItem"));
        // The menu is as wide as its widest item asks in the larger font ("Quit" and its key).
        QVERIFY(item("quitItem")->width() >= item("quitItem")->implicitWidth());
    }
};

QTEST_MAIN(KaomojiWindowTest)
#include "KaomojiWindowTest.moc"
