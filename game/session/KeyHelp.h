// The key help that F1 shows over every screen: each key and mouse action of the screen shown, in
// two columns on a dark panel in the middle of the window, sized to its longest line. Made for one
// frame from what it shows: the match, the front end's menus, whether this machine hosts a
// network game, the joined machine's link (null unless joined) and the window's size.
#pragma once

#include <QCoreApplication>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

class FrontEnd;
class Match;
class NetworkClient;
class QPainter;

class KeyHelp {
    Q_DECLARE_TR_FUNCTIONS(Game)

public:
    KeyHelp(const Match& match, const FrontEnd& front, bool hosting, const NetworkClient* client,
            QSize window);

    struct Line {
        QString key;
        QString action;
    };
    QList<Line> lines() const;
    // A replay watched: its own keys instead of the turn's.
    bool replaying = false;
    // Where the help is drawn: the panel centred in the window and sized to its longest line, in a
    // font ("Helvetica") shrunk until the panel fits; the title at keyX on titleBaseline, each
    // line's key at keyX and its action at actionX, on baselines lineStep apart from
    // firstBaseline.
    struct Layout {
        QRect panel;
        int pointSize;
        int keyX;
        int actionX;
        int titleBaseline;
        int firstBaseline;
        int lineStep;
    };
    Layout layout() const;
    void draw(QPainter& painter) const;

private:
    const Match& match;
    const FrontEnd& front;
    bool hosting;
    const NetworkClient* client;
    QSize window;
};
