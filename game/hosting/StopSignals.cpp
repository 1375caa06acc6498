#include "game/hosting/StopSignals.h"

#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {
int pipeEnds[2] = {-1, -1};
constexpr int caught[] = {SIGTERM, SIGINT, SIGHUP};
} // namespace

void StopSignals::handle(int signal) {
    const char number = char(signal);
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &number, 1);
}

StopSignals::StopSignals(QObject* parent) : QObject(parent) {
    if (pipeEnds[0] < 0 && ::pipe(pipeEnds) != 0)
        return; // no clean stop; the default handlers still end the process
    ::fcntl(pipeEnds[1], F_SETFL, O_NONBLOCK);
    notifier = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        char number = 0;
        if (::read(pipeEnds[0], &number, 1) == 1)
            emit stop(number);
    });
    struct sigaction action = {};
    action.sa_handler = &StopSignals::handle;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : caught)
        sigaction(s, &action, nullptr);
}

StopSignals::~StopSignals() {
    for (int s : caught)
        std::signal(s, SIG_DFL);
}

const char* StopSignals::nameOf(int signal) {
    switch (signal) {
    case SIGTERM:
        return "SIGTERM";
    case SIGINT:
        return "SIGINT";
    case SIGHUP:
        return "SIGHUP";
    default:
        return "a signal";
    }
}
