// A network game hosted with no window, no screen and no keyboard: what people run on a rented
// machine so that friends behind home routers can all connect outwards. It waits until enough
// machines have joined, plays a game with every player at a joined machine, shows the end for a
// while, then plays the next; a seat whose machine leaves plays on by the computer. Each event is
// one line on standard output, the players' names and chat lines among them, each after the time
// (ISO 8601), all in English. It never seats more machines than its game has players: the ones
// beyond watch and are told so, until a seat is free. SIGTERM, SIGINT and SIGHUP end it cleanly
// (stop()). Times are engine clock milliseconds.
#pragma once

#include "game/hosting/ValleyService.h"

#include "engine/scene/VORN_Clock.h"
#include "game/rules/GameSettings.h"

#include <QObject>
#include <QString>
#include <cstdio>
#include <memory>

class Bitmap;
class Match;
class MatchHost;
class NetworkHost;
class QTimer;
class ReplayRecorder;
class RouterPortMapping;

class HeadlessHost : public QObject {
    Q_OBJECT

public:
    // A match on the valley of heightMap for players × figures, its events written to out.
    HeadlessHost(const Bitmap& heightMap, int players, int figures, std::FILE* out = stdout);
    ~HeadlessHost() override;

    // Opens the game on port (0: any free one) and starts the tick; false when the port cannot be
    // opened (the reason is on standard error).
    bool start(quint16 port);
    // Ends the hosting: a last line, a goodbye to every machine, the port closed; then quits the
    // event loop. why names the cause in that last line.
    void stop(const QString& why);
    quint16 port() const;
    // One tick at engine clock reading now: the next game when enough machines wait for it, then
    // the match's ticks up to now, each with its state to every joined machine. A reading played
    // already is not played again: where the clock is driven by hand, whoever drives it ticks the
    // host, and the host's own timer then finds no time passed.
    void tick(VORN_LIB::VORN_Clock::Ticks now);

    Match& match() { return *played; }
    NetworkHost& network(); // its limits, for tests

    // The settings of every game it hosts (the classic game unless set before start()): a random
    // valley without a number is drawn anew for each game. A picture valley plays the picture the
    // valleys keep (keepPicture(), read once) or else reads it for each game.
    GameSettings settings;
    ValleyService& valleys() { return laid; }

    int endShownMs = 10000; // the end screen, before the next game

    // Set before start(): the address it listens on (empty: every one), a password every machine
    // must say, and how many seats and places to watch one address gets.
    QString listenAddress;
    QString password;
    QString name; // the game's name in the local list and status answers; empty: the machine's
    int seatsPerAddress = 2;
    int watchersPerAddress = 2;
    // Whether the home router is asked by UPnP to forward the port (a line says what came of
    // it); the forwarding goes when the host stops.
    bool upnp = false;
    // Set before start(): the folder that keeps a replay of every game; empty: none kept.
    QString replays;

private:
    void say(const QString& line);
    void reportEvents();
    void askRouter();

    std::unique_ptr<Match> played;
    ValleyService laid;                  // the valleys of its games, on heightMap's standard one
    MatchHost* host = nullptr;           // owned (child)
    QTimer* timer = nullptr;             // owned (child)
    RouterPortMapping* router = nullptr; // owned (child), with upnp
    ReplayRecorder* recorder = nullptr;  // owned (child), with replays
    const int players;
    const int figures;
    std::FILE* out;
    VORN_LIB::VORN_Clock::Ticks lastTick = 0;  // the reading of the last tick
    VORN_LIB::VORN_Clock::Ticks overSince = 0; // when the last game ended; 0 while one runs
    bool waitingSaid = false;
};
