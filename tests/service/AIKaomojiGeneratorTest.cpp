#include "AIKaomojiGenerator.h"

#include "LoopbackHttpServer.h"

#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <memory>

using Answer = LoopbackHttpServer::Answer;
Q_DECLARE_METATYPE(LoopbackHttpServer::Answer)

namespace {

// A result on one line. Qt's layers word their errors their own way, so for them only the
// code says which error it is.
QString describe(const GenerationResult &result)
{
    if (result.isSuccess())
        return QStringLiteral("success: ") + result.face();
    const GenerationError error = result.error();
    const bool qts = error.domain != AIKaomojiGenerator::errorDomain && !error.message.isEmpty();
    return QStringLiteral("%1 %2 %3")
        .arg(error.domain)
        .arg(error.code)
        .arg(qts ? QStringLiteral("…") : error.message);
}

QString ours(int code, const char *message)
{
    return QStringLiteral("AIKaomojiGenerator %1 %2").arg(code).arg(message);
}

QString network(QNetworkReply::NetworkError error)
{
    return QStringLiteral("QNetworkReply %1 …").arg(int(error));
}

QString notJson(const QByteArray &body)
{
    QJsonParseError error;
    QJsonDocument::fromJson(body, &error);
    return QStringLiteral("QJsonParseError %1 …").arg(int(error.error));
}

Answer json(int status, const QByteArray &body)
{
    return { LoopbackHttpServer::reply(status, body) };
}

const QByteArray catFace = R"-({"kaomoji":"(^_^)"})-";

} // namespace

