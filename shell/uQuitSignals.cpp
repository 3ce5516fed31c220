// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/uQuitSignals.h"

#include <QSocketNotifier>

#include <array>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr std::array kSignals{SIGTERM, SIGHUP, SIGINT};

// A signal handler may do almost nothing: it writes the signal's number to a socket the event loop watches.
int pipeEnds[2] = {-1, -1};

void OnSignal(int signal) {
    const auto byte = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t ignored = ::write(pipeEnds[1], &byte, 1);
}

} // namespace

tQuitSignals::tQuitSignals(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, pipeEnds) != 0) {
        return;
    }
    notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    notifier_->setEnabled(false);
    connect(notifier_, &QSocketNotifier::activated, this, &tQuitSignals::Read);
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals) {
        ::sigaction(signal, &action, nullptr);
    }
}

tQuitSignals::~tQuitSignals() {
    if (notifier_ == nullptr) {
        return;
    }
    for (const int signal : kSignals) {
        std::signal(signal, SIG_DFL);
    }
    delete notifier_;
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

void tQuitSignals::Listen() {
    if (notifier_ != nullptr) {
        notifier_->setEnabled(true);
    }
}

void tQuitSignals::Read() {
    char byte = 0;
    while (::read(pipeEnds[0], &byte, 1) == 1) {
        emit quitRequested(static_cast<unsigned char>(byte));
    }
}
