// How this machine lights the valley: a choice of the player at this screen alone, never sent to
// the other machines of a game and no setting of the game. Night is the moonlit night every game
// starts with; classic is the valley under its four lamps alone; bright is the valley by day.
#pragma once

enum class ViewLight { Night, Classic, Bright };

// The next light of the menu's round: night, classic, bright, night again.
inline ViewLight nextViewLight(ViewLight light) {
    switch (light) {
    case ViewLight::Night:
        return ViewLight::Classic;
    case ViewLight::Classic:
        return ViewLight::Bright;
    case ViewLight::Bright:
        break;
    }
    return ViewLight::Night;
}
