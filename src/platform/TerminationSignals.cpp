#include "TerminationSignals.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QWindow>
#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace qm::platform {
namespace {

constexpr std::array kSignals = {SIGTERM, SIGINT, SIGHUP};

// The handler may only do what is safe in a signal handler, so it writes one byte into a socket
// that the event loop watches: [0] is written, [1] read.
int wakeUpSocket[2] = {-1, -1};

void onSignal(int) {
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeUpSocket[0], &byte, 1);
    errno = savedErrno;
}

void handleSignals(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals) ::sigaction(signal, &action, nullptr);
}

void closeAllWindows() {
    // Closing one window may destroy others (a main window closes the windows it owns).
    QList<QPointer<QWindow>> windows;
    const auto topLevel = QGuiApplication::topLevelWindows();
    for (QWindow* window : topLevel) windows.append(window);
    for (const QPointer<QWindow>& window : windows)
        if (window) window->close();
    // With no window on show (all closed, or none shown yet) nothing else would end the program;
    // a window whose owner refused to close keeps it running.
    const auto remaining = QGuiApplication::topLevelWindows();
    if (std::none_of(remaining.begin(), remaining.end(), [](QWindow* w) { return w->isVisible(); }))
        QCoreApplication::quit();
}

} // namespace

void closeWindowsOnTerminationSignals() {
    if (wakeUpSocket[0] != -1) return;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, wakeUpSocket) != 0) return;
    auto* notifier =
        new QSocketNotifier(wakeUpSocket[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier] {
        char byte;
        [[maybe_unused]] const ssize_t read = ::read(wakeUpSocket[1], &byte, 1);
        notifier->setEnabled(false);
        handleSignals(SIG_DFL);
        closeAllWindows();
    });
    handleSignals(onSignal);
}

} // namespace qm::platform
