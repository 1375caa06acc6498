// The host's game applied to a joined machine's match, and the match's events told from what
// changed. World units, y up, degrees, milliseconds.
#include "game/hosting/JoinedMatch.h"

#include "game/hosting/MatchSnapshot.h"
#include "game/hosting/ValleyService.h"
#include "game/rules/Rules.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <algorithm>

using namespace VORN_LIB;
using namespace Network;

JoinedMatch::JoinedMatch(Match& match, ValleyService& valleys, QObject* parent)
    : QObject(parent), match(match), valleys(valleys) {}

void JoinedMatch::makeCurrent() const {
    if (drawingCurrent)
        drawingCurrent();
}

bool JoinedMatch::take(const Message& message, VORN_Clock::Ticks now) {
    if (const auto* start = std::get_if<Start>(&message)) {
        states.clear(); // the last game's states are no picture of this one
        makeCurrent();
        match.newGameOf(start->colours, start->figures);
    } else if (const auto* snapshot = std::get_if<Snapshot>(&message)) {
        showSnapshot(*snapshot);
    } else if (const auto* log = std::get_if<Log>(&message)) {
        MatchSnapshot::applyLog(log->lines, match);
        emit logTaken();
    } else if (const auto* state = std::get_if<State>(&message)) {
        states.push(*state, now);
        show(now);
    } else if (const auto* event = std::get_if<Event>(&message)) {
        if (event->kind == Event::Crater)
            blastAt(VORN_Vector(event->x, event->y, event->z), Rules::craterRadius);
    } else if (const auto* blast = std::get_if<Blast>(&message)) {
        blastAt(VORN_Vector(blast->x, blast->y, blast->z), Weapons::of(blast->weapon).crater);
    } else if (const auto* arms = std::get_if<Arms>(&message)) {
        showArms(*arms);
    } else if (const auto* sum = std::get_if<Checksum>(&message)) {
        if (sum->sum != match.heightmapChecksum())
            emit heightsWanted();
    } else if (const auto* part = std::get_if<HeightRows>(&message)) {
        VORN_Landscape& land = match.landscape();
        const quint64 n = land.points();
        if (n == 0 || part->firstValue + quint64(part->heights.size()) > n)
            return true; // no grid yet, or heights beyond it
        for (int i = 0; i < part->heights.size(); ++i)
            land.setHeight(std::size_t(part->firstValue) + i, part->heights[i]);
        if (part->firstValue + quint64(part->heights.size()) == n) {
            land.createNormals(0, 0, 0, 0);
            emit groundReplaced();
        }
    } else if (std::holds_alternative<Valley>(message) ||
               std::holds_alternative<ValleyHeights>(message) ||
               std::holds_alternative<ValleyTexture>(message)) {
        valleyFrom(message);
    } else {
        return false;
    }
    return true;
}

// A crater of the host's, dug here: the blast of the weapon thrown, flash and all, as the host's
// match tells it. The damage is told when the states show it.
void JoinedMatch::blastAt(const VORN_Vector& at, double crater) {
    makeCurrent();
    match.dig(at, crater);
    emit match.exploded(at, {});
}

void JoinedMatch::show(VORN_Clock::Ticks now) {
    if (const std::optional<State> picture = states.at(now))
        showState(*picture, now);
}

void JoinedMatch::showState(const State& shown, VORN_Clock::Ticks now) {
    const GameState before = match.state();
    const int playerBefore = match.currentPlayer();
    match.takeHostPhase(shown.state, shown.secondsLeft, shown.msIntoPhase, now);
    match.takeHostAim(shown.aimYaw, shown.aimPitch, shown.aimPower);
    const bool inGame = match.state() >= Countdown && match.state() <= GameOver;
    if (!inGame) {
        if (before >= Countdown && before <= GameOver) { // the host has left its game
            emit gameLeft();
            match.takeHostPhase(shown.state, shown.secondsLeft, shown.msIntoPhase, now);
        }
        emit this->shown(before, playerBefore);
        return;
    }

    // The figures where the host has them; what they lost floats up over them here, as over the
    // host's (only a blast takes hit points).
    makeCurrent();
    const Placed placed = placeFigures(match, shown.figures, shown.currentPlayer, shown.currentSlot,
                                       [this](const Tortoise* f) { emit removing(f); });
    if (!placed.hurt.isEmpty())
        emit hurt(placed.hurt);
    for (int u : placed.lost)
        emit match.figureLost(u);
    for (int u : placed.out)
        emit match.playerOut(u);

    // The grenade, while it is out.
    match.showGrenadeAt(shown.grenadeShown,
                        VORN_Vector(shown.grenadeX, shown.grenadeY, shown.grenadeZ));

    // The match's events, told from what changed.
    if (match.currentPlayer() != playerBefore ||
        (match.state() == Countdown && before != Countdown))
        emit match.turnStarted(match.currentPlayer(), match.currentFigure());
    if (before == Countdown && match.state() == Moving)
        emit match.playStarted();
    if (before == Aiming && match.state() == Flying)
        emit match.thrown();
    if (before != GameOver && match.state() == GameOver)
        emit match.gameOver(!match.alivePlayers().isEmpty());
    match.tellPhaseClock(now);
    emit this->shown(before, playerBefore);
}

