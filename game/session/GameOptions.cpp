// The options screen's choices as the window follows them (the light is followed by every frame,
// the mouse by every move), and what the settings file keeps of them and of the games started.
#include "game/session/Game.h"

#include "game/frontend/OptionChoices.h"
#include "game/frontend/UserSettings.h"

void Game::keepChoicesIn(UserSettings* file) {
    remembered = file;
    const PlayerOptions& o = front.options;
    sound.setEffectsVolume(o.effectsVolume / double(PlayerOptions::loudest));
    sound.setMusicVolume(o.musicVolume / double(PlayerOptions::loudest));
    if (o.fullScreen != isFullScreen())
        toggleFullScreen();
    if (o.renderScale > 0)
        renderScale.fix(o.renderScale);
    else if (renderScale.isFixed())
        renderScale.automatic();
    if (languageChosen)
        languageChosen(o.language);
    optionsFollowed = o;
}

// Only what changed is followed: full screen left by the desktop stays left until a key asks
// for it again, and the measured render scale is not disturbed.
void Game::followOptions() {
    const PlayerOptions& o = front.options;
    for (std::size_t row = 0; row < OptionChoices::rows.size(); ++row)
        if (remembered &&
            OptionChoices::rows[row].word(o) != OptionChoices::rows[row].word(optionsFollowed))
            remembered->writeOption(o, int(row));
    if (o.effectsVolume != optionsFollowed.effectsVolume)
        sound.setEffectsVolume(o.effectsVolume / double(PlayerOptions::loudest));
    if (o.musicVolume != optionsFollowed.musicVolume)
        sound.setMusicVolume(o.musicVolume / double(PlayerOptions::loudest));
    if (o.fullScreen != optionsFollowed.fullScreen && o.fullScreen != isFullScreen())
        toggleFullScreen();
    if (o.renderScale != optionsFollowed.renderScale) {
        if (o.renderScale > 0)
            renderScale.fix(o.renderScale);
        else
            renderScale.automatic();
    }
    if (o.language != optionsFollowed.language && languageChosen)
        languageChosen(o.language);
    optionsFollowed = o;
}

void Game::rememberLastGame() {
    if (remembered)
        remembered->writeLastGame(
            {front.players, front.figures, front.settings, match->computer().level, front.seats});
}
