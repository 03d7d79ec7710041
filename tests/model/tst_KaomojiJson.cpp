#include "KaomojiJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

class TestKaomojiJson : public QObject {
    Q_OBJECT

private:
    static KaomojiList decoded(const QByteArray &json)
    {
        auto result = KaomojiJson::decode(json);
        if (auto *error = std::get_if<KaomojiJson::Error>(&result))
            qWarning() << "unexpected decode error:" << error->description;
        return std::get<KaomojiList>(result);
    }
    static bool fails(const QByteArray &json)
    {
        return std::holds_alternative<KaomojiJson::Error>(KaomojiJson::decode(json));
    }
    static QByteArray element(const QByteArray &members)
    {
        return "{\"id\":\"E621E1F8-C36C-495A-93FC-0C247A3E6E5F\",\"face\":\"(^_^)\","
               "\"category\":\"Joy\""
            + members + "}";
    }

private slots:
    void roundTripKeepsEveryFieldAndOrder()
    {
        const KaomojiList records {
            Kaomoji::create(QStringLiteral("¯\\_(ツ)_/¯"), "Faces", { "shrug", "a b" }),
            Kaomoji::create(QStringLiteral("\"quoted\"\t/slash\\"), "Custom", {}),
            Kaomoji::create(QString::fromUtf8("(\xF0\x9F\x90\xB1)\xE3\x80\x80"
                                              "e\xCC\x81"),
                "Cat", { "cat" }),
        };
        const QByteArray json = std::get<QByteArray>(KaomojiJson::encode(records));
        QVERIFY(!json.contains('\n'));
        QVERIFY(!json.contains(": "));
        const KaomojiList back = decoded(json);
        QCOMPARE(back.size(), records.size());
        for (qsizetype i = 0; i < records.size(); ++i) {
            QCOMPARE(back[i].id(), records[i].id());
            QCOMPARE(back[i].face(), records[i].face());
            QCOMPARE(back[i].category(), records[i].category());
            QCOMPARE(back[i].tags(), records[i].tags());
        }
    }

    void writesCanonicalUpperCaseIdsAndNoGeneratedFlag()
    {
        const QByteArray input = "["
            + element(",\"tags\":[],\"isRecentlyGenerated\":true")
                  .replace("E621E1F8-C36C-495A-93FC-0C247A3E6E5F",
                      "e621e1f8-c36c-495a-93fc-0c247a3e6e5f")
            + "]";
        const KaomojiList records = decoded(input);
        QCOMPARE(records.size(), 1);
        const QByteArray output = std::get<QByteArray>(KaomojiJson::encode(records));
        const QJsonObject object = QJsonDocument::fromJson(output).array().at(0).toObject();
        QCOMPARE(object.value("id").toString(), "E621E1F8-C36C-495A-93FC-0C247A3E6E5F");
        QVERIFY(!object.contains("isRecentlyGenerated"));
        QCOMPARE(object.value("tags").toArray().size(), 0); // written even when empty
        QCOMPARE(object.keys().size(), 4);
    }

    void emptyListIsTwoBrackets()
    {
        QCOMPARE(std::get<QByteArray>(KaomojiJson::encode({})), QByteArray("[]"));
        QVERIFY(decoded("[]").isEmpty());
        QVERIFY(decoded(" [ ] ").isEmpty());
    }

    void acceptsAnyGeneratedFlagAndUnknownKeys_data()
    {
        QTest::addColumn<QByteArray>("members");
        QTest::newRow("true") << QByteArray(",\"tags\":[],\"isRecentlyGenerated\":true");
        QTest::newRow("string") << QByteArray(",\"tags\":[],\"isRecentlyGenerated\":\"yes\"");
        QTest::newRow("null") << QByteArray(",\"tags\":[],\"isRecentlyGenerated\":null");
        QTest::newRow("object") << QByteArray(",\"tags\":[],\"isRecentlyGenerated\":{\"a\":1}");
        QTest::newRow("unknown keys") << QByteArray(",\"tags\":[\"x\"],\"colour\":7,\"\":[]");
        QTest::newRow("keys in another order")
            << QByteArray(",\"tags\":[\"x\"]").prepend(",\"zzz\":0");
    }
    void acceptsAnyGeneratedFlagAndUnknownKeys()
    {
        QFETCH(QByteArray, members);
        QCOMPARE(decoded("[" + element(members) + "]").size(), 1);
    }

