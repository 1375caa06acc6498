// A first training in the window: the standard valley laid as for a game, the training set up on
// the match, its hints told in the log one step at a time and its end on the end screen. It is no
// game: no replay is kept of it and the last game's settings stay as they were.
#include "game/session/Game.h"

#include "game/hosting/ReplayRecorder.h"
#include "game/hosting/ValleyService.h"
#include "game/match/Training.h"

void Game::startTraining() {
    makeCurrent();
    resetAll();
    if (!valleyService->lay(*match, GameSettings()) || !showValleyTexture())
        return; // the standard valley is the game's own data: told where it failed
    inTraining = true;
    recorder->enabled = false; // before the training's game starts: it is not kept
    sound.newGame();
    networkNote = false;
    makeCurrent();
    trainer->start();
    update();
}

void Game::tellTraining() {
    const Training& t = *trainer;
    QString hint;
    switch (t.hint()) {
    case Training::Hint::Drive:
        hint = tr("tipp: pfeiltasten fahren");
        break;
    case Training::Hint::FireMode:
        hint = tr("tipp: return: feuermodus");
        break;
    case Training::Hint::Aim:
        hint = tr("tipp: links / rechts zielen");
        break;
    case Training::Hint::Strength:
        hint = tr("tipp: hoch / runter: staerke");
        break;
    case Training::Hint::Wind:
        hint = tr("tipp: der wind treibt die granate");
        break;
    case Training::Hint::Throw:
        hint = tr("tipp: return wirft");
        break;
    case Training::Hint::TargetsLeft:
        hint = tr("noch %1 ziele").arg(t.targetsLeft());
        break;
    case Training::Hint::Done:
        front.trainingResult = tr("geschafft: %1 s").arg(t.secondsTaken());
        break;
    case Training::Hint::Lost:
        front.trainingResult = tr("verloren");
        break;
    }
    if (!hint.isEmpty())
        match->addMessage(LogLine(LogLine::Text::Plain, -1, hint));
}
