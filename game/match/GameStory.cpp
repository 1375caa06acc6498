// The story's figures, counted from what the players have at each of the match's events.
#include "game/match/GameStory.h"

#include "game/match/Match.h"
#include "game/world/Player.h"

#include <algorithm>

namespace {

int healthOf(const Match& match, std::size_t u) {
    const auto& players = match.players();
    return u < players.size() && players[u] ? players[u]->totalHealth : 0;
}

int figuresOf(const Match& match, std::size_t u) {
    const auto& players = match.players();
    return u < players.size() && players[u] ? static_cast<int>(players[u]->alive) : 0;
}

} // namespace

void GameStory::begin(const Match& match) {
    const std::size_t count = match.playerCount();
    tally.assign(count, Tally());
    strength.clear();
    health.assign(count, 0);
    figures.assign(count, 0);
    colour.assign(count, VORN_LIB::VORN_Color(1, 1, 1, 1));
    for (std::size_t u = 0; u < count; ++u) {
        if (u < match.players().size() && match.players()[u])
            colour[u] = match.players()[u]->color;
        health[u] = healthOf(match, u);
        figures[u] = figuresOf(match, u);
    }
    full = count != 0 ? *std::max_element(health.begin(), health.end()) : 0;
    turn = 0;
    actor = -1;
    turnDealt = 0;
    over = false;
}

void GameStory::settle(const Match& match) {
    for (std::size_t u = 0; u < tally.size(); ++u) {
        const int now = healthOf(match, u);
        const int left = figuresOf(match, u);
        // Before the first turn (a late joiner's first picture) nothing is anyone's doing.
        if (actor >= 0 && std::size_t(actor) < tally.size()) {
            const int drop = std::max(0, health[u] - now);
            if (int(u) == actor) {
                tally[u].own += drop;
            } else {
                tally[u].taken += drop;
                tally[std::size_t(actor)].dealt += drop;
                turnDealt += drop;
            }
            tally[u].lost += std::max(0, figures[u] - left);
        }
        health[u] = now;
        figures[u] = left;
    }
    if (actor >= 0 && std::size_t(actor) < tally.size()) {
        Tally& t = tally[std::size_t(actor)];
        if (turnDealt > t.bestShot) {
            t.bestShot = turnDealt;
            t.bestTurn = turn;
        }
    }
}

void GameStory::note(const Match& match) {
    std::vector<int> row(tally.size());
    for (std::size_t u = 0; u < row.size(); ++u)
        row[u] = healthOf(match, u);
    strength.push_back(std::move(row));
}

void GameStory::nobodysDoing(const Match& match) {
    if (over)
        return;
    for (std::size_t u = 0; u < tally.size(); ++u) {
        const int left = figuresOf(match, u);
        tally[u].lost += std::max(0, figures[u] - left);
        health[u] = healthOf(match, u);
        figures[u] = left;
    }
}

void GameStory::turnBegins(const Match& match) {
    if (over)
        return;
    settle(match);
    ++turn;
    actor = match.currentPlayer();
    turnDealt = 0;
    note(match);
}

void GameStory::end(const Match& match) {
    if (over)
        return;
    settle(match);
    note(match);
    over = true;
}
