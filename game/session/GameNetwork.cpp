// Network play. The host runs the rules, the physics and the random draws; each tick it sends
// its game's state to the machines that joined, and each crater as it is dug. A joined window
// never simulates: it shows the state it is sent, digs the same craters, plays the sounds of what
// changed, and sends the commands of its own seat. World units, y up, degrees, milliseconds.
#include "game/session/Game.h"

#include "game/network/NetworkClient.h"
#include "game/network/NetworkHost.h"
#include "game/rules/Rules.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <algorithm>
#include <cstring>

using namespace VORN_LIB;
using namespace Network;

namespace {
constexpr int heightsPerFrame = 4096;
}

bool Game::hostGame(quint16 port) {
    auto* opened = new NetworkHost(this);
    if (!opened->listen(port)) {
        delete opened;
        return false;
    }
    host = opened;
    connect(host, &NetworkHost::joined, this, [this](int seat) {
        addMessage(tr("spieler ") + QString::number(seat) + tr(" ist beigetreten"));
        addMessage(tr("spieler ") + QString::number(seat) + QStringLiteral(": ") +
                   host->addressOf(seat));
    });
    connect(host, &NetworkHost::left, this, [this](int seat) {
        addMessage(tr("spieler ") + QString::number(seat) + tr(" hat das spiel verlassen"));
        // The seat plays on: by the computer, at the chosen level or at mittel.
        if (playerCount != 0 && seat < static_cast<int>(playerCount))
            computer.takeOver(seat);
    });
    connect(host, &NetworkHost::command, this, [this](int seat, const TurnCommand& command) {
        // Only the seat on turn drives, aims and throws; anything else is ignored.
        if (seat == currentPlayer && playerCount != 0 && (state == Moving || state == Aiming) &&
            seatRemote(seat))
            apply(command);
    });
    connect(host, &NetworkHost::heightmapAsked, this, &Game::sendHeightmap);
    return true;
}

bool Game::seatRemote(int player) const {
    return host && host->holds(player);
}

void Game::joinGame(const QString& hostName, quint16 port) {
    client = new NetworkClient(this);
    connect(client, &NetworkClient::welcomed, this,
            [this] { addMessage(tr("warte auf spieler")); });
    connect(client, &NetworkClient::refused, this, [this](const QString& reason) {
        leaveNetworkGame(reason == QLatin1String("falsche version") ? tr("falsche version")
                                                                    : reason);
    });
    connect(client, &NetworkClient::received, this, &Game::received);
    connect(client, &NetworkClient::lost, this,
            [this] { leaveNetworkGame(tr("verbindung zum spiel verloren")); });
    client->connectTo(hostName, port);
}

// Back to this machine's own main menu, with the reason in the message panel.
void Game::leaveNetworkGame(const QString& message) {
    if (!client)
        return;
    client->disconnect(this);
    client->leave();
    client->deleteLater();
    client = nullptr;
    followed = nullptr;
    scene.children.removeAll(&grenade);
    resetAll();
    if (!message.isEmpty())
        addMessage(message);
    networkNote = !message.isEmpty();
}

Message Game::startMessage() const {
    Start start;
    for (unsigned i = 0; i < playerCount; ++i)
        for (int c = 0; c < 3; ++c)
            start.colours.append(float(players[i]->color[c]));
    start.figures = chosenFigures;
    return start;
}

void Game::sendState(VORN_Clock::Ticks now) {
    State s;
    s.state = state;
    s.currentPlayer = static_cast<qint8>(currentPlayer);
    s.secondsLeft = static_cast<qint16>(secondsLeft);
    s.msIntoPhase = turnStart != 0 ? static_cast<qint32>(now - turnStart) : 0;
    s.grenadeShown = scene.children.contains(&grenade);
    const VORN_Vector g = grenade.worldPosition;
    s.grenadeX = float(g.x());
    s.grenadeY = float(g.y());
    s.grenadeZ = float(g.z());
    s.aimYaw = float(aimYaw);
    s.aimPitch = float(aimPitch);
    s.aimPower = float(aimPower);
    for (unsigned u = 0; u < playerCount; ++u) {
        const Player* player = players[u];
        for (unsigned j = 0; player && j < player->count; ++j) {
            const Tortoise* f = player->figures[j];
            if (!f)
                continue;
            if (f == currentFigure)
                s.currentSlot = static_cast<qint8>(j);
            const VORN_Vector p = f->worldPosition;
            s.figures.append({quint8(u), quint8(j), float(p.x()), float(p.y()), float(p.z()),
                              float(f->rotation.y()), qint16(f->health)});
        }
    }
    for (const QString& line : messages)
        s.messages.append(line);
    host->broadcast(s);
}

