#include "TerminationSignals.h"

#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A signal handler may only write to a descriptor; the event loop reads the other end.
int signalPipe[2] = { -1, -1 };
constexpr int handledSignals[] = { SIGTERM, SIGINT, SIGHUP };
// The event loop may be held up for longer (building the window over a huge list, tearing it
// down): SIGALRM then ends the process the way the first signal asked. Every change is saved
// when it is made, so nothing is lost.
constexpr unsigned int quitWithinSeconds = 1;
volatile sig_atomic_t firstSignal = 0;

} // namespace

TerminationSignals::TerminationSignals(QObject *parent)
    : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    m_notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readPending);

    struct sigaction action = {};
    action.sa_handler = &TerminationSignals::handle;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : handledSignals)
        ::sigaction(signalNumber, &action, nullptr);
    ::sigaction(SIGALRM, &action, nullptr);
}

TerminationSignals::~TerminationSignals()
{
    // SIGALRM keeps its handler: the time limit also covers what comes after the event loop.
    if (!m_notifier)
        return;
    for (const int signalNumber : handledSignals)
        ::signal(signalNumber, SIG_DFL);
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
}

void TerminationSignals::handle(int signalNumber)
{
    if (signalNumber == SIGALRM) {
        if (firstSignal != 0) {
            ::signal(firstSignal, SIG_DFL);
            ::raise(firstSignal);
        }
        return;
    }
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[0], &byte, 1);
    if (firstSignal == 0) {
        firstSignal = signalNumber;
        ::alarm(quitWithinSeconds);
    }
}

void TerminationSignals::readPending()
{
    unsigned char byte = 0;
    if (::read(signalPipe[1], &byte, 1) == 1)
        emit received(byte);
}
