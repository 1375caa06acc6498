// What the player on turn does at one moment: the rates of the held keys and one step of the
// throw. The keyboard, the computer opponent and a player on another machine all play through
// it; the match applies it in one place (Match::apply). What the rates steer depends on the
// state: the figure while it drives, the aim in fire mode.
#pragma once

struct TurnCommand {
    enum class Step {
        None,     // keep going
        FireMode, // while driving: stop and take out the grenade
        Throw     // in fire mode: throw it
    };

    double yawRate = 0;   // degrees per second: the figure's turn, or the aim's yaw
    double raiseRate = 0; // units per second up (driving), or degrees per second of aim pitch
    double driveRate = 0; // units per second along the figure's z (negative is forward), or
                          // launch power per second in fire mode
    Step step = Step::None;
    int weapon = 0; // in fire mode, with every weapon: n (1 … Weapons::count) takes the Weapon of
                    // value n - 1; 0 keeps the one taken. Taken before a Throw of the same command.

    bool operator==(const TurnCommand& o) const {
        return yawRate == o.yawRate && raiseRate == o.raiseRate && driveRate == o.driveRate &&
               step == o.step && weapon == o.weapon;
    }
    bool operator!=(const TurnCommand& o) const { return !(*this == o); }
};