class AIKaomojiGeneratorTest final : public QObject {
    Q_OBJECT

private slots:
    void init() { m_server = std::make_unique<LoopbackHttpServer>(); }
    void cleanup()
    {
        // Every completion of every test must have come once, later, on the UI thread.
        const QStringList problems = std::exchange(m_problems, {});
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u"; ")));
    }

    void sendsThePromptUnchanged_data()
    {
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("plain") << "happy cat" << QByteArray(R"-({"prompt":"happy cat"})-");
        QTest::newRow("empty") << "" << QByteArray(R"-({"prompt":""})-");
        // Nothing trimmed, quotes and line breaks escaped.
        QTest::newRow("spaces, quotes and breaks")
            << "  say \"hi\" \\o/\r\n\t"
            << QByteArray("{\"prompt\":\"  say \\\"hi\\\" \\\\o/\\r\\n\\t\"}");
        QTest::newRow("outside the BMP")
            << "🐱 cat ねこ" << QByteArray(R"-({"prompt":"🐱 cat ねこ"})-");
    }
    void sendsThePromptUnchanged()
    {
        QFETCH(QString, prompt);
        QFETCH(QByteArray, body);
        // Through a redirect, which must send the same request again.
        m_server->answerWith(
            { Answer { LoopbackHttpServer::reply(307, {}, "Location: /moved.js\r\n") },
                json(200, catFace) });

        QCOMPARE(describe(generate(prompt)), QStringLiteral("success: (^_^)"));
        const QList<QByteArray> requests = m_server->requests();
        QCOMPARE(requests.size(), 2);
        QVERIFY(requests[1].startsWith("POST /moved.js HTTP/1.1\r\n"));
        const QSet<QByteArray> allowed { "host", "content-type", "content-length", "connection",
            "accept-encoding", "accept-language", "user-agent" };
        for (const QByteArray &request : requests) {
            const qsizetype headEnd = request.indexOf("\r\n\r\n");
            QCOMPARE(request.mid(headEnd + 4), body);
            // Besides its content type, only the headers Qt itself adds to every request.
            QSet<QByteArray> names;
            for (const QByteArray &line : request.left(headEnd).split('\n').mid(1))
                names << line.left(line.indexOf(':')).toLower();
            QVERIFY2(allowed.contains(names) && request.startsWith("POST ")
                    && request.contains("\nContent-Type: application/json\r"),
                request.constData());
        }
    }

    void completesWithWhatTheExchangeGave_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QString>("expected");
        const auto row = [](const QByteArray &name, const Answer &answer, const QString &expected,
                             const char *how = "") {
            QTest::newRow(name.constData()) << QString::fromUtf8(how) << answer << expected;
        };
        // Whatever the status, the service's JSON decides.
        for (const int status : { 200, 300, 401, 404, 407, 500 })
            row("face, " + QByteArray::number(status), json(status, catFace), "success: (^_^)");
        for (const int status : { 200, 400, 413, 429, 503 })
            row("error, " + QByteArray::number(status), json(status, R"-({"error":"Slow down"})-"),
                ours(2, "Slow down"));
        row("error wins", json(200, R"-({"kaomoji":"(^_^)","error":" Bad "})-"), ours(2, " Bad "));
        row("empty error", json(200, R"-({"error":"","kaomoji":"(^_^)"})-"), ours(2, ""));
        // An error that is not a string is not the service's.
        for (const QByteArray error : { "42", "null", "{}" })
            row("error " + error, json(200, R"-({"kaomoji":"(^_^)","error":)-" + error + "}"),
                "success: (^_^)");
        row("empty face", json(200, R"-({"kaomoji":""})-"), "success: ");
        row("spaces kept", json(200, R"-({"kaomoji":"  (^_^) \n"})-"), "success:   (^_^) \n");
        row("escaped face",
            json(200, R"-({"kaomoji":"\u0295\u2022\u1d25\u2022\u0294 \ud83d\udc31"})-"),
            "success: ʕ•ᴥ•ʔ 🐱");
        // A lone surrogate is no text, so no face either.
        for (const QByteArray body : { R"-({"kaomoji":7})-", R"-({"face":"(^_^)"})-",
                 R"-({"error":5})-", "{}", R"-({"kaomoji":"(\ud800)"})-" })
            row("no face: " + body, json(200, body), ours(3, "Failed to parse API response"));
        for (const QByteArray &body : QList<QByteArray> { "[]", "[" + catFace + "]" })
            row("not an object: " + body, json(200, body),
                ours(2, "Failed to parse API response as JSON"));
        for (const QByteArray &body : QList<QByteArray> { "", "   ", "<html>Bad Gateway</html>",
                 R"-("(^_^)")-", catFace.chopped(1), catFace + " x" })
            row("not JSON: " + body, json(200, body), notJson(body));
        for (const QByteArray status : { "204", "205", "304" })
            row(status + ", which never has a body",
                { "HTTP/1.1 " + status + " No Body\r\nContent-Length: 0\r\n\r\n" }, notJson({}));
        row("face of 1,001 characters",
            json(200, "{\"kaomoji\":\"" + QByteArray(1001, 'o') + "\"}"),
            ours(7,
                "The generation service sent an unusable kaomoji. A kaomoji can be at most "
                "1,000 characters long."));

        const QString tooLarge = ours(4, "Response too large");
        const QByteArray largest =
            catFace.chopped(1).leftJustified(AIKaomojiGenerator::maximumReplySize - 1, ' ') + '}';
        row("largest reply", json(200, largest), "success: (^_^)");
        row("one byte larger", json(200, largest + ' '), tooLarge);
        // Qt inflates it by itself, and gives up at its own limit without handing on any of it.
        const QByteArray deflated = qCompress(largest.leftJustified(64 << 20, ' ')).mid(4);
        row("64 MiB deflated",
            { LoopbackHttpServer::reply(200, deflated, "Content-Encoding: deflate\r\n") },
            network(QNetworkReply::UnknownContentError));
        // Announced and never sent: only refusing at the announcement ends this.
        row("2 MiB announced", { "HTTP/1.1 200 OK\r\nContent-Length: 2097152\r\n\r\n{" }, tooLarge);
        // No length announced: the body would run until the connection closes.
        row("64 MiB streamed", { "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n", 64ll << 20 },
            tooLarge);

        row("nothing listening", {}, network(QNetworkReply::ConnectionRefusedError), "closed port");
        row("unknown scheme", {}, network(QNetworkReply::ProtocolUnknownError), "gopher");
        row("hang-up", { {}, 0, false, true }, network(QNetworkReply::RemoteHostClosedError));
        // The status arrived, but a cut-off body is not the service's answer.
        row("hang-up in the body",
            { "HTTP/1.1 500 Oops\r\nContent-Length: 40\r\n\r\n" + catFace, 0, false, true },
            network(QNetworkReply::RemoteHostClosedError));
        // The time limit is for the whole exchange, not for each silence.
        const QString late = ours(5, "The generation service did not answer within 1 second");
        row("no answer in time", { {}, 0, true }, late, "1 s limit");
        row("body not in time", { "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n{" }, late,
            "1 s limit");
        row("reply trickling", { json(200, catFace).raw, 0, false, false, 0, 100 }, late,
            "1 s limit");
        // Prompts are the user's words: only to a trusted service, and never anywhere else.
        row("https", json(200, catFace), "success: (^_^)", "https");
        row("https, untrusted", json(200, catFace), network(QNetworkReply::SslHandshakeFailedError),
            "https, untrusted");
        const QString refused = ours(6,
            "The generation service tried to send the prompt to another address (%1); it was not "
            "sent there");
        const Answer toPlain { LoopbackHttpServer::reply(307, {}, "Location: {plain}/x\r\n") };
        row("redirect to another port", toPlain, refused.arg("{plain}"), "other");
        row("redirect from https to http", toPlain, refused.arg("{plain}"), "https");
        row("redirect to another host",
            { LoopbackHttpServer::reply(302, {}, "Location: http://localhost/x\r\n") },
            refused.arg("http://localhost"));
    }
    void completesWithWhatTheExchangeGave()
    {
        QFETCH(QString, how);
        QFETCH(Answer, answer);
        QFETCH(QString, expected);
        LoopbackHttpServer https(true);
        LoopbackHttpServer other;
        LoopbackHttpServer &server = how.startsWith(u"https") ? https
            : how == u"other"                                 ? other
                                                              : *m_server;
        const QByteArray plain = m_server->url({}).toEncoded();
        answer.raw.replace("{plain}", plain);
        server.answerWith(answer);
        expected.replace(QStringLiteral("{plain}"), QString::fromLatin1(plain));
        QUrl url = server.url();
        if (how == u"closed port") {
            QTcpServer gone;
            QVERIFY(gone.listen(QHostAddress::LocalHost));
            url.setPort(gone.serverPort());
        } else if (how == u"gopher") {
            url.setScheme(how);
        }
        QNetworkRequest request =
            AIKaomojiGenerator::makeRequest(url, how == u"1 s limit" ? 1000 : 60000);
        if (how != u"https, untrusted")
            request.setSslConfiguration(LoopbackHttpServer::trustingClient());

        QCOMPARE(describe(generate(QStringLiteral("cat"), request)), expected);
        // Nothing reaches the server a redirect pointed to.
        QVERIFY(&server == m_server.get() || m_server->requests().isEmpty());
        // A body over the limit is cut off, not read to its end.
        QTRY_COMPARE(m_server->clientHungUp(), answer.streamedBodyBytes > 0);
        QVERIFY(m_server->streamedBytes() < 16 << 20);
    }

    void requestsCompleteIndependently()
    {
        m_server->setHolding(true);
        QStringList arrivals;
        for (const QString prompt : { "first", "second" })
            AIKaomojiGenerator::generateKaomoji(AIKaomojiGenerator::makeRequest(m_server->url()),
                prompt, this, [&arrivals, prompt](const GenerationResult &result) {
                    arrivals << prompt + QStringLiteral(": ") + describe(result);
                });
        QTRY_COMPARE(m_server->heldCount(), 2);

        // The first request is answered last.
        const int first = int(m_server->prompts().indexOf(u"first"));
        m_server->release(1 - first, R"-({"error":"no"})-");
        QTRY_COMPARE(arrivals.size(), 1);
        m_server->release(first, catFace);
        QTRY_COMPARE(arrivals.size(), 2);
        QCoreApplication::processEvents();
        QCOMPARE(arrivals, QStringList({ "second: " + ours(2, "no"), "first: success: (^_^)" }));
    }

    void invalidPromptFailsAtOnceAndSendsNothing()
    {
        QStringList results;
        AIKaomojiGenerator::generateKaomoji(AIKaomojiGenerator::makeRequest(m_server->url()),
            QStringLiteral("cat ") + QChar(0xD83D), this,
            [&results](const GenerationResult &result) { results << describe(result); });
        QCOMPARE(results, QStringList { "QStringConverter 1 …" });

        // A request sent after it is the only one the service sees.
        QCOMPARE(describe(generate(QStringLiteral("after"))), QStringLiteral("success: (=^･ω･^=)"));
        QCOMPARE(m_server->prompts(), QStringList { "after" });
        QCOMPARE(results.size(), 1);
    }

    void destroyedContextGetsNoCompletion_data()
    {
        QTest::addColumn<bool>("beforeTheReply");
        QTest::newRow("before the reply") << true;
        QTest::newRow("before the completion runs") << false;
    }
    void destroyedContextGetsNoCompletion()
    {
        QFETCH(bool, beforeTheReply);
        m_server->setHolding(true);
        auto view = std::make_unique<QObject>();
        bool called = false;
        AIKaomojiGenerator::generateKaomoji(AIKaomojiGenerator::makeRequest(m_server->url()),
            QStringLiteral("cat"), view.get(),
            [&called](const GenerationResult &) { called = true; });
        QTRY_COMPARE(m_server->heldCount(), 1);
        if (beforeTheReply)
            view.reset();

        // The reply still arrives; only its completion is dropped.
        QSignalSpy finished(AIKaomojiGenerator::sharedSession(), &QNetworkAccessManager::finished);
        m_server->release(0, catFace);
        QVERIFY(finished.wait());
        view.reset();
        QCoreApplication::processEvents();
        QVERIFY(!called);
    }

