// How fast one machine may chat: at most `lines` lines within `windowMs`; a line beyond that is
// dropped (and its writer told so), so that a flood never pushes the game out of the panel.
#pragma once

#include <QString>
#include <QtGlobal>
#include <deque>

class ChatLimit {
public:
    static constexpr int lineLimit = 100; // characters of a line
    static constexpr int lines = 5;
    static constexpr int windowMs = 10000;

    // Whether a text may be a chat line: 1 to lineLimit characters, no control character.
    static bool acceptableLine(const QString& text);

    // Whether a line written at nowMs (milliseconds on any steady clock) may go; counted if so.
    bool allow(qint64 nowMs);

private:
    std::deque<qint64> sent; // when the lines of the last window went
};
