// The clear message of a data file the game cannot read: which file and why, in the player's
// language ("../../data/valleyDepth.bmp: keine BMP-datei"). The standard data files, a valley of
// one's own and its texture all fail with it.
#pragma once

#include "engine/terrain/Bitmap.h"

#include <QString>

class DataFileFailure {
public:
    // The reader's reason for a failed picture ("dateikopf unvollstaendig").
    static QString reason(const Bitmap::Failure& failure);
    // "<file>: <reason>"; a data file found nowhere also names the installed path tried.
    static QString message(const Bitmap::Failure& failure);
};
