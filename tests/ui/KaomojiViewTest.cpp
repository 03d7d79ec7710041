#include "ChildProcess.h"
#include "KaomojiCategories.h"
#include "KaomojiData.h"
#include "PickerFixture.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>

using namespace Qt::StringLiterals;

// The window's state without its views: what happens over time and across the network.
class KaomojiViewTest : public QObject {
    Q_OBJECT

    std::unique_ptr<PickerFixture> m_picker;

    KaomojiView &view() { return m_picker->view; }
    LoopbackHttpServer &service() { return m_picker->service; }
    QString joy(int index)
    {
        return idOf(m_picker->store().presetKaomojis().value("Joy").at(index));
    }
    static QString idOf(const Kaomoji &record)
    {
        return record.id().toString(QUuid::WithoutBraces);
    }

    void generate(const QString &prompt)
    {
        view().setSearchText(prompt);
        view().submitSearch();
        QTRY_VERIFY(!view().isGeneratingAI());
    }

private slots:
    void init() { m_picker = std::make_unique<PickerFixture>(); }
    void cleanup() { m_picker.reset(); }

    void returnSendsTheTextUnchangedOnlyWhenThereIsSome()
    {
        view().submitSearch();
        QVERIFY(!view().isGeneratingAI());
        generate(QStringLiteral("  "));
        QCOMPARE(service().prompts(), QStringList { "  " });
    }

    // A failure keeps everything for another try; the next try clears the old message at once.
    void failureKeepsTheTextAndSelection()
    {
        service().answerJson(200, R"j({"error":"The service is resting"})j");
        view().toggleCategory(QStringLiteral("Joy"));
        generate(QStringLiteral("sleepy cat"));
        QCOMPARE(view().aiError(), QStringLiteral("The service is resting"));
        QCOMPARE(view().searchText(), QStringLiteral("sleepy cat"));
        QCOMPARE(view().selectedCategories(), QStringList { "Joy" });
        QVERIFY(m_picker->store().customKaomojis().isEmpty());
        QVERIFY(view().showingCustomForm()); // where the error shows, also when it was closed

        service().answerJson(200, R"j({"kaomoji":"(=ↀωↀ=)"})j");
        view().submitSearch();
        QVERIFY(view().isGeneratingAI());
        QVERIFY(!view().hasAIError());
        QTRY_VERIFY(!view().isGeneratingAI());
    }

    void successKeepsTheNewEntryInSight_data()
    {
        QTest::addColumn<QStringList>("selected");
        QTest::addColumn<QStringList>("afterwards");
        QTest::newRow("filtered") << QStringList { "Joy" } << QStringList { "Custom", "Joy" };
        QTest::newRow("unfiltered") << QStringList {} << QStringList {};
    }
    void successKeepsTheNewEntryInSight()
    {
        QFETCH(QStringList, selected);
        QFETCH(QStringList, afterwards);
        view().setSelectedCategories(selected);
        generate(QStringLiteral("cat"));
        QCOMPARE(view().selectedCategories(), afterwards);
        QCOMPARE(view().searchText(), QString());
        const Kaomoji made = m_picker->store().customKaomojis().first();
        QCOMPARE(made.face(), QStringLiteral("(=^･ω･^=)"));
        QCOMPARE(view().mostRecentAIKaomojiId(), idOf(made));
        QCOMPARE(view().sections()->entries(KaomojiCategories::custom)->ids().first(), made.id());
    }

