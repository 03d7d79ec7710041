#include "GenerationServer.h"
#include "KaomojiCategories.h"
#include "KaomojiData.h"
#include "TestWindow.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

QString idText(const Kaomoji &record)
{
    return record.id().toString(QUuid::WithoutBraces);
}

QStringList faces(const KaomojiList &records)
{
    QStringList result;
    for (const Kaomoji &record : records)
        result.append(record.face());
    return result;
}

} // namespace

class KaomojiViewTest : public QObject {
    Q_OBJECT

private:
    GenerationServer m_server;
    std::unique_ptr<TestWindow> m_window;

    KaomojiView &view() { return m_window->view; }
    KaomojiData &store() { return m_window->view.kaomojiData(); }
    RecordingPlatform &platform() { return m_window->platform; }
    Kaomoji joy(int index) { return store().presetKaomojis().value("Joy").at(index); }

    void addCustom(const QString &face)
    {
        view().setNewFace(face);
        view().submitCustomForm();
    }

private slots:
    void initTestCase() { QVERIFY(m_server.listen()); }

    void init()
    {
        m_server.reset();
        m_window = std::make_unique<TestWindow>(m_server.endpoint());
    }

    void cleanup() { m_window.reset(); }

    void startsIdleWithTheWholeCatalog()
    {
        QCOMPARE(view().searchText(), QString());
        QVERIFY(view().selectedCategories().isEmpty());
        QVERIFY(!view().hasCopiedKaomoji());
        QVERIFY(!view().isVisible());
        QVERIFY(!view().showingCustomForm());
        QVERIFY(!view().isGeneratingAI());
        QVERIFY(!view().hasAIError());
        QCOMPARE(view().focusedField(), KaomojiView::None);
        QVERIFY(!view().hasCustomKaomojis());
        QVERIFY(!view().hasRecentlyUsedKaomojis());
        QVERIFY(view().hasResults());
        QCOMPARE(view().mostRecentAIKaomojiId(), QString());

        const QStringList ordered = view().orderedCategories();
        QCOMPARE(ordered.size(), 38);
        QCOMPARE(ordered.mid(0, 4), (QStringList { "Custom", "Joy", "Love", "Surprise" }));
        QVERIFY(!ordered.contains(KaomojiCategories::recentlyUsed));
    }

    void appearingShowsTheContentOnce()
    {
        QSignalSpy visible(&view(), &KaomojiView::isVisibleChanged);
        view().appear();
        view().appear();
        QVERIFY(view().isVisible());
        QCOMPARE(visible.count(), 1);
    }

    void returnWithEmptyTextDoesNothing()
    {
        QSignalSpy received(&m_server, &GenerationServer::requestReceived);
        view().submitSearch();
        QVERIFY(!view().isGeneratingAI());
        QVERIFY(!received.wait(300));
    }

    void returnSendsTheTextAndClearsTheLastError()
    {
        m_server.setReplyBody(R"j({"error":"Rate limit reached"})j");
        view().setSearchText(QStringLiteral("cat"));
        view().submitSearch();
        QTRY_VERIFY(view().hasAIError());

        m_server.setReplyBody(R"j({"kaomoji":"(=ↀωↀ=)"})j");
        view().submitSearch();
        QVERIFY(view().isGeneratingAI());
        QVERIFY(!view().hasAIError());
        QTRY_VERIFY(!view().isGeneratingAI());
        QCOMPARE(
            m_server.prompts().mid(m_server.prompts().size() - 2), (QStringList { "cat", "cat" }));
    }

    void textOfSpacesIsSentUnchanged()
    {
        QSignalSpy received(&m_server, &GenerationServer::requestReceived);
        view().setSearchText(QStringLiteral("  "));
        view().submitSearch();
        QVERIFY(received.wait());
        QCOMPARE(m_server.prompts().last(), QStringLiteral("  "));
    }

    void successUnderAFilterKeepsTheNewEntryInSight()
    {
        view().toggleCategory(QStringLiteral("Joy"));
        view().setSearchText(QStringLiteral("cat"));
        view().submitSearch();
        QTRY_VERIFY(!view().isGeneratingAI());

        QCOMPARE(view().selectedCategories(), (QStringList { "Custom", "Joy" }));
        QCOMPARE(view().searchText(), QString());
        QVERIFY(!view().hasAIError());
        QVERIFY(!view().showingCustomForm());
        const Kaomoji made = store().customKaomojis().first();
        QCOMPARE(made.face(), QStringLiteral("(=^･ω･^=)"));
        QCOMPARE(made.tags(), QStringList { KaomojiCategories::aiGeneratedTag });
        QCOMPARE(view().mostRecentAIKaomojiId(), idText(made));
        KaomojiEntriesModel *custom = view().sections()->entries(KaomojiCategories::custom);
        QVERIFY(custom);
        QCOMPARE(custom->ids().first(), made.id());
    }