void Game::announceCrater(const VORN_Vector& point) {
    if (!host)
        return;
    host->broadcast(Event{Event::Crater, float(point.x()), float(point.y()), float(point.z())});
    host->broadcast(Checksum{heightmapChecksum()});
}

// FNV-1a over the grid's heights, as both machines hold them.
quint32 Game::heightmapChecksum() const {
    quint32 sum = 2166136261u;
    const std::size_t n = std::size_t(landscape.rows) * landscape.columns;
    for (std::size_t i = 0; landscape.grid && i < n; ++i) {
        unsigned char bytes[sizeof(double)];
        std::memcpy(bytes, &landscape.grid[i * 4], sizeof(double));
        for (unsigned char b : bytes)
            sum = (sum ^ b) * 16777619u;
    }
    return sum;
}

void Game::sendHeightmap(int seat) {
    const quint32 n = landscape.rows * landscape.columns;
    for (quint32 first = 0; landscape.grid && first < n; first += heightsPerFrame) {
        HeightRows part;
        part.firstValue = first;
        for (quint32 i = first; i < std::min(n, first + heightsPerFrame); ++i)
            part.heights.append(landscape.grid[std::size_t(i) * 4]);
        host->sendTo(seat, part);
    }
}

void Game::startFromHost(const Start& start) {
    makeCurrent();
    deletePlayers();
    alivePlayers.clear();
    const int count = std::clamp(int(start.colours.size() / 3), 0, 9);
    const int figures = std::clamp(int(start.figures), 1, 9);
    playerCount = static_cast<unsigned>(count);
    players = new Player*[playerCount];
    for (int i = 0; i < count; ++i) {
        players[i] = new Player(VORN_Color(start.colours[3 * i], start.colours[3 * i + 1],
                                           start.colours[3 * i + 2], 1));
        players[i]->createFigures(static_cast<unsigned>(figures), -Rules::dropAreaX,
                                  Rules::dropAreaX, -Rules::dropAreaZ, Rules::dropAreaZ);
        // Only into the scene: a joined window moves nothing itself.
        players[i]->registerWith(&scene, nullptr, nullptr);
        alivePlayers.append(i);
    }
    totalHitPoints = count * figures * Rules::startHealth;
    currentPlayer = -1;
    currentFigure = nullptr;
}

void Game::received(const Message& message) {
    if (const auto* start = std::get_if<Start>(&message)) {
        startFromHost(*start);
    } else if (const auto* shown = std::get_if<State>(&message)) {
        showState(*shown, VORN_Clock::now());
    } else if (const auto* event = std::get_if<Event>(&message)) {
        if (event->kind == Event::Crater) {
            const VORN_Vector at(event->x, event->y, event->z);
            makeCurrent();
            landscape.createCrater(at, Rules::craterRadius);
            sound.explosion(at);
        }
    } else if (const auto* sum = std::get_if<Checksum>(&message)) {
        if (sum->sum != heightmapChecksum())
            client->send(HeightmapRequest{});
    } else if (const auto* part = std::get_if<HeightRows>(&message)) {
        const quint64 n = quint64(landscape.rows) * landscape.columns;
        if (!landscape.grid || part->firstValue + quint64(part->heights.size()) > n)
            return;
        for (int i = 0; i < part->heights.size(); ++i)
            landscape.grid[(std::size_t(part->firstValue) + i) * 4] = part->heights[i];
        if (part->firstValue + quint64(part->heights.size()) == n) {
            makeCurrent();
            landscape.createNormals(0, 0, 0, 0);
            landscape.compile();
        }
    }
}

