// Construction and destruction of the game window, its tick, and how it follows the match: the
// camera on the figure on turn and on the grenade in flight, the sounds of what happens.
#include "game/session/Game.h"

#include "game/files/DataFiles.h"
#include "game/hosting/JoinedMatch.h"
#include "game/hosting/MatchHost.h"
#include "game/hosting/ReplayPlayer.h"
#include "game/hosting/ReplayRecorder.h"
#include "game/hosting/RouterPortMapping.h"
#include "game/hosting/ValleyService.h"
#include "game/match/Training.h"
#include "game/network/GameFinder.h"
#include "game/network/NetworkClient.h"
#include "game/rules/Rules.h"
#include "game/session/Battlefield.h"
#include "game/session/FieldCamera.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <QIcon>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>

using namespace VORN_LIB;

namespace {

// The tortoise icon of the menu entry, compiled into the game (desktop/icons.qrc), so the window
// shows it wherever the game was started from.
QIcon gameIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
    return icon;
}
} // namespace

Game::Game() : VORN_QtRenderer() {
    if (!doubleBuffered())
        throw -1;

    srand(static_cast<unsigned>(time(nullptr)));
    setMouseTracking(true);
    // The panels and the menus need this much room; where a desktop makes the window smaller
    // all the same, the overlay shrinks to fit.
    setMinimumSize(overlayRoom);
    Q_INIT_RESOURCE(icons);
    setWindowIcon(gameIcon());

    const GLuint texture = Battlefield::standardTexture();
    heights.load(DataFiles().path("valleyDepth.bmp").toLocal8Bit().toStdString());
    match = std::make_unique<Match>(heights);
    valleyService = std::make_unique<ValleyService>(heights);
    joinedMatch = std::make_unique<JoinedMatch>(*match, *valleyService);
    joinedMatch->drawingCurrent = [this] { makeCurrent(); };
    recorder = std::make_unique<ReplayRecorder>(*match, ReplayRecorder::defaultFolder());
    trainer = std::make_unique<Training>(*match);
    connect(trainer.get(), &Training::hintChanged, this, [this] { tellTraining(); });
    recorder->nameOf = [this](int seat) { return nameOf(seat); };
    field = std::make_unique<Battlefield>(*match, texture, width(), height());
    addViewport(&field->viewport());
    steering = std::make_unique<FieldCamera>(field->viewport(), *match);
    followMatch();
    followJoined();

    ticker = std::make_unique<QTimer>(this);
    ticker->setInterval(Rules::tickMs);
    connect(ticker.get(), &QTimer::timeout, this, &Game::updateStuff);
    ticker->start();
    glClearColor(0, 0, 0.2f, 1);
    sound.open(DataFiles()); // each effect looked up as each bitmap is
    resetAll();
}

// The members go in the reverse order of their making, with the context current for the GL
// objects among them; none of them reaches the window any more on its way.
Game::~Game() {
    makeCurrent();
    for (QObject* part : std::initializer_list<QObject*>{
             match.get(), joinedMatch.get(), recorder.get(), hosting.get(), joining.get()})
        if (part)
            part->disconnect(this);
}

VORN_LIB::VORN_Viewport* Game::viewport() const {
    return &field->viewport();
}

HudLayout Game::hud() const {
    return HudLayout(*match, front, client(), names(), overlaySize());
}

KeyHelp Game::keyHelp() const {
    KeyHelp help(*match, front, hosting != nullptr, client(), overlaySize());
    help.replaying = replayPlayer != nullptr;
    return help;
}

double Game::overlayScale() const {
    return std::min(
        {1.0, double(width()) / overlayRoom.width(), double(height()) / overlayRoom.height()});
}

QSize Game::overlaySize() const {
    const double s = overlayScale();
    return QSize(int(std::lround(width() / s)), int(std::lround(height() / s)));
}

