// Steps of the driven clock for network tests: the parties, the sockets, the window.
#include "tests/support/DrivenNetwork.h"

#include "game/rules/Rules.h"
#include "tests/support/GameDriver.h"

#include <QCoreApplication>
#include <cmath>

DrivenNetwork::DrivenNetwork() {
    GameDriver::game().setUpdatesEnabled(false);
}

DrivenNetwork::~DrivenNetwork() {
    GameDriver::game().setUpdatesEnabled(true);
}

void DrivenNetwork::carry() {
    // A frame written in one pass is read at the other end in the next (through a relay, a pass
    // later again).
    for (int pass = 0; pass < 4; ++pass)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void DrivenNetwork::step(int count) {
    for (int i = 0; i < count; ++i) {
        for (const auto& run : parties)
            run();
        carry();
        GameDriver::tick(1, Rules::tickMs);
    }
}

void DrivenNetwork::stepFor(double seconds) {
    step(int(std::lround(seconds * 1000 / Rules::tickMs)));
}

bool DrivenNetwork::stepUntil(const std::function<bool()>& done, int maxSteps) {
    for (int i = 0; i < maxSteps && !done(); ++i)
        step();
    return done();
}
