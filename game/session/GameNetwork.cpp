// Network play. The host runs the rules, the physics and the random draws (MatchHost sends its
// match to the machines that joined). A joined window never simulates: its JoinedMatch applies
// what the host sends to the match, whose events the window follows as in any game; the window
// adds the camera that follows the host's, and sends the commands of its own seat.
// Every machine of a network game names its players alike (the host's roster) and shows the
// chat. World units, y up, degrees, milliseconds.
#include "game/session/Game.h"

#include "game/files/ReplayReader.h"
#include "game/hosting/JoinedMatch.h"
#include "game/hosting/MatchHost.h"
#include "game/hosting/ReplayRecorder.h"
#include "game/hosting/ValleyService.h"
#include "game/network/ChatLimit.h"
#include "game/network/GameFinder.h"
#include "game/network/NetworkClient.h"
#include "game/network/NetworkHost.h"
#include "game/rules/Rules.h"
#include "game/session/Battlefield.h"
#include "game/session/FieldCamera.h"
#include "game/session/PlayerList.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <QPainter>
#include <algorithm>
#include <cstring>

using namespace VORN_LIB;
using namespace Network;

GameFinder& Game::localGames() {
    if (!finder) {
        finder = std::make_unique<GameFinder>();
        connect(finder.get(), &GameFinder::changed, this, &Game::listLocalGames);
    }
    return *finder;
}

// What the search found, as the list shows it; the chosen game stays chosen where it can.
void Game::listLocalGames() {
    const QString chosen = front.listedChosen < int(front.listed.size())
                               ? front.listed[std::size_t(front.listedChosen)].name
                               : QString();
    front.listed.clear();
    for (const GameFinder::Found& f : finder->games()) {
        FrontEnd::ListedGame g;
        g.host = f.address.toString();
        g.port = f.status.port;
        g.name = f.status.name;
        g.seated = f.status.seated;
        g.wanted = f.status.wanted;
        g.valley = f.status.valley;
        g.password = f.status.password;
        g.joinable = f.joinable();
        g.version = f.status.version;
        if (g.name == chosen)
            front.listedChosen = int(front.listed.size());
        front.listed.push_back(g);
    }
    front.listedChosen =
        std::clamp(front.listedChosen, 0, std::max(0, int(front.listed.size()) - 1));
    update();
}

// The own figure and aim a round trip ahead of the host's picture, on the keys held here: the
// lag is the seat's round trip (as the host measured it), the state buffer's delay and a tick.
// The own throw flies here from the moment it is sent, until the host's grenade is gone.
void Game::predictOwnTurn(VORN_Clock::Ticks now) {
    const bool fresh = hostShown;
    hostShown = false;
    const bool ownTurn = joining->seat >= 0 && match->currentPlayer() == joining->seat;
    const VORN_Landscape& land = match->landscape();
    const auto ground = [&land](double x, double z) { return land.surfaceHeight(x, z); };
    if (throwAhead.active()) {
        const bool hostFlies = match->state() == Flying;
        if (!ownTurn || (match->state() != Aiming && !hostFlies) ||
            (hostFlies && !match->grenadeShown()))
            throwAhead.stop(); // the host's grenade went off, or left the valley
        else if (const auto at = throwAhead.at(now, ground))
            match->showGrenadeAt(true, *at);
    }
    Tortoise* figure = match->currentFigure();
    if (!ownTurn || !figure || (match->state() != Moving && match->state() != Aiming)) {
        prediction.reset();
        throwPending = false;
        return;
    }
    if (throwPending && match->state() == Aiming) // thrown before fire mode showed here
        throwAheadOfHost();
    if (fresh) {
        const VORN_Vector at = figure->worldPosition;
        hostPose = {at.x(), at.y(), at.z(), figure->rotation[1]};
        hostAim = {match->aimYaw(), match->aimPitch(), match->aimPower()};
    }
    int roundTrip = 0;
    for (const Person& p : roster().everyone())
        if (p.seat == joining->seat && p.roundTripMs > 0)
            roundTrip = p.roundTripMs;
    prediction.lagMs = roundTrip + int(StateBuffer::delayMs) + Rules::tickMs;
    TurnCommand held = clientKeys;
    held.step = TurnCommand::Step::None;
    if (throwAhead.active())
        held = TurnCommand(); // thrown: the aim is the host's to keep
    prediction.hold(held, stepSent == TurnCommand::Step::None ? match->state() : Aiming, now);
    if (match->state() == Moving) {
        const TurnPrediction::Pose p = prediction.shown(hostPose, now, ground);
        JoinedMatch::place(*figure, Network::Figure{quint8(joining->seat), 0, float(p.x),
                                                    float(p.y), float(p.z), float(p.heading), 0});
    } else if (!throwAhead.active()) {
        const TurnPrediction::Aim a = prediction.shown(hostAim, now);
        match->takeHostAim(a.yaw, a.pitch, a.power);
    }
}

