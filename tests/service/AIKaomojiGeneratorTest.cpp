#include "AIKaomojiGenerator.h"

#include "LoopbackHttpServer.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QSet>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>
#include <QTest>
#include <QThread>
#include <memory>

using Answer = LoopbackHttpServer::Answer;
Q_DECLARE_METATYPE(LoopbackHttpServer::Answer)

namespace {

constexpr int replyWaitMilliseconds = 10000;

QString describe(const GenerationResult &result)
{
    if (result.isSuccess())
        return QStringLiteral("success: ") + result.face();
    const GenerationError error = result.error();
    return QStringLiteral("failure: %1 %2 %3").arg(error.domain).arg(error.code).arg(error.message);
}

QString clientFailure(int code, const QString &message)
{
    return describe(GenerationResult::failure({ AIKaomojiGenerator::errorDomain, code, message }));
}

QString parserFailure(const QByteArray &body)
{
    QJsonParseError error;
    QJsonDocument::fromJson(body, &error);
    return describe(GenerationResult::failure(
        { QStringLiteral("QJsonParseError"), int(error.error), error.errorString() }));
}

QString transportFailure(QNetworkReply::NetworkError code, const QString &message)
{
    return describe(
        GenerationResult::failure({ QStringLiteral("QNetworkReply"), int(code), message }));
}

// The head and body of a raw HTTP request.
QByteArray headOf(const QByteArray &request)
{
    return request.left(request.indexOf("\r\n\r\n"));
}
QByteArray bodyOf(const QByteArray &request)
{
    return request.mid(request.indexOf("\r\n\r\n") + 4);
}

QList<QByteArray> headerValues(const QByteArray &request, const QByteArray &name)
{
    QList<QByteArray> values;
    for (const QByteArray &line : headOf(request).split('\n').mid(1)) {
        const qsizetype colon = line.indexOf(':');
        if (line.left(colon).trimmed().toLower() == name.toLower())
            values.append(line.mid(colon + 1).trimmed());
    }
    return values;
}

} // namespace

class AIKaomojiGeneratorTest final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void appRequestCarriesTheServiceSettings();
    void sendsThePromptAsCompactJson_data();
    void sendsThePromptAsCompactJson();
    void readsTheReply_data();
    void readsTheReply();
    void replyWithoutBodyIsNoData_data();
    void replyWithoutBodyIsNoData();
    void refusesOversizedReplies_data();
    void refusesOversizedReplies();
    void stopsReadingAStreamedOversizedReply();
    void reportsTransportFailures_data();
    void reportsTransportFailures();
    void reportsTheTimeOutOnTheUiThread_data();
    void reportsTheTimeOutOnTheUiThread();
    void followsARedirectWithTheSameRequest();
    void worksOverTls();
    void refusesAnUntrustedService();
    void refusesARedirectFromHttpsToHttp();
    void requestsCompleteIndependently();
    void invalidPromptFailsAtOnceAndSendsNothing();
    void destroyedContextGetsNoCompletion();

private:
    GenerationResult generate(const QString &prompt, const QNetworkRequest &request);
    GenerationResult generate(const QString &prompt) { return generate(prompt, testRequest()); }
    QNetworkRequest testRequest(int timeoutMilliseconds = 30000) const
    {
        return AIKaomojiGenerator::makeRequest(m_server->url(), timeoutMilliseconds);
    }
    AIKaomojiGenerator::Completion recordingCompletion();

    std::unique_ptr<LoopbackHttpServer> m_server;
    QList<GenerationResult> m_results;
    QStringList m_problems;
    bool m_insideCall = false;
};

void AIKaomojiGeneratorTest::init()
{
    m_server = std::make_unique<LoopbackHttpServer>();
    m_results.clear();
    m_problems.clear();
}

void AIKaomojiGeneratorTest::cleanup()
{
    // Every completion of every test must have come once, later, on the UI thread.
    QVERIFY2(m_problems.isEmpty(), qPrintable(m_problems.join(QStringLiteral("; "))));
    m_server.reset();
}

AIKaomojiGenerator::Completion AIKaomojiGeneratorTest::recordingCompletion()
{
    return [this](const GenerationResult &result) {
        if (m_insideCall)
            m_problems << QStringLiteral("completion ran inside generateKaomoji");
        if (QThread::currentThread() != thread())
            m_problems << QStringLiteral("completion ran off the UI thread");
        m_results << result;
    };
}