    // What a screen reader hears after a tile's face: the record's own category, wherever the
    // tile shows, and its tags.
    void describesATileByItsCategoryAndTags_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QStringList>("tags");
        QTest::addColumn<QString>("description");
        QTest::newRow("recently used") << KaomojiCategories::recentlyUsed
                                       << QStringList { "sleepy", "cat" } << "Cat: sleepy, cat";
        QTest::newRow("no tags") << KaomojiCategories::custom << QStringList {} << "Cat";
        QTest::newRow("not in the section") << "Joy" << QStringList { "cat" } << "";
    }
    void describesATileByItsCategoryAndTags()
    {
        QFETCH(QString, section);
        QFETCH(QStringList, tags);
        QFETCH(QString, description);
        const Kaomoji made = Kaomoji::create(QStringLiteral("(=^-ω-^=)"), "Cat", tags);
        QVERIFY(m_picker->store().addCustomKaomoji(made));
        view().copyKaomoji(KaomojiCategories::custom, idOf(made));
        QCOMPARE(view().kaomojiDescription(section, idOf(made)), description);
    }

    // Two Returns: the first reply to arrive ends the progress, each applies its own outcome.
    void twoRequestsOutstanding()
    {
        service().setHolding(true);
        view().setSearchText(QStringLiteral("cat"));
        view().submitSearch();
        view().submitSearch();
        QTRY_COMPARE(service().heldCount(), 2);
        service().release(1, R"j({"kaomoji":"second"})j");
        QTRY_VERIFY(!view().isGeneratingAI());
        QCOMPARE(m_picker->store().customKaomojis().size(), 1);

        service().release(0, R"j({"error":"first failed"})j");
        QTRY_COMPARE(view().aiError(), QStringLiteral("first failed"));
        QCOMPARE(m_picker->store().customKaomojis().size(), 1);
    }

    // Nothing answers at a loopback address: the installed service is started there once, asked
    // again, and stopped with the window; without it, the user reads why.
    void startsTheInstalledServiceWhenNothingAnswers_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::newRow("installed") << true;
        QTest::newRow("not installed") << false;
    }
    void startsTheInstalledServiceWhenNothingAnswers()
    {
        QFETCH(bool, installed);
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        QUrl endpoint = m_picker->service.url();
        endpoint.setPort(probe.serverPort());
        probe.close();
        const QByteArray path = qgetenv("PATH");
        qputenv(
            "PATH", installed ? QFileInfo(ChildProcess::generator()).path().toUtf8() : "/nowhere");
        view().setGenerationEndpoint(endpoint);
        generate(QStringLiteral("sleepy cat"));
        qputenv("PATH", path);
        if (!installed) {
            QVERIFY2(view().aiError().contains("not installed"), qPrintable(view().aiError()));
            return;
        }
        QVERIFY2(!view().hasAIError(), qPrintable(view().aiError()));
        QCOMPARE(m_picker->store().customKaomojis().size(), 1);
        m_picker.reset();
        QTcpSocket gone;
        gone.connectToHost(QHostAddress::LocalHost, endpoint.port());
        QVERIFY(!gone.waitForConnected(2000));
    }

    void repliesAfterTheWindowIsGoneAreDropped()
    {
        auto gone =
            std::make_unique<KaomojiView>(m_picker->preferences, m_picker->platform.services());
        gone->setGenerationEndpoint(service().url());
        service().setHolding(true);
        gone->setSearchText(QStringLiteral("cat"));
        gone->submitSearch();
        QTRY_COMPARE(service().heldCount(), 1);
        gone.reset();
        service().release(0, R"j({"kaomoji":"late"})j");
        QTest::qWait(200); // a completion reaching the deleted view would crash here
    }

    // The focus moves 0.1 s after the wand opens or closes the form, not before.
    void wandMovesTheFocusLater()
    {
        QSignalSpy requested(&view(), &KaomojiView::focusRequested);
        view().wandAction();
        QVERIFY(view().showingCustomForm());
        m_picker->platform.advance(99);
        QCOMPARE(requested.count(), 0);
        m_picker->platform.advance(1);
        QCOMPARE(view().focusedField(), KaomojiView::NewFace);
        view().wandAction();
        m_picker->platform.advance(100);
        QCOMPARE(view().focusedField(), KaomojiView::Search);
        QCOMPARE(requested.count(), 2);

        view().setSearchText(QStringLiteral("owl"));
        view().wandAction();
        QVERIFY(view().isGeneratingAI());
        QVERIFY(!view().showingCustomForm());
    }

    // Each click clears only its own face, 2 s later: a later click on another tile keeps its
    // marker, and a second click on the same tile is cleared by the first one's step.
    void copiedMarkersClearTheirOwnFace()
    {
        view().copyKaomoji(QStringLiteral("Joy"), joy(0));
        m_picker->platform.advance(500);
        view().copyKaomoji(QStringLiteral("Joy"), joy(1));
        const QString second = m_picker->platform.copiedTexts.last();
        m_picker->platform.advance(1500);
        QCOMPARE(view().copiedKaomoji(), second);
        QCOMPARE(view().lastClickedKaomoji(), second);
        m_picker->platform.advance(500);
        QVERIFY(!view().hasCopiedKaomoji());

        view().copyKaomoji(QStringLiteral("Joy"), joy(2));
        m_picker->platform.advance(1000);
        view().copyKaomoji(QStringLiteral("Joy"), joy(2));
        m_picker->platform.advance(1000);
        QVERIFY(!view().hasCopiedKaomoji());
        QVERIFY(!view().hasLastClickedKaomoji());
    }

    // `pelmora --list` prints, without a display, what the window shows for the same search.
    void launcherListShowsWhatTheWindowShows_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("categories");
        QTest::addColumn<QString>("format");
        QTest::newRow("everything") << QString() << QStringList() << u"plain"_s;
        QTest::newRow("a word") << u"cat"_s << QStringList() << u"tsv"_s;
        QTest::newRow("a custom tag") << u"bear"_s << QStringList() << u"json"_s;
        QTest::newRow("two chips") << u"happy"_s << QStringList { "Joy", "Custom" } << u"tsv"_s;
    }
    void launcherListShowsWhatTheWindowShows()
    {
        QFETCH(QString, query);
        QFETCH(QStringList, categories);
        QFETCH(QString, format);
        m_picker->store().addCustomKaomoji(Kaomoji::create("(ᵔᴥᵔ)", "Custom", { "bear", "happy" }));
        view().copyKaomoji("Joy", joy(0));
        view().setSearchText(query);
        view().setSelectedCategories(categories);
        QStringList shown;
        for (const QString &section : view().sections()->names()) {
            const KaomojiEntriesModel &entries = *view().sections()->entries(section);
            for (int row = 0; row < entries.rowCount(); ++row)
                shown.append(QStringList { entries.recordAt(row).face(),
                    entries.recordAt(row).category(), entries.recordAt(row).tags().join(u',') }
                                 .first(format == "plain"_L1 ? 1 : 3)
                                 .join(u'\t'));
        }

        // The fixture's file as ~/.config/Pelmora/Pelmora.conf.
        QVERIFY(QFile::link(m_picker->directory.path(), m_picker->directory.filePath("Pelmora")));
        QProcessEnvironment environment; // no display
        environment.insert(u"LC_ALL"_s, u"C.UTF-8"_s);
        environment.insert(u"XDG_CONFIG_HOME"_s, m_picker->directory.path());
        QStringList arguments { u"--list"_s, u"--query"_s, query, u"--format"_s, format };
        for (const QString &category : categories)
            arguments << u"--category"_s << category.toLower();
        QString output;
        QCOMPARE(runToEnd(ChildProcess::pelmora(), arguments, environment, &output), 0);
        QStringList listed;
        for (const QJsonValue entry : QJsonDocument::fromJson(output.toUtf8()).array())
            listed.append(entry["face"_L1].toString() + u'\t' + entry["category"_L1].toString()
                + u'\t' + entry["tags"_L1].toVariant().toStringList().join(u','));
        if (format != "json"_L1)
            listed = output.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(listed, shown);
    }

    void staleIdsChangeNothing()
    {
        m_picker->store().addCustomKaomoji(Kaomoji::create("(T_T)", "Custom"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot delete 'nonsense'"));
        view().deleteKaomoji(QStringLiteral("nonsense"));
        QTest::ignoreMessage(
            QtWarningMsg, QRegularExpression("no kaomoji .* in the section 'Joy'"));
        view().copyKaomoji(QStringLiteral("Joy"), QUuid::createUuid().toString());
        QCOMPARE(m_picker->store().customKaomojis().size(), 1);
        QVERIFY(m_picker->platform.copiedTexts.isEmpty());
    }
};

QTEST_GUILESS_MAIN(KaomojiViewTest)
#include "KaomojiViewTest.moc"
