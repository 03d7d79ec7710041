#pragma once

#include <QHostAddress>
#include <QSslConfiguration>
#include <QString>
#include <QStringList>
#include <chrono>
#include <optional>

// The command line of pelmora-generator.
struct GeneratorOptions {
    static constexpr quint16 defaultPort = 47615;

    QHostAddress address { QHostAddress::LocalHost };
    quint16 port = defaultPort;
    QString certificateFile;
    QString keyFile;
    std::optional<quint64> seed;
    std::chrono::milliseconds idleTimeout { std::chrono::seconds(30) };

    // Reads the arguments (the program name first). Prints help or the version and exits
    // when asked to; returns nothing and says why when an argument is wrong.
    static std::optional<GeneratorOptions> fromArguments(
        const QStringList &arguments, QString *error);

    bool usesTls() const { return !certificateFile.isEmpty(); }
    // The server's certificate and key, read from their PEM files.
    std::optional<QSslConfiguration> tlsConfiguration(QString *error) const;
};