GenerationResult AIKaomojiGeneratorTest::generate(
    const QString &prompt, const QNetworkRequest &request)
{
    m_results.clear();
    m_insideCall = true;
    AIKaomojiGenerator::generateKaomoji(request, prompt, this, recordingCompletion());
    m_insideCall = false;
    if (!QTest::qWaitFor([this] { return !m_results.isEmpty(); }, replyWaitMilliseconds))
        return GenerationResult::failure({ QStringLiteral("test"), 0, QStringLiteral("no reply") });
    // Long enough for a second, wrong completion to show up.
    QTest::qWait(30);
    if (m_results.size() != 1)
        m_problems << QStringLiteral("%1 completions for one call").arg(m_results.size());
    return m_results.first();
}

void AIKaomojiGeneratorTest::appRequestCarriesTheServiceSettings()
{
    const QUrl &endpoint = AIKaomojiGenerator::endpointURL();
    QVERIFY(endpoint.isValid());
    QCOMPARE(endpoint, QUrl(QStringLiteral(PELMORA_GENERATOR_URL)));
    QCOMPARE(&AIKaomojiGenerator::endpointURL(), &endpoint);
    QCOMPARE(endpoint.path(), QStringLiteral("/api/generate-kaomoji.js"));
    QVERIFY(!endpoint.hasQuery());

    const QNetworkRequest request = AIKaomojiGenerator::makeRequest();
    QCOMPARE(request.url(), endpoint);
    QCOMPARE(request.transferTimeout(), 60000);
    QCOMPARE(request.rawHeaderList(), QList<QByteArray> { "Content-Type" });
    QCOMPARE(request.rawHeader("Content-Type"), QByteArray("application/json"));
    QCOMPARE(request.attribute(QNetworkRequest::RedirectPolicyAttribute).toInt(),
        int(QNetworkRequest::NoLessSafeRedirectPolicy));
    QVERIFY(!request.attribute(QNetworkRequest::CacheLoadControlAttribute).isValid());

    QNetworkAccessManager *session = AIKaomojiGenerator::sharedSession();
    QCOMPARE(AIKaomojiGenerator::sharedSession(), session);
    QCOMPARE(session->parent(), QCoreApplication::instance());
}

void AIKaomojiGeneratorTest::sendsThePromptAsCompactJson_data()
{
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("plain") << QStringLiteral("happy cat")
                           << QByteArray(R"-({"prompt":"happy cat"})-");
    QTest::newRow("empty") << QString() << QByteArray(R"-({"prompt":""})-");
    QTest::newRow("spaces kept") << QStringLiteral("  cat \t")
                                 << QByteArray(R"-({"prompt":"  cat \t"})-");
    QTest::newRow("quotes and backslashes")
        << QStringLiteral(R"-(say "hi" \o/)-") << QByteArray(R"-({"prompt":"say \"hi\" \\o/"})-");
    QTest::newRow("line breaks") << QStringLiteral("one\ntwo\r\n")
                                 << QByteArray(R"-({"prompt":"one\ntwo\r\n"})-");
    QTest::newRow("outside the BMP")
        << QStringLiteral("🐱 cat ねこ")
        << QByteArray("{\"prompt\":\"\xF0\x9F\x90\xB1 cat \xE3\x81\xAD\xE3\x81\x93\"}");
}

void AIKaomojiGeneratorTest::sendsThePromptAsCompactJson()
{
    QFETCH(QString, prompt);
    QFETCH(QByteArray, body);
    m_server->answerJson(200, R"-({"kaomoji":"(^_^)"})-");

    QCOMPARE(describe(generate(prompt)), QStringLiteral("success: (^_^)"));

    QCOMPARE(m_server->requests().size(), 1);
    const QByteArray request = m_server->requests().first();
    QVERIFY2(request.startsWith("POST /api/generate-kaomoji.js HTTP/1.1\r\n"), request.constData());
    QCOMPARE(headerValues(request, "Content-Type"), QList<QByteArray> { "application/json" });
    QCOMPARE(headerValues(request, "Content-Length"),
        QList<QByteArray> { QByteArray::number(body.size()) });
    QCOMPARE(bodyOf(request), body);
    // Besides the content type, only the headers Qt itself adds to every request.
    const QSet<QByteArray> allowed { "host", "content-type", "content-length", "connection",
        "accept-encoding", "accept-language", "user-agent" };
    for (const QByteArray &line : headOf(request).split('\n').mid(1)) {
        const QByteArray name = line.left(line.indexOf(':')).trimmed().toLower();
        QVERIFY2(allowed.contains(name), name.constData());
    }
}

