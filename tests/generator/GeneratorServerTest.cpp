#include "AIKaomojiGenerator.h"
#include "ChildProcess.h"
#include "FaceComposer.h"
#include "LoopbackHttpServer.h"
#include "TestSeed.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTest>
#include <memory>
#include <sys/resource.h>
#include <vector>

namespace {

// The loopback certificate of the test support, which its clients can be told to trust.
const QString certificate = QStringLiteral(PELMORA_SUPPORT_DATA "/loopback-cert.pem");
const QString key = QStringLiteral(PELMORA_SUPPORT_DATA "/loopback-key.pem");
const QByteArray endpointPath = "/api/generate-kaomoji.js";

// A face through the app's own client, or why there is none.
QString generate(const QUrl &endpoint, const QString &prompt)
{
    QNetworkRequest request = AIKaomojiGenerator::makeRequest(endpoint);
    request.setSslConfiguration(LoopbackHttpServer::trustingClient());
    QObject context;
    std::optional<GenerationResult> result;
    AIKaomojiGenerator::generateKaomoji(
        request, prompt, &context, [&](const GenerationResult &outcome) { result = outcome; });
    if (!QTest::qWaitFor([&] { return result.has_value(); }, 20000))
        return QStringLiteral("no answer in 20 s");
    return result->isSuccess() ? result->face() : result->error().message;
}

bool isCatFace(const QString &face)
{
    static const QRegularExpression catMouth(QStringLiteral("[ωﻌェㅅｪ]"));
    return FaceComposer::isWellFormedFace(face) && catMouth.match(face).hasMatch();
}

} // namespace

class GeneratorServerTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(m_service.isListening(),
            qPrintable(m_service.process().output(QProcess::StandardError)));
        // Only this machine may reach it unless told otherwise.
        QCOMPARE(QUrl(m_service.origin()).host(), QStringLiteral("127.0.0.1"));
    }

    void servesTheAppsClientOverHttps()
    {
        // Over plain http the app's client is what the other tests here use.
        GeneratorService service({ "--cert", certificate, "--key", key });
        QCOMPARE(service.endpoint().scheme(), "https");
        const QString face = generate(service.endpoint(), QStringLiteral("happy cat"));
        QVERIFY2(isCatFace(face), qPrintable(face));
    }

    void answersEveryRequestWithJson_data()
    {
        QTest::addColumn<QByteArray>("method");
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const auto row = [](const char *name, const QByteArray &body, int status,
                             const char *message, const QByteArray &method = "POST",
                             const QByteArray &path = endpointPath) {
            QTest::newRow(name) << method << path << body << status << QString::fromUtf8(message);
        };
        const auto prompt = [](const QString &text) {
            return AIKaomojiGenerator::requestBody(text);
        };
        // A 500-character prompt in a body of exactly 16 KiB.
        const QByteArray largest = prompt(QString(500, u'ä')).leftJustified(16 * 1024, ' ');
        row("largest request", largest, 200, "");
        row("not JSON", "happy cat", 400, "not valid JSON");
        row("empty body", {}, 400, "empty");
        row("array", "[\"cat\"]", 400, "JSON object");
        row("no prompt", "{\"promt\": \"cat\"}", 400, "\"prompt\"");
        row("number prompt", "{\"prompt\": 42}", 400, "string");
        row("blank prompt", prompt(QString::fromUtf8(" \t\n\u3000")), 400, "empty");
        row("long prompt", prompt(QString(501, u'a')), 400, "500");
        row("body over 16 KiB", largest + ' ', 413, "16 KiB");
        row("body far over 16 KiB", QByteArray(600 * 1024, 'x'), 413, "16 KiB");
        row("other path", prompt("cat"), 404, endpointPath, "POST", "/api/generate");
        row("GET", {}, 405, "POST", "GET");
        row("DELETE", {}, 405, "POST", "DELETE");
    }
    void answersEveryRequestWithJson()
    {
        QFETCH(QByteArray, method);
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        QFETCH(QString, message);
        QNetworkRequest request(QUrl(m_service.origin() + path));
        request.setHeader(QNetworkRequest::ContentTypeHeader, "application/json");
        const std::unique_ptr<QNetworkReply> reply(
            m_network.sendCustomRequest(request, method, body));
        QTRY_VERIFY_WITH_TIMEOUT(reply->isFinished(), 20000);

        QCOMPARE(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), status);
        QCOMPARE(reply->header(QNetworkRequest::ContentTypeHeader).toString(), "application/json");
        QCOMPARE(reply->rawHeader("Allow"), status == 405 ? "POST" : "");
        // A face, or an error for the person who sent the request, never both.
        const QJsonObject object = QJsonDocument::fromJson(reply->readAll()).object();
        QCOMPARE(object.keys(), QStringList { status == 200 ? "kaomoji" : "error" });
        const QString text = object.begin()->toString();
        QVERIFY2(status == 200 ? FaceComposer::isWellFormedFace(text) : text.contains(message),
            qPrintable(text));
    }

    void refusesToStartWithAClearMessage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        const QString port = QString::number(m_service.port());
        QTest::newRow("port not a number") << QStringList { "--port", "http" } << "--port";
        QTest::newRow("port too large") << QStringList { "--port", "70000" } << "--port";
        QTest::newRow("port in use")
            << QStringList { "--port", port } << "cannot listen on 127.0.0.1 port " + port;
        QTest::newRow("bad address") << QStringList { "--listen", "nowhere" } << "--listen";
        QTest::newRow("bad seed") << QStringList { "--seed", "-1" } << "--seed";
        QTest::newRow("unknown option") << QStringList { "--colour" } << "colour";
        QTest::newRow("cert without key") << QStringList { "--cert", certificate } << "--key";
        QTest::newRow("missing certificate") << QStringList { "--cert", "/none.pem", "--key", key }
                                             << "cannot read the certificate /none.pem";
        QTest::newRow("key that is no key")
            << QStringList { "--cert", certificate, "--key", certificate } << "private key";
    }
    void refusesToStartWithAClearMessage()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        QString output;
        QCOMPARE(runToEnd(ChildProcess::generator(), arguments,
                     QProcessEnvironment::systemEnvironment(), &output),
            1);
        QVERIFY2(output.contains(message), qPrintable(output));
    }

    void answersHundredsOfClientsAtOnce()
    {
        // The first client sends 4,000 requests at once: together far more than one request
        // may hold, each well within it.
        std::vector<std::unique_ptr<QTcpSocket>> sockets(300);
        std::vector<QByteArray> answers(sockets.size());
        size_t closed = 0;
        for (size_t i = 0; i < sockets.size(); ++i) {
            const QByteArray body =
                AIKaomojiGenerator::requestBody(QStringLiteral("happy cat %1").arg(i));
            const QByteArray head = "POST " + endpointPath
                + " HTTP/1.1\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n";
            const QByteArray request = (head + "\r\n" + body).repeated(i == 0 ? 3999 : 0) + head
                + "Connection: close\r\n\r\n" + body;
            QTcpSocket *socket = (sockets[i] = std::make_unique<QTcpSocket>()).get();
            connect(socket, &QTcpSocket::connected, socket, [=] { socket->write(request); });
            connect(socket, &QTcpSocket::readyRead, socket,
                [socket, &answer = answers[i]] { answer += socket->readAll(); });
            connect(socket, &QTcpSocket::disconnected, socket, [&closed] { ++closed; });
        }
        for (const auto &socket : sockets)
            socket->connectToHost(QHostAddress::LocalHost, m_service.port());
        QTRY_COMPARE_WITH_TIMEOUT(closed, sockets.size(), 60000);
        for (const QByteArray &answer : answers)
            QVERIFY2(answer.startsWith("HTTP/1.1 200") && answer.contains("{\"kaomoji\":\""),
                answer.left(200).constData());
        QCOMPARE(answers[0].count("{\"kaomoji\":\""), 4000);
    }

    void answersBesideMoreIdleClientsThanItHasDescriptors()
    {
        // The service starts with a limit of 128 open files, as a child of this process, and
        // would close idle connections only after ten minutes.
        rlimit ours {};
        QCOMPARE(getrlimit(RLIMIT_NOFILE, &ours), 0);
        const rlimit low { 128, ours.rlim_max };
        QCOMPARE(setrlimit(RLIMIT_NOFILE, &low), 0);
        GeneratorService service({ "--idle-timeout", "600" });
        QCOMPARE(setrlimit(RLIMIT_NOFILE, &ours), 0);
        std::vector<std::unique_ptr<QTcpSocket>> idle(300);
        for (auto &socket : idle) {
            socket = std::make_unique<QTcpSocket>();
            socket->connectToHost(QHostAddress::LocalHost, service.port());
            QVERIFY(socket->waitForConnected(5000));
        }
        const QString face = generate(service.endpoint(), QStringLiteral("happy cat"));
        QVERIFY2(isCatFace(face), qPrintable(face));
    }

    void survivesGarbage()
    {
        QByteArray randomBytes(64 * 1024, Qt::Uninitialized);
        QRandomGenerator random(testSeed());
        for (char &byte : randomBytes)
            byte = char(random.bounded(256));
        const QByteArray post = "POST " + endpointPath + " HTTP/1.1\r\n";
        const QList<QByteArray> payloads { randomBytes, QByteArray(1024 * 1024, 'a'),
            "GET / HTTP/1.1\r\nX-Big: " + QByteArray(100000, 'a') + "\r\n\r\n",
            "GET / HTTP/1.1\r\n" + QByteArray("X-Many: v\r\n").repeated(5000) + "\r\n",
            "GET /" + QByteArray(100000, 'p') + " HTTP/1.1\r\n\r\n",
            post + "Content-Length: 100\r\n\r\n{\"prompt\"",
            post + "Content-Length: 18446744073709551615\r\n\r\nab",
            post + "Content-Length: -7\r\n\r\n", post + "Transfer-Encoding: chunked\r\n\r\nzz\r\n",
            post + "Upgrade: websocket\r\nConnection: Upgrade\r\n\r\n",
            post + "Content-Length: 16\r\n\r\n{\"prompt\":\"\xff\xfe\"}",
            "BREW / HTCPCP/1.0\r\n\r\n" };
        for (const QByteArray &payload : payloads) {
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, m_service.port());
            QVERIFY(socket.waitForConnected(5000));
            socket.write(payload);
            socket.waitForBytesWritten(5000);
            socket.waitForReadyRead(200);
        }
        const QString face = generate(m_service.endpoint(), QStringLiteral("still here, cat?"));
        QVERIFY2(isCatFace(face), qPrintable(face + seedNote()));
    }

    void closesConnectionsThatNeverFinishARequest()
    {
        GeneratorService service({ "--idle-timeout", "0.3" });
        QTcpSocket halfSent;
        QTcpSocket silent;
        for (QTcpSocket *socket : { &halfSent, &silent }) {
            socket->connectToHost(QHostAddress::LocalHost, service.port());
            QVERIFY(socket->waitForConnected(5000));
        }
        halfSent.write("POST " + endpointPath + " HTTP/1.1\r\nContent-Length: 50\r\n\r\n{");
        QTRY_COMPARE_WITH_TIMEOUT(halfSent.state(), QAbstractSocket::UnconnectedState, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(silent.state(), QAbstractSocket::UnconnectedState, 10000);
        QVERIFY(service.process().isRunning());
    }

    void seedReachesTheComposer()
    {
        // What a seed does is the composer's own test; this shows --seed gets there.
        QList<QStringList> runs;
        for (const QString seed : { "42", "42", "43" }) {
            GeneratorService service({ "--seed", seed });
            runs.append(QStringList());
            for (const QString prompt : { "happy cat", "love", "xyzzy", "fish", "table flip" })
                runs.last() << generate(service.endpoint(), prompt);
        }
        QCOMPARE(runs[0], runs[1]);
        QVERIFY(runs[0] != runs[2]);
    }

    void cleanupTestCase()
    {
        QVERIFY2(m_service.process().isRunning(),
            qPrintable(m_service.process().output(QProcess::StandardError)));
    }

private:
    GeneratorService m_service;
    QNetworkAccessManager m_network;
};

QTEST_GUILESS_MAIN(GeneratorServerTest)
#include "GeneratorServerTest.moc"
