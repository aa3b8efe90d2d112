#include "platform/TerminationSignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <iterator>

#include <sys/socket.h>
#include <unistd.h>

namespace velmora::platform {

namespace {

int g_pipe[2] = {-1, -1};
constexpr int Signals[] = {SIGTERM, SIGINT, SIGHUP};
bool g_caught[std::size(Signals)] = {};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
}

} // namespace

void TerminationSignals::catchSignals()
{
    if (g_pipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_pipe) != 0)
        return;
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t index = 0; index < std::size(Signals); ++index) {
        // A signal the starter ignores stays ignored: "nohup velmora --join ..." must outlive
        // the session it was started in.
        struct sigaction inherited {};
        if (::sigaction(Signals[index], nullptr, &inherited) == 0 && inherited.sa_handler == SIG_IGN)
            continue;
        g_caught[index] = ::sigaction(Signals[index], &action, nullptr) == 0;
    }
}

TerminationSignals::TerminationSignals(QObject *parent)
    : QObject(parent)
{
    catchSignals();
    if (g_pipe[0] < 0)
        return;
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        [[maybe_unused]] const ssize_t read = ::read(g_pipe[0], &byte, 1);
        Q_EMIT terminationRequested();
    });
}

TerminationSignals::~TerminationSignals()
{
    for (size_t index = 0; index < std::size(Signals); ++index) {
        if (g_caught[index])
            std::signal(Signals[index], SIG_DFL);
    }
}

} // namespace velmora::platform
