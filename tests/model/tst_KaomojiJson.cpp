#include "KaomojiJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

namespace {

const QByteArray someId = "E621E1F8-C36C-495A-93FC-0C247A3E6E5F";

// One stored record with the given id text (quotes included) and further members.
QByteArray record(
    const QByteArray &members = ",\"tags\":[]", const QByteArray &id = '"' + someId + '"')
{
    return "{\"id\":" + id + ",\"face\":\"(^_^)\",\"category\":\"Joy\"" + members + "}";
}

// An array of that one record.
QByteArray array(
    const QByteArray &members = ",\"tags\":[]", const QByteArray &id = '"' + someId + '"')
{
    return "[" + record(members, id) + "]";
}

KaomojiList decoded(const QByteArray &json)
{
    auto result = KaomojiJson::decode(json);
    if (auto *error = std::get_if<KaomojiJson::Error>(&result))
        qWarning() << "unexpected decode error:" << error->description;
    return std::get<KaomojiList>(result);
}

} // namespace

class TestKaomojiJson : public QObject {
    Q_OBJECT

private slots:
    // All or nothing: one bad element costs the whole array, anything else is read.
    void decodes_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("problem"); // part of the error; empty when it decodes

        const QByteArray tags = ",\"tags\":[]";
        QTest::newRow("empty array") << QByteArray("[]") << 0 << "";
        QTest::newRow("spaces") << QByteArray(" [ ] ") << 0 << "";
        for (const char *flag : { "true", "\"yes\"", "null", "{\"a\":1}" })
            QTest::addRow("generated flag %s", flag)
                << array(tags + ",\"isRecentlyGenerated\":" + flag) << 1 << "";
        QTest::newRow("unknown keys") << array(",\"tags\":[\"x\"],\"n\":7,\"\":[]") << 1 << "";
        QTest::newRow("keys in another order") << array(",\"zzz\":0,\"tags\":[\"x\"]") << 1 << "";
        QTest::newRow("lower-case id") << array(tags, '"' + someId.toLower() + '"') << 1 << "";
        QTest::newRow("nil id") << array(tags, "\"00000000-0000-0000-0000-000000000000\"") << 1
                                << "";

        QTest::newRow("tags missing")
            << "[" + record() + "," + record("") + "]" << 0 << "record 1 has no \"tags\"";
        QTest::newRow("tags not array") << array(",\"tags\":\"cat\"") << 0 << "\"tags\" is not";
        QTest::newRow("tag not string") << array(",\"tags\":[1]") << 0 << "a tag is not";
        QTest::newRow("face missing")
            << array().replace("\"face\":\"(^_^)\",", "") << 0 << "has no \"face\"";
        QTest::newRow("face not string")
            << array().replace("\"(^_^)\"", "5") << 0 << "\"face\" is not";
        // Text UTF-8 cannot carry would make every later save of the list fail.
        QTest::newRow("face lone surrogate")
            << array().replace("(^_^)", "(\\ud800)") << 0 << "record 0: The kaomoji is not";
        QTest::newRow("face too long") << array().replace("(^_^)", QByteArray(1001, 'x')) << 0
                                       << "record 0: A kaomoji can be at most";
        QTest::newRow("category lone surrogate")
            << array().replace("Joy", "\\udc00") << 0 << "its \"category\" is not valid";
        QTest::newRow("tag lone surrogate")
            << array(",\"tags\":[\"\\ud83d\"]") << 0 << "its \"tags\" is not valid";
        QTest::newRow("id number") << array(tags, "1") << 0 << "\"id\" is not";
        for (const QByteArray &id : { "{" + someId + "}", someId.chopped(1),
                 someId.chopped(1) + "G", QByteArray(someId).replace("-", "") + "0000" })
            QTest::addRow("id %s", id.constData())
                << array(tags, '"' + id + '"') << 0 << "is not a valid id";
        QTest::newRow("element not object") << "[" + record() + ",3]" << 0 << "element 1 is not";
        QTest::newRow("top level object") << record() << 0 << "not a JSON array";
        QTest::newRow("not json") << QByteArray("[{\"id\":") << 0 << "not valid JSON";
        QTest::newRow("empty") << QByteArray("") << 0 << "not valid JSON";
    }
    void decodes()
    {
        QFETCH(QByteArray, json);
        QFETCH(int, records);
        QFETCH(QString, problem);
        const auto result = KaomojiJson::decode(json);
        if (problem.isEmpty())
            QCOMPARE(decoded(json).size(), records);
        else
            QVERIFY2(std::get_if<KaomojiJson::Error>(&result)
                    && std::get<KaomojiJson::Error>(result).description.contains(problem),
                qPrintable(problem));
    }

    // Compact JSON that reads back as it was, with upper-case ids and the four fields only.
    void encodesWhatDecodes()
    {
        const KaomojiList records {
            Kaomoji::create(QStringLiteral("¯\\_(ツ)_/¯"), "Faces", { "shrug", "a b" }),
            Kaomoji::create(QStringLiteral("\"quoted\"\t/slash\\"), "Custom", {}),
            Kaomoji::create(QStringLiteral("(🐱)\u3000e\u0301"), "Cat", { "cat" }),
            decoded(array(",\"tags\":[],\"isRecentlyGenerated\":1", '"' + someId.toLower() + '"'))
                .value(0),
        };
        const QByteArray json = std::get<QByteArray>(KaomojiJson::encode(records));
        QVERIFY(!json.contains('\n') && !json.contains(": "));
        const KaomojiList back = decoded(json);
        QCOMPARE(back.size(), records.size());
        for (qsizetype i = 0; i < records.size(); ++i)
            QVERIFY(back[i] == records[i] && back[i].hasSameContent(records[i]));
        const QJsonObject last = QJsonDocument::fromJson(json).array().last().toObject();
        QCOMPARE(last.value("id").toString(), someId);
        // Tags are written even when empty; the generated flag is not.
        QCOMPARE(last.keys(), QStringList({ "category", "face", "id", "tags" }));
        QCOMPARE(std::get<QByteArray>(KaomojiJson::encode({})), QByteArray("[]"));
        // UTF-8 cannot carry a lone surrogate.
        const QString lone = QStringLiteral("(") + QChar(0xD800) + QStringLiteral(")");
        QVERIFY(std::holds_alternative<KaomojiJson::Error>(
            KaomojiJson::encode({ Kaomoji::create(lone, "Custom") })));
    }

    void readsEveryJsonEscape()
    {
        const KaomojiList records =
            decoded(array().replace("(^_^)", "\\\\\\/\\\"\\b\\f\\n\\r\\t\\u00e9\\ud83d\\udc31"));
        QCOMPARE(records.value(0).face(), QStringLiteral("\\/\"\b\f\n\r\té🐱"));
    }

    void equalityIsByIdOnly()
    {
        const Kaomoji a = Kaomoji::create("(^_^)", "Joy", { "happy" });
        const Kaomoji sameContent = Kaomoji::create("(^_^)", "Joy", { "happy" });
        const Kaomoji sameId(a.id(), "(T_T)", "Sadness", {});
        QVERIFY(a != sameContent && a.hasSameContent(sameContent));
        QVERIFY(a == sameId && !a.hasSameContent(sameId));
    }
};

QTEST_APPLESS_MAIN(TestKaomojiJson)
#include "tst_KaomojiJson.moc"