void AIKaomojiGeneratorTest::readsTheReply_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("expected");

    const QString face = QStringLiteral("success: (^_^)");
    QTest::newRow("200 face") << 200 << QByteArray(R"-({"kaomoji":"(^_^)","model":"x"})-") << face;
    QTest::newRow("500 face") << 500 << QByteArray(R"-({"kaomoji":"(^_^)"})-") << face;
    QTest::newRow("404 face") << 404 << QByteArray(R"-({"kaomoji":"(^_^)"})-") << face;
    QTest::newRow("401 face") << 401 << QByteArray(R"-({"kaomoji":"(^_^)"})-") << face;
    QTest::newRow("300 face") << 300 << QByteArray(R"-({"kaomoji":"(^_^)"})-") << face;
    QTest::newRow("200 error") << 200 << QByteArray(R"-({"error":"Rate limit exceeded"})-")
                               << clientFailure(2, QStringLiteral("Rate limit exceeded"));
    QTest::newRow("400 error") << 400 << QByteArray(R"-({"error":"The prompt is empty"})-")
                               << clientFailure(2, QStringLiteral("The prompt is empty"));
    QTest::newRow("413 error") << 413 << QByteArray(R"-({"error":"Too long"})-")
                               << clientFailure(2, QStringLiteral("Too long"));
    QTest::newRow("429 error") << 429 << QByteArray(R"-({"error":"Slow down"})-")
                               << clientFailure(2, QStringLiteral("Slow down"));
    QTest::newRow("503 error") << 503 << QByteArray(R"-({"error":"Service busy"})-")
                               << clientFailure(2, QStringLiteral("Service busy"));
    QTest::newRow("error wins over face")
        << 200 << QByteArray(R"-({"kaomoji":"(^_^)","error":" Bad prompt "})-")
        << clientFailure(2, QStringLiteral(" Bad prompt "));
    QTest::newRow("empty error string")
        << 200 << QByteArray(R"-({"error":"","kaomoji":"(^_^)"})-") << clientFailure(2, QString());
    QTest::newRow("number error ignored")
        << 200 << QByteArray(R"-({"error":42,"kaomoji":"(^_^)"})-") << face;
    QTest::newRow("null error ignored")
        << 200 << QByteArray(R"-({"error":null,"kaomoji":"(^_^)"})-") << face;
    QTest::newRow("object error ignored")
        << 200 << QByteArray(R"-({"error":{"message":"x"},"kaomoji":"(^_^)"})-") << face;
    QTest::newRow("empty face") << 200 << QByteArray(R"-({"kaomoji":""})-")
                                << QStringLiteral("success: ");
    QTest::newRow("spaces kept") << 200 << QByteArray(R"-({"kaomoji":"  (^_^) \n"})-")
                                 << QStringLiteral("success:   (^_^) \n");
    QTest::newRow("escaped non-ASCII face")
        << 200 << QByteArray(R"-({"kaomoji":"\u0295\u2022\u1d25\u2022\u0294 \ud83d\udc31"})-")
        << QStringLiteral("success: ʕ•ᴥ•ʔ 🐱");
    QTest::newRow("number face") << 200 << QByteArray(R"-({"kaomoji":7})-")
                                 << clientFailure(
                                        3, QStringLiteral("Failed to parse API response"));
    QTest::newRow("no face") << 200 << QByteArray(R"-({"face":"(^_^)"})-")
                             << clientFailure(3, QStringLiteral("Failed to parse API response"));
    QTest::newRow("number error, no face")
        << 200 << QByteArray(R"-({"error":500})-")
        << clientFailure(3, QStringLiteral("Failed to parse API response"));
    QTest::newRow("empty object") << 200 << QByteArray("{}")
                                  << clientFailure(
                                         3, QStringLiteral("Failed to parse API response"));
    const QString notAnObject =
        clientFailure(2, QStringLiteral("Failed to parse API response as JSON"));
    QTest::newRow("array") << 200 << QByteArray("[]") << notAnObject;
    QTest::newRow("array holding a face")
        << 200 << QByteArray(R"-([{"kaomoji":"(^_^)"}])-") << notAnObject;
    for (const QByteArray &body : { QByteArray(), QByteArray("   "),
             QByteArray("<html>Bad Gateway</html>"), QByteArray(R"-("(^_^)")-"),
             QByteArray(R"-({"kaomoji":"(^_^)")-"), QByteArray(R"-({"kaomoji":"(^_^)"} x)-") })
        QTest::addRow("not JSON: '%s'", body.constData()) << 200 << body << parserFailure(body);
}

