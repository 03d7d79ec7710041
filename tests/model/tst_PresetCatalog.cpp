#include "PresetCatalog.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

// The whole catalog, pinned: data/catalog.txt holds every entry in build order (category, face,
// tags, tab-separated) and each category's sorted tag counts. The digest keeps the fixture itself
// from drifting; a change to the catalog means a new fixture and a new digest, on purpose.
static const QByteArray catalogDigest =
    "7043a3cd5aad1037d515eebad193c0bb7fb3531c2e9a6b9397cffce5ff3b52c0";

namespace {

QByteArray sha256(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

QStringList canonicalForm(const KaomojiGroups &groups)
{
    QStringList lines;
    for (const PresetCategory &category : presetCatalogTable()) {
        const QString name = QString::fromUtf8(category.name);
        QMap<QString, int> tagCounts;
        for (const Kaomoji &record : groups.value(name)) {
            lines << (QStringList { record.category(), record.face() } + record.tags()).join(u'\t');
            for (const QString &tag : record.tags())
                ++tagCounts[tag];
        }
        QStringList counts;
        for (auto it = tagCounts.cbegin(); it != tagCounts.cend(); ++it)
            counts << u"%1:%2"_s.arg(it.key()).arg(it.value());
        lines << name + u"\ttags\t"_s + counts.join(u", "_s);
    }
    return lines;
}

} // namespace

class TestPresetCatalog : public QObject {
    Q_OBJECT

private slots:
    void matchesTheFixtureLineForLine()
    {
        QFile file(QStringLiteral(PELMORA_TEST_DATA_DIR "/catalog.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray fixture = file.readAll();
        QCOMPARE(sha256(fixture), catalogDigest);
        const QStringList expected = QString::fromUtf8(fixture).split(u'\n', Qt::SkipEmptyParts);
        const QStringList actual = canonicalForm(makePresetKaomojis());
        int differing = 0;
        for (qsizetype i = 0; i < std::max(expected.size(), actual.size()); ++i) {
            if (expected.value(i) == actual.value(i))
                continue;
            qInfo().noquote() << u"line %1\n  expected: %2\n  actual:   %3"_s.arg(i + 1).arg(
                expected.value(i, u"(none)"_s), actual.value(i, u"(none)"_s));
            ++differing;
        }
        if (differing > 0) {
            // The catalog as it is now, to become the fixture when the change is meant.
            const QByteArray text = actual.join(u'\n').toUtf8() + '\n';
            QFile now(QStringLiteral("catalog.txt"));
            QVERIFY(now.open(QIODevice::WriteOnly) && now.write(text) == text.size());
            QFAIL(qPrintable(
                u"%1 lines differ; the catalog as it is now is in %2 (sha256 %3)"_s.arg(differing)
                    .arg(QFileInfo(now).absoluteFilePath(), sha256(text))));
        }
    }

    void everyBuildHasTheSameContentAndNewIds()
    {
        const KaomojiGroups builds[] = { makePresetKaomojis(), makePresetKaomojis() };
        QCOMPARE(canonicalForm(builds[1]), canonicalForm(builds[0]));
        QSet<QUuid> ids;
        int records = 0;
        for (const KaomojiGroups &groups : builds) {
            QCOMPARE(groups.size(), qsizetype(presetCatalogTable().size()));
            for (const KaomojiList &list : groups) {
                for (const Kaomoji &record : list) {
                    QCOMPARE(record.id().version(), QUuid::Random);
                    QCOMPARE(record.id().variant(), QUuid::DCE);
                    ids.insert(record.id());
                    ++records;
                }
            }
        }
        QCOMPARE(ids.size(), records);
    }
};

QTEST_APPLESS_MAIN(TestPresetCatalog)
#include "tst_PresetCatalog.moc"
