// The players' colours: nine that are told apart at a glance, from each other and from the olive
// valley at night, handed out in an order drawn at random. Red, green, blue in 0 … 1.
#pragma once

#include "engine/math/VORN_Color.h"

#include <array>

class TeamColours {
public:
    static constexpr int count = 9;

    // The next colour for a player from its three draws (0 … 32767 each), among those no earlier
    // player of the game has: each draw of a game's players still comes in the same order, so the
    // figures drop where they always did.
    VORN_LIB::VORN_Color take(int r, int g, int b);
    // Keeps a colour of the palette from the draws: a seat picked it. False for one out of the
    // palette or already kept or taken.
    bool reserve(int index);

    static const std::array<VORN_LIB::VORN_Color, count>& palette();

private:
    std::array<bool, count> taken{};
};
