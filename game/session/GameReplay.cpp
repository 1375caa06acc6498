// A replay watched in the window: the file's records go through the joined machine's match, so
// the window draws, sounds and logs it as it does a host's game, in this machine's language.
#include "game/session/Game.h"

#include "game/files/ReplayList.h"
#include "game/files/ReplayReader.h"
#include "game/hosting/JoinedMatch.h"
#include "game/hosting/ReplayPlayer.h"
#include "game/hosting/ReplayRecorder.h"
#include "game/session/HudLayout.h"

#include <QPainter>
#include <cstdio>

using VORN_LIB::VORN_Clock;

bool Game::watchReplay(const QString& path) {
    auto file = std::make_unique<ReplayReader>();
    if (hosting || joining || !file->open(path)) {
        const QString why = file->error().isEmpty() ? path : file->error();
        std::fprintf(stderr, "tortoise-valley: %s\n", qUtf8Printable(why));
        match->addMessage(LogLine(LogLine::Text::Plain, -1, why));
        networkNote = true; // the message panel shows it over the menu
        return false;
    }
    resetAll();
    makeCurrent();
    recorder->enabled = false; // a replay is not kept again
    replayFile = std::move(file);
    replayPlayer = std::make_unique<ReplayPlayer>(*joinedMatch, *replayFile);
    replayPlayer->start(VORN_Clock::now());
    steering->lock(false); // the free camera from the start
    update();
    return true;
}

void Game::listReplays() {
    front.screen = FrontEnd::Screen::Replays;
    const QString path = front.replayChosen >= 0 && front.replayChosen < int(front.replays.size())
                             ? front.replays[std::size_t(front.replayChosen)].path
                             : QString();
    front.replays = ReplayList::in(recorder->folder());
    front.replayChosen = 0;
    for (std::size_t i = 0; i < front.replays.size(); ++i)
        if (front.replays[i].path == path)
            front.replayChosen = int(i); // the one watched stays chosen
    update();
}

bool Game::replayKey(int key) {
    ReplayPlayer& p = *replayPlayer;
    makeCurrent(); // a turn skipped to replaces the figures and the valley's craters
    switch (key) {
    case Qt::Key_Space:
        p.pause(!p.paused());
        return true;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        p.faster();
        return true;
    case Qt::Key_Minus:
        p.slower();
        return true;
    case Qt::Key_PageUp:
        p.previousTurn();
        return true;
    case Qt::Key_PageDown:
        p.nextTurn();
        return true;
    case Qt::Key_F:
        steering->viewBehind(); // the figure on turn, or the aim's view, again
        return true;
    case Qt::Key_Escape: {
        const bool toList = replayFromList;
        resetAll();
        if (toList)
            listReplays();
        return true;
    }
    default:
        return false;
    }
}

// Where the replay is and its keys, at the top between the turn's panels.
void Game::drawReplayLine(QPainter& painter, QSize room) const {
    const ReplayPlayer& p = *replayPlayer;
    const double speed = p.speed();
    const QString pace = speed >= 1 ? QStringLiteral("x%1").arg(speed)
                                    : QStringLiteral("x1/%1").arg(qRound(1 / speed));
    QString state = tr("wiederholung: zug %1/%2, %3").arg(p.turn() + 1).arg(p.turns()).arg(pace);
    if (p.paused())
        state += tr(", pause");
    const QStringList lines{state, tr("leertaste: pause, +/-: tempo"),
                            tr("bild auf/ab: zug, f: folgen"), tr("esc: zurueck")};
    const QPen pen = painter.pen();
    painter.setPen(Qt::white);
    painter.setFont(HudLayout::messageFont());
    const int left = room.width() / 2 - 170;
    for (int i = 0; i < lines.size(); ++i)
        painter.drawText(left, 24 + 22 * i, lines[i]);
    painter.setPen(pen);
}
