// The command line's choice of a game's settings, for the game, the headless host and the duel
// tool alike:
//   --valley standard|random|NUMBER|FILE   the data folder's valley (the default), a random one,
//                                          the random valley of that number (1 … 999999), or a
//                                          greyscale heightmap of one's own
//   --wind off|light|strong                still air (the default) or a wind drawn each turn
//   --weapons grenade|all                  the grenade alone (the default) or every weapon
// Each also takes the form --option=value.
#pragma once

#include "game/rules/GameSettings.h"

#include <QString>
#include <QStringList>

struct SettingsOptions {
    // Reads the arguments after the program's name; options it does not know are left to others.
    // A bad value leaves error set.
    static SettingsOptions parse(const QStringList& arguments);

    GameSettings settings; // valleyNumber 0 with Valley::Random: drawn when the game starts
    QStringList given;     // the options the arguments held ("--valley", "--wind")
    QString error;
};