private:
    GenerationResult generate(const QString &prompt)
    {
        return generate(prompt, AIKaomojiGenerator::makeRequest(m_server->url()));
    }
    GenerationResult generate(const QString &prompt, const QNetworkRequest &request)
    {
        m_results.clear();
        m_returned = false;
        AIKaomojiGenerator::generateKaomoji(
            request, prompt, this, [this](const GenerationResult &result) {
                if (!m_returned || QThread::currentThread() != thread())
                    m_problems << QStringLiteral(
                                      "completion inside the call or off the UI thread: ")
                            + describe(result);
                m_results << result;
            });
        m_returned = true;
        if (!QTest::qWaitFor([this] { return !m_results.isEmpty(); }, 10000))
            return GenerationResult::failure({ "test", 0, "no completion in 10 s" });
        // A second, wrong completion would be waiting in the queue by now.
        QCoreApplication::processEvents();
        if (m_results.size() != 1)
            m_problems << QStringLiteral("%1 completions for one call").arg(m_results.size());
        return m_results.first();
    }

    std::unique_ptr<LoopbackHttpServer> m_server;
    QList<GenerationResult> m_results;
    QStringList m_problems;
    bool m_returned = false;
};

QTEST_GUILESS_MAIN(AIKaomojiGeneratorTest)
#include "AIKaomojiGeneratorTest.moc"
