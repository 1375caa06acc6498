// Who plays a network game, as Tab shows it while it is held: a row for each seat whose machine
// is there (the host's own keyboard first), with the player, the name, the address and the round
// trip to the host, on a dark panel in the middle of the window.
#pragma once

#include "game/network/Roster.h"

#include <QList>
#include <QRect>
#include <QStringList>

class QPainter;

class PlayerList {
public:
    // The rows: the heading, then "spieler 2" (with "(du)" for this machine's seat), the name or
    // "-", the address ("host" for the host's own seat), the round trip ("12 ms", or "-" until it
    // is measured and for the host's own seat).
    static QList<QStringList> rows(const Roster& roster, int ownSeat);

    // The panel of the rows, in a window of the given size.
    static void draw(QPainter& painter, const QRect& window, const QList<QStringList>& rows);
};
