// The engine's one clock: elapsed real time in milliseconds on a steady clock (never processor
// time). Readings start at 1, so 0 can mean "no timer". Tests switch to a hand-driven clock.
#pragma once

namespace VORN_LIB {

class VORN_Clock {
public:
    using Ticks = long; // milliseconds

    static Ticks now(); // milliseconds since the clock's start, at least 1

    // Hand-driven time for tests: now() returns exactly what was set until useReal() is called.
    static void setManual(Ticks ms);
    static void advance(Ticks ms);
    static void useReal();
    static bool isManual();
};

} // namespace VORN_LIB