// The throw sent: it flies here at once, from the grenade's place with the aim shown; sent before
// the host's fire mode showed here, as soon as it does.
void Game::throwAheadOfHost() {
    throwPending = match->state() != Aiming || !match->grenadeShown();
    if (throwPending)
        return;
    const VORN_Vector direction = Rules::throwDirection(match->aimYaw(), match->aimPitch());
    throwAhead.start(match->grenade().worldPosition, direction * match->aimPower(), match->wind(),
                     VORN_Clock::now());
}

bool Game::hostGame(quint16 port) {
    auto opened = std::make_unique<MatchHost>(*match, this);
    if (!opened->listen(port))
        return false;
    hosting = std::move(opened);
    hosting->network->password = front.password;
    hosting->network->describeGame = [this](GameStatus& status) {
        status.name = GameStatus::nameOr(front.name);
        const bool under = match->playerCount() != 0;
        status.wanted = under ? int(match->playerCount()) : std::max(front.players, 2);
        status.seated = std::min(status.seated, status.wanted);
        status.describe(under ? match->settings() : front.settings);
    };
    hosting->setOwnName(front.name);
    connect(hosting.get(), &MatchHost::chatted, this,
            [this](int seat, const QString& text) { chat.add(seat, text, VORN_Clock::now()); });
    followRouter();
    return true;
}

// A machine that joins the host it was last seated at says the token of that seat, and so gets it
// back if its game is still under way there.
void Game::joinGame(const QString& hostName, quint16 port) {
    joining = std::make_unique<NetworkClient>(this);
    recorder->enabled = false; // the host keeps its games
    joining->name = front.name;
    joining->password = front.password;
    const bool again = hostName == seatHost && port == seatPort;
    connect(joining.get(), &NetworkClient::welcomed, this, [this, hostName, port](int seat) {
        if (seat >= 0) {
            seatHost = hostName;
            seatPort = port;
            seatToken = joining->token;
        }
        tellSeat();
    });
    // Turned away: back in the main menu, told why.
    connect(joining.get(), &NetworkClient::refused, this,
            [this](Refused::Reason reason, const QString& hostVersion) {
                if (reason == Refused::WrongVersion)
                    // Both versions, this machine's first, so the players know who updates.
                    leaveNetworkGame(tr("falsche version") + QStringLiteral(": ") +
                                     Network::gameVersion() + QStringLiteral(" / ") +
                                     (hostVersion.isEmpty() ? QStringLiteral("?") : hostVersion));
                else if (reason == Refused::ServerFull)
                    leaveNetworkGame(tr("server voll, bitte spaeter"));
                else if (reason == Refused::WrongPassword)
                    leaveNetworkGame(tr("falsches passwort"));
                else
                    leaveNetworkGame(tr("kein platz"));
            });
    connect(joining.get(), &NetworkClient::received, this, &Game::received);
    connect(joining.get(), &NetworkClient::lost, this, [this] {
        leaveNetworkGame(joining->hostSaidBye ? tr("host beendet das spiel")
                                              : tr("verbindung zum spiel verloren"));
    });
    connect(joining.get(), &NetworkClient::failed, this, [this](NetworkClient::Failure failure) {
        switch (failure) {
        case NetworkClient::Failure::NoSuchHost:
            leaveNetworkGame(tr("host nicht gefunden"));
            break;
        case NetworkClient::Failure::Refused:
            leaveNetworkGame(tr("verbindung abgelehnt"));
            break;
        case NetworkClient::Failure::NoAnswer:
            leaveNetworkGame(tr("host antwortet nicht"));
            break;
        }
    });
    joining->connectTo(hostName, port, again ? seatToken : 0);
}

// Until the host starts a game a joined machine's log ends with its seat and what it waits for,
// below the host's lines of who came and went.
void Game::tellSeat() {
    if (!joining || match->playerCount() != 0)
        return;
    if (joining->seat >= 0)
        match->addMessage(LogLine(LogLine::Text::YouPlay, joining->seat));
    match->addMessage(LogLine(LogLine::Text::WaitingPlayers));
}

// Back to this machine's own main menu, with the reason in the message panel.
void Game::leaveNetworkGame(const QString& message) {
    if (!joining)
        return;
    joining->disconnect(this);
    joining->leave();
    joining.release()->deleteLater(); // it may be what called
    front.lookForKeptSeat();          // a seat to come back to when the line broke
    joinedRoster = Roster();
    chat.clear();
    playerList = false;
    followed = nullptr;
    joinedMatch->clear();
    match->showGrenadeAt(false, VORN_Vector());
    resetAll();
    // The host's valley goes with its game, whatever it was (a host may send a valley of three by
    // two heights): the menu stands in this machine's own valley again.
    valleyService->lay(*match, GameSettings());
    showValleyTexture();
    if (!message.isEmpty())
        match->addMessage(LogLine(LogLine::Text::Plain, -1, message));
    networkNote = !message.isEmpty();
}

const Roster& Game::roster() const {
    return hosting ? hosting->roster() : joinedRoster;
}

