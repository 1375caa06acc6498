// A whole match into one message and back. World units, y up, degrees, milliseconds.
#include "game/hosting/MatchSnapshot.h"

#include "game/hosting/JoinedMatch.h"
#include "game/match/LogLine.h"
#include "game/match/Match.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <algorithm>

using namespace VORN_LIB;
using namespace Network;

Snapshot MatchSnapshot::of(const Match& match, VORN_Clock::Ticks now) {
    Snapshot s;
    s.state = match.state();
    s.currentPlayer = static_cast<qint8>(match.currentPlayer());
    s.secondsLeft = static_cast<qint16>(match.secondsLeft());
    s.msIntoPhase = static_cast<qint32>(match.msIntoPhase(now));
    s.figuresEach = static_cast<qint8>(match.figuresEach());
    for (unsigned u = 0; u < match.playerCount(); ++u) {
        const Player* player = match.players()[u].get();
        for (int c = 0; c < 3; ++c)
            s.colours.append(player ? float(player->color[c]) : 0.0f);
    }
    s.figures = figuresOf(match, s.currentSlot);
    s.log = logOf(match);
    s.groundSum = match.heightmapChecksum();
    s.cratersWhole = match.craters().size() <= std::size_t(snapshotCraters);
    for (std::size_t i = 0; s.cratersWhole && i < match.craters().size(); ++i)
        s.craters.append({match.craters()[i].x(), match.craters()[i].y(), match.craters()[i].z()});
    return s;
}

bool MatchSnapshot::apply(const Snapshot& s, Match& match) {
    match.reset();
    match.newGameOf(s.colours, s.figuresEach);

    // Each figure where the host has it; one the host has no more is gone here too, and a player
    // with none left is out.
    JoinedMatch::placeFigures(match, s.figures, s.currentPlayer, s.currentSlot);
    match.takeHostPhase(s.state, s.secondsLeft, s.msIntoPhase, match.clockNow());
    applyLog(s.log, match);

    if (s.cratersWhole) {
        match.restoreValley();
        for (const Crater& c : s.craters)
            match.dig(VORN_Vector(c.x, c.y, c.z));
    }
    return match.heightmapChecksum() == s.groundSum;
}

QVector<Figure> MatchSnapshot::figuresOf(const Match& match, qint8& currentSlot) {
    QVector<Figure> figures;
    for (unsigned u = 0; u < match.playerCount(); ++u) {
        const Player* player = match.players()[u].get();
        for (unsigned j = 0; player && j < player->count; ++j) {
            const Tortoise* f = player->figure(j);
            if (!f)
                continue;
            if (f == match.currentFigure())
                currentSlot = static_cast<qint8>(j);
            const VORN_Vector p = f->worldPosition;
            figures.append({quint8(u), quint8(j), float(p.x()), float(p.y()), float(p.z()),
                            float(f->rotation.y()), qint16(f->health)});
        }
    }
    return figures;
}

QVector<LogEntry> MatchSnapshot::logOf(const Match& match) {
    QVector<LogEntry> lines;
    for (const LogLine& line : match.messages())
        lines.append(entryOf(line));
    return lines;
}

void MatchSnapshot::applyLog(const QVector<LogEntry>& lines, Match& match) {
    // The newest lines, the last one last, as many as the log holds.
    std::array<LogLine, 6> log;
    const int n = std::min(int(lines.size()), int(log.size()));
    const int first = int(log.size()) - n;
    for (int i = 0; i < n; ++i)
        log[std::size_t(first + i)] = lineOf(lines[lines.size() - n + i]);
    match.takeHostLog(log);
}

LogEntry MatchSnapshot::entryOf(const LogLine& line) {
    return {quint8(line.text), qint8(line.player), line.detail};
}

LogLine MatchSnapshot::lineOf(const LogEntry& entry) {
    if (entry.text >= quint8(LogLine::Text::Kinds))
        return LogLine();
    return LogLine(static_cast<LogLine::Text>(entry.text), entry.player, entry.detail);
}
