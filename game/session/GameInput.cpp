// Keyboard and mouse. While no game is under way the keys go to the front end's menus; during a
// turn they give the commands of the player on turn: rates while held, which the tick turns into
// motion, and the steps of a throw. A held key acts as one press until it is released:
// auto-repeated presses and releases are ignored. M switches the sound off and on in every state,
// F1 shows and hides the key help. While the camera is free, V and E move this window's camera
// alone: they give no command and work on a joined machine and during the computer's turn as well.
// In a network game T opens a chat line, which takes every key until Return sends it or Escape
// drops it, and Tab shows who plays while held. Escape asks before it leaves a game or closes the
// window, and the question takes every key but M, F11 and F1 until J or N answers it. P pauses a
// game on this machine alone; while paused only letting go of a key counts of the turn's keys.
// The keys of a turn pressed in the countdown's last second act as the turn begins. The mouse
// turns the camera at every move, or only while the right button is held if the options say so.
#include "game/session/Game.h"

#include "game/frontend/UserSettings.h"
#include "game/network/GameFinder.h"
#include "game/network/HostAddress.h"
#include "game/network/NetworkClient.h"
#include "game/session/FieldCamera.h"
#include "game/session/TurnKeys.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QWheelEvent>
#include <cmath>

using namespace VORN_LIB;

namespace {

// The turn keys that still work while the computer plays a turn (M and F11 work everywhere).
bool reachesComputerTurn(int key) {
    return key == Qt::Key_Escape;
}

int digitOf(int key) {
    return (key >= Qt::Key_0 && key <= Qt::Key_9) ? key - Qt::Key_0 : -1;
}

} // namespace

void Game::keyPressEvent(QKeyEvent* event) {
    if (chat.typing()) { // held keys type too
        chatKey(event);
        return;
    }
    if (event->isAutoRepeat())
        return;
    const int key = event->key();
    const int digit = digitOf(key);
    const bool inNetworkGame = hosting || joining;
    const bool everywhere = key == Qt::Key_M || key == Qt::Key_F11 || key == Qt::Key_F1;
    if (front.asking != FrontEnd::Question::None && !everywhere) {
        const FrontEnd::Action answer = front.key(key, digit, event->text(), hosting != nullptr);
        if (answer == FrontEnd::Action::Quit)
            close();
        else if (answer == FrontEnd::Action::LeaveGame)
            leaveGame();
        followPause();
        update();
        return;
    }
    if (inNetworkGame && key == Qt::Key_Tab) {
        playerList = true;
        update();
        return;
    }
    if (inNetworkGame && key == Qt::Key_T && !front.typingAddress && !front.typingName &&
        !front.typingPassword) {
        chat.startTyping();
        update();
        return;
    }
    if (key == Qt::Key_M) { // sound off and on, in every state
        sound.toggleMute();
        return;
    }
    // F11 switches full screen on and off in every state; the frame follows the new size.
    if (key == Qt::Key_F11) {
        toggleFullScreen();
        front.options.fullScreen = isFullScreen(); // the options screen's choice as well
        followOptions();
        return;
    }
    if (key == Qt::Key_F1) {
        keyHelpOn = !keyHelpOn;
        followPause();
        update();
        return;
    }
    if (replayPlayer) { // a replay's own keys, and the free camera's
        if (!replayKey(key))
            steering->key(key);
        update();
        return;
    }
    if (key == FrontEnd::binding(FrontEnd::Action::Pause).key && !inNetworkGame &&
        match->turnUnderWay()) {
        pauseOn = !pauseOn;
        followPause();
        update();
        return;
    }
    if (match->state() == GameOver && key == FrontEnd::binding(FrontEnd::Action::StoryPage).key) {
        storyOn = !storyOn; // on every machine, a joined one as well
        update();
        return;
    }
    if (steering->key(key))
        return;
    if (joining) {
        clientKey(key, true);
        return;
    }
    if (match->countdownEnding() && (key == Qt::Key_V || key == Qt::Key_E))
        earlyCameraKey = key; // the camera is free once the turn begins
    if ((match->computerOnTurn() || match->remoteOnTurn()) && !reachesComputerTurn(key))
        return; // Escape ends its turn like any other: resetAll() lets go of its rates
    if (match->paused() && key != Qt::Key_Escape)
        return; // nothing moves, and no key waits for the pause to end

    switch (match->state()) {
    case NoGame:
        menuKey(key, digit, event->text());
        break;
    case Moving:
    case Aiming:
        if (key == Qt::Key_Escape)
            front.ask(FrontEnd::Question::LeaveGame);
        else
            match->apply(TurnKeys::pressed(match->heldRates(), key, match->state()));
        break;
    case GameOver:
        if (key == Qt::Key_Return)
            resetAll();
        break;
    case Countdown:
    case Flying:
        // A person still playing waits for the turn, though the keys of its countdown's last
        // second act as it begins; one watching the computers play on alone may leave in every
        // phase.
        if (key == Qt::Key_Escape && match->onlyComputersLeft())
            front.ask(FrontEnd::Question::LeaveGame);
        else if (match->state() == Countdown && key != Qt::Key_Escape)
            match->apply(TurnKeys::pressed(match->heldRates(), key, Countdown));
        break;
    }
    followPause();
}

// Escape's question answered yes: a joined machine leaves the network game, any other the game
// under way, a grenade in flight taken out with it.
void Game::leaveGame() {
    if (joining) {
        leaveNetworkGame(QString());
        return;
    }
    if (match->state() == Flying && match->impactState() != ImpactState::Exploded)
        match->takeGrenadeOutOfWorld();
    resetAll();
}

