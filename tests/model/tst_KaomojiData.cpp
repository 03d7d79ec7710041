#include "KaomojiCategories.h"
#include "KaomojiData.h"
#include "KaomojiJson.h"
#include "MemoryPreferences.h"
#include "SettingsPreferences.h"
#include "StdoutCapture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

namespace {

QSet<QString> set(std::initializer_list<const char *> names)
{
    QSet<QString> result;
    for (const char *name : names)
        result.insert(QString::fromUtf8(name));
    return result;
}

QStringList faces(const KaomojiList &records)
{
    QStringList result;
    for (const Kaomoji &record : records)
        result.append(record.face());
    return result;
}

QStringList storedFaces(const Preferences &preferences, const QString &key)
{
    const auto decoded = KaomojiJson::decode(preferences.data(key).value_or(QByteArray()));
    return faces(std::get<KaomojiList>(decoded));
}

Kaomoji preset(const KaomojiData &store, const QString &category, int index)
{
    return store.presetKaomojis().value(category).at(index);
}

} // namespace

class TestKaomojiData : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString settingsPath() const { return m_dir.filePath(QStringLiteral("Pelmora.conf")); }

private slots:
    void init() { QFile::remove(settingsPath()); }

    void startsWithTheCatalogAndWritesNothing()
    {
        MemoryPreferences preferences;
        KaomojiData store(preferences);
        QCOMPARE(store.presetKaomojis().size(), 39);
        QVERIFY(store.customKaomojis().isEmpty());
        QVERIFY(store.recentlyUsedKaomojis().isEmpty());
        QVERIFY(store.mostRecentAIKaomojiId().isNull());
        QVERIFY(!store.shouldUnselectCustom());
        QCOMPARE(preferences.writeCount(), 0);
    }

    void userDataLivesInPelmoraConf()
    {
        const QString location = SettingsPreferences().location();
        QVERIFY2(location.endsWith(QStringLiteral("/Pelmora/Pelmora.conf")), qPrintable(location));
    }

    void customOrderSurvivesRestarts()
    {
        {
            SettingsPreferences preferences(settingsPath());
            KaomojiData store(preferences);
            store.addCustomKaomoji(Kaomoji::create("A", "Custom"));
            store.addCustomKaomoji(Kaomoji::create("B", "Custom"));
            QCOMPARE(faces(store.customKaomojis()), QStringList({ "B", "A" }));
            QCOMPARE(storedFaces(preferences, KaomojiData::customKey), QStringList({ "B", "A" }));
        }
        for (int restart = 0; restart < 3; ++restart) {
            SettingsPreferences preferences(settingsPath());
            KaomojiData store(preferences);
            QCOMPARE(faces(store.customKaomojis()), QStringList({ "B", "A" }));
        }
        SettingsPreferences preferences(settingsPath());
        KaomojiData store(preferences);
        store.addCustomKaomoji(Kaomoji::create("C", "Custom"));
        QCOMPARE(storedFaces(preferences, KaomojiData::customKey), QStringList({ "C", "B", "A" }));
        // The file is where the user's data belongs: an INI file holding JSON byte strings.
        QFile file(settingsPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray contents = file.readAll();
        QVERIFY(contents.contains("CustomKaomojis="));
        QVERIFY(contents.contains("@ByteArray([{"));
    }

    void recentlyUsedKeepsFiveNewestFirst()
    {
        SettingsPreferences preferences(settingsPath());
        KaomojiData store(preferences);
        for (int i = 0; i < 6; ++i)
            store.addToRecentlyUsed(preset(store, "Joy", i));
        QCOMPARE(store.recentlyUsedKaomojis().size(), 5);
        QCOMPARE(store.recentlyUsedKaomojis().first(), preset(store, "Joy", 5));
        QCOMPARE(store.recentlyUsedKaomojis().last(), preset(store, "Joy", 1));
        const QStringList stored = storedFaces(preferences, KaomojiData::recentlyUsedKey);
        QCOMPARE(stored, faces(store.recentlyUsedKaomojis()));
    }

    void usingARecentEntryAgainChangesNothingButTheMarker()
    {
        MemoryPreferences preferences;
        KaomojiData store(preferences);
        store.addToRecentlyUsed(preset(store, "Joy", 0));
        store.addToRecentlyUsed(preset(store, "Joy", 1));
        store.addAIKaomoji("(new)");
        QVERIFY(!store.mostRecentAIKaomojiId().isNull());
        const int writes = preferences.writeCount();
        QSignalSpy recentSpy(&store, &KaomojiData::recentlyUsedKaomojisChanged);
        QSignalSpy markerSpy(&store, &KaomojiData::mostRecentAIKaomojiIdChanged);

        store.addToRecentlyUsed(preset(store, "Joy", 0));
        QCOMPARE(faces(store.recentlyUsedKaomojis()),
            QStringList({ preset(store, "Joy", 1).face(), preset(store, "Joy", 0).face() }));
        QCOMPARE(preferences.writeCount(), writes);
        QCOMPARE(recentSpy.count(), 0);
        QVERIFY(store.mostRecentAIKaomojiId().isNull());
        QCOMPARE(markerSpy.count(), 1);
    }

    void restoredEntryIsNotAddedTwice()
    {
        QString face;
        {
            SettingsPreferences preferences(settingsPath());
            KaomojiData store(preferences);
            face = preset(store, "Cat", 2).face();
            store.addToRecentlyUsed(preset(store, "Cat", 2));
        }
        SettingsPreferences preferences(settingsPath());
        KaomojiData store(preferences);
        const Kaomoji samePresetNewId = preset(store, "Cat", 2);
        QVERIFY(samePresetNewId != store.recentlyUsedKaomojis().first());
        store.addToRecentlyUsed(samePresetNewId);
        QCOMPARE(faces(store.recentlyUsedKaomojis()), QStringList({ face }));

        // Same face in another category is another entry.
        store.addToRecentlyUsed(Kaomoji::create(face, "Custom"));
        QCOMPARE(store.recentlyUsedKaomojis().size(), 2);
    }

    void longerStoredListKeepsItsLength()
    {
        MemoryPreferences preferences;
        KaomojiList seven;
        for (int i = 0; i < 7; ++i)
            seven.append(Kaomoji::create(QString::number(i), "Joy", {}));
        preferences.setData(
            KaomojiData::recentlyUsedKey, std::get<QByteArray>(KaomojiJson::encode(seven)));
        KaomojiData store(preferences);
        QCOMPARE(store.recentlyUsedKaomojis().size(), 7);
        store.addToRecentlyUsed(preset(store, "Joy", 0));
        QCOMPARE(store.recentlyUsedKaomojis().size(), 7);
        QCOMPARE(store.recentlyUsedKaomojis().last().face(), QStringLiteral("5"));
    }

    void generatedEntryIsFirstAndMarked()
    {
        MemoryPreferences preferences;
        KaomojiData store(preferences);
        store.addAIKaomoji(" (^o^) ");
        store.addAIKaomoji(" (^o^) ");
        QCOMPARE(store.customKaomojis().size(), 2);
        const Kaomoji newest = store.customKaomojis().first();
        QCOMPARE(newest.face(), QStringLiteral(" (^o^) "));
        QCOMPARE(newest.category(), QStringLiteral("Custom"));
        QCOMPARE(newest.tags(), QStringList({ "AI-generated" }));
        QCOMPARE(store.mostRecentAIKaomojiId(), newest.id());
        QVERIFY(store.customKaomojis().at(1) != newest);
    }

    void deletingRemovesEverywhereAndRaisesTheFlag()
    {
        MemoryPreferences preferences;
        KaomojiData store(preferences);
        store.addCustomKaomoji(Kaomoji::create("mine", "Custom"));
        const Kaomoji mine = store.customKaomojis().first();
        store.addToRecentlyUsed(mine);
        store.addToRecentlyUsed(preset(store, "Joy", 0));

        int writes = preferences.writeCount();
        store.deleteKaomoji(mine.id());
        QVERIFY(store.customKaomojis().isEmpty());
        QCOMPARE(store.recentlyUsedKaomojis().size(), 1);
        QVERIFY(store.shouldUnselectCustom());
        QCOMPARE(preferences.writeCount(), writes + 2);

        // Deleting an id that is nowhere rewrites both lists, and with the custom list empty
        // raises the flag again.
        store.setShouldUnselectCustom(false);
        QSignalSpy flagSpy(&store, &KaomojiData::shouldUnselectCustomChanged);
        writes = preferences.writeCount();
        store.deleteKaomoji(QUuid::createUuid());
        QCOMPARE(preferences.writeCount(), writes + 2);
        QVERIFY(store.shouldUnselectCustom());
        QCOMPARE(flagSpy.count(), 1);

        store.addCustomKaomoji(Kaomoji::create("other", "Custom"));
        store.setShouldUnselectCustom(false);
        store.deleteKaomoji(preset(store, "Joy", 0).id());
        QVERIFY(!store.shouldUnselectCustom());
    }

    void observersSeeTheSavedStateAndAFreshFilter()
    {
        MemoryPreferences preferences;
        KaomojiData store(preferences);
        QCOMPARE(store.filteredKaomojis("zzq", {}).size(), 0);
        bool checked = false;
        connect(&store, &KaomojiData::customKaomojisChanged, this, [&] {
            QCOMPARE(store.filteredKaomojis("zzq", {}).value("Custom").size(), 1);
            QCOMPARE(storedFaces(preferences, KaomojiData::customKey), QStringList({ "zzq" }));
            checked = true;
        });
        store.addCustomKaomoji(Kaomoji::create("zzq", "Custom"));
        QVERIFY(checked);
    }

    void corruptDataIsReportedKeptAndReplaced()
    {
        const QByteArray corrupt = "[{\"id\":\"not-an-id\",\"face\":\"x\"}]";
        {
            SettingsPreferences preferences(settingsPath());
            preferences.setData(KaomojiData::customKey, corrupt);
        }
        QByteArray printed;
        {
            StdoutCapture capture;
            SettingsPreferences preferences(settingsPath());
            KaomojiData store(preferences);
            printed = capture.text();
            QVERIFY(store.customKaomojis().isEmpty());
            QCOMPARE(preferences.data("CustomKaomojisUnreadable"), corrupt);
            store.addCustomKaomoji(Kaomoji::create("fresh", "Custom"));
            QCOMPARE(storedFaces(preferences, KaomojiData::customKey), QStringList({ "fresh" }));
        }
        QCOMPARE(printed.count("Error decoding custom kaomojis: "), 1);
        QVERIFY(printed.startsWith("Error decoding custom kaomojis: "));
        QVERIFY(printed.contains("CustomKaomojisUnreadable"));
        QVERIFY(printed.contains(settingsPath().toUtf8()));
        QVERIFY(!printed.contains("recently used"));

        // The next start reads the new list, and the unreadable bytes are still kept.
        StdoutCapture capture;
        SettingsPreferences preferences(settingsPath());
        KaomojiData store(preferences);
        QCOMPARE(faces(store.customKaomojis()), QStringList({ "fresh" }));
        QCOMPARE(preferences.data("CustomKaomojisUnreadable"), corrupt);
        QCOMPARE(capture.text(), QByteArray());
    }

    void corruptRecentlyUsedHasItsOwnMessage()
    {
        MemoryPreferences preferences;
        preferences.setData(KaomojiData::recentlyUsedKey, "{}");
        StdoutCapture capture;
        KaomojiData store(preferences);
        QVERIFY(capture.text().startsWith("Error decoding recently used kaomojis: "));
        QVERIFY(store.recentlyUsedKaomojis().isEmpty());
    }

    void unwritableConfigIsReportedAndRetried()
    {
        // The settings file sits in a directory that cannot be created: its parent is a
        // plain file. (A read-only directory does not stop root, who runs CI.)
        QTemporaryDir dir;
        QFile blocker(dir.filePath("config"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString path = dir.filePath("config/Pelmora/Pelmora.conf");

        SettingsPreferences preferences(path);
        KaomojiData store(preferences);
        StdoutCapture capture;
        store.addCustomKaomoji(Kaomoji::create("kept", "Custom"));
        const QByteArray printed = capture.text();
        QVERIFY(printed.startsWith("Error encoding custom kaomojis: "));
        QVERIFY(printed.contains(path.toUtf8()));
        QCOMPARE(faces(store.customKaomojis()), QStringList({ "kept" }));

        // Once the directory can be made, the next change saves the whole list.
        QVERIFY(QFile::remove(dir.filePath("config")));
        QVERIFY(QDir(dir.path()).mkpath("config/Pelmora"));
        store.addCustomKaomoji(Kaomoji::create("later", "Custom"));
        SettingsPreferences reread(path);
        QCOMPARE(storedFaces(reread, KaomojiData::customKey), QStringList({ "later", "kept" }));
    }

    void readOnlyDirectoryIsReported()
    {
        if (geteuid() == 0)
            QSKIP("root writes into read-only directories; covered by the unwritable case");
        QTemporaryDir dir;
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        SettingsPreferences preferences(dir.filePath("Pelmora.conf"));
        KaomojiData store(preferences);
        StdoutCapture capture;
        store.addToRecentlyUsed(preset(store, "Joy", 0));
        QVERIFY(capture.text().startsWith("Error encoding recently used kaomojis: "));
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void changeSurvivesAKilledProcess()
    {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
            { QStringLiteral("--add-and-wait"), settingsPath() });
        QVERIFY(child.waitForStarted());
        const auto stopChild = qScopeGuard([&] {
            child.kill();
            child.waitForFinished();
        });
        QByteArray output;
        QTRY_VERIFY2_WITH_TIMEOUT((output += child.readAllStandardOutput()).contains("added"),
            child.readAllStandardError().constData(), 10000);
        child.kill(); // SIGKILL: nothing runs after the change
        QVERIFY(child.waitForFinished());

        SettingsPreferences preferences(settingsPath());
        KaomojiData store(preferences);
        QCOMPARE(faces(store.customKaomojis()), QStringList({ "(killed)" }));
    }

    void filterGroupsAndCategories()
    {
        MemoryPreferences preferences;
        KaomojiData store(preferences);
        KaomojiGroups all = store.filteredKaomojis({}, {});
        QCOMPARE(all.size(), 39);
        QVERIFY(!all.contains("Custom"));
        QVERIFY(!all.contains("Recently Used"));
        QVERIFY(store.filteredKaomojis({}, set({ "Custom" })).isEmpty());

        store.addToRecentlyUsed(preset(store, "Joy", 0));
        store.addToRecentlyUsed(preset(store, "Cat", 0));
        store.addCustomKaomoji(Kaomoji::create("mine", "Custom"));
        all = store.filteredKaomojis({}, {});
        QCOMPARE(all.size(), 41);
        QCOMPARE(all.value("Recently Used").size(), 2);

        const KaomojiGroups joy = store.filteredKaomojis({}, set({ "Joy" }));
        QCOMPARE(joy.keys(), QStringList({ "Joy", "Recently Used" }));
        QCOMPARE(joy.value("Recently Used"), KaomojiList({ preset(store, "Joy", 0) }));
        QCOMPARE(joy.value("Joy").size(), 15);

        // The first letters of a category keep the whole category, in catalog order.
        const KaomojiGroups sad = store.filteredKaomojis("sAd", set({ "Sadness" }));
        QCOMPARE(sad.value("Sadness"), store.presetKaomojis().value("Sadness"));

        // Categories outside the chips are still returned by the filter.
        QCOMPARE(store.filteredKaomojis("embarrassed", {}).value("Embarrassment").size(), 15);

        // A single space is a real query.
        for (const KaomojiList &group : store.filteredKaomojis(" ", {})) {
            for (const Kaomoji &record : group)
                QVERIFY(KaomojiData::kaomojiMatches(record, {}, " "));
        }
        QVERIFY(store.filteredKaomojis("no such face here", {}).isEmpty());
    }

    void filterIsMemoizedUntilAListChanges()
    {
        MemoryPreferences preferences;
        KaomojiData store(preferences);
        QCOMPARE(KaomojiData::cacheKey({}, set({ "Love", "Joy" })), QStringLiteral("|Joy,Love"));
        QCOMPARE(KaomojiData::cacheKey("Cat ", {}), QStringLiteral("Cat |"));

        const KaomojiGroups first = store.filteredKaomojis("cat", {});
        const KaomojiGroups upper = store.filteredKaomojis("CAT", {});
        QCOMPARE(first.keys(), upper.keys());
        for (const QString &name : first.keys())
            QCOMPARE(faces(first.value(name)), faces(upper.value(name)));
        // A hit hands back the very stored lists.
        QVERIFY(store.filteredKaomojis("cat", {}).value("Cat").constData()
            == first.value("Cat").constData());

        store.addCustomKaomoji(Kaomoji::create("cat?", "Custom"));
        QCOMPARE(store.filteredKaomojis("cat", {}).value("Custom").size(), 1);
    }

    void indexAgreesWithTheMatchPredicate()
    {
        // The joined index is a faster route to kaomojiMatches; both must agree everywhere.
        MemoryPreferences preferences;
        KaomojiData store(preferences);
        store.addCustomKaomoji(Kaomoji::create(QString::fromUtf8("Ünïcodé e\xCC\x81"), "Custom"));
        QStringList queries = { "a", "E", "é", "e", "  ", "ss", "-", "\\", "ω", "ಠ", "AI", "ıi" };
        auto *random = QRandomGenerator::global();
        const KaomojiGroups all = store.allKaomojis();
        for (int i = 0; i < 300; ++i) {
            const KaomojiList &group = *std::next(all.begin(), random->bounded(int(all.size())));
            if (group.isEmpty())
                continue;
            const Kaomoji &record = group.at(random->bounded(int(group.size())));
            const QString text = random->bounded(2) ? record.face() : record.tags().value(0);
            if (text.size() < 2)
                continue;
            const int start = random->bounded(int(text.size()) - 1);
            queries.append(text.mid(start, 1 + random->bounded(3)));
        }
        for (const QString &query : queries) {
            const KaomojiGroups results = store.filteredKaomojis(query, {});
            for (auto group = all.cbegin(); group != all.cend(); ++group) {
                KaomojiList expected;
                for (const Kaomoji &record : *group) {
                    if (KaomojiData::kaomojiMatches(record, {}, query))
                        expected.append(record);
                }
                QVERIFY2(results.value(group.key()) == expected,
                    qPrintable(QStringLiteral("query '%1' in %2").arg(query, group.key())));
            }
        }
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--add-and-wait") == 0) {
        SettingsPreferences preferences(QString::fromLocal8Bit(argv[2]));
        KaomojiData store(preferences);
        store.addCustomKaomoji(Kaomoji::create("(killed)", "Custom"));
        std::fputs("added\n", stdout);
        std::fflush(stdout);
        pause();
        return 0;
    }
    TestKaomojiData test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_KaomojiData.moc"
