#include "termination_signals.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
// The socket pair: the handler writes to [0], the event loop reads [1].
int g_sockets[2] = {-1, -1};

} // namespace

TerminationSignals::TerminationSignals(QObject *parent)
    : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_sockets) != 0)
        return;
    ::fcntl(g_sockets[0], F_SETFL, O_NONBLOCK);
    m_notifier = new QSocketNotifier(g_sockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readSignal);
    struct sigaction action = {};
    action.sa_handler = &TerminationSignals::handle;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signalNumber : kSignals)
        ::sigaction(signalNumber, &action, nullptr);
}

TerminationSignals::~TerminationSignals()
{
    for (int signalNumber : kSignals)
        ::signal(signalNumber, SIG_DFL);
    for (int &socket : g_sockets) {
        if (socket >= 0)
            ::close(socket);
        socket = -1;
    }
}

void TerminationSignals::handle(int signalNumber)
{
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    // Nothing else is safe in a signal handler; a full socket loses a repeat.
    [[maybe_unused]] const ssize_t written = ::write(g_sockets[0], &byte, 1);
}

void TerminationSignals::readSignal()
{
    unsigned char byte = 0;
    if (::read(g_sockets[1], &byte, 1) == 1)
        emit received(byte);
}