// A network game's names are the roster's (the host names its own seats there); a game here
// alone has those its seats were given.
QString Game::nameOf(int player) const {
    if (replayFile) { // a replay's players go by the names its file keeps
        const auto& players = replayFile->header().players;
        return player >= 0 && player < players.size() ? players[player].name : QString();
    }
    return hosting || joining ? roster().nameOf(player) : match->nameOf(player);
}

LogLine::Names Game::names() const {
    return [this](int player) { return nameOf(player); };
}

// A line written here: through the host to every machine, this one too. The host says at once
// when a line of its own player comes too fast; a joined machine hears it from the host.
void Game::sendChat(const QString& text) {
    if (!ChatLimit::acceptableLine(text))
        return;
    if (joining)
        joining->send(Say{text});
    else if (hosting && !hosting->say(text))
        chat.add(-1, tr("zu viele nachrichten, eine ging verloren"), VORN_Clock::now());
}

void Game::drawPeople(QPainter& painter) {
    if (!hosting && !joining)
        return;
    // Above the message log, which takes the bottom 200 pixels.
    const QSize room = overlaySize();
    chat.draw(painter, 10, room.height() - 205, room.width() - 10, VORN_Clock::now(), names());
    if (playerList)
        PlayerList::draw(painter, QRect(QPoint(0, 0), room),
                         PlayerList::rows(roster(), joining ? joining->seat : 0));
}

// A joined machine's match is its JoinedMatch's: the window follows the match's events as in any
// game, and besides them its camera follows what the host's follows, the figure on turn and the
// grenade in flight.
void Game::followJoined() {
    JoinedMatch* j = joinedMatch.get();
    connect(j, &JoinedMatch::heightsWanted, this, [this] {
        if (joining)
            joining->send(HeightmapRequest{});
    });
    connect(j, &JoinedMatch::replacing, this, [this] {
        field->viewport().attach(nullptr);
        followed = nullptr;
    });
    // Seen from behind the figure on turn until the next state says what the camera follows.
    connect(j, &JoinedMatch::replaced, this, [this] {
        makeCurrent();
        match->landscape().compile();
        steering->viewBehind();
        steering->lock(
            !(match->state() == Moving || match->state() == Aiming || match->state() == Flying));
        update();
    });
    connect(j, &JoinedMatch::groundReplaced, this, [this] {
        makeCurrent();
        match->landscape().compile();
    });
    connect(j, &JoinedMatch::removing, this, [this](const Tortoise* figure) {
        if (figure == followed || figure == field->viewport().attached) {
            field->viewport().attach(nullptr);
            followed = nullptr;
        }
    });
    connect(j, &JoinedMatch::hurt, this,
            [this](const QVector<Match::Damage>& hurt) { showDamage(hurt, VORN_Clock::now()); });
    connect(j, &JoinedMatch::gameLeft, this, &Game::resetAll);
    connect(j, &JoinedMatch::logTaken, this, &Game::tellSeat);
    connect(j, &JoinedMatch::valleyLaid, this, [this] { showValleyTexture(); });
    connect(j, &JoinedMatch::textureArrived, this, [this](const Bitmap& rgb) {
        makeCurrent();
        field->showTexture(rgb);
    });
    connect(j, &JoinedMatch::shown, this, [this](GameState, int playerBefore) {
        hostShown = true;
        steering->lock(
            !(match->state() == Moving || match->state() == Aiming || match->state() == Flying));
        if (match->state() < Countdown || match->state() > GameOver)
            return;
        // Every turn starts with the keys let go, as the host lets go of them. Fire mode keeps
        // them held there, so here too: a key let go after it is then let go at the host as well.
        if (match->currentPlayer() != playerBefore || match->state() == Countdown) {
            clientKeys = TurnCommand();
            stepSent = TurnCommand::Step::None;
        }
        VORN_Object* follow = match->currentFigure();
        if (match->state() == Flying)
            follow = match->grenadeShown() ? static_cast<VORN_Object*>(&match->grenade()) : nullptr;
        if (match->state() == GameOver)
            follow = nullptr;
        if (follow != followed) {
            field->viewport().attach(follow);
            followed = follow;
            // A new figure on turn: the start view of a turn, as on the host.
            if (follow && follow == match->currentFigure())
                steering->viewBehind();
        }
        update(); // painted at once, not at the next tick
    });
}

void Game::received(const Message& message) {
    if (joinedMatch->take(message, VORN_Clock::now()))
        return;
    if (const auto* people = std::get_if<Players>(&message)) {
        joinedRoster.take(*people);
    } else if (const auto* line = std::get_if<Chat>(&message)) {
        if (line->seat >= 0 && line->seat <= Network::lastSeat &&
            ChatLimit::acceptableLine(line->text))
            chat.add(line->seat, line->text, VORN_Clock::now());
    } else if (std::holds_alternative<ChatDropped>(message)) {
        chat.add(-1, tr("zu viele nachrichten, eine ging verloren"), VORN_Clock::now());
    }
}