    void successWithoutAFilterLeavesTheSelectionEmpty()
    {
        view().setSearchText(QStringLiteral("cat"));
        view().wandAction();
        QTRY_VERIFY(!view().isGeneratingAI());
        QVERIFY(view().selectedCategories().isEmpty());
        QCOMPARE(view().sections()->names().first(), KaomojiCategories::custom);
        QVERIFY(view().hasCustomKaomojis());
    }

    void failureKeepsTheTextForAnotherTry()
    {
        m_server.setReplyBody(R"j({"error":"The service is resting"})j");
        view().toggleCategory(QStringLiteral("Joy"));
        view().setSearchText(QStringLiteral("sleepy cat"));
        view().submitSearch();
        QTRY_VERIFY(!view().isGeneratingAI());

        QCOMPARE(view().aiError(), QStringLiteral("The service is resting"));
        QVERIFY(view().hasAIError());
        QCOMPARE(view().searchText(), QStringLiteral("sleepy cat"));
        QCOMPARE(view().selectedCategories(), QStringList { "Joy" });
        QVERIFY(!view().showingCustomForm());
        QVERIFY(store().customKaomojis().isEmpty());
    }

    void unreadableReplyShowsTheClientMessage()
    {
        m_server.setReplyBody(R"j([1, 2])j");
        view().setSearchText(QStringLiteral("cat"));
        view().submitSearch();
        QTRY_VERIFY(view().hasAIError());
        QCOMPARE(view().aiError(), QStringLiteral("Failed to parse API response as JSON"));
    }

    // Two Returns: the first reply to arrive ends the progress, each applies its own outcome.
    void twoRequestsOutstanding()
    {
        m_server.setHolding(true);
        view().setSearchText(QStringLiteral("cat"));
        view().submitSearch();
        view().submitSearch();
        QTRY_COMPARE(m_server.heldCount(), 2);
        QVERIFY(view().isGeneratingAI());

        m_server.release(1, R"j({"kaomoji":"second"})j");
        QTRY_VERIFY(!view().isGeneratingAI());
        QCOMPARE(faces(store().customKaomojis()), QStringList { "second" });
        QCOMPARE(view().searchText(), QString());

        m_server.release(0, R"j({"error":"first failed"})j");
        QTRY_COMPARE(view().aiError(), QStringLiteral("first failed"));
        QVERIFY(!view().isGeneratingAI());
        QCOMPARE(faces(store().customKaomojis()), QStringList { "second" });
    }

    void wandTogglesTheFormAndMovesFocusLater()
    {
        QSignalSpy requested(&view(), &KaomojiView::focusRequested);
        view().wandAction();
        QVERIFY(view().showingCustomForm());
        QCOMPARE(view().focusedField(), KaomojiView::None);
        QTRY_COMPARE(view().focusedField(), KaomojiView::NewFace);

        view().wandAction();
        QVERIFY(!view().showingCustomForm());
        QCOMPARE(view().focusedField(), KaomojiView::NewFace);
        QTRY_COMPARE(view().focusedField(), KaomojiView::Search);
        QCOMPARE(requested.count(), 2);
        QCOMPARE(requested.at(1).at(0).value<KaomojiView::FocusedField>(), KaomojiView::Search);
    }

    void wandWithTextGeneratesAndLeavesTheForm()
    {
        view().wandAction();
        view().setSearchText(QStringLiteral("owl"));
        view().wandAction();
        QVERIFY(view().isGeneratingAI());
        QVERIFY(view().showingCustomForm());
        QTRY_VERIFY(!view().isGeneratingAI());
        QVERIFY(view().showingCustomForm());
        QCOMPARE(m_server.prompts().last(), QStringLiteral("owl"));
    }

    void formAddsTheFaceAsTypedClosesAndFocusesSearch()
    {
        view().wandAction();
        QTRY_COMPARE(view().focusedField(), KaomojiView::NewFace);
        view().toggleCategory(QStringLiteral("Joy"));
        view().setNewFace(QStringLiteral(" (^_^) "));
        view().submitCustomForm();

        const Kaomoji added = store().customKaomojis().first();
        QCOMPARE(added.face(), QStringLiteral(" (^_^) "));
        QCOMPARE(added.category(), KaomojiCategories::custom);
        QVERIFY(added.tags().isEmpty());
        QCOMPARE(view().newFace(), QString());
        QCOMPARE(view().selectedCategories(), (QStringList { "Custom", "Joy" }));
        QVERIFY(!view().showingCustomForm());
        QCOMPARE(view().focusedField(), KaomojiView::NewFace);
        QTRY_COMPARE(view().focusedField(), KaomojiView::Search);
        // A hand-made entry does not sparkle.
        QCOMPARE(view().mostRecentAIKaomojiId(), QString());
    }

