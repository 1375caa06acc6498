// What the computer opponent sees of a tick of its turn: a copy, so it can neither change the
// game nor reach into it. Clock readings are engine milliseconds, angles degrees, world units.
#pragma once

#include "engine/math/VORN_Vector.h"
#include "engine/scene/VORN_Clock.h"
#include "game/computer/ComputerPlayer.h"
#include "game/rules/GameState.h"
#include "game/rules/Rules.h"

struct TurnView {
    GameState state = NoGame;                    // Moving or Aiming when it plays
    int player = -1;                             // the player on turn
    VORN_LIB::VORN_Clock::Ticks now = 0;         // the tick's clock reading
    VORN_LIB::VORN_Clock::Ticks turnStarted = 0; // when this turn's driving began
    double aimSeconds = Rules::aimSeconds;       // the game's time to throw, from then on
    double step = 0;                             // seconds this tick moves the world by
    VORN_LIB::VORN_Vector position;              // the figure on turn, falling or not
    double heading = 0;                          // its rotation about y
    double aimYaw = 0;                           // the aim, in fire mode
    double aimPitch = 0;
    double aimPower = 0;
    VORN_LIB::VORN_Vector launch; // where the grenade starts, in fire mode
    ComputerPlayer::Field field;  // the figures and the ground

    VORN_LIB::VORN_Clock::Ticks intoTurn() const { return now - turnStarted; }
};
