#include "ui/UnixSignals.h"

#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>

namespace zef::ui {
namespace {

constexpr std::array kSignals{SIGTERM, SIGHUP, SIGINT};

// The socket pair: the handler writes to the first, the notifier reads the second.
int sockets[2] = {-1, -1};

void Handle(int signal) {
    const int saved = errno;
    const char number = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(sockets[0], &number, 1);
    errno = saved;
}

void Install(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals) {
        ::sigaction(signal, &action, nullptr);
    }
}

}  // namespace

UnixSignals::UnixSignals(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, sockets) != 0) {
        return;
    }
    notifier_ = new QSocketNotifier(sockets[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &UnixSignals::Read);
    Install(Handle);
}

UnixSignals::~UnixSignals() {
    if (notifier_ == nullptr) {
        return;
    }
    Install(SIG_DFL);
    ::close(sockets[0]);
    ::close(sockets[1]);
}

void UnixSignals::Read() {
    char number = 0;
    if (::read(sockets[1], &number, 1) == 1) {
        emit received(number);
    }
}

}  // namespace zef::ui