void Game::followPause() {
    const bool local = !hosting && !joining && !replayPlayer && match->turnUnderWay();
    if (!local)
        pauseOn = false;
    match->pause(local && (pauseOn || keyHelpOn || front.asking == FrontEnd::Question::LeaveGame));
}

// The chat line's keys: Return sends it, Escape drops it, everything printable is typed.
void Game::chatKey(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && !event->isAutoRepeat())
        chat.finish();
    else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        sendChat(chat.finish());
    else if (event->key() == Qt::Key_Backspace)
        chat.backspace();
    else
        chat.type(event->text());
    update();
}

// The menus' keys, and what they ask of the window.
void Game::menuKey(int key, int digit, const QString& text) {
    const FrontEnd::Action asked = front.key(key, digit, text, hosting != nullptr);
    followOptions();
    switch (asked) {
    case FrontEnd::Action::Quit:
        close();
        break;
    case FrontEnd::Action::NextLevel:
        match->setComputerLevel(nextComputerLevel(match->computer().level));
        if (remembered)
            remembered->writeComputerLevel(match->computer().level);
        break;
    case FrontEnd::Action::StartGame:
        newGame();
        break;
    case FrontEnd::Action::StartTraining:
        startTraining();
        break;
    case FrontEnd::Action::HostGame:
        if (hostGame(Network::defaultPort))
            match->addMessage(LogLine(LogLine::Text::WaitingPlayers));
        else
            match->addMessage(LogLine(LogLine::Text::Plain, -1, tr("port belegt")));
        networkNote = !hosting; // the menu shows why no game was opened
        break;
    case FrontEnd::Action::ToggleUpnp:
        followRouter();
        break;
    case FrontEnd::Action::CopyLink:
        copyLink();
        break;
    case FrontEnd::Action::SearchGames:
        localGames().clear();
        localGames().search();
        break;
    case FrontEnd::Action::OpenReplays:
        listReplays();
        break;
    case FrontEnd::Action::WatchReplay:
        if (watchReplay(front.replays[std::size_t(front.replayChosen)].path))
            replayFromList = true;
        break;
    case FrontEnd::Action::Join: {
        const HostAddress target = HostAddress::parse(front.address, Network::defaultPort);
        joinGame(target.host, target.port);
        break;
    }
    default:
        break;
    }
}

// A joined machine's keys: Escape asks before it leaves the game; on its own seat's turn the keys
// give the commands that go to the host, the rest only say that its player is there.
void Game::clientKey(int key, bool pressed) {
    if (key == Qt::Key_Escape) {
        if (pressed)
            front.ask(FrontEnd::Question::LeaveGame);
        return;
    }
    if (match->currentPlayer() != joining->seat ||
        (match->state() != Moving && match->state() != Aiming)) {
        // Nothing to drive: a key still tells the host that the player is there, so that a seat
        // the computer plays while its player was away is given back (a command without rates).
        if (pressed && joining->seat >= 0)
            joining->send(Network::Command{joining->seat, TurnCommand()});
        return;
    }
    // Once fire mode is asked for, the keys aim, though the picture may still show the figure
    // driving: the host takes the steps in the order they were pressed.
    const GameState asked = stepSent == TurnCommand::Step::None ? match->state() : Aiming;
    TurnCommand keys = clientKeys;
    if (pressed) {
        keys = TurnKeys::pressed(clientKeys, key, asked);
    } else {
        TurnKeys::released(key, keys);
    }
    if (keys.step != TurnCommand::Step::None) {
        if (stepSent != TurnCommand::Step::Throw) { // one throw a turn
            joining->sendStep(keys.step);
            if (keys.step == TurnCommand::Step::Throw)
                throwAheadOfHost();
        }
        stepSent = keys.step;
        keys.step = TurnCommand::Step::None;
    }
    if (keys == clientKeys)
        return;
    joining->send(Network::Command{joining->seat, keys});
    clientKeys = keys;
    clientKeys.weapon = 0;
}

// The window also takes the whole screen itself, and gives it back, so that the switch works where
// no window manager does it. (A new geometry ends Qt's full-screen state, so it comes first.)
void Game::toggleFullScreen() {
    if (isFullScreen()) {
        setWindowState(windowState() & ~Qt::WindowFullScreen);
        setGeometry(windowedGeometry);
    } else {
        windowedGeometry = geometry();
        setGeometry(screen()->geometry());
        setWindowState(windowState() | Qt::WindowFullScreen);
    }
}

void Game::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat())
        return;
    if (event->key() == Qt::Key_Tab && playerList) {
        playerList = false;
        update();
        return;
    }
    // A key let go in the countdown lets go of what its last second took.
    if (match->state() != Moving && match->state() != Aiming &&
        !(match->state() == Countdown && !joining))
        return;
    if (joining) {
        clientKey(event->key(), false);
        return;
    }
    if ((match->computerOnTurn() || match->remoteOnTurn()) && !reachesComputerTurn(event->key()))
        return; // the computer's rates are not the keyboard's to clear
    TurnCommand keys = match->heldRates();
    if (!TurnKeys::released(event->key(), keys)) {
        QOpenGLWidget::keyReleaseEvent(event);
        return;
    }
    match->apply(keys);
}

// With the right button chosen, a move without it is not followed at all: pressing it puts the
// camera's idea of the pointer where it is, so the first move held does not jump.
void Game::mouseMoveEvent(QMouseEvent* event) {
    if (front.options.mouse == MouseTurn::Always || (event->buttons() & Qt::RightButton))
        steering->mouseMoved(event->pos());
}

void Game::mousePressEvent(QMouseEvent* event) {
    steering->mousePressed(event->button(), event->pos());
}

void Game::mouseReleaseEvent(QMouseEvent*) {}

void Game::wheelEvent(QWheelEvent* event) {
    steering->wheel(event->angleDelta().y());
}
