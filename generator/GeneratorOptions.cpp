#include "GeneratorOptions.h"

#include <QCommandLineParser>
#include <QFile>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslSocket>

namespace {

std::optional<QByteArray> readFile(const QString &path, const QString &what, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read the %1 %2: %3").arg(what, path, file.errorString());
        return std::nullopt;
    }
    return file.readAll();
}

} // namespace

std::optional<GeneratorOptions> GeneratorOptions::fromArguments(
    const QStringList &arguments, QString *error)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Invents kaomoji from short prompts: POST /api/generate-kaomoji.js with "
                       "{\"prompt\": \"sleepy cat\"} answers {\"kaomoji\": \"...\"}."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption portOption(QStringLiteral("port"),
        QStringLiteral("Port to listen on (default %1; 0 picks "
                       "a free one).")
            .arg(defaultPort),
        QStringLiteral("N"));
    const QCommandLineOption listenOption(QStringLiteral("listen"),
        QStringLiteral("Address to listen on (default "
                       "127.0.0.1)."),
        QStringLiteral("ADDRESS"));
    const QCommandLineOption certOption(QStringLiteral("cert"),
        QStringLiteral("PEM certificate: serve https."), QStringLiteral("FILE"));
    const QCommandLineOption keyOption(QStringLiteral("key"),
        QStringLiteral("PEM private key of the certificate."), QStringLiteral("FILE"));
    const QCommandLineOption seedOption(QStringLiteral("seed"),
        QStringLiteral("Seed: the same seed and the same "
                       "prompts give the same faces."),
        QStringLiteral("N"));
    const QCommandLineOption idleOption(QStringLiteral("idle-timeout"),
        QStringLiteral("Seconds a connection may take to send "
                       "a request (default 30)."),
        QStringLiteral("SECONDS"));
    parser.addOptions({ portOption, listenOption, certOption, keyOption, seedOption, idleOption });

    if (!parser.parse(arguments)) {
        *error = parser.errorText();
        return std::nullopt;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    if (!parser.positionalArguments().isEmpty()) {
        *error = QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments()[0]);
        return std::nullopt;
    }

    GeneratorOptions options;
    if (parser.isSet(portOption)) {
        bool ok = false;
        const uint port = parser.value(portOption).toUInt(&ok);
        if (!ok || port > 65535) {
            *error = QStringLiteral("--port needs a number from 0 to 65535, got '%1'")
                         .arg(parser.value(portOption));
            return std::nullopt;
        }
        options.port = quint16(port);
    }
    if (parser.isSet(listenOption)) {
        const QString value = parser.value(listenOption);
        if (value == QLatin1String("localhost")) {
            options.address = QHostAddress(QHostAddress::LocalHost);
        } else if (!options.address.setAddress(value)) {
            *error = QStringLiteral("--listen needs an IP address such as 127.0.0.1 or ::1, "
                                    "got '%1'")
                         .arg(value);
            return std::nullopt;
        }
    }
    options.certificateFile = parser.value(certOption);
    options.keyFile = parser.value(keyOption);
    if (options.certificateFile.isEmpty() != options.keyFile.isEmpty()) {
        *error = QStringLiteral("--cert and --key go together: https needs both");
        return std::nullopt;
    }
    if (parser.isSet(seedOption)) {
        bool ok = false;
        options.seed = parser.value(seedOption).toULongLong(&ok);
        if (!ok) {
            *error = QStringLiteral("--seed needs a whole number from 0 to 18446744073709551615, "
                                    "got '%1'")
                         .arg(parser.value(seedOption));
            return std::nullopt;
        }
    }
    if (parser.isSet(idleOption)) {
        bool ok = false;
        const double seconds = parser.value(idleOption).toDouble(&ok);
        if (!ok || seconds <= 0 || seconds > 86400) {
            *error = QStringLiteral("--idle-timeout needs seconds between 0 and 86400, got '%1'")
                         .arg(parser.value(idleOption));
            return std::nullopt;
        }
        options.idleTimeout = std::chrono::milliseconds(qint64(seconds * 1000));
    }
    return options;
}

std::optional<QSslConfiguration> GeneratorOptions::tlsConfiguration(QString *error) const
{
    if (!QSslSocket::supportsSsl()) {
        *error = QStringLiteral("https is not available: Qt found no TLS library");
        return std::nullopt;
    }
    const auto certificateData = readFile(certificateFile, QStringLiteral("certificate"), error);
    if (!certificateData)
        return std::nullopt;
    const QList<QSslCertificate> chain = QSslCertificate::fromData(*certificateData, QSsl::Pem);
    if (chain.isEmpty() || chain.first().isNull()) {
        *error = QStringLiteral("the certificate %1 holds no PEM certificate").arg(certificateFile);
        return std::nullopt;
    }
    const auto keyData = readFile(keyFile, QStringLiteral("private key"), error);
    if (!keyData)
        return std::nullopt;
    QSslKey key;
    for (const QSsl::KeyAlgorithm algorithm : { QSsl::Rsa, QSsl::Ec, QSsl::Dsa }) {
        key = QSslKey(*keyData, algorithm, QSsl::Pem, QSsl::PrivateKey);
        if (!key.isNull())
            break;
    }
    if (key.isNull()) {
        *error = QStringLiteral("the private key %1 is not an unencrypted PEM RSA, EC or DSA key")
                     .arg(keyFile);
        return std::nullopt;
    }
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setLocalCertificateChain(chain);
    configuration.setPrivateKey(key);
    configuration.setPeerVerifyMode(QSslSocket::VerifyNone);
    return configuration;
}
