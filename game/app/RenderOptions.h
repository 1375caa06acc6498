// The command line's `--render-scale auto|SCALE`: the scale of each side of the 3-D picture, from
// 0.25 to 1, or measured from the frames ("auto", the default). The overlay's panels and texts
// are always drawn at the window's full size. Beside it `--light night|classic|bright`, the light
// this machine shows the valley in (the moonlit night unless chosen).
#pragma once

#include "game/frontend/ViewLight.h"

#include <QString>
#include <QStringList>

struct RenderOptions {
    // Reads the arguments after the program's name; a bad one leaves error set.
    static RenderOptions parse(const QStringList& arguments);

    bool automatic = true;
    double scale = 1.0; // when not automatic
    ViewLight light = ViewLight::Night;
    // Whether the arguments chose them: the settings file's choice holds for those they did not.
    bool scaleGiven = false;
    bool lightGiven = false;
    QString error;
};
