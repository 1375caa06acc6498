// The messages that tell a match to a machine watching it, made one way for every one who sends
// them: the network host to the machines that joined, the replay recorder to its file. Each is
// the match as it is when it is made.
#pragma once

#include "engine/math/VORN_Vector.h"
#include "engine/scene/VORN_Clock.h"
#include "game/network/NetworkMessage.h"

class Bitmap;
class Match;

class MatchMessages {
public:
    // The new game: the players' colours and the figures each.
    static Network::Start start(const Match& match);
    // The settings of the game starting and, for a picture valley, its heights as laid and its
    // texture (when there is one) in bands that fit a frame.
    static QVector<Network::Message> valley(const Match& match, const Bitmap* texture);
    // The match's state at game clock reading now.
    static Network::State state(const Match& match, VORN_LIB::VORN_Clock::Ticks now);
    // Whether the game has a wind, weapons or sudden death to send after each state, and them.
    static bool hasArms(const Match& match);
    static Network::Arms arms(const Match& match);
    // A crater dug at point (the blast of the weapon thrown), then the sum of the heights.
    static QVector<Network::Message> crater(const Match& match, const VORN_LIB::VORN_Vector& point);
    static Network::Log log(const Match& match);
};