void Game::showState(const State& shown, VORN_Clock::Ticks now) {
    const GameState before = state;
    const int playerBefore = currentPlayer;
    state = shown.state;
    secondsLeft = shown.secondsLeft;
    aimYaw = shown.aimYaw;
    aimPitch = shown.aimPitch;
    aimPower = shown.aimPower;
    const bool inGame = state >= Countdown && state <= GameOver;
    cameraLocked = !(state == Moving || state == Aiming || state == Flying);
    if (!inGame) {
        if (before >= Countdown && before <= GameOver) { // the host has left its game
            resetAll();
            state = shown.state;
        }
        return;
    }
    if (state != before || shown.currentPlayer != playerBefore)
        clientKeys = TurnCommand(); // every turn starts with the keys let go

    // The figures: moved where the host has them; one the host has no more is gone here too.
    int lost = 0;
    int total = 0;
    for (unsigned u = 0; u < playerCount; ++u) {
        Player* player = players[u];
        if (!player)
            continue;
        std::vector<bool> present(player->count, false);
        int health = 0;
        for (const Figure& f : shown.figures) {
            if (f.player != u || f.slot >= player->count || !player->figures[f.slot])
                continue;
            present[f.slot] = true;
            Tortoise* figure = player->figures[f.slot];
            figure->rotation[1] = f.heading;
            figure->updateTransform(true); // a figure's place is kept along its own axes
            figure->setWorldPosition(VORN_Vector(f.x, f.y, f.z));
            figure->health = f.health;
            health += f.health;
        }
        for (unsigned j = 0; j < player->count; ++j) {
            if (player->figures[j] && !present[j]) {
                if (player->figures[j] == currentFigure || player->figures[j] == followed) {
                    viewport->attach(nullptr);
                    followed = nullptr;
                    currentFigure = nullptr;
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
            delete players[u];
            players[u] = nullptr;
            alivePlayers.removeAll(static_cast<int>(u));
        }
    }
    totalHitPoints = total;
    for (int i = 0; i < lost; ++i)
        sound.figureLost();

    currentPlayer = shown.currentPlayer;
    currentFigure = nullptr;
    if (currentPlayer >= 0 && currentPlayer < static_cast<int>(playerCount) &&
        players[currentPlayer] && shown.currentSlot >= 0 &&
        unsigned(shown.currentSlot) < players[currentPlayer]->count)
        currentFigure = players[currentPlayer]->figures[shown.currentSlot];

    // The grenade, while it is out.
    const bool grenadeOut = scene.children.contains(&grenade);
    if (shown.grenadeShown && !grenadeOut)
        scene.children.append(&grenade);
    else if (!shown.grenadeShown && grenadeOut)
        scene.children.removeAll(&grenade);
    if (shown.grenadeShown)
        grenade.setWorldPosition(VORN_Vector(shown.grenadeX, shown.grenadeY, shown.grenadeZ));

    // The camera follows what the host's follows: the figure on turn, the grenade in flight.
    VORN_Object* follow = currentFigure;
    if (state == Flying)
        follow = shown.grenadeShown ? static_cast<VORN_Object*>(&grenade) : nullptr;
    if (state == GameOver)
        follow = nullptr;
    if (follow != followed) {
        viewport->attach(follow);
        followed = follow;
    }

    for (int i = 0; i < 6 && i < shown.messages.size(); ++i)
        messages[i] = shown.messages[i];

    // The sounds of what changed.
    if (before == Countdown && state == Moving)
        sound.turnStarts();
    if (before == Aiming && state == Flying)
        sound.launch();
    if (before != GameOver && state == GameOver)
        sound.gameOver(!alivePlayers.isEmpty());
    const double limit = state == Countdown ? Rules::countdownSeconds
                         : state == Moving  ? Rules::moveSeconds
                         : state == Aiming  ? Rules::aimSeconds
                                            : 0;
    if (limit > 0) {
        // One start per phase, so the clock's ticks come once each.
        const VORN_Clock::Ticks start = now - shown.msIntoPhase;
        if (state != before || std::abs(start - shownPhaseStart) > 500)
            shownPhaseStart = start;
        sound.turnClock(shownPhaseStart, limit - (now - shownPhaseStart) * 0.001);
    }
    update(); // painted at once, not at the next tick
}
