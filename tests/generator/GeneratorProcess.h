#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>
#include <QUrl>

// The built pelmora-generator, run as a child process for the length of a test.
class GeneratorProcess {
public:
    explicit GeneratorProcess(QStringList arguments);
    ~GeneratorProcess();

    // Starts the program and waits for its "listening on" line. False if it exits or stays
    // silent instead.
    bool start();
    // Waits for the program to end by itself; false if it is still running after `ms`.
    bool waitForExit(int ms);

    bool isRunning() const;
    int exitCode() const;
    QString standardError();
    // Where it listens, such as "http://127.0.0.1:40123"; empty until it does.
    QString origin() const { return m_origin; }
    quint16 port() const;
    QUrl endpoint() const;

private:
    QProcess m_process;
    QStringList m_arguments;
    QByteArray m_standardError;
    QString m_origin;
};
