// What is chosen for a game before it starts: the valley, the wind, the weapons, the pace and
// sudden death. The defaults are the classic game: the valley of the data folder, still air, the
// grenade alone, a minute to drive and 45 seconds to throw, and no sudden death; with them every
// rule, text and value of the game is as it always was. One value travels from the settings screen
// or the command line to the match, the computer, the joined machines and the headless host.
#pragma once

#include <string>

struct GameSettings {
    enum class Valley {
        Standard, // the valley of the data folder
        Random,   // made from valleyNumber (1 … 999999), the same on every machine
        Picture   // a greyscale heightmap of the player's own, at valleyPicture
    };
    enum class Wind {
        Off,   // still air
        Light, // a light wind, drawn anew each turn
        Strong // a strong wind, drawn anew each turn
    };
    enum class Weapons {
        Grenade, // the grenade alone
        All      // the grenade and the special weapons
    };

    enum class Pace {
        Classic, // 60 s to drive, 45 s to throw
        Quick,   // 30 s and 20 s
        Long     // 90 s and 60 s
    };
    enum class SuddenDeath {
        Off,
        After5, // from the sixth round on every tortoise loses hit points at each turn's start
        After10
    };

    Valley valley = Valley::Standard;
    int valleyNumber = 0;      // with Valley::Random
    std::string valleyPicture; // with Valley::Picture: the heightmap's file
    Wind wind = Wind::Off;
    Weapons weapons = Weapons::Grenade;
    Pace pace = Pace::Classic;
    SuddenDeath suddenDeath = SuddenDeath::Off;

    // Whether this is the classic game.
    bool isClassic() const {
        return valley == Valley::Standard && wind == Wind::Off && weapons == Weapons::Grenade &&
               pace == Pace::Classic && suddenDeath == SuddenDeath::Off;
    }

    bool operator==(const GameSettings& o) const {
        return valley == o.valley && valleyNumber == o.valleyNumber &&
               valleyPicture == o.valleyPicture && wind == o.wind && weapons == o.weapons &&
               pace == o.pace && suddenDeath == o.suddenDeath;
    }
    bool operator!=(const GameSettings& o) const { return !(*this == o); }
};
