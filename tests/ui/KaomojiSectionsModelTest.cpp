#include "KaomojiCategories.h"
#include "KaomojiData.h"
#include "KaomojiEntriesModel.h"
#include "PickerFixture.h"

#include <QAbstractItemModelTester>
#include <QHash>
#include <QPointer>
#include <QTest>

namespace {

// Writes down every change a model reports, one line each ("insert 0 0", "remove 4 5",
// "move 3 0", "data 2 2 flashing", "reset", "layout"), so a test can say exactly which rows a
// change touched and that no other model heard of it. Qt's own checker watches it too.
class ModelLog final : public QObject {
public:
    explicit ModelLog(QAbstractItemModel *model)
        : QObject(model)
    {
        new QAbstractItemModelTester(
            model, QAbstractItemModelTester::FailureReportingMode::QtTest, this);
        const auto rows = [this](const char *what) {
            return [this, what](const QModelIndex &, int first, int last) {
                lines.append(QStringLiteral("%1 %2 %3").arg(what).arg(first).arg(last));
            };
        };
        connect(model, &QAbstractItemModel::rowsInserted, this, rows("insert"));
        connect(model, &QAbstractItemModel::rowsRemoved, this, rows("remove"));
        connect(model, &QAbstractItemModel::rowsMoved, this,
            [this](const QModelIndex &, int first, int, const QModelIndex &, int to) {
                lines.append(QStringLiteral("move %1 %2").arg(first).arg(to));
            });
        connect(model, &QAbstractItemModel::dataChanged, this,
            [this, model](const QModelIndex &from, const QModelIndex &to, const QList<int> &roles) {
                QStringList names;
                for (int role : roles)
                    names.append(QString::fromUtf8(model->roleNames().value(role)));
                names.removeAll(QString());
                lines.append(QStringLiteral("data %1 %2 %3")
                                 .arg(from.row())
                                 .arg(to.row())
                                 .arg(names.join(u',')));
            });
        connect(model, &QAbstractItemModel::modelReset, this, [this] { lines.append("reset"); });
        connect(
            model, &QAbstractItemModel::layoutChanged, this, [this] { lines.append("layout"); });
    }

    QStringList lines;
};

using Changes = QHash<QString, QStringList>;

} // namespace

// The result sections follow the filter by difference: a change touches only the rows it must.
class KaomojiSectionsModelTest : public QObject {
    Q_OBJECT

    std::unique_ptr<PickerFixture> m_picker;
    QPointer<ModelLog> m_sectionsLog;
    // The log of every entries model the window made; a freed model's address may be reused by
    // a new one, whose log is then made afresh.
    QHash<KaomojiEntriesModel *, QPointer<ModelLog>> m_logs;

    KaomojiView &view() { return m_picker->view; }
    KaomojiData &store() { return m_picker->store(); }
    KaomojiSectionsModel &sections() { return *view().sections(); }
    KaomojiEntriesModel *entries(const QString &name) { return sections().entries(name); }
    QString preset(const QString &category, int index)
    {
        return store().presetKaomojis().value(category).at(index).id().toString();
    }

    void watchAll()
    {
        for (const QString &name : sections().names()) {
            QPointer<ModelLog> &log = m_logs[entries(name)];
            if (!log)
                log = new ModelLog(entries(name));
        }
    }

    void clearLogs()
    {
        watchAll();
        m_sectionsLog->lines.clear();
        for (const QPointer<ModelLog> &log : std::as_const(m_logs)) {
            if (log)
                log->lines.clear();
        }
    }

