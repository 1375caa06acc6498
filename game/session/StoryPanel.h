// The end screen's second page: the story of the game in figures and a graph. A table of every
// player (its colour, its title, the hit points it dealt to the others, took from them and cost
// itself, the figures it lost, its best shot and that turn), and under it a line for each player
// of its hit points at the start of every turn and at the end, in its colour, over axes of turns
// and hit points; the page's keys at the bottom. Drawn in the overlay's pixels, in the middle of
// an overlay at least 800 × 600, kept as a picture until what it shows changes.
#pragma once

#include "game/session/PanelImage.h"

#include <QCoreApplication>
#include <QList>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <functional>

class GameStory;
class QPainter;

class StoryPanel {
    Q_DECLARE_TR_FUNCTIONS(Game)

public:
    // The table: the heading, then a row a player: title, dealt, taken, own, lost, best shot
    // ("75 (zug 3)", "-" for none).
    static QList<QStringList> rows(const GameStory& story,
                                   const std::function<QString(int player)>& title);
    // The page's place in an overlay of the given size, and where its graph goes on it.
    static QRect place(QSize room);
    static QRect graphArea(const QRect& page, int players);

    // Draws the page of the story with its table's rows and the keys' line at the bottom.
    void draw(QPainter& painter, QSize room, const GameStory& story, const QList<QStringList>& rows,
              const QString& keys);
    int timesPainted() const { return kept.timesPainted(); }

private:
    PanelImage kept;
};
