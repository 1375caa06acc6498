// What the player at this machine chooses on the options screen: how the valley is lit, whether
// the mouse turns the camera at every move or only with the right button held, how loud the effects
// and the music play, whether the window takes the whole screen, and the 3-D picture's render
// scale, and the language of the texts. None of it is sent to the other machines of a game or is a
// setting of the game; the settings file keeps it from one run to the next.
#pragma once

#include "game/frontend/ViewLight.h"

#include <QString>

// When a move of the mouse turns the camera during a turn.
enum class MouseTurn {
    Always,     // "maus: dreht immer": every move, no button needed
    RightButton // "maus: nur mit rechter taste": only while the right button is held
};

struct PlayerOptions {
    static constexpr int loudest = 10; // a volume's steps, 0 (silent) to loudest

    ViewLight light = ViewLight::Night;
    MouseTurn mouse = MouseTurn::Always;
    int effectsVolume = loudest;
    int musicVolume = loudest;
    bool fullScreen = false;
    double renderScale = 0; // 0: measured from the frames, else 0.25 to 1 of each side
    bool shapes = false;    // each team's shape beside its colour (TeamShapes)
    // The texts' language: "auto" for the desktop's, "de" for the game's own German, else the
    // name of a translation ("en", "fr").
    QString language = QStringLiteral("auto");

    bool operator==(const PlayerOptions& o) const {
        return light == o.light && mouse == o.mouse && effectsVolume == o.effectsVolume &&
               musicVolume == o.musicVolume && fullScreen == o.fullScreen &&
               renderScale == o.renderScale && shapes == o.shapes && language == o.language;
    }
    bool operator!=(const PlayerOptions& o) const { return !(*this == o); }
};