JoinedMatch::Placed
JoinedMatch::placeFigures(Match& match, const QVector<Figure>& figures, int turn, int slot,
                          const std::function<void(const Tortoise*)>& removing) {
    Placed placed;
    for (unsigned u = 0; u < match.playerCount(); ++u) {
        Player* player = match.player(static_cast<int>(u));
        if (!player)
            continue;
        std::vector<bool> present(player->count, false);
        int health = 0;
        for (const Figure& f : figures) {
            if (f.player != u || f.slot >= player->count || present[f.slot] ||
                !player->figure(f.slot))
                continue;
            present[f.slot] = true;
            Tortoise* figure = player->figure(f.slot);
            place(*figure, f);
            if (f.health < figure->health)
                placed.hurt.append({static_cast<int>(u), figure->health - f.health, figure});
            figure->health = f.health;
            health += f.health;
        }
        for (unsigned j = 0; j < player->count; ++j) {
            if (player->figure(j) && !present[j]) {
                if (removing)
                    removing(player->figure(j));
                match.removeFigure(static_cast<int>(u), j);
                placed.lost.push_back(static_cast<int>(u));
            }
        }
        player->totalHealth = health;
        if (player->alive == 0) {
            match.dropPlayer(static_cast<int>(u));
            placed.out.push_back(static_cast<int>(u));
        }
    }
    match.recountHitPoints();
    match.takeHostTurn(turn, slot);
    return placed;
}

void JoinedMatch::place(Tortoise& figure, const Figure& at) {
    figure.rotation[1] = at.heading;
    figure.updateTransform(true); // a figure's place is kept along its own axes
    figure.setWorldPosition(VORN_Vector(at.x, at.y, at.z));
}

// The whole game under way, on joining it: this machine's match becomes the host's.
void JoinedMatch::showSnapshot(const Snapshot& snapshot) {
    emit replacing();
    makeCurrent();
    const bool sameGround = MatchSnapshot::apply(snapshot, match);
    emit replaced();
    if (!sameGround)
        emit heightsWanted();
}

// The turn's wind and weapons as the host has them: what the panels show, and the wind the
// grenade flies in between the host's states.
void JoinedMatch::showArms(const Arms& arms) {
    std::array<int, Weapons::count> left{};
    std::copy(arms.left.begin(), arms.left.end(), left.begin());
    match.takeHostArms(arms.wind, arms.weapons, VORN_Vector(arms.windX, 0, arms.windZ), arms.taken,
                       left);
    match.takeHostSuddenDeath(arms.suddenDeath);
    states.wind = match.wind();
}

void JoinedMatch::valleyFrom(const Message& message) {
    if (const auto* valley = std::get_if<Valley>(&message)) {
        hostSettings = valley->settings;
        match.setSettings(hostSettings);
        // A picture comes with its heights; a random valley is made here from its number.
        if (hostSettings.valley != GameSettings::Valley::Picture) {
            makeCurrent();
            valleys.lay(match, hostSettings);
            emit valleyLaid();
        }
    } else if (const auto* heights = std::get_if<ValleyHeights>(&message)) {
        if (hostSettings.valley != GameSettings::Valley::Picture)
            return;
        Bitmap grey;
        grey.resize(heights->columns, heights->rows);
        for (int i = 0; i < heights->grey.size(); ++i)
            grey.pixels[3 * i] = grey.pixels[3 * i + 1] = grey.pixels[3 * i + 2] =
                static_cast<unsigned char>(heights->grey[i]);
        makeCurrent();
        valleys.layHeights(match, hostSettings, grey);
        emit valleyLaid();
    } else if (const auto* band = std::get_if<ValleyTexture>(&message)) {
        if (hostSettings.valley != GameSettings::Valley::Picture)
            return;
        if (hostTexture.width != band->width || hostTexture.height != band->height)
            hostTexture.resize(band->width, band->height);
        const std::size_t row = std::size_t(band->width) * 3;
        std::copy(band->rgb.constBegin(), band->rgb.constEnd(),
                  hostTexture.pixels.begin() + std::ptrdiff_t(band->firstRow * row));
        if (band->firstRow + std::size_t(band->rgb.size()) / row == band->height)
            emit textureArrived(hostTexture);
    }
}
