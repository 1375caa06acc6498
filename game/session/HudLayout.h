// What the overlay's panels say and where they go, for one frame: the menu panel's lines while no
// game is under way or one is over, and during a turn the turn panel, the key panel (in fire mode
// with the aim's numbers), the strength pie and the message log. Lines are placed in pixels from
// their panel's top left, panels in widget pixels (origin at the top left), each sized to its
// lines; the notice of a question or a pause over them. Made from what the frame shows: the match,
// the front end's menus, the joined machine's link (null unless joined), the players' names and the
// window's size.
#pragma once

#include "game/computer/ComputerLevel.h"
#include "game/match/LogLine.h"

#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

class FrontEnd;
class Match;
class NetworkClient;

class HudLayout {
    Q_DECLARE_TR_FUNCTIONS(Game)

public:
    HudLayout(const Match& match, const FrontEnd& front, const NetworkClient* client,
              LogLine::Names names, QSize window);

    // A panel's line: its text at x on baseline y in a font, in the panels' white unless a colour
    // is given.
    struct Line {
        int x, y;
        QString text;
        const QFont* font;
        QColor colour = QColor();
    };
    QList<Line> menuLines() const;
    // The keys of the end screen's story page: back to the winner, and out.
    QString storyKeys() const;
    QList<Line> turnLines() const;
    QList<Line> keyLines() const;
    QList<Line> messageLines() const;
    // The notice in the middle of the window over everything but the key help: the question
    // asked ("spiel verlassen? j / n"), else while the match stands "pause" and the key that ends
    // it; no lines for none.
    QList<Line> noticeLines() const;
    QRect noticePlace() const;
    // Where each panel of a turn goes.
    struct Places {
        QRect turn, keys, pie, messages;
    };
    Places places() const;
    QRect menuPlace() const;

    // Whether the teams' shapes are shown beside their colours (the options screen's "formen").
    bool shapes() const;
    // How the turn panel names a player: the name, else "spieler N".
    QString playerTitle(int player) const;
    // A player's name; empty for one that has none.
    QString nameOf(int player) const;
    // The seats screen's words for who plays a seat and for a colour of the palette.
    QString seatPlayerText(int seat) const;
    static QString colourName(int colour);
    // The aiming lines of the key panel in fire mode: direction and elevation in whole degrees,
    // the strength with one decimal. The strength bar is full at fullStrength.
    QStringList aimLines() const;
    static double fullStrength();

    // The fonts of the overlay ("Helvetica"), made on first use and kept until the process ends:
    // the menu's, the status panels' and figure labels', and the messages'.
    static const QFont& menuFont();
    static const QFont& panelFont();
    static const QFont& messageFont();

    // The key panel in fire mode: its lines keyMargin in from both sides, the aiming lines from
    // baseline aimTop aimStep apart, then the strength bar barHeight high.
    static constexpr int keyMargin = 20;
    static constexpr int aimTop = 192;
    static constexpr int aimStep = 24;
    static constexpr int barHeight = 10;
    // The least width a name is cut to on the turn panel, and its width in the log.
    static constexpr int nameRoom = 160;

    // The widest of the lines, counted from the panel's left edge: where their text ends.
    static int widest(const QList<Line>& lines);

private:
    QString computerLevelText() const;
    static QString levelText(ComputerLevel level);
    void seatLines(QList<Line>& lines) const;
    QString keptSeatLine(int room) const; // "r: wieder beitreten: HOST:PORT", cut to room pixels

    const Match& match;
    const FrontEnd& front;
    const NetworkClient* client;
    LogLine::Names names;
    QSize window;
};