    void formAddEdgeCases()
    {
        view().wandAction();
        view().submitCustomForm(); // nothing typed
        QVERIFY(view().showingCustomForm());
        QVERIFY(store().customKaomojis().isEmpty());

        addCustom(QStringLiteral("(o_o)"));
        addCustom(QStringLiteral("(o_o)"));
        QCOMPARE(store().customKaomojis().size(), 2);
        QVERIFY(store().customKaomojis()[0].id() != store().customKaomojis()[1].id());
        QVERIFY(view().selectedCategories().isEmpty());

        view().toggleCategory(KaomojiCategories::custom);
        QSignalSpy selection(&view(), &KaomojiView::selectedCategoriesChanged);
        addCustom(QStringLiteral("(-_-)"));
        QCOMPARE(selection.count(), 0);
    }

    void chipsToggleAnyNumberOfCategories()
    {
        view().toggleCategory(QStringLiteral("Love"));
        view().toggleCategory(QStringLiteral("Joy"));
        QCOMPARE(view().selectedCategories(), (QStringList { "Joy", "Love" }));
        QCOMPARE(view().sections()->names(), (QStringList { "Joy", "Love" }));
        view().toggleCategory(QStringLiteral("Love"));
        view().toggleCategory(QStringLiteral("Joy"));
        QVERIFY(view().selectedCategories().isEmpty());
        QCOMPARE(view().sections()->names().size(), view().orderedCategories().size() - 1);
    }

    void clearEmptiesRecentlyUsedAtOnce()
    {
        view().copyKaomoji(QStringLiteral("Joy"), idText(joy(0)));
        QVERIFY(view().hasRecentlyUsedKaomojis());
        QCOMPARE(view().sections()->names().first(), KaomojiCategories::recentlyUsed);

        view().clearRecentlyUsed();
        QVERIFY(store().recentlyUsedKaomojis().isEmpty());
        QVERIFY(!view().hasRecentlyUsedKaomojis());
        QVERIFY(!view().sections()->names().contains(KaomojiCategories::recentlyUsed));
        QCOMPARE(m_window->preferences.data(KaomojiData::recentlyUsedKey), QByteArray("[]"));
    }

    void deletingTheLastCustomEntryUnselectsCustom()
    {
        addCustom(QStringLiteral("(T_T)"));
        addCustom(QStringLiteral("(>_<)"));
        view().toggleCategory(KaomojiCategories::custom);
        view().toggleCategory(QStringLiteral("Joy"));

        view().deleteKaomoji(idText(store().customKaomojis().first()));
        QCOMPARE(view().selectedCategories(), (QStringList { "Custom", "Joy" }));

        view().deleteKaomoji(idText(store().customKaomojis().first()));
        QCOMPARE(view().selectedCategories(), QStringList { "Joy" });
        QVERIFY(!store().shouldUnselectCustom());
        QVERIFY(!view().hasCustomKaomojis());
        QVERIFY(!view().sections()->names().contains(KaomojiCategories::custom));
    }

    void deletingWithABadIdChangesNothing()
    {
        addCustom(QStringLiteral("(T_T)"));
        QTest::ignoreMessage(
            QtWarningMsg, "KaomojiView: cannot delete 'nonsense', which is not a kaomoji id");
        view().deleteKaomoji(QStringLiteral("nonsense"));
        QCOMPARE(store().customKaomojis().size(), 1);
    }

    void donateOpensTheDonationPage()
    {
        view().donate();
        QCOMPARE(platform().openedUrls.size(), 1);
        const QUrl url = platform().openedUrls.first();
        QCOMPARE(url.scheme(), QStringLiteral("https"));
        QCOMPARE(url.query(), QStringLiteral("country.x=US&locale.x=en_US"));
    }

    void quitEndsTheApplicationAndEscapeAsksToHide()
    {
        QSignalSpy dismissed(&view(), &KaomojiView::dismissRequested);
        view().quit();
        view().dismiss();
        QCOMPARE(platform().quitRequests, 1);
        QCOMPARE(dismissed.count(), 1);
    }

    void hoverPushesAndPopsThePointingHand()
    {
        view().pushPointingHand();
        view().popPointingHand();
        QCOMPARE(platform().cursorPushes, 1);
        QCOMPARE(platform().cursorPops, 1);
    }

