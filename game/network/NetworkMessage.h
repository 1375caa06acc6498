// The messages of a network game between the host, who runs the rules, and the machines that
// joined it. World units, y up, angles in degrees, times in milliseconds.
#pragma once

#include "game/rules/GameSettings.h"
#include "game/rules/GameState.h"
#include "game/rules/TurnCommand.h"
#include "game/rules/Weapons.h"

#include <QString>
#include <QVector>
#include <cstdint>
#include <variant>

namespace Network {

// The type byte of each message's frame: fixed numbers, never the order of a list, so that
// rearranging the code cannot change the wire.
enum class FrameType : quint8 {
    Hello = 0,
    Welcome = 1,
    Refused = 2,
    Command = 3,
    Start = 4,
    State = 5,
    Event = 6,
    Checksum = 7,
    HeightmapRequest = 8,
    HeightRows = 9,
    KeepAlive = 10,
    Bye = 11,
    Arms = 40,
    Blast = 41
};

// The protocol decides whether two machines play together; the game's version is only shown.
constexpr quint32 protocolVersion = 3;
// This build's version of the game ("1.0.0"), as hello and a refusal carry it.
QString gameVersion();
constexpr quint16 defaultPort = 47800;
constexpr int frameLimit = 64 * 1024;   // bytes of one frame, its length field included
constexpr int silentLimitMs = 10000;    // a peer heard nothing from for this long is dropped
constexpr int keepAliveMs = 2000;       // how often a quiet side says it is still there
constexpr int frameTimeLimitMs = 10000; // a frame started must be whole within this
constexpr int helloLimitMs = 5000;      // a machine that joins says hello within this
constexpr int answerLimitMs = 5000;     // and answers its welcome within this, or loses the seat
constexpr int waitingLimit = 16;        // connections at once that have not said hello yet

// First words of either side: the protocol and the game's version.
struct Hello {
    static constexpr FrameType type = FrameType::Hello;
    quint32 protocol = protocolVersion;
    QString game;
};
// The host's answer: the seat the joined machine plays (the player of that number).
struct Welcome {
    static constexpr FrameType type = FrameType::Welcome;
    qint32 seat = -1;
};
// The host turns a machine away: "falsche version" or "kein platz", with the host's game version.
struct Refused {
    static constexpr FrameType type = FrameType::Refused;
    QString reason;
    QString hostVersion;
};
// A joined machine's command for its own seat.
struct Command {
    static constexpr FrameType type = FrameType::Command;
    qint32 seat = -1;
    TurnCommand command;
};
// A new round: the players' colours (red, green, blue in 0 … 1) and the figures each.
struct Start {
    static constexpr FrameType type = FrameType::Start;
    QVector<float> colours; // three per player
    qint32 figures = 0;
};
// One figure as the host sees it; a figure that is gone is left out.
struct Figure {
    quint8 player = 0;
    quint8 slot = 0;
    float x = 0, y = 0, z = 0;
    float heading = 0; // rotation about y
    qint16 health = 0;
};
// A tick of the host's game.
struct State {
    static constexpr FrameType type = FrameType::State;
    GameState state = MainMenu;
    qint8 currentPlayer = -1;
    qint8 currentSlot = -1; // the figure on turn, -1 for none
    qint16 secondsLeft = 0;
    qint32 msIntoPhase = 0; // since the phase's timer started, for the clock's ticks
    bool grenadeShown = false;
    float grenadeX = 0, grenadeY = 0, grenadeZ = 0;
    float aimYaw = 0, aimPitch = 0, aimPower = 0;
    QVector<Figure> figures;
    QVector<QString> messages; // the message log, oldest first
};
// Something that happened once: a crater, a sound.
struct Event {
    static constexpr FrameType type = FrameType::Event;
    enum Kind : quint8 { Crater, TurnStarts, Launch, FigureLost, Win, Draw, KindCount };
    Kind kind = Crater;
    float x = 0, y = 0, z = 0; // the crater's or the blast's centre
};
// A sum of the host's heightmap after a crater, and a part of the heightmap itself.
struct Checksum {
    static constexpr FrameType type = FrameType::Checksum;
    quint32 sum = 0;
};
struct HeightmapRequest {
    static constexpr FrameType type = FrameType::HeightmapRequest;
};
struct HeightRows {
    static constexpr FrameType type = FrameType::HeightRows;
    quint32 firstValue = 0; // index of the first height in the grid, row by row
    QVector<double> heights;
};
struct KeepAlive {
    static constexpr FrameType type = FrameType::KeepAlive;
};
struct Bye {
    static constexpr FrameType type = FrameType::Bye;
};
// The wind and the weapons of the turn under way, sent with each state of a game that has them.
struct Arms {
    static constexpr FrameType type = FrameType::Arms;
    GameSettings::Wind wind = GameSettings::Wind::Off;
    GameSettings::Weapons weapons = GameSettings::Weapons::Grenade;
    float windX = 0, windZ = 0;                 // the wind's push, units per second squared
    Weapon taken = Weapon::Grenade;             // the weapon of the throw
    std::array<qint8, Weapons::count> left{-1}; // what the player on turn has left of each
};
// A blast of a weapon other than the grenade: its crater is the weapon's own.
struct Blast {
    static constexpr FrameType type = FrameType::Blast;
    Weapon weapon = Weapon::Grenade;
    float x = 0, y = 0, z = 0;
};

using Message = std::variant<Hello, Welcome, Refused, Command, Start, State, Event, Checksum,
                             HeightmapRequest, HeightRows, KeepAlive, Bye, Arms, Blast>;

} // namespace Network