void AIKaomojiGeneratorTest::readsTheReply()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QString, expected);
    m_server->answerJson(status, body);

    QCOMPARE(describe(generate(QStringLiteral("cat"))), expected);
}

void AIKaomojiGeneratorTest::replyWithoutBodyIsNoData_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::newRow("204") << QByteArray("HTTP/1.1 204 No Content\r\n\r\n");
    QTest::newRow("205") << QByteArray("HTTP/1.1 205 Reset Content\r\nContent-Length: 0\r\n\r\n");
    QTest::newRow("304") << QByteArray("HTTP/1.1 304 Not Modified\r\n\r\n");
}

void AIKaomojiGeneratorTest::replyWithoutBodyIsNoData()
{
    QFETCH(QByteArray, raw);
    m_server->answerWith({ raw });

    QCOMPARE(describe(generate(QStringLiteral("cat"))),
        clientFailure(1, QStringLiteral("No data received")));
}

void AIKaomojiGeneratorTest::refusesOversizedReplies_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("expected");

    const QString tooLarge = clientFailure(4, QStringLiteral("Response too large"));
    const QByteArray head = R"-({"kaomoji":")-";
    const QByteArray tail = R"-("})-";
    const qint64 limit = AIKaomojiGenerator::maximumReplySize;
    const QByteArray face(limit - head.size() - tail.size(), 'o');
    const QByteArray atLimit = head + face + tail;
    QTest::newRow("exactly the limit") << Answer { LoopbackHttpServer::reply(200, atLimit) }
                                       << QStringLiteral("success: ") + QString::fromLatin1(face);
    QTest::newRow("one byte over")
        << Answer { LoopbackHttpServer::reply(200, atLimit + ' ') } << tooLarge;
    QTest::newRow("5 MiB") << Answer { LoopbackHttpServer::reply(200, QByteArray(5 << 20, ' ')) }
                           << tooLarge;
    // Announced and never sent: only refusing at the announcement ends this before the limit.
    QTest::newRow("2 MiB announced")
        << Answer { "HTTP/1.1 200 OK\r\nContent-Length: 2097152\r\n\r\n{" } << tooLarge;
}

void AIKaomojiGeneratorTest::refusesOversizedReplies()
{
    QFETCH(Answer, answer);
    QFETCH(QString, expected);
    m_server->answerWith(answer);

    QCOMPARE(describe(generate(QStringLiteral("cat"))), expected);
}

void AIKaomojiGeneratorTest::stopsReadingAStreamedOversizedReply()
{
    // No length announced: the body runs until the connection closes.
    const qint64 offered = 64ll << 20;
    m_server->answerWith(Answer { "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n", offered });

    QCOMPARE(describe(generate(QStringLiteral("cat"))),
        clientFailure(4, QStringLiteral("Response too large")));
    QTRY_VERIFY(m_server->clientHungUp());
    QVERIFY2(m_server->streamedBytes() < offered / 4,
        qPrintable(QString::number(m_server->streamedBytes())));
}

