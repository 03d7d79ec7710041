#include "KaomojiSectionsModel.h"

#include "GenerationServer.h"
#include "KaomojiCategories.h"
#include "KaomojiData.h"
#include "KaomojiEntriesModel.h"
#include "ModelLog.h"
#include "TestWindow.h"

#include <QAbstractItemModelTester>
#include <QHash>
#include <QPointer>
#include <QTest>
#include <memory>

namespace {

QString idText(const Kaomoji &record)
{
    return record.id().toString(QUuid::WithoutBraces);
}

QList<QUuid> idsOf(const KaomojiList &records)
{
    QList<QUuid> ids;
    for (const Kaomoji &record : records)
        ids.append(record.id());
    return ids;
}

} // namespace

class KaomojiSectionsModelTest : public QObject {
    Q_OBJECT

private:
    GenerationServer m_server;
    std::unique_ptr<TestWindow> m_window;
    QPointer<ModelLog> m_sectionsLog;
    // Every entries model the window made, with the log of what it reported.
    QHash<KaomojiEntriesModel *, QPointer<ModelLog>> m_entriesLogs;

    KaomojiView &view() { return m_window->view; }
    KaomojiData &store() { return m_window->view.kaomojiData(); }
    KaomojiSectionsModel &sections() { return *m_window->view.sections(); }
    KaomojiEntriesModel *entries(const QString &name) { return sections().entries(name); }
    Kaomoji preset(const QString &category, int index)
    {
        return store().presetKaomojis().value(category).at(index);
    }

    // Watches a model with Qt's consistency checker and a log, for as long as it lives.
    void watch(KaomojiEntriesModel *model)
    {
        if (m_entriesLogs.contains(model))
            return;
        new QAbstractItemModelTester(
            model, QAbstractItemModelTester::FailureReportingMode::QtTest, model);
        m_entriesLogs.insert(model, new ModelLog(model));
    }

    void clearLogs()
    {
        m_sectionsLog->lines.clear();
        for (const QPointer<ModelLog> &log : std::as_const(m_entriesLogs)) {
            if (log)
                log->lines.clear();
        }
    }

    // The lines of every shown section that reported anything, by section name.
    QHash<QString, QStringList> changedSections()
    {
        QHash<QString, QStringList> changed;
        for (const QString &name : sections().names()) {
            const ModelLog *log = m_entriesLogs.value(entries(name));
            if (log && !log->lines.isEmpty())
                changed.insert(name, log->lines);
        }
        return changed;
    }