    void copyCopiesMarksRecordsAndFlashes()
    {
        m_server.setReplyBody(R"j({"kaomoji":"✧(>o<)ﾉ✧"})j");
        view().setSearchText(QStringLiteral("magic"));
        view().submitSearch();
        QTRY_VERIFY(!view().mostRecentAIKaomojiId().isEmpty());

        const Kaomoji picked = joy(2);
        view().copyKaomoji(QStringLiteral("Joy"), idText(picked));
        QCOMPARE(platform().copiedTexts, QStringList { picked.face() });
        QCOMPARE(view().copiedKaomoji(), picked.face());
        QCOMPARE(view().lastClickedKaomoji(), picked.face());
        QCOMPARE(store().recentlyUsedKaomojis().first(), picked);
        QCOMPARE(view().mostRecentAIKaomojiId(), QString()); // a use ends the sparkle
        KaomojiEntriesModel *joySection = view().sections()->entries(QStringLiteral("Joy"));
        QVERIFY(joySection->isFlashing(picked.id()));
        QTRY_VERIFY(!joySection->isFlashing(picked.id()));
        QVERIFY(view().hasCopiedKaomoji()); // the flash is shorter than the marker
        QTRY_VERIFY_WITH_TIMEOUT(!view().hasCopiedKaomoji(), 4000);
        QVERIFY(!view().hasLastClickedKaomoji());
    }

    void copyInRecentlyUsedRecordsNoUse()
    {
        view().copyKaomoji(QStringLiteral("Joy"), idText(joy(0)));
        view().copyKaomoji(QStringLiteral("Joy"), idText(joy(1)));
        addCustom(QStringLiteral("(=_=)"));
        m_server.setReplyBody(R"j({"kaomoji":"(^o^)"})j");
        view().setSearchText(QStringLiteral("x"));
        view().submitSearch();
        QTRY_VERIFY(!view().mostRecentAIKaomojiId().isEmpty());
        const KaomojiList before = store().recentlyUsedKaomojis();
        QSignalSpy recentChanges(&store(), &KaomojiData::recentlyUsedKaomojisChanged);

        view().copyKaomoji(KaomojiCategories::recentlyUsed, idText(before.last()));
        QCOMPARE(platform().copiedTexts.last(), before.last().face());
        QCOMPARE(store().recentlyUsedKaomojis(), before);
        QCOMPARE(recentChanges.count(), 0);
        QVERIFY(!view().mostRecentAIKaomojiId().isEmpty()); // the sparkle stays
        QVERIFY(view()
                    .sections()
                    ->entries(KaomojiCategories::recentlyUsed)
                    ->isFlashing(before.last().id()));
    }

    // Each click clears only its own face: A's clearing finds B's face and leaves it.
    void laterClickKeepsItsMarker()
    {
        const Kaomoji a = joy(0);
        const Kaomoji b = joy(1);
        view().copyKaomoji(QStringLiteral("Joy"), idText(a));
        QTest::qWait(500);
        view().copyKaomoji(QStringLiteral("Joy"), idText(b));
        QTest::qWait(1700); // A's clearing is due, B's not yet
        QCOMPARE(view().copiedKaomoji(), b.face());
        QCOMPARE(view().lastClickedKaomoji(), b.face());
        QTRY_VERIFY_WITH_TIMEOUT(!view().hasCopiedKaomoji(), 3000);
    }

    // The same tile twice, a second apart: the first click's clearing ends the marker.
    void repeatedClickIsClearedByTheFirst()
    {
        const Kaomoji a = joy(0);
        QElapsedTimer sinceFirst;
        sinceFirst.start();
        view().copyKaomoji(QStringLiteral("Joy"), idText(a));
        QTest::qWait(1000);
        view().copyKaomoji(QStringLiteral("Joy"), idText(a));
        QTRY_VERIFY_WITH_TIMEOUT(!view().hasCopiedKaomoji(), 4000);
        QVERIFY2(sinceFirst.elapsed() < 2900, qPrintable(QString::number(sinceFirst.elapsed())));
    }

    void copyOfAnEntryThatIsGoneDoesNothing()
    {
        QTest::ignoreMessage(
            QtWarningMsg, QRegularExpression("no kaomoji .* in the section 'Joy'"));
        view().copyKaomoji(QStringLiteral("Joy"), QUuid::createUuid().toString());
        QVERIFY(platform().copiedTexts.isEmpty());
        QVERIFY(!view().hasCopiedKaomoji());
    }

    // The store's flag is a one-shot: only a rise to true unselects.
    void storeFlagIsLoweredAfterReacting()
    {
        view().toggleCategory(KaomojiCategories::custom);
        store().setShouldUnselectCustom(true);
        QVERIFY(!store().shouldUnselectCustom());
        QVERIFY(view().selectedCategories().isEmpty());
    }

    void repliesAfterTheWindowIsGoneAreDropped()
    {
        m_server.setHolding(true);
        view().setSearchText(QStringLiteral("cat"));
        view().submitSearch();
        QTRY_COMPARE(m_server.heldCount(), 1);
        m_window.reset();
        m_server.release(0, R"j({"kaomoji":"late"})j");
        QTest::qWait(200); // a completion reaching the deleted view would crash here
    }
};

QTEST_GUILESS_MAIN(KaomojiViewTest)
#include "KaomojiViewTest.moc"
