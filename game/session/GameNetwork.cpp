// Network play. The host runs the rules, the physics and the random draws (MatchHost sends its
// match to the machines that joined). A joined window never simulates: it shows the states it is
// sent, played back a little behind the newest by its StateBuffer at every tick and arrival, digs
// the same craters, plays the sounds of what changed, and sends the commands of its own seat.
// Every machine of a network game names its players alike (the host's roster) and shows the
// chat. World units, y up, degrees, milliseconds.
#include "game/session/Game.h"

#include "game/hosting/MatchHost.h"
#include "game/hosting/MatchSnapshot.h"
#include "game/network/ChatLimit.h"
#include "game/network/NetworkClient.h"
#include "game/rules/Rules.h"
#include "game/session/PlayerList.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <QPainter>
#include <algorithm>
#include <cstring>

using namespace VORN_LIB;
using namespace Network;

bool Game::hostGame(quint16 port) {
    auto* opened = new MatchHost(*match, this);
    if (!opened->listen(port)) {
        delete opened;
        return false;
    }
    host = opened;
    host->setOwnName(front.name);
    connect(host, &MatchHost::chatted, this,
            [this](int seat, const QString& text) { chat.add(seat, text, VORN_Clock::now()); });
    return true;
}

// A machine that joins the host it was last seated at says the token of that seat, and so gets it
// back if its game is still under way there.
void Game::joinGame(const QString& hostName, quint16 port) {
    client = new NetworkClient(this);
    client->name = front.name;
    const bool again = hostName == seatHost && port == seatPort;
    connect(client, &NetworkClient::welcomed, this, [this, hostName, port](int seat) {
        if (seat >= 0) {
            seatHost = hostName;
            seatPort = port;
            seatToken = client->token;
        }
        tellSeat();
    });
    // Turned away: back in the main menu, told why.
    connect(client, &NetworkClient::refused, this,
            [this](Refused::Reason reason, const QString& hostVersion) {
                if (reason == Refused::WrongVersion)
                    // Both versions, this machine's first, so the players know who updates.
                    leaveNetworkGame(tr("falsche version") + QStringLiteral(": ") +
                                     Network::gameVersion() + QStringLiteral(" / ") +
                                     (hostVersion.isEmpty() ? QStringLiteral("?") : hostVersion));
                else
                    leaveNetworkGame(tr("kein platz"));
            });
    connect(client, &NetworkClient::received, this, &Game::received);
    connect(client, &NetworkClient::lost, this,
            [this] { leaveNetworkGame(tr("verbindung zum spiel verloren")); });
    connect(client, &NetworkClient::failed, this, [this](NetworkClient::Failure failure) {
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
    client->connectTo(hostName, port, again ? seatToken : 0);
}

// Until the host starts a game a joined machine's log ends with its seat and what it waits for,
// below the host's lines of who came and went.
void Game::tellSeat() {
    if (!client || match->playerCount != 0)
        return;
    if (client->seat >= 0)
        match->addMessage(LogLine(LogLine::Text::YouPlay, client->seat));
    match->addMessage(LogLine(LogLine::Text::WaitingPlayers));
}

// Back to this machine's own main menu, with the reason in the message panel.
void Game::leaveNetworkGame(const QString& message) {
    if (!client)
        return;
    client->disconnect(this);
    client->leave();
    client->deleteLater();
    client = nullptr;
    joinedRoster = Roster();
    chat.clear();
    playerListShown = false;
    followed = nullptr;
    shownStates.clear();
    match->scene.children.removeAll(&match->grenade);
    resetAll();
    if (!message.isEmpty())
        match->addMessage(LogLine(LogLine::Text::Plain, -1, message));
    networkNote = !message.isEmpty();
}

const Roster& Game::roster() const {
    return host ? host->roster() : joinedRoster;
}

QString Game::nameOf(int player) const {
    return host || client ? roster().nameOf(player) : QString();
}

LogLine::Names Game::names() const {
    if (!host && !client)
        return {};
    return [this](int player) { return nameOf(player); };
}

QString Game::playerTitle(int player) const {
    const QString name = nameOf(player);
    return name.isEmpty() ? tr("spieler ") + QString::number(player) : name;
}

// A line written here: through the host to every machine, this one too. The host says at once
// when a line of its own player comes too fast; a joined machine hears it from the host.
void Game::sendChat(const QString& text) {
    if (!ChatLimit::acceptableLine(text))
        return;
    if (client)
        client->send(Say{text});
    else if (host && !host->say(text))
        chat.add(-1, tr("zu viele nachrichten, eine ging verloren"), VORN_Clock::now());
}

void Game::drawPeople(QPainter& painter) {
    if (!host && !client)
        return;
    // Above the message log, which takes the bottom 200 pixels.
    chat.draw(painter, 10, height() - 205, width() - 10, VORN_Clock::now(), names());
    if (playerListShown)
        PlayerList::draw(painter, rect(), PlayerList::rows(roster(), client ? client->seat : 0));
}

void Game::startFromHost(const Start& start) {
    shownStates.clear(); // the last game's states are no picture of this one
    makeCurrent();
    match->newGameOf(start.colours, start.figures);
}

// The whole game under way, on joining it: this window's match becomes the host's, seen from
// behind the figure on turn until the next state says what the camera follows.
void Game::showSnapshot(const Snapshot& snapshot) {
    makeCurrent();
    viewport->attach(nullptr);
    followed = nullptr;
    const bool sameGround = MatchSnapshot::apply(snapshot, *match);
    match->landscape.compile();
    viewBehind();
    if (!sameGround)
        client->send(HeightmapRequest{});
    cameraLocked = !(match->state == Moving || match->state == Aiming || match->state == Flying);
    shownPhaseStart = 0;
    update();
}

void Game::received(const Message& message) {
    if (const auto* start = std::get_if<Start>(&message)) {
        startFromHost(*start);
    } else if (const auto* snapshot = std::get_if<Snapshot>(&message)) {
        showSnapshot(*snapshot);
    } else if (const auto* log = std::get_if<Log>(&message)) {
        MatchSnapshot::applyLog(log->lines, *match);
        tellSeat();
    } else if (const auto* shown = std::get_if<State>(&message)) {
        shownStates.push(*shown, VORN_Clock::now());
        showState(VORN_Clock::now());
    } else if (const auto* event = std::get_if<Event>(&message)) {
        if (event->kind == Event::Crater) {
            const VORN_Vector at(event->x, event->y, event->z);
            makeCurrent();
            match->dig(at);
            blast.start(at, match->clockNow());
            sound.explosion(at);
        }
    } else if (const auto* people = std::get_if<Players>(&message)) {
        joinedRoster.take(*people);
    } else if (const auto* line = std::get_if<Chat>(&message)) {
        if (line->seat >= 0 && line->seat <= Network::lastSeat &&
            ChatLimit::acceptableLine(line->text))
            chat.add(line->seat, line->text, VORN_Clock::now());
    } else if (std::holds_alternative<ChatDropped>(message)) {
        chat.add(-1, tr("zu viele nachrichten, eine ging verloren"), VORN_Clock::now());
    } else if (std::holds_alternative<Valley>(message) ||
               std::holds_alternative<ValleyHeights>(message) ||
               std::holds_alternative<ValleyTexture>(message)) {
        valleyFromHost(message);
    } else if (const auto* blast = std::get_if<Blast>(&message)) {
        const VORN_Vector at(blast->x, blast->y, blast->z);
        makeCurrent();
        match->dig(at, Weapons::of(blast->weapon).crater);
        sound.explosion(at);
    } else if (const auto* arms = std::get_if<Arms>(&message)) {
        showArms(*arms);
    } else if (const auto* sum = std::get_if<Checksum>(&message)) {
        if (sum->sum != match->heightmapChecksum())
            client->send(HeightmapRequest{});
    } else if (const auto* part = std::get_if<HeightRows>(&message)) {
        const quint64 n = quint64(match->landscape.rows) * match->landscape.columns;
        if (!match->landscape.grid || part->firstValue + quint64(part->heights.size()) > n)
            return;
        for (int i = 0; i < part->heights.size(); ++i)
            match->landscape.grid[(std::size_t(part->firstValue) + i) * 4] = part->heights[i];
        if (part->firstValue + quint64(part->heights.size()) == n) {
            makeCurrent();
            match->landscape.createNormals(0, 0, 0, 0);
            match->landscape.compile();
        }
    }
}

void Game::showState(VORN_Clock::Ticks now) {
    if (const std::optional<State> picture = shownStates.at(now))
        showState(*picture, now);
}

void Game::showState(const State& shown, VORN_Clock::Ticks now) {
    const GameState before = match->state;
    const int playerBefore = match->currentPlayer;
    match->state = shown.state;
    match->secondsLeft = shown.secondsLeft;
    match->secondsToThrow =
        std::max(0, static_cast<int>(Rules::aimSeconds - shown.msIntoPhase * 0.001));
    match->aimYaw = shown.aimYaw;
    match->aimPitch = shown.aimPitch;
    match->aimPower = shown.aimPower;
    const bool inGame = match->state >= Countdown && match->state <= GameOver;
    cameraLocked = !(match->state == Moving || match->state == Aiming || match->state == Flying);
    if (!inGame) {
        if (before >= Countdown && before <= GameOver) { // the host has left its game
            resetAll();
            match->state = shown.state;
        }
        return;
    }
    // Every turn starts with the keys let go, as the host lets go of them. Fire mode keeps them
    // held there, so here too: a key let go after it is then let go at the host as well.
    if (shown.currentPlayer != playerBefore || match->state == Countdown) {
        clientKeys = TurnCommand();
        stepSent = TurnCommand::Step::None;
    }

    // The figures: moved where the host has them; one the host has no more is gone here too.
    int lost = 0;
    int total = 0;
    for (unsigned u = 0; u < match->playerCount; ++u) {
        Player* player = match->players[u].get();
        if (!player)
            continue;
        std::vector<bool> present(player->count, false);
        int health = 0;
        for (const Figure& f : shown.figures) {
            if (f.player != u || f.slot >= player->count || !player->figure(f.slot))
                continue;
            present[f.slot] = true;
            Tortoise* figure = player->figure(f.slot);
            MatchSnapshot::place(*figure, f);
            // Only a blast takes hit points, and the host names no damage: what a figure lost
            // floats up over it here, as over the host's.
            if (f.health < figure->health)
                damageFigures.add(figure->worldPosition, static_cast<int>(u),
                                  figure->health - f.health, now);
            figure->health = f.health;
            health += f.health;
        }
        for (unsigned j = 0; j < player->count; ++j) {
            if (player->figure(j) && !present[j]) {
                if (player->figure(j) == match->currentFigure || player->figure(j) == followed) {
                    viewport->attach(nullptr);
                    followed = nullptr;
                    match->currentFigure = nullptr;
                }
                makeCurrent();
                player->removeFigure(j);
                ++lost;
            }
        }
        player->totalHealth = health;
        total += health;
        if (player->alive == 0) {
            makeCurrent();
            match->players[u].reset();
            match->alivePlayers.removeAll(static_cast<int>(u));
        }
    }
    match->totalHitPoints = total;
    for (int i = 0; i < lost; ++i)
        sound.figureLost();

    match->currentPlayer = shown.currentPlayer;
    match->currentFigure = nullptr;
    if (match->currentPlayer >= 0 && match->currentPlayer < static_cast<int>(match->playerCount) &&
        match->players[match->currentPlayer] && shown.currentSlot >= 0 &&
        unsigned(shown.currentSlot) < match->players[match->currentPlayer]->count)
        match->currentFigure = match->players[match->currentPlayer]->figure(shown.currentSlot);

    // The grenade, while it is out.
    const bool grenadeOut = match->scene.children.contains(&match->grenade);
    if (shown.grenadeShown && !grenadeOut)
        match->scene.children.append(&match->grenade);
    else if (!shown.grenadeShown && grenadeOut)
        match->scene.children.removeAll(&match->grenade);
    if (shown.grenadeShown)
        match->grenade.setWorldPosition(
            VORN_Vector(shown.grenadeX, shown.grenadeY, shown.grenadeZ));

    // The camera follows what the host's follows: the figure on turn, the grenade in flight.
    VORN_Object* follow = match->currentFigure;
    if (match->state == Flying)
        follow = shown.grenadeShown ? static_cast<VORN_Object*>(&match->grenade) : nullptr;
    if (match->state == GameOver)
        follow = nullptr;
    if (follow != followed) {
        viewport->attach(follow);
        followed = follow;
        if (follow && follow == match->currentFigure)
            viewBehind(); // a new figure on turn: the start view of a turn, as on the host
    }

    // The sounds of what changed.
    if (before == Countdown && match->state == Moving)
        sound.turnStarts();
    if (before == Aiming && match->state == Flying)
        sound.launch();
    if (before != GameOver && match->state == GameOver)
        sound.gameOver(!match->alivePlayers.isEmpty());
    const double limit = match->state == Countdown ? Rules::countdownSeconds
                         : match->state == Moving  ? Rules::moveSeconds
                         : match->state == Aiming  ? Rules::aimSeconds
                                                   : 0;
    if (limit > 0) {
        // One start per phase, so the clock's ticks come once each.
        const VORN_Clock::Ticks start = now - shown.msIntoPhase;
        if (match->state != before || std::abs(start - shownPhaseStart) > 500)
            shownPhaseStart = start;
        sound.turnClock(shownPhaseStart, limit - (now - shownPhaseStart) * 0.001);
    }
    update(); // painted at once, not at the next tick
}

// The turn's wind and weapons as the host has them: what the panels show.
void Game::showArms(const Arms& arms) {
    match->settings.wind = arms.wind;
    match->settings.weapons = arms.weapons;
    match->wind = VORN_Vector(arms.windX, 0, arms.windZ);
    match->weapon = arms.taken;
    const int player = match->currentPlayer;
    if (player >= 0 && player < static_cast<int>(match->stock.size()))
        for (int w = 0; w < Weapons::count; ++w)
            match->stock[player][w] = arms.left[w];
}