void AIKaomojiGeneratorTest::reportsTransportFailures_data()
{
    QTest::addColumn<bool>("serverUp");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("scheme");
    QTest::addColumn<int>("error");

    QTest::newRow("nothing listening") << false << Answer {} << QStringLiteral("http")
                                       << int(QNetworkReply::ConnectionRefusedError);
    QTest::newRow("hang-up before the reply")
        << true << Answer { {}, 0, false, true } << QStringLiteral("http")
        << int(QNetworkReply::RemoteHostClosedError);
    // The status arrived, but a cut-off body is not the service's answer.
    QTest::newRow("hang-up inside the body")
        << true
        << Answer { "HTTP/1.1 500 Oops\r\nContent-Length: 40\r\n\r\n{\"kaomoji\":\"(^_^)\"}", 0,
               false, true }
        << QStringLiteral("http") << int(QNetworkReply::RemoteHostClosedError);
    QTest::newRow("scheme without a client") << true << Answer {} << QStringLiteral("gopher")
                                             << int(QNetworkReply::ProtocolUnknownError);
}

void AIKaomojiGeneratorTest::reportsTransportFailures()
{
    QFETCH(bool, serverUp);
    QFETCH(Answer, answer);
    QFETCH(QString, scheme);
    QFETCH(int, error);
    QUrl url = m_server->url();
    url.setScheme(scheme);
    if (serverUp) {
        m_server->answerWith(answer);
    } else {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        url.setPort(closed.serverPort());
    }

    const GenerationResult result =
        generate(QStringLiteral("cat"), AIKaomojiGenerator::makeRequest(url, 30000));

    QCOMPARE(result.error().domain, QStringLiteral("QNetworkReply"));
    QCOMPARE(result.error().code, error);
    QVERIFY(!result.error().message.isEmpty());
}

void AIKaomojiGeneratorTest::reportsTheTimeOutOnTheUiThread_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::newRow("no answer") << Answer { {}, 0, true };
    QTest::newRow("head without body")
        << Answer { "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n{\"kaomoji\":\"(^_^)\"}" };
}

void AIKaomojiGeneratorTest::reportsTheTimeOutOnTheUiThread()
{
    QFETCH(Answer, answer);
    m_server->answerWith(answer);

    // Qt words its transfer time-out as a cancelled operation.
    QCOMPARE(describe(generate(QStringLiteral("cat"), testRequest(300))),
        transportFailure(
            QNetworkReply::OperationCanceledError, QStringLiteral("Operation canceled")));
}

void AIKaomojiGeneratorTest::followsARedirectWithTheSameRequest()
{
    m_server->answerWith({ Answer { LoopbackHttpServer::reply(307, {}, "Location: /moved.js\r\n") },
        Answer { LoopbackHttpServer::reply(200, R"-({"kaomoji":"(^_^)"})-") } });

    QCOMPARE(describe(generate(QStringLiteral("cat"))), QStringLiteral("success: (^_^)"));

    QCOMPARE(m_server->requests().size(), 2);
    const QByteArray moved = m_server->requests().last();
    QVERIFY2(moved.startsWith("POST /moved.js HTTP/1.1\r\n"), moved.constData());
    QCOMPARE(bodyOf(moved), QByteArray(R"-({"prompt":"cat"})-"));
}

void AIKaomojiGeneratorTest::worksOverTls()
{
    if (!QSslSocket::supportsSsl())
        QSKIP("no TLS backend");
    LoopbackHttpServer service(true);
    service.answerJson(200, R"-({"kaomoji":"(^_^)"})-");
    QNetworkRequest request = AIKaomojiGenerator::makeRequest(service.url(), 30000);
    request.setSslConfiguration(LoopbackHttpServer::trustingClient());

    QCOMPARE(describe(generate(QStringLiteral("cat"), request)), QStringLiteral("success: (^_^)"));
    QCOMPARE(bodyOf(service.requests().value(0)), QByteArray(R"-({"prompt":"cat"})-"));
}

void AIKaomojiGeneratorTest::refusesAnUntrustedService()
{
    if (!QSslSocket::supportsSsl())
        QSKIP("no TLS backend");
    LoopbackHttpServer service(true);
    service.answerJson(200, R"-({"kaomoji":"(^_^)"})-");

    const GenerationResult result =
        generate(QStringLiteral("cat"), AIKaomojiGenerator::makeRequest(service.url(), 30000));

    QCOMPARE(result.error().domain, QStringLiteral("QNetworkReply"));
    QCOMPARE(result.error().code, int(QNetworkReply::SslHandshakeFailedError));
    QVERIFY(service.requests().isEmpty());
}

