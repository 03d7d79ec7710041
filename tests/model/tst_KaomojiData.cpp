#include "ChildProcess.h"
#include "KaomojiData.h"
#include "KaomojiFile.h"
#include "KaomojiJson.h"
#include "MemoryPreferences.h"
#include "SettingsPreferences.h"
#include "StdoutCapture.h"
#include "TestSeed.h"

#include <QDir>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QStringList faces(const KaomojiList &records)
{
    QStringList result;
    for (const Kaomoji &record : records)
        result.append(record.face());
    return result;
}

QStringList stored(const Preferences &preferences, const QString &key)
{
    return faces(std::get<KaomojiList>(KaomojiJson::decode(preferences.data(key).value_or("[]"))));
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

    void listsSurviveRestartsInTheSettingsFile()
    {
        {
            SettingsPreferences preferences(settingsPath());
            KaomojiData store(preferences);
            QVERIFY(!QFile::exists(settingsPath())); // starting writes nothing
            store.addCustomKaomoji(Kaomoji::create("A", "Custom"));
            store.addCustomKaomoji(Kaomoji::create("B", "Custom"));
            store.addToRecentlyUsed(preset(store, "Cat", 2));
        }
        SettingsPreferences preferences(settingsPath());
        KaomojiData store(preferences);
        const QString face = preset(store, "Cat", 2).face();
        QCOMPARE(faces(store.customKaomojis()), QStringList({ "B", "A" }));
        QCOMPARE(faces(store.recentlyUsedKaomojis()), QStringList({ face }));
        // Preset ids are new on every start: the restored entry is known by its content.
        store.addToRecentlyUsed(preset(store, "Cat", 2));
        store.addToRecentlyUsed(Kaomoji::create(face, "Custom")); // another category: another entry
        QCOMPARE(stored(preferences, KaomojiData::recentlyUsedKey), QStringList({ face, face }));
        // An INI file holding the JSON text as byte strings.
        QFile file(settingsPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray contents = file.readAll();
        QVERIFY(contents.contains("CustomKaomojis=") && contents.contains("@ByteArray([{"));
    }

    void recentlyUsedKeepsFiveNewestFirst()
    {
        MemoryPreferences preferences;
        KaomojiData store(preferences);
        for (int i = 0; i < 6; ++i)
            store.addToRecentlyUsed(preset(store, "Joy", i));
        QStringList newestFirst;
        for (int i = 5; i > 0; --i)
            newestFirst << preset(store, "Joy", i).face();
        QCOMPARE(faces(store.recentlyUsedKaomojis()), newestFirst);
        QCOMPARE(stored(preferences, KaomojiData::recentlyUsedKey), newestFirst);

        // Using a listed entry again changes nothing but the generated marker.
        store.addAIKaomoji("(new)");
        const int writes = preferences.writeCount();
        QSignalSpy recentSpy(&store, &KaomojiData::recentlyUsedKaomojisChanged);
        QSignalSpy markerSpy(&store, &KaomojiData::mostRecentAIKaomojiIdChanged);
        store.addToRecentlyUsed(preset(store, "Joy", 3));
        QCOMPARE(faces(store.recentlyUsedKaomojis()), newestFirst);
        QCOMPARE(preferences.writeCount(), writes);
        QCOMPARE(recentSpy.count(), 0);
        QVERIFY(store.mostRecentAIKaomojiId().isNull());
        QCOMPARE(markerSpy.count(), 1);
    }

    void longerStoredListKeepsItsLength()
    {
        MemoryPreferences preferences;
        KaomojiList seven;
        for (int i = 0; i < 7; ++i)
            seven.append(Kaomoji::create(QString::number(i), "Joy"));
        preferences.setData(
            KaomojiData::recentlyUsedKey, std::get<QByteArray>(KaomojiJson::encode(seven)));
        KaomojiData store(preferences);
        QCOMPARE(preferences.writeCount(), 1); // loading writes nothing back
        store.addToRecentlyUsed(preset(store, "Joy", 0)); // one in, one out
        QCOMPARE(faces(store.recentlyUsedKaomojis()).mid(1),
            QStringList({ "0", "1", "2", "3", "4", "5" }));
    }

    void generatedEntryIsFirstAndMarked()
    {
        MemoryPreferences preferences;
        KaomojiData store(preferences);
        store.addCustomKaomoji(Kaomoji::create("mine", "Custom"));
        store.addAIKaomoji(" (^o^) ");
        store.addAIKaomoji(" (^o^) "); // the same face again is another entry
        // A face that could not be saved again never enters, whichever way it comes.
        StdoutCapture capture;
        store.addAIKaomoji(QString(QChar(0xD800)));
        store.addCustomKaomoji(Kaomoji::create(QString(1001, u'x'), "Custom"));
        QCOMPARE(capture.text().count("Kaomoji not added: "), 2);
        const Kaomoji newest = store.customKaomojis().first();
        QVERIFY(newest.hasSameContent(Kaomoji::create(" (^o^) ", "Custom", { "AI-generated" })));
        QCOMPARE(store.mostRecentAIKaomojiId(), newest.id());
        QCOMPARE(stored(preferences, KaomojiData::customKey),
            QStringList({ " (^o^) ", " (^o^) ", "mine" }));
    }

    void deletingRemovesEverywhereAndRaisesTheFlag()
    {
        MemoryPreferences preferences;
        KaomojiData store(preferences);
        store.addCustomKaomoji(Kaomoji::create("mine", "Custom"));
        const Kaomoji mine = store.customKaomojis().first();
        store.addToRecentlyUsed(mine);
        store.addToRecentlyUsed(preset(store, "Joy", 0));
        QSignalSpy flagSpy(&store, &KaomojiData::shouldUnselectCustomChanged);
        // Every delete rewrites both lists, and raises the flag whenever no custom entry is
        // left, even when it is already up: the view lowers it after reacting.
        for (const QUuid id : { mine.id(), QUuid::createUuid() }) {
            const int writes = preferences.writeCount();
            store.deleteKaomoji(id);
            QCOMPARE(preferences.writeCount(), writes + 2);
            QVERIFY(store.customKaomojis().isEmpty() && store.shouldUnselectCustom());
            QCOMPARE(store.recentlyUsedKaomojis(), KaomojiList({ preset(store, "Joy", 0) }));
        }
        QCOMPARE(flagSpy.count(), 2);

        store.addCustomKaomoji(Kaomoji::create("other", "Custom"));
        store.setShouldUnselectCustom(false);
        store.deleteKaomoji(preset(store, "Joy", 0).id());
        QVERIFY(!store.shouldUnselectCustom() && store.recentlyUsedKaomojis().isEmpty());
    }

    void corruptDataIsReportedKeptAndReplaced_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("list"); // the store's property
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("custom") << KaomojiData::customKey << QByteArray("customKaomojis")
                                << QByteArray("Error decoding custom kaomojis: ");
        QTest::newRow("recently used")
            << KaomojiData::recentlyUsedKey << QByteArray("recentlyUsedKaomojis")
            << QByteArray("Error decoding recently used kaomojis: ");
    }
    void corruptDataIsReportedKeptAndReplaced()
    {
        QFETCH(QString, key);
        QFETCH(QByteArray, list);
        QFETCH(QByteArray, message);
        const QByteArray corrupt = "[{\"id\":\"not-an-id\",\"face\":\"x\"}]";
        const QString backupKey = key + QStringLiteral("Unreadable");
        SettingsPreferences(settingsPath()).setData(key, corrupt);
        // Two starts: the first reports the data, keeps it aside and writes a new list over it;
        // the second reads the new list, quietly, and the unreadable bytes are still kept.
        for (const QStringList &before : { QStringList(), QStringList { "fresh" } }) {
            SettingsPreferences preferences(settingsPath());
            StdoutCapture capture;
            KaomojiData store(preferences);
            const QByteArray printed = capture.text();
            QCOMPARE(faces(store.property(list).value<KaomojiList>()), before);
            QCOMPARE(preferences.data(backupKey), corrupt);
            if (before.isEmpty())
                QVERIFY2(printed.startsWith(message) && printed.count("Error") == 1
                        && printed.contains(backupKey.toUtf8())
                        && printed.contains(settingsPath().toUtf8()),
                    printed.constData());
            else
                QCOMPARE(printed, QByteArray());
            const KaomojiList fresh { Kaomoji::create("fresh", "Joy") };
            store.setProperty(list, QVariant::fromValue(fresh));
        }
    }

    // A settings file edited by hand: what QSettings would read with a loss is read from the
    // file itself, and what cannot be read is kept aside exactly, before anything is written.
    void handEditedFileIsReadOrKeptAside_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QStringList>("loaded");
        QTest::addColumn<QByteArray>("kept"); // under the backup key
        QTest::addColumn<bool>("copied"); // the whole file, next to it
        const auto json = [](const QByteArray &face) {
            return "[{\"id\":\"E621E1F8-C36C-495A-93FC-0C247A3E6E5F\",\"face\":\"" + face
                + "\",\"category\":\"Custom\",\"tags\":[\"a\",\"b\"]}]";
        };
        const auto file = [](const QByteArray &value) {
            return "[General]\nCustomKaomojis=" + value + '\n';
        };
        const auto byteArray = [](QByteArray value) {
            return "\"@ByteArray(" + value.replace("\"", "\\\"") + ")\"";
        };
        QTest::newRow("plain JSON")
            << file(json("(^_^)")) << QStringList { "(^_^)" } << QByteArray() << false;
        QTest::newRow("plain, invalid UTF-8")
            << file(json("\xff")) << QStringList() << json("\xff") << false;
        QTest::newRow("raw UTF-8 in a byte array")
            << file(byteArray(json("(•⩊•) mine"))) << QStringList { "(•⩊•) mine" } << QByteArray()
            << false;
        QTest::newRow("invalid UTF-8 in a byte array")
            << file(byteArray(json("(\xc3)"))) << QStringList() << json("(\xc3)") << false;
        QTest::newRow("stray line") << "[General]\nstray\n" + file("@ByteArray([])")
                                    << QStringList() << QByteArray() << true;
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR=", 18) << QStringList()
                                << QByteArray() << true;
    }
    void handEditedFileIsReadOrKeptAside()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QStringList, loaded);
        QFETCH(QByteArray, kept);
        QFETCH(bool, copied);
        QFile file(settingsPath());
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size());
        file.close();
        StdoutCapture capture;
        {
            SettingsPreferences preferences(settingsPath());
            KaomojiData store(preferences);
            QCOMPARE(faces(store.customKaomojis()), loaded);
            store.addCustomKaomoji(Kaomoji::create("new", "Custom"));
            store.addToRecentlyUsed(preset(store, "Joy", 0));
        }
        const QByteArray printed = capture.text();
        // One line for each thing kept aside, and no save reported as failed.
        QCOMPARE(printed.count('\n'), int(!kept.isEmpty()) + int(copied));
        const SettingsPreferences reread(settingsPath());
        QCOMPARE(reread.data(KaomojiData::customKey + "Unreadable").value_or(""), kept);
        QCOMPARE(stored(reread, KaomojiData::customKey), QStringList { "new" } + loaded);
        const QStringList aside = QDir(m_dir.path()).entryList({ "Pelmora.conf.unreadable-*" });
        QCOMPARE(aside.size(), int(copied));
        for (const QString &name : aside) {
            QFile copy(m_dir.filePath(name));
            QVERIFY(copy.open(QIODevice::ReadOnly) && printed.contains(copy.fileName().toUtf8()));
            QCOMPARE(copy.readAll(), contents);
            copy.remove();
        }
    }

    void unwritableConfigIsReportedAndRetried()
    {
        // The settings file sits in a directory that cannot be created: its parent is a
        // plain file. This stops root too, unlike a read-only directory.
        QTemporaryDir dir;
        QFile blocker(dir.filePath("config"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString path = dir.filePath("config/Pelmora/Pelmora.conf");

        SettingsPreferences preferences(path);
        KaomojiData store(preferences);
        StdoutCapture capture;
        store.addCustomKaomoji(Kaomoji::create("kept", "Custom"));
        store.addToRecentlyUsed(preset(store, "Joy", 0));
        const QByteArray printed = capture.text();
        QVERIFY2(printed.startsWith("Error encoding custom kaomojis: ")
                && printed.contains("\nError encoding recently used kaomojis: ")
                && printed.contains(path.toUtf8()),
            printed.constData());
        QCOMPARE(faces(store.customKaomojis()), QStringList({ "kept" }));

        // Once the directory can be made, the next change saves the whole list and says so
        // once; each save is judged on its own.
        QVERIFY(QFile::remove(dir.filePath("config")));
        QVERIFY(QDir(dir.path()).mkpath("config/Pelmora"));
        StdoutCapture again;
        store.addCustomKaomoji(Kaomoji::create("later", "Custom"));
        store.addToRecentlyUsed(preset(store, "Joy", 1));
        QCOMPARE(
            again.text(), "Saving works again: the lists are saved in " + path.toUtf8() + '\n');
        QCOMPARE(stored(SettingsPreferences(path), KaomojiData::customKey),
            QStringList({ "later", "kept" }));
    }

    void changeSurvivesAKilledProcess()
    {
        ChildProcess child(QCoreApplication::applicationFilePath(),
            { QStringLiteral("--add-and-wait"), settingsPath() });
        QVERIFY(child.start());
        QVERIFY2(!child.waitForLine(QStringLiteral("added")).isEmpty(),
            qPrintable(child.output(QProcess::StandardError)));
        child.kill(); // SIGKILL: nothing runs after the change

        SettingsPreferences preferences(settingsPath());
        KaomojiData store(preferences);
        QCOMPARE(faces(store.customKaomojis()), QStringList({ "(killed)" }));
    }

    // A file adds what is new, first and in its own order, or nothing at all.
    void importAddsOnlyWhatIsNew_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("custom"); // afterwards; "(^_^)" and "(>_<)" before
        QTest::addColumn<QString>("error");
        const QStringList unchanged { "(^_^)", "(>_<)" };
        QTest::newRow("text") << "(o_o)\tx, y\n(^_^)\tsmile\n\n(u u)\r\n(o_o)\tx,y\n(>_<)\tugh\n"_ba
                              << QStringList { "(o_o)", "(u u)", "(>_<)", "(^_^)", "(>_<)" }
                              << QString();
        const QByteArray record = R"j({"id":"00000000-0000-0000-0000-000000000001","face":"%1",
            "category":"Joy","tags":["bear"]})j";
        QTest::newRow("json") << "[" + QString::fromLatin1(record).arg(u"(ᵔᴥᵔ)"_s).toUtf8() + "]"
                              << QStringList { "(ᵔᴥᵔ)", "(^_^)", "(>_<)" } << QString();
        QTest::newRow("line without a face") << "(o_o)\n\tx\n"_ba << unchanged << u"line 2: "_s;
        QTest::newRow("face too long") << "(o_o)\n" + QByteArray(1001, 'a') << unchanged
                                       << u"line 2: A kaomoji can be at most 1,000"_s;
        QTest::newRow("not UTF-8") << "(o_o)\n\xff(\n"_ba << unchanged << u"line 2 is not UTF-8"_s;
        QTest::newRow("json record without tags") << "[" + record
                + R"j(,{"id":"00000000-0000-0000-0000-000000000002","face":"b",
            "category":"x"}])j" << unchanged << u"record 1 has no \"tags\""_s;
    }
    void importAddsOnlyWhatIsNew()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, custom);
        QFETCH(QString, error);
        MemoryPreferences preferences;
        KaomojiData store(preferences);
        store.addCustomKaomoji(Kaomoji::create("(>_<)", "Custom"));
        store.addCustomKaomoji(Kaomoji::create("(^_^)", "Custom", { "smile" }));
        const auto records = KaomojiFile::read(file);
        const auto *refused = std::get_if<KaomojiFile::Error>(&records);
        QCOMPARE(refused ? refused->description.left(error.size()) : QString(), error);
        if (!refused)
            store.importCustomKaomojis(std::get<KaomojiList>(records));
        QCOMPARE(faces(store.customKaomojis()), custom);
        QCOMPARE(store.customKaomojis().first().category(), u"Custom"_s); // also from JSON
    }

    void filterGroupsAndCategories()
    {
        MemoryPreferences preferences;
        KaomojiData store(preferences);
        QCOMPARE(store.filteredKaomojis({}, {}), store.presetKaomojis()); // no empty user groups
        QVERIFY(store.filteredKaomojis({}, { "Custom" }).isEmpty());

        store.addToRecentlyUsed(preset(store, "Joy", 0));
        store.addToRecentlyUsed(preset(store, "Cat", 0));
        store.addCustomKaomoji(Kaomoji::create("mine", "Custom"));
        QCOMPARE(store.filteredKaomojis({}, {}), store.allKaomojis());
        QCOMPARE(store.allKaomojis().size(), 41);
        const KaomojiGroups joy = store.filteredKaomojis({}, { "Joy" });
        QCOMPARE(joy.keys(), QStringList({ "Joy", "Recently Used" }));
        QCOMPARE(joy.value("Recently Used"), KaomojiList({ preset(store, "Joy", 0) }));
        QCOMPARE(joy.value("Joy"), store.presetKaomojis().value("Joy"));

        // The first letters of a category keep the whole category, in catalog order.
        QCOMPARE(store.filteredKaomojis("sAd", { "Sadness" }).value("Sadness"),
            store.presetKaomojis().value("Sadness"));
        // Categories outside the chips are still returned by the filter.
        QCOMPARE(store.filteredKaomojis("embarrassed", {}).value("Embarrassment").size(), 15);
        QVERIFY(store.filteredKaomojis("no such face here", {}).isEmpty());
    }

    void filterIsMemoizedUntilAListChanges()
    {
        MemoryPreferences preferences;
        KaomojiData store(preferences);
        const KaomojiGroups cat = store.filteredKaomojis("cat", {});
        QVERIFY(store.filteredKaomojis("cat", {}).isSharedWith(cat)); // a hit: the same result
        // Another spelling is another query, with results of its own that agree.
        const KaomojiGroups upper = store.filteredKaomojis("CAT", {});
        QVERIFY(!upper.isSharedWith(cat));
        QCOMPARE(upper, cat);
        // The text and the selection do not run together into one entry.
        QCOMPARE(store.filteredKaomojis({}, { "Joy" }).keys(), QStringList({ "Joy" }));
        QVERIFY(store.filteredKaomojis("Joy", {}).size() > 1);

        // Either list changing gives fresh results, already to the observers of the change, who
        // also find the new list saved.
        int observed = 0;
        const auto observe = [&](const char *group, const QString &key) {
            const QStringList saved = stored(preferences, key);
            QCOMPARE(saved.size(), 1);
            QCOMPARE(faces(store.filteredKaomojis("cat", {}).value(group)), saved);
            ++observed;
        };
        connect(&store, &KaomojiData::customKaomojisChanged, this,
            [&] { observe("Custom", KaomojiData::customKey); });
        connect(&store, &KaomojiData::recentlyUsedKaomojisChanged, this,
            [&] { observe("Recently Used", KaomojiData::recentlyUsedKey); });
        store.addCustomKaomoji(Kaomoji::create("cat?", "Custom"));
        store.addToRecentlyUsed(preset(store, "Cat", 0));
        QCOMPARE(observed, 2);
        QCOMPARE(store.filteredKaomojis("cat", {}).value("Recently Used").size(), 1);
    }

    void indexAgreesWithTheMatchPredicate()
    {
        // The joined index is a faster route to kaomojiMatches; both must agree everywhere. The
        // store speaks Japanese: its index also holds Japanese words, and kana fold together.
        MemoryPreferences preferences;
        KaomojiData store(preferences, nullptr, QLocale::Japanese);
        store.addCustomKaomoji(Kaomoji::create(QStringLiteral("Ünïcodé e\u0301"), "Custom"));
        QStringList queries = { "a", "E", "é", "e", " ", "  ", "ss", "-", "\\", "ω", "ಠ", "AI",
            "ıi", "ねこ", "ネ", "猫", "き", "ヽ" };
        // Random pieces of faces and tags, from the test seed.
        QRandomGenerator random(testSeed());
        const KaomojiGroups all = store.allKaomojis();
        while (queries.size() < 300) {
            const KaomojiList &group = *std::next(all.begin(), random.bounded(int(all.size())));
            const Kaomoji &record = group.at(random.bounded(int(group.size())));
            const QString text = random.bounded(2) ? record.face() : record.tags().value(0);
            if (text.size() >= 2)
                queries << text.mid(random.bounded(int(text.size()) - 1), 1 + random.bounded(3));
        }
        for (const QString &query : queries) {
            const KaomojiGroups results = store.filteredKaomojis(query, {});
            for (auto group = all.cbegin(); group != all.cend(); ++group) {
                KaomojiList expected = group.value();
                expected.removeIf(
                    [&](const Kaomoji &k) { return !store.kaomojiMatches(k, {}, query); });
                QVERIFY2(results.value(group.key()) == expected,
                    qPrintable(u"query '%1' in %2"_s.arg(query, group.key()) + seedNote()));
            }
        }
    }

    void japaneseWordsFindFacesInJapanese_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<bool>("inJapanese"); // the language Pelmora speaks, else English
        for (const char *query : { "ねこ", "ネコ", "猫", "cat" })
            QTest::newRow(query) << QString::fromUtf8(query) << true;
        QTest::newRow("ねこ, in English") << u"ねこ"_s << false;
    }
    void japaneseWordsFindFacesInJapanese()
    {
        QFETCH(QString, query);
        QFETCH(bool, inJapanese);
        MemoryPreferences preferences;
        KaomojiData store(preferences, nullptr, inJapanese ? QLocale::Japanese : QLocale::English);
        const KaomojiGroups cats { { "Cat", store.presetKaomojis().value("Cat") } };
        QCOMPARE(store.filteredKaomojis(query, {}), inJapanese ? cats : KaomojiGroups());
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The child of changeSurvivesAKilledProcess: saves one change, then waits to be killed.
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
