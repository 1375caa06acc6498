// The chat of a network game on this machine: the line typed after T, and the last lines written
// on any machine (or notes to this one), each shown for shownMs in a strip above the message log.
// Times are engine clock milliseconds.
#pragma once

#include "engine/scene/VORN_Clock.h"
#include "game/match/LogLine.h"

#include <QList>
#include <QString>
#include <QStringList>

class QPainter;

class ChatPanel {
public:
    static constexpr int shownLines = 5;
    static constexpr int shownMs = 30000;

    bool typing() const { return open; }
    const QString& typed() const { return line; }
    void startTyping();
    // Adds what a key typed (printable characters only, up to ChatLimit::lineLimit).
    void type(const QString& text);
    void backspace();
    // Ends the typing; the line typed, for sending.
    QString finish();

    // A line of a player (seat), or a note of this machine (seat -1).
    void add(int seat, const QString& text, VORN_LIB::VORN_Clock::Ticks now);
    void clear();

    // The lines still shown at now, oldest first: "anna: hallo", "spieler 2: hallo" or a note.
    QStringList shown(VORN_LIB::VORN_Clock::Ticks now, const LogLine::Names& names) const;

    // The strip: the lines shown, and the line being typed below them, with their bottom at
    // bottom, from x on, in a window widthLimit pixels wide.
    void draw(QPainter& painter, int x, int bottom, int widthLimit, VORN_LIB::VORN_Clock::Ticks now,
              const LogLine::Names& names) const;

private:
    struct Line {
        int seat;
        QString text;
        VORN_LIB::VORN_Clock::Ticks at;
    };
    QString words(const Line& l, const LogLine::Names& names) const;
    QList<Line> lines; // at most shownLines, oldest first
    bool open = false;
    QString line;
};
