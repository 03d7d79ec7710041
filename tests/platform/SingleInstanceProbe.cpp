// A process for SingleInstanceTest: it claims the instance the way pelmora does, before any
// application object exists, and reports on stdout what happened, one line per event.
//
//   SingleInstanceProbe SOCKET COMMAND [--timeout MS]  claim; listen when first
//                                     (COMMAND "toggle TOKEN" hands "toggle" with the rest as its
//                                     argument)
//   SingleInstanceProbe SOCKET COMMAND --slow-start    the same, listening only 100 ms later
//   SingleInstanceProbe SOCKET COMMAND --claim-only    claim, then never listen (holds the lock)
//   SingleInstanceProbe SOCKET COMMAND --as-nobody     the same as the user nobody (root only)

#include "SingleInstance.h"

#include <QCoreApplication>
#include <QThread>
#include <cstdio>
#include <unistd.h>

using namespace Qt::StringLiterals;

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const auto report = [](const QString &line) {
        std::printf("%s\n", qPrintable(line));
        std::fflush(stdout);
    };
    // Another user's process, for a test run by root.
    if (arguments.contains(u"--as-nobody"_s) && (setgid(65534) != 0 || setuid(65534) != 0))
        return 1;
    SingleInstance instance(arguments.at(1), { u"show"_s, u"toggle"_s });
    if (const qsizetype at = arguments.indexOf(u"--timeout"_s); at > 0)
        instance.setTimeout(arguments.at(at + 1).toInt());

    const qsizetype space = arguments.at(2).indexOf(u' ');
    const SingleInstance::Claim claim = instance.claim(
        arguments.at(2).left(space), space < 0 ? QString() : arguments.at(2).mid(space + 1));
    if (claim != SingleInstance::Claim::Primary) {
        const bool delivered = claim == SingleInstance::Claim::Delivered;
        report(delivered ? u"delivered"_s : "failed: "_L1 + instance.errorString());
        return delivered ? 0 : 1;
    }
    if (!instance.errorString().isEmpty())
        report("warning: "_L1 + instance.errorString());
    QCoreApplication app(argc, argv);
    // pelmora builds its application between claiming and listening; a slow one gives a
    // second process without the lock the time to claim too.
    if (arguments.contains(u"--slow-start"_s))
        QThread::msleep(100);
    // A process killed while it starts leaves the lock behind this way.
    if (arguments.contains(u"--claim-only"_s))
        report(u"claimed"_s);
    else
        report(instance.listen() ? u"listening"_s : "failed: "_L1 + instance.errorString());
    QObject::connect(&instance, &SingleInstance::commandReceived,
        [&](const QString &command, const QString &argument) {
            report(("received "_L1 + command + u' ' + argument).trimmed());
        });
    return app.exec();
}
