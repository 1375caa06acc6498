// A match as the network sends it whole to a machine that joins a game under way or joins again,
// and that machine's copy of the match made from it: the players and their colours, the figures
// with their places, headings and health, the turn, the message log and the valley's craters. The
// log travels as what happened with its player numbers, so each machine shows it in its own
// language.
#pragma once

#include "engine/scene/VORN_Clock.h"
#include "game/network/NetworkMessage.h"

#include <array>

class Match;
class Tortoise;
struct LogLine;

class MatchSnapshot {
public:
    // The match at game clock reading now.
    static Network::Snapshot of(const Match& match, VORN_LIB::VORN_Clock::Ticks now);
    // Makes match the game of the snapshot, as the host has it; its valley is made again from
    // the craters when they all came. False when the heights do not come out as the host's: they
    // are to be asked for. The terrain's lists are then out of date, and removed figures may
    // release theirs: whoever draws the match has the GL context current and records them again.
    static bool apply(const Network::Snapshot& snapshot, Match& match);

    // Every figure still in the match as it stands, and the slot of the one on turn (-1: none).
    static QVector<Network::Figure> figuresOf(const Match& match, qint8& currentSlot);
    // The log as it travels, and back; a line of a kind this game does not know stays empty.
    static QVector<Network::LogEntry> logOf(const Match& match);
    static void applyLog(const QVector<Network::LogEntry>& lines, Match& match);
    static Network::LogEntry entryOf(const LogLine& line);
    static LogLine lineOf(const Network::LogEntry& entry);
};
