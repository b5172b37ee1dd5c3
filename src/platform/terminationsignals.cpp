#include "platform/terminationsignals.h"

#include "base/tracing.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace TerminationSignals {
namespace {

int signalPipe[2] = {-1, -1};
bool signalReceived = false;

void onSignal(int number)
{
    // Only async-signal-safe work here: hand the number to the event loop.
    const char byte = static_cast<char>(number);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[0], &byte, 1);
}

} // namespace

void install()
{
    if (signalPipe[0] >= 0 || !QCoreApplication::instance())
        return;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) {
        qCWarning(lcPlatform)
            << "cannot create the signal socket; signals end the program abruptly";
        return;
    }
    ::fcntl(signalPipe[0], F_SETFL, O_NONBLOCK);

    auto *notifier =
        new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        char byte = 0;
        while (::read(signalPipe[1], &byte, 1) == 1)
            qCDebug(lcPlatform) << "TerminationSignals: signal" << int(byte) << "- leaving";
        signalReceived = true;
        // exit() rather than quit(): quit() first asks every window to close,
        // and notes refuse that (they only hide).
        QCoreApplication::exit(0);
    });
    ::fcntl(signalPipe[1], F_SETFL, O_NONBLOCK);

    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : {SIGTERM, SIGHUP, SIGINT})
        ::sigaction(number, &action, nullptr);
}

bool requested()
{
    return signalReceived;
}

} // namespace TerminationSignals