void AIKaomojiGeneratorTest::refusesARedirectFromHttpsToHttp()
{
    if (!QSslSocket::supportsSsl())
        QSKIP("no TLS backend");
    LoopbackHttpServer service(true);
    service.answerWith({ LoopbackHttpServer::reply(
        307, {}, "Location: " + m_server->url().toEncoded() + "\r\n") });
    m_server->answerJson(200, R"-({"kaomoji":"(^_^)"})-");
    QNetworkRequest request = AIKaomojiGenerator::makeRequest(service.url(), 30000);
    request.setSslConfiguration(LoopbackHttpServer::trustingClient());

    const GenerationResult result = generate(QStringLiteral("secret"), request);

    QCOMPARE(result.error().domain, QStringLiteral("QNetworkReply"));
    QCOMPARE(result.error().code, int(QNetworkReply::InsecureRedirectError));
    QCOMPARE(service.requests().size(), 1);
    QCOMPARE(m_server->connectionCount(), 0);
}

void AIKaomojiGeneratorTest::requestsCompleteIndependently()
{
    // The slow request is sent first and finishes last.
    m_server->answerWith([](const QByteArray &request) {
        const bool slow = request.contains("slow");
        return Answer { LoopbackHttpServer::reply(
                            200, slow ? R"-({"kaomoji":"(-_-)"})-" : R"-({"error":"no"})-"),
            0, false, false, slow ? 300 : 0 };
    });
    QStringList arrivals;
    int slowCalls = 0;
    int fastCalls = 0;
    AIKaomojiGenerator::generateKaomoji(
        testRequest(), QStringLiteral("slow"), this, [&](const GenerationResult &result) {
            ++slowCalls;
            arrivals << describe(result);
        });
    AIKaomojiGenerator::generateKaomoji(
        testRequest(), QStringLiteral("fast"), this, [&](const GenerationResult &result) {
            ++fastCalls;
            arrivals << describe(result);
        });
    QCOMPARE(arrivals.size(), 0);

    QTRY_COMPARE_WITH_TIMEOUT(arrivals.size(), 2, replyWaitMilliseconds);
    QTest::qWait(30);
    QCOMPARE(arrivals,
        QStringList({ clientFailure(2, QStringLiteral("no")), QStringLiteral("success: (-_-)") }));
    QCOMPARE(slowCalls, 1);
    QCOMPARE(fastCalls, 1);
}

void AIKaomojiGeneratorTest::invalidPromptFailsAtOnceAndSendsNothing()
{
    m_server->answerJson(200, R"-({"kaomoji":"(^_^)"})-");
    const QString prompt = QStringLiteral("cat ") + QChar(0xD83D);

    int calls = 0;
    GenerationError error;
    AIKaomojiGenerator::generateKaomoji(
        testRequest(), prompt, this, [&](const GenerationResult &result) {
            ++calls;
            error = result.error();
        });

    QCOMPARE(calls, 1);
    QCOMPARE(error.domain, QStringLiteral("QStringConverter"));
    QCOMPARE(error.code, 1);
    QCOMPARE(error.message, QStringLiteral("The prompt is not valid Unicode text"));
    QTest::qWait(100);
    QCOMPARE(calls, 1);
    QCOMPARE(m_server->connectionCount(), 0);
}

void AIKaomojiGeneratorTest::destroyedContextGetsNoCompletion()
{
    m_server->answerWith(Answer {
        LoopbackHttpServer::reply(200, R"-({"kaomoji":"(^_^)"})-"), 0, false, false, 200 });
    auto *view = new QObject;
    bool called = false;
    AIKaomojiGenerator::generateKaomoji(testRequest(), QStringLiteral("cat"), view,
        [&](const GenerationResult &) { called = true; });
    QTRY_COMPARE(m_server->requests().size(), 1);
    delete view;

    // The reply still arrives; only its completion is dropped.
    m_server->answerJson(200, R"-({"kaomoji":"(o_o)"})-");
    QCOMPARE(describe(generate(QStringLiteral("after"))), QStringLiteral("success: (o_o)"));
    QTest::qWait(400);
    QVERIFY(!called);
}

QTEST_GUILESS_MAIN(AIKaomojiGeneratorTest)
#include "AIKaomojiGeneratorTest.moc"
