#pragma once

#include <QObject>
#include <QProcess>
#include <QUrl>
#include <functional>
#include <memory>

// Starts the installed generation service when the configured address is on this machine and
// nothing answers there: a desktop without a user service manager has nobody to start it on
// the first request. The service started here stops when this object goes, with the app.
class GenerationServiceStarter final : public QObject {
    Q_OBJECT

public:
    using Done = std::function<void(const QString &failure)>;

    explicit GenerationServiceStarter(QObject *parent = nullptr);
    ~GenerationServiceStarter() override;

    // Whether a refused connection to `endpoint` is worth a start: a loopback address, and no
    // start tried yet in this run.
    bool canStartFor(const QUrl &endpoint) const;

    // Starts pelmora-generator on the endpoint's address and port; `done` runs once, with an
    // empty string when it listens, else with why it could not be started.
    void start(const QUrl &endpoint, Done done);

    // Where the service's program is looked for: beside this program, then on the PATH.
    static QString program();

private:
    void readLine();
    void finish(const QString &failure);

    std::unique_ptr<QProcess> m_process;
    Done m_done;
    bool m_tried = false;
};