void Game::followMatch() {
    Match* m = match.get();
    connect(m, &Match::turnStarted, this, [this](int, Tortoise* figure) {
        earlyCameraKey = 0;
        steering->lock(true);
        field->viewport().attach(figure);
        steering->viewBehind(); // every turn starts with the same view, whatever the last one left
    });
    connect(m, &Match::turnClock, this,
            [this](VORN_Clock::Ticks start, double left) { sound.turnClock(start, left); });
    connect(m, &Match::playStarted, this, [this] {
        sound.turnStarts();
        steering->lock(false);
        if (earlyCameraKey != 0) // pressed as the countdown ended
            steering->key(earlyCameraKey);
        earlyCameraKey = 0;
    });
    connect(m, &Match::gameStarted, this, [this] {
        throwMarks.clear();
        damageFigures.clear();
    });
    connect(m, &Match::thrown, this, [this] {
        field->viewport().attach(&match->grenade());
        throwMarks.thrown(match->currentPlayer());
        sound.launch();
    });
    connect(m, &Match::grenadeGone, this, [this] { field->viewport().attach(nullptr); });
    connect(m, &Match::struck, this, [this](const QVector<Match::Damage>& hurt) {
        showDamage(hurt, match->clockNow());
        if (!hurt.isEmpty())
            sound.hurt();
    });
    connect(m, &Match::exploded, this,
            [this](const VORN_Vector& point, const QVector<Match::Damage>& hurt) {
                makeCurrent(); // the crater's blocks are drawn anew
                const VORN_Clock::Ticks now = match->clockNow();
                blast.start(point, now);
                throwMarks.landed(point);
                showDamage(hurt, now);
                steering->viewBlast(point);
                sound.explosion(point);
                if (!hurt.isEmpty())
                    sound.hurt();
            });
    connect(m, &Match::grenadeOut, this, [this](const VORN_Vector& where) {
        damageFigures.say(where, tr("ins aus"), match->clockNow());
    });
    connect(m, &Match::figureLost, this, [this] { sound.figureLost(); });
    connect(m, &Match::timeUp, this, [this] { sound.timeUp(); });
    connect(m, &Match::gameOver, this, [this](bool winner) {
        storyOn = false;
        if (!match->currentFigure()) // nobody took the turn: nothing to look at
            field->viewport().attach(nullptr);
        sound.gameOver(winner);
    });
}

void Game::showDamage(const QVector<Match::Damage>& hurt, VORN_Clock::Ticks now) {
    for (const Match::Damage& d : hurt)
        if (d.figure)
            damageFigures.add(d.figure->worldPosition, d.player, d.damage, now);
}

void Game::resetAll() {
    pauseOn = false;
    inTraining = false;
    front.trainingResult.clear();
    replayFromList = false;
    if (replayPlayer) { // a replay watched ends
        joinedMatch->clear();
        replayPlayer.reset();
        replayFile.reset();
    }
    if (front.asking == FrontEnd::Question::LeaveGame) // the game it asked about is gone
        front.asking = FrontEnd::Question::None;
    field->viewport().attach(nullptr);
    steering->lock(true);
    match->reset();
    front.screen = FrontEnd::Screen::MainMenu;
}

void Game::newGame() {
    makeCurrent();
    bool told = false; // a broken texture says so itself
    match->setSeats(front.seatsOfGame());
    const bool started = valleyService->startGame(
        *match, front.settings, front.players, front.figures,
        [this, &told](const GameSettings& chosen) {
            if (!showValleyTexture()) {
                told = true;
                return false;
            }
            front.valleyNote = false;
            front.screen = FrontEnd::Screen::MainMenu; // where the game comes back to
            sound.newGame();
            networkNote = false;
            rememberLastGame();
            makeCurrent();
            const Bitmap* texture = chosen.valley == GameSettings::Valley::Picture
                                        ? &valleyService->texture()
                                        : nullptr;
            if (hosting)
                hosting->valleyTexture = texture;
            recorder->valleyTexture = texture;
            return true;
        });
    if (!started && !told) // a picture that cannot be read: the settings screen stays, told why
        tellBrokenFile();
}

void Game::updateStuff() {
    followPause();
    // The menus' music while they show (also over a game's end), the livelier piece in a game.
    const bool menus = match->state() == NoGame || match->state() == GameOver;
    sound.playMusic(menus ? GameSound::MenuMusic : GameSound::PlayMusic);
    sound.update(VORN_Clock::now());
    recorder->enabled = !joining && !replayPlayer && !inTraining;
    if (replayPlayer) {
        replayPlayer->advance(VORN_Clock::now());
    } else if (joining) { // a joined window shows the host's game, its own turn a little ahead
        joinedMatch->show(VORN_Clock::now());
        predictOwnTurn(VORN_Clock::now());
    } else {
        if (hosting)
            hosting->advance(VORN_Clock::now());
        else
            match->advance(VORN_Clock::now());
        recorder->tick(VORN_Clock::now());
    }
    if (match->state() == Flying && match->grenadeShown())
        throwMarks.flew(match->grenade().worldPosition);
    steering->followAim(VORN_Clock::now());
    update();
}