    // What each shown section reported since the logs were cleared, by section name.
    Changes changes()
    {
        Changes changed;
        for (const QString &name : sections().names()) {
            const ModelLog *log = m_logs.value(entries(name));
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
        for (const QString &name : sections().names()) {
            QList<QUuid> ids;
            for (const Kaomoji &record : results.value(name))
                ids.append(record.id());
            QCOMPARE(entries(name)->ids(), ids);
        }
    }

    void addCustom(const QString &face)
    {
        store().addCustomKaomoji(Kaomoji::create(face, "Custom"));
    }

private slots:
    void init()
    {
        m_picker = std::make_unique<PickerFixture>();
        m_logs.clear();
        m_sectionsLog = new ModelLog(&sections());
        // Sections made during a change are watched from their birth.
        connect(&sections(), &QAbstractItemModel::rowsInserted, this, [this] { watchAll(); });
        watchAll();
    }
    void cleanup() { m_picker.reset(); }

    void sectionsShowRecentThenCustomThenPresets()
    {
        addCustom("(=_=)");
        view().copyKaomoji("Love", preset("Love", 0));
        QStringList expected { "Recently Used", "Custom" };
        expected += view().orderedCategories().mid(1);
        QCOMPARE(sections().names(), expected);
        QCOMPARE(sections()
                     .data(sections().index(2), KaomojiSectionsModel::EntriesRole)
                     .value<KaomojiEntriesModel *>(),
            entries("Joy"));
        verifyMatchesTheFilter();
    }

    // Narrowing only removes rows and widening only inserts; a section that stays keeps its model.
    void typingUpdatesByDifference()
    {
        addCustom("cat (=^･ω･^=)");
        view().copyKaomoji("Cat", preset("Cat", 0));
        QString previous;
        qsizetype reported = 0;
        for (const QString text : { "c", "ca", "cat", "ca", "c", "", "C", "" }) {
            QHash<QString, KaomojiEntriesModel *> before;
            for (const QString &name : sections().names())
                before.insert(name, entries(name));
            clearLogs();
            view().setSearchText(text);
            verifyMatchesTheFilter();
            for (const QString &name : sections().names())
                QVERIFY(!before.contains(name) || entries(name) == before.value(name));
            QStringList lines = m_sectionsLog->lines;
            for (const QStringList &changed : changes())
                lines += changed;
            reported += lines.size();
            const QString expected = text.size() > previous.size() ? "remove" : "insert";
            for (const QString &line : std::as_const(lines)) {
                if (previous.compare(text, Qt::CaseInsensitive) != 0)
                    QVERIFY2(line.startsWith(expected), qPrintable(text + ": " + line));
            }
            previous = text;
        }
        QVERIFY(reported > 40);
    }

    // A use adds one entry to "Recently Used"; no other section hears of it but for the clicked
    // tile's flash. Clear takes the section away and nothing else.
    void aUseTouchesOnlyRecentlyUsedAndTheClickedTile()
    {
        view().copyKaomoji("Joy", preset("Joy", 3));
        QCOMPARE(m_sectionsLog->lines, QStringList { "insert 0 0" });
        QCOMPARE(changes(), (Changes { { "Joy", { "data 3 3 flashing" } } }));

        for (int index = 0; index < 4; ++index)
            view().copyKaomoji("Love", preset("Love", index));
        KaomojiEntriesModel *recent = entries(KaomojiCategories::recentlyUsed);
        clearLogs();
        view().copyKaomoji("Cat", preset("Cat", 1));
        QCOMPARE(m_sectionsLog->lines, QStringList());
        QCOMPARE(changes(),
            (Changes { { "Recently Used", { "insert 0 0", "remove 5 5" } },
                { "Cat", { "data 1 1 flashing" } } }));
        QCOMPARE(entries(KaomojiCategories::recentlyUsed), recent);
        verifyMatchesTheFilter();

        QPointer<KaomojiEntriesModel> gone = recent;
        clearLogs();
        view().clearRecentlyUsed();
        QCOMPARE(m_sectionsLog->lines, QStringList { "remove 0 0" });
        QVERIFY(changes().isEmpty());
        QTRY_VERIFY(!gone); // released once the views had their turn
    }

    void customEntriesComeAndGoInPlace()
    {
        addCustom("(a)");
        QCOMPARE(m_sectionsLog->lines, QStringList { "insert 0 0" });
        KaomojiEntriesModel *custom = entries(KaomojiCategories::custom);
        clearLogs();
        addCustom("(b)");
        addCustom("(c)");
        QCOMPARE(changes(), (Changes { { "Custom", { "insert 0 0", "insert 0 0" } } }));
        clearLogs();
        view().deleteKaomoji(store().customKaomojis().at(1).id().toString());
        QCOMPARE(changes(), (Changes { { "Custom", { "remove 1 1" } } }));
        QCOMPARE(entries(KaomojiCategories::custom), custom);
        QCOMPARE(m_sectionsLog->lines, QStringList());
    }

    // Only the entry that is both tagged and marked sparkles; a use ends it, touching that role
    // of that row only.
    void newestGeneratedEntrySparklesUntilAUse()
    {
        store().addAIKaomoji("first");
        store().addAIKaomoji("second");
        addCustom("marked but typed");
        KaomojiEntriesModel *custom = entries(KaomojiCategories::custom);
        const auto sparkles = [&](int row) {
            return custom->data(custom->index(row), KaomojiEntriesModel::IsMostRecentAIRole)
                .toBool();
        };
        QVERIFY(!sparkles(0) && sparkles(1) && !sparkles(2));
        custom->setMostRecentAIKaomojiId(store().customKaomojis().first().id());
        QVERIFY(!sparkles(0)); // no "AI-generated" tag
        custom->setMostRecentAIKaomojiId(store().mostRecentAIKaomojiId());

        clearLogs();
        view().copyKaomoji("Joy", preset("Joy", 0));
        QVERIFY(!sparkles(1));
        QCOMPARE(changes().value("Custom"), QStringList { "data 1 1 isMostRecentAI" });
    }

    // A hand-edited file may bring back a known id with another face: it is shown anew.
    void changedContentUnderTheSameIdIsReported()
    {
        const Kaomoji first = Kaomoji::create("(a)", "Custom");
        KaomojiEntriesModel model({ first }, {}, nullptr);
        ModelLog log(&model);
        model.setEntries({ Kaomoji(first.id(), "(b)", "Custom", {}) });
        QCOMPARE(log.lines, QStringList { "data 0 0 face,category,tags,isMostRecentAI" });
        QCOMPARE(model.data(model.index(0), KaomojiEntriesModel::FaceRole).toString(), "(b)");
    }
};

QTEST_GUILESS_MAIN(KaomojiSectionsModelTest)
#include "KaomojiSectionsModelTest.moc"
