// Steady millisecond clock with a hand-driven mode for tests.
#include "engine/scene/VORN_Clock.h"

#include <chrono>

namespace VORN_LIB {

namespace {
const std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
bool manual = false;
VORN_Clock::Ticks manualTicks = 1;
} // namespace

VORN_Clock::Ticks VORN_Clock::now() {
    if (manual)
        return manualTicks;
    const auto elapsed = std::chrono::steady_clock::now() - start;
    return 1 + static_cast<Ticks>(
                   std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void VORN_Clock::setManual(Ticks ms) {
    manual = true;
    manualTicks = ms;
}

void VORN_Clock::advance(Ticks ms) {
    if (!manual)
        setManual(now());
    manualTicks += ms;
}

void VORN_Clock::useReal() {
    manual = false;
}

bool VORN_Clock::isManual() {
    return manual;
}

} // namespace VORN_LIB
