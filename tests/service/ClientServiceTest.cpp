#include "AIKaomojiGenerator.h"
#include "GeneratorProcess.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QSslConfiguration>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// The generation client against the real reference service, over http and https.
class ClientServiceTest : public QObject {
    Q_OBJECT

private:
    static GenerationResult generate(const QNetworkRequest &request, const QString &prompt)
    {
        std::optional<GenerationResult> result;
        QEventLoop loop;
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        AIKaomojiGenerator::generateKaomoji(request, prompt, nullptr,
                                            [&](const GenerationResult &outcome) {
                                                result = outcome;
                                                loop.quit();
                                            });
        loop.exec();
        if (!result)
            qFatal("no completion within 30 s");
        return *result;
    }

private slots:
    void plainHttpOnLoopback()
    {
        GeneratorProcess service({ "--port", "0", "--seed", "7" });
        QVERIFY2(service.start(), qPrintable(service.standardError()));
        const QNetworkRequest request = AIKaomojiGenerator::makeRequest(service.endpoint());

        const GenerationResult cat = generate(request, QStringLiteral("sleepy cat"));
        QVERIFY(cat.isSuccess());
        QVERIFY(!cat.face().isEmpty());

        // The service refuses a blank prompt; the user reads its own words.
        const GenerationResult blank = generate(request, QStringLiteral("   "));
        QVERIFY(!blank.isSuccess());
        QCOMPARE(blank.error().domain, AIKaomojiGenerator::errorDomain);
        QCOMPARE(blank.error().code, AIKaomojiGenerator::serviceErrorCode);
        QVERIFY(blank.error().message.size() > 10);
    }

    void httpsWithASelfSignedCertificate()
    {
        const QString openssl = QStandardPaths::findExecutable(QStringLiteral("openssl"));
        QVERIFY2(!openssl.isEmpty(), "openssl is part of the set-up");
        QTemporaryDir directory;
        const QString certificate = directory.filePath(QStringLiteral("cert.pem"));
        const QString key = directory.filePath(QStringLiteral("key.pem"));
        QProcess make;
        make.start(openssl, { "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key,
                              "-out", certificate, "-days", "1", "-subj", "/CN=127.0.0.1",
                              "-addext", "subjectAltName=IP:127.0.0.1" });
        QVERIFY(make.waitForFinished(60000));
        QCOMPARE(make.exitCode(), 0);

        GeneratorProcess service({ "--port", "0", "--cert", certificate, "--key", key });
        QVERIFY2(service.start(), qPrintable(service.standardError()));
        QCOMPARE(service.endpoint().scheme(), QStringLiteral("https"));

        // A client that does not trust the certificate gets the TLS error, in Qt's words.
        const GenerationResult refused =
            generate(AIKaomojiGenerator::makeRequest(service.endpoint()), QStringLiteral("love"));
        QVERIFY(!refused.isSuccess());
        QCOMPARE(refused.error().code, int(QNetworkReply::SslHandshakeFailedError));

        // Connections are kept per host whatever their TLS settings, so start afresh.
        AIKaomojiGenerator::sharedSession()->clearConnectionCache();
        QNetworkRequest trusting = AIKaomojiGenerator::makeRequest(service.endpoint());
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.setCaCertificates(QSslCertificate::fromPath(certificate));
        trusting.setSslConfiguration(tls);
        const GenerationResult love = generate(trusting, QStringLiteral("love"));
        QVERIFY2(love.isSuccess(), qPrintable(love.isSuccess() ? "" : love.error().message));
        QVERIFY(!love.face().isEmpty());
    }
};

QTEST_GUILESS_MAIN(ClientServiceTest)
#include "ClientServiceTest.moc"