    // Every section shows exactly the filter's group of its name, in order.
    void verifyMatchesTheFilter()
    {
        const KaomojiGroups results =
            store().filteredKaomojis(view().searchText(), view().selectedCategorySet());
        QCOMPARE(sections().names(), KaomojiSectionsModel::sectionNames(results));
        for (const QString &name : sections().names())
            QCOMPARE(entries(name)->ids(), idsOf(results.value(name)));
    }

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
        m_entriesLogs.clear();
        m_window = std::make_unique<TestWindow>(m_server.endpoint());
        new QAbstractItemModelTester(
            &sections(), QAbstractItemModelTester::FailureReportingMode::QtTest, &sections());
        m_sectionsLog = new ModelLog(&sections());
        for (const QString &name : sections().names())
            watch(entries(name));
        connect(&sections(), &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int first, int last) {
                for (int row = first; row <= last; ++row)
                    watch(entries(sections().names().at(row)));
            });
    }

    void cleanup() { m_window.reset(); }

    void sectionNamesFollowTheChipOrder()
    {
        const Kaomoji record = Kaomoji::create("(^_^)", "Joy");
        KaomojiGroups results;
        for (const char *name : { "Sympathy", "Love", "Joy", "Embarrassment", "Recently Used" })
            results.insert(name, { record });
        results.insert(KaomojiCategories::custom, {});
        QCOMPARE(KaomojiSectionsModel::sectionNames(results),
            (QStringList { "Recently Used", "Joy", "Love" }));
        QVERIFY(KaomojiSectionsModel::sectionNames({}).isEmpty());
    }

    void sectionsShowRecentThenCustomThenPresets()
    {
        QStringList presets = view().orderedCategories();
        presets.removeFirst();
        QCOMPARE(sections().names(), presets);

        addCustom("(=_=)");
        view().copyKaomoji("Love", idText(preset("Love", 0)));
        QCOMPARE(sections().names().mid(0, 3), (QStringList { "Recently Used", "Custom", "Joy" }));
        QCOMPARE(sections().names().size(), presets.size() + 2);
        QVERIFY(!sections().names().contains("Embarrassment"));
        QVERIFY(!sections().names().contains("Sympathy"));

        const auto role = [&](int row, KaomojiSectionsModel::Role which) {
            return sections().data(sections().index(row), which);
        };
        QCOMPARE(role(0, KaomojiSectionsModel::NameRole).toString(), "Recently Used");
        QVERIFY(role(0, KaomojiSectionsModel::HasClearButtonRole).toBool());
        QVERIFY(!role(1, KaomojiSectionsModel::HasClearButtonRole).toBool());
        QVERIFY(role(1, KaomojiSectionsModel::IsCustomRole).toBool());
        QVERIFY(!role(2, KaomojiSectionsModel::IsCustomRole).toBool());
        QCOMPARE(role(2, KaomojiSectionsModel::EntriesRole).value<KaomojiEntriesModel *>(),
            entries("Joy"));
        verifyMatchesTheFilter();
    }

    // Matches only in categories without a chip: results exist, yet no section shows.
    void groupsWithoutAChipAreNeverShown()
    {
        view().setSearchText("Embarrassment");
        const KaomojiGroups results = store().filteredKaomojis("Embarrassment", {});
        QCOMPARE(results.keys(), QStringList { "Embarrassment" });
        QVERIFY(view().hasResults());
        QVERIFY(sections().names().isEmpty());

        view().setSearchText("no such face anywhere");
        QVERIFY(!view().hasResults());
    }

    // Each keystroke only removes rows while narrowing and only inserts while widening; a
    // section that stays keeps its model.
    void typingUpdatesByDifference()
    {
        addCustom("cat (=^･ω･^=)");
        view().copyKaomoji("Cat", idText(preset("Cat", 0)));
        const QStringList typed { "c", "ca", "cat", "ca", "c", "", "C", "" };
        QString previous;
        qsizetype reported = 0;
        for (const QString &text : typed) {
            QHash<QString, KaomojiEntriesModel *> before;
            for (const QString &name : sections().names())
                before.insert(name, entries(name));
            clearLogs();

            view().setSearchText(text);
            verifyMatchesTheFilter();
            const bool narrowing = text.size() > previous.size();
            for (const QString &name : sections().names()) {
                if (before.contains(name))
                    QCOMPARE(entries(name), before.value(name));
            }
            QStringList lines = m_sectionsLog->lines;
            for (const QPointer<ModelLog> &log : std::as_const(m_entriesLogs)) {
                if (log)
                    lines += log->lines;
            }
            reported += lines.size();
            for (const QString &line : std::as_const(lines)) {
                QVERIFY2(!line.startsWith("reset") && !line.startsWith("move")
                        && !line.startsWith("layout") && !line.startsWith("data"),
                    qPrintable(text + ": " + line));
                if (previous.compare(text, Qt::CaseInsensitive) != 0)
                    QVERIFY2(line.startsWith(narrowing ? "remove" : "insert"),
                        qPrintable(text + ": " + line));
            }
            previous = text;
        }
        QVERIFY(reported > 40);
    }

    // A use adds one entry at the top of "Recently Used"; no other section hears of it
    // except for the clicked tile's flash.
    void aUseTouchesOnlyRecentlyUsedAndTheClickedTile()
    {
        view().copyKaomoji("Joy", idText(preset("Joy", 3)));
        QCOMPARE(m_sectionsLog->lines, QStringList { "insert 0 0" });
        QCOMPARE(changedSections(),
            (QHash<QString, QStringList> { { "Joy", { "data 3 3 flashing" } } }));

        for (int index = 0; index < 4; ++index)
            view().copyKaomoji("Love", idText(preset("Love", index)));
        clearLogs();
        KaomojiEntriesModel *recent = entries(KaomojiCategories::recentlyUsed);
        view().copyKaomoji("Cat", idText(preset("Cat", 1)));
        QCOMPARE(m_sectionsLog->lines, QStringList());
        QCOMPARE(changedSections(),
            (QHash<QString, QStringList> {
                { "Recently Used", { "insert 0 0", "remove 5 5" } },
                { "Cat", { "data 1 1 flashing" } },
            }));
        QCOMPARE(entries(KaomojiCategories::recentlyUsed), recent);
        QCOMPARE(recent->ids().first(), preset("Cat", 1).id());
        verifyMatchesTheFilter();
    }

    void flashingRoleGoesOnAndOff()
    {
        const Kaomoji picked = preset("Love", 2);
        view().copyKaomoji("Love", idText(picked));
        KaomojiEntriesModel *love = entries("Love");
        const QModelIndex tile = love->index(2);
        QCOMPARE(love->data(tile, KaomojiEntriesModel::KaomojiIdRole).toString(), idText(picked));
        QVERIFY(love->data(tile, KaomojiEntriesModel::FlashingRole).toBool());
        QVERIFY(!entries(KaomojiCategories::recentlyUsed)->isFlashing(picked.id()));
        QTRY_VERIFY(!love->data(tile, KaomojiEntriesModel::FlashingRole).toBool());
        QCOMPARE(m_entriesLogs.value(love)->lines,
            (QStringList { "data 2 2 flashing", "data 2 2 flashing" }));
    }

    void customEntriesComeAndGoInPlace()
    {
        addCustom("(a)");
        QCOMPARE(m_sectionsLog->lines, QStringList { "insert 0 0" });
        KaomojiEntriesModel *custom = entries(KaomojiCategories::custom);
        clearLogs();

        addCustom("(b)");
        addCustom("(c)");
        QCOMPARE(changedSections(),
            (QHash<QString, QStringList> { { "Custom", { "insert 0 0", "insert 0 0" } } }));
        clearLogs();

        view().deleteKaomoji(idText(store().customKaomojis().at(1)));
        QCOMPARE(
            changedSections(), (QHash<QString, QStringList> { { "Custom", { "remove 1 1" } } }));
        QCOMPARE(entries(KaomojiCategories::custom), custom);
        QCOMPARE(m_sectionsLog->lines, QStringList());

        view().deleteKaomoji(idText(store().customKaomojis().at(0)));
        view().deleteKaomoji(idText(store().customKaomojis().at(0)));
        QCOMPARE(m_sectionsLog->lines, QStringList { "remove 0 0" });
        QVERIFY(!entries(KaomojiCategories::custom));
    }

    // Only the entry that is both tagged and marked sparkles; a use ends it, touching the
    // one role only.
    void newestGeneratedEntrySparklesUntilAUse()
    {
        view().setSearchText("first");
        view().submitSearch();
        QTRY_VERIFY(!view().isGeneratingAI());
        view().setSearchText("second");
        view().submitSearch();
        QTRY_VERIFY(!view().isGeneratingAI());

        KaomojiEntriesModel *custom = entries(KaomojiCategories::custom);
        const auto sparkles = [&](int row) {
            return custom->data(custom->index(row), KaomojiEntriesModel::IsMostRecentAIRole)
                .toBool();
        };
        QCOMPARE(custom->rowCount(), 2);
        QVERIFY(sparkles(0));
        QVERIFY(!sparkles(1));

        clearLogs();
        view().copyKaomoji("Joy", idText(preset("Joy", 0)));
        QVERIFY(!sparkles(0));
        QCOMPARE(changedSections().value("Custom"), QStringList { "data 0 0 isMostRecentAI" });
    }

    void markedEntryWithoutTheTagDoesNotSparkle()
    {
        const Kaomoji plain = Kaomoji::create("(-_-)", "Custom");
        const Kaomoji made =
            Kaomoji::create("(o_o)", "Custom", { KaomojiCategories::aiGeneratedTag });
        KaomojiEntriesModel model({ plain, made }, plain.id(), nullptr);
        const auto sparkles = [&](int row) {
            return model.data(model.index(row), KaomojiEntriesModel::IsMostRecentAIRole).toBool();
        };
        QVERIFY(!sparkles(0));
        QVERIFY(!sparkles(1));
        model.setMostRecentAIKaomojiId(made.id());
        QVERIFY(sparkles(1));
        model.setMostRecentAIKaomojiId({});
        QVERIFY(!sparkles(1));
    }

    // A record that comes back under a known id with other content is shown anew.
    void changedContentUnderTheSameIdIsReported()
    {
        const Kaomoji first = Kaomoji::create("(a)", "Custom");
        KaomojiEntriesModel model({ first }, {}, nullptr);
        ModelLog log(&model);
        const Kaomoji edited(first.id(), "(b)", "Custom", {});
        model.setEntries({ edited });
        QCOMPARE(log.lines, QStringList { "data 0 0 face,category,tags,isMostRecentAI" });
        QCOMPARE(model.data(model.index(0), KaomojiEntriesModel::FaceRole).toString(), "(b)");
    }

    void clearRemovesTheRecentlyUsedSection()
    {
        view().copyKaomoji("Joy", idText(preset("Joy", 0)));
        QPointer<KaomojiEntriesModel> recent = entries(KaomojiCategories::recentlyUsed);
        clearLogs();
        view().clearRecentlyUsed();
        QCOMPARE(m_sectionsLog->lines, QStringList { "remove 0 0" });
        QVERIFY(changedSections().isEmpty());
        QTRY_VERIFY(!recent); // released once the view had its turn
    }
};

QTEST_GUILESS_MAIN(KaomojiSectionsModelTest)
#include "KaomojiSectionsModelTest.moc"
