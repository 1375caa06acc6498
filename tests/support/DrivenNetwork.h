// Network play in tests on the driven clock: the sockets are real (127.0.0.1), but time passes
// only as the test steps the engine clock, a tick at a time. Each step runs every party of the
// game at the clock's reading (a host's tick, a relay's delivery), passes on what the sockets
// carry, and runs the game window's tick. Every loop is bounded by a number of steps.
#pragma once

#include <functional>
#include <vector>

class DrivenNetwork {
public:
    // The window is not painted at each step (a frame costs far more than a tick); frame()
    // still paints it when a test looks.
    DrivenNetwork();
    ~DrivenNetwork();
    DrivenNetwork(const DrivenNetwork&) = delete;
    DrivenNetwork& operator=(const DrivenNetwork&) = delete;

    // Something to run at every step, before the window's tick: a host, a relay.
    void each(std::function<void()> run) { parties.push_back(std::move(run)); }

    // One tick of 25 ms, count times.
    void step(int count = 1);
    // Steps covering the seconds.
    void stepFor(double seconds);
    // Steps until done() holds, looked at after every step, at most maxSteps; whether it holds.
    bool stepUntil(const std::function<bool()>& done, int maxSteps = 400);

    // Passes on what the sockets carry now, with no time passing.
    static void carry();

private:
    std::vector<std::function<void()>> parties;
};