    void rejectsTheWholeArrayForOneBadElement_data()
    {
        QTest::addColumn<QByteArray>("json");
        const QByteArray good = element(",\"tags\":[]");
        QTest::newRow("tags missing") << "[" + good + "," + element("") + "]";
        QTest::newRow("tags not array") << "[" + element(",\"tags\":\"cat\"") + "]";
        QTest::newRow("tag not string") << "[" + element(",\"tags\":[1]") + "]";
        QTest::newRow("face missing")
            << QByteArray("[{\"id\":\"E621E1F8-C36C-495A-93FC-0C247A3E6E5F\","
                          "\"category\":\"Joy\",\"tags\":[]}]");
        QTest::newRow("face not string") << "[" + QByteArray(good).replace("\"(^_^)\"", "5") + "]";
        QTest::newRow("id braces") << "["
                + QByteArray(good).replace("\"E621E1F8-C36C-495A-93FC-0C247A3E6E5F\"",
                    "\"{E621E1F8-C36C-495A-93FC-0C247A3E6E5F}\"")
                + "]";
        QTest::newRow("id short") << "[" + QByteArray(good).replace("0C247A3E6E5F", "0C247A3E6E5")
                + "]";
        QTest::newRow("id non-hex")
            << "[" + QByteArray(good).replace("0C247A3E6E5F", "0C247A3E6E5G") + "]";
        QTest::newRow("id without hyphens") << "["
                + QByteArray(good).replace(
                    "E621E1F8-C36C-495A-93FC-0C247A3E6E5F", "E621E1F8C36C495A93FC0C247A3E6E5F0000")
                + "]";
        QTest::newRow("id number") << "["
                + QByteArray(good).replace("\"E621E1F8-C36C-495A-93FC-0C247A3E6E5F\"", "1") + "]";
        QTest::newRow("element not object") << "[" + good + ",3]";
        QTest::newRow("top level object") << QByteArray(good);
        QTest::newRow("not json") << QByteArray("[{\"id\":");
        QTest::newRow("empty") << QByteArray("");
    }
    void rejectsTheWholeArrayForOneBadElement()
    {
        QFETCH(QByteArray, json);
        const auto result = KaomojiJson::decode(json);
        QVERIFY(std::holds_alternative<KaomojiJson::Error>(result));
        QVERIFY(!std::get<KaomojiJson::Error>(result).description.isEmpty());
    }

    void acceptsEveryJsonEscape()
    {
        const QByteArray json = "[{\"id\":\"E621E1F8-C36C-495A-93FC-0C247A3E6E5F\","
                                "\"face\":\"\\\\\\/\\\"\\b\\f\\n\\r\\t\\u00e9\\ud83d\\udc31\","
                                "\"category\":\"Cat\",\"tags\":[]}]";
        const KaomojiList records = decoded(json);
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].face(),
            QStringLiteral("\\/\"\b\f\n\r\t") + QChar(0xE9) + QString::fromUcs4(U"\U0001F431"));
    }

    void refusesToWriteTextThatIsNotUnicode()
    {
        const QString lone = QStringLiteral("(") + QChar(0xD800) + QStringLiteral(")");
        const auto result = KaomojiJson::encode({ Kaomoji::create(lone, "Custom") });
        QVERIFY(std::holds_alternative<KaomojiJson::Error>(result));
    }

    void equalityIsByIdOnly()
    {
        const Kaomoji a = Kaomoji::create("(^_^)", "Joy", { "happy" });
        const Kaomoji sameContent = Kaomoji::create("(^_^)", "Joy", { "happy" });
        const Kaomoji sameId(a.id(), "(T_T)", "Sadness", {});
        QVERIFY(a != sameContent);
        QVERIFY(a == sameId);
        QVERIFY(a.hasSameContent(sameContent));
        QVERIFY(!a.hasSameContent(sameId));
        QCOMPARE(a.id().version(), QUuid::Random);
    }
};

QTEST_APPLESS_MAIN(TestKaomojiJson)
#include "tst_KaomojiJson.moc"
