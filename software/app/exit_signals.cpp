#include "app/exit_signals.h"

#include <QCoreApplication>
#include <QDebug>
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int signal_pipe[2] = {-1, -1};
std::function<void(int)> handler;

// Only what is safe in a signal handler: the event loop reads the pipe and does the rest.
void on_signal(int number)
{
    const char byte = static_cast<char>(number);
    const int saved_errno = errno;
    (void)!write(signal_pipe[1], &byte, 1);
    errno = saved_errno;
}

} // namespace

void install_exit_signal_handlers(std::function<void(int number)> react)
{
    handler = std::move(react);
    if (signal_pipe[0] >= 0)
        return;
    if (pipe2(signal_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        qWarning() << "No pipe for signals: SIGTERM, SIGINT and SIGHUP end the program at once";
        return;
    }
    auto* notifier = new QSocketNotifier(signal_pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        char byte = 0;
        while (read(signal_pipe[0], &byte, 1) == 1) {
            const int number = static_cast<unsigned char>(byte);
            qInfo() << "Signal" << number << "received: ending once no transfer runs";
            if (handler)
                handler(number);
        }
    });
    struct sigaction action = {};
    action.sa_handler = on_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : {SIGTERM, SIGINT, SIGHUP})
        sigaction(number, &action, nullptr);
}
