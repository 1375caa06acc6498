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
    Log = 12,
    Snapshot = 13,
    Step = 20,
    Name = 28,
    Players = 29,
    Say = 30,
    Chat = 31,
    ChatDropped = 32,
    Ping = 33,
    Pong = 34,
    Valley = 36,
    ValleyHeights = 37,
    ValleyTexture = 38,
    Arms = 40,
    Blast = 41
};

// The protocol decides whether two machines play together; the game's version is only shown.
constexpr quint32 protocolVersion = 6; // 6: the pace and sudden death
// This build's version of the game ("1.0.0"), as hello and a refusal carry it.
QString gameVersion();
// Whether a text a player wrote (a name, a chat line) may be shown: 1 to limit characters, not
// only spaces, no control character.
bool isPlayerText(const QString& text, int limit);
constexpr quint16 defaultPort = 47800;
constexpr int lastSeat = 8;             // spieler 8 is the ninth player
constexpr int frameLimit = 64 * 1024;   // bytes of one frame, its length field included
constexpr int silentLimitMs = 10000;    // a peer heard nothing from for this long is dropped
constexpr int keepAliveMs = 2000;       // how often a quiet side says it is still there
constexpr int frameTimeLimitMs = 10000; // a frame started must be whole within this
constexpr int helloLimitMs = 5000;      // a machine that joins says hello within this
constexpr int answerLimitMs = 5000;     // and answers its welcome within this, or loses the seat
constexpr int waitingLimit = 16;        // connections at once that have not said hello yet
constexpr int pingMs = 1000;            // how often the host measures each machine's round trip
constexpr int snapshotCraters = 2000;   // craters a snapshot carries at most (24 bytes each)
// What the host queues for one connection at most: a peer that does not read and lets more pile
// up is closed, so that it costs the host no more than this and the others never wait for it. A
// snapshot, a picture valley (heights and texture) and a heightmap fit with room to spare.
constexpr int sendLimit = 2 * 1024 * 1024;
constexpr int frameRateLimit = 120;   // frames a joined machine sends within a second at most
constexpr int seatsPerAddress = 2;    // seats one address gets, by default
constexpr int watchersPerAddress = 2; // and machines watching from it
constexpr int passwordLimit = 64;     // characters of a host's password

// First words of either side: the protocol and the game's version, the token of a seat this
// machine held in the game under way before its connection broke (0: none), to get it back, and
// the host's password (empty for a host without one).
struct Hello {
    static constexpr FrameType type = FrameType::Hello;
    Hello() = default;
    Hello(quint32 protocol, QString game, quint64 token = 0, QString password = QString())
        : protocol(protocol), game(std::move(game)), token(token), password(std::move(password)) {}
    quint32 protocol = protocolVersion;
    QString game;
    quint64 token = 0;
    QString password;
};
// The host's answer: the seat the joined machine plays (the player of that number), or -1 while it
// watches a game that was under way when it came; a watcher gets a second welcome with its seat
// when the next game begins. The token gets the seat back after a broken connection, until the
// next game.
struct Welcome {
    static constexpr FrameType type = FrameType::Welcome;
    qint32 seat = -1;
    quint64 token = 0;
};
// The host turns a machine away, with the host's game version. Each machine says why in its own
// language.
struct Refused {
    static constexpr FrameType type = FrameType::Refused;
    // NoRoom: every seat and watcher's place is taken, or this address has all it may have;
    // ServerFull: too many connections wait for their hello, this one went first for being the
    // oldest silent one; WrongPassword: the hello did not carry the host's password.
    enum Reason : quint8 {
        NoRoom = 0,
        WrongVersion = 1,
        ServerFull = 2,
        WrongPassword = 3,
        ReasonCount
    };
    Reason reason = NoRoom;
    QString hostVersion;
};
// A joined machine's held keys for its own seat: the rates only. Its steps go as Step, numbered.
struct Command {
    static constexpr FrameType type = FrameType::Command;
    qint32 seat = -1;
    TurnCommand command;
};
// A step of a joined machine's seat (fire mode, throw), numbered from 1 on for each connection, so
// that the host applies each exactly once and in the order they were pressed.
struct Step {
    static constexpr FrameType type = FrameType::Step;
    qint32 seat = -1;
    quint32 number = 0;
    TurnCommand::Step step = TurnCommand::Step::None;
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
// A tick of the host's game, stamped with its game clock reading, so that a joined machine can
// draw the ticks as far apart as they were played, however they arrive.
struct State {
    static constexpr FrameType type = FrameType::State;
    qint64 time = 0; // the host's game clock at the tick, ms
    GameState state = NoGame;
    qint8 currentPlayer = -1;
    qint8 currentSlot = -1; // the figure on turn, -1 for none
    qint16 secondsLeft = 0;
    qint32 msIntoPhase = 0; // since the phase's timer started, for the clock's ticks
    bool grenadeShown = false;
    float grenadeX = 0, grenadeY = 0, grenadeZ = 0;
    float aimYaw = 0, aimPitch = 0, aimPower = 0;
    QVector<Figure> figures;
};
// Something that happened once on the host and changes the world: a crater dug (its centre). The
// rest a joined machine learns from the states, the logs and the blasts.
struct Event {
    static constexpr FrameType type = FrameType::Event;
    enum Kind : quint8 { Crater, KindCount };
    Kind kind = Crater;
    float x = 0, y = 0, z = 0;
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
// A joined machine's name, sent once after its welcome when it has one (see Roster).
struct Name {
    static constexpr FrameType type = FrameType::Name;
    QString name;
};
// Who plays: every seat with a name or a machine, the host's own seat among them.
struct Person {
    qint8 seat = -1;
    QString name;            // empty: none given
    QString address;         // empty for the host's own seat
    qint32 roundTripMs = -1; // to the host; -1 until measured
    bool connected = false;  // false for a seat whose machine left (its name is kept for the log)
};
struct Players {
    static constexpr FrameType type = FrameType::Players;
    QVector<Person> people;
};
// A chat line: Say from a joined machine to the host, Chat from the host to every machine with
// the seat of the machine that wrote it. ChatDropped tells a machine that a line of its was
// dropped for coming too fast.
struct Say {
    static constexpr FrameType type = FrameType::Say;
    QString text;
};
struct Chat {
    static constexpr FrameType type = FrameType::Chat;
    qint8 seat = -1;
    QString text;
};
struct ChatDropped {
    static constexpr FrameType type = FrameType::ChatDropped;
};
// The host's measure of a round trip: a joined machine answers each ping at once with its stamp.
struct Ping {
    static constexpr FrameType type = FrameType::Ping;
    quint32 stamp = 0; // milliseconds on the host's clock
};
struct Pong {
    static constexpr FrameType type = FrameType::Pong;
    quint32 stamp = 0;
};

// One line of the message log as what happened, with the player it is about (-1: none) and an
// address or words that are shown as they are; each machine puts it into its own language.
struct LogEntry {
    quint8 text = 0; // the line's kind, as the match's log numbers it
    qint8 player = -1;
    QString detail;
};
// The message log, oldest first, whenever it changed.
struct Log {
    static constexpr FrameType type = FrameType::Log;
    QVector<LogEntry> lines;
};
// A crater dug into the valley, at its centre.
struct Crater {
    double x = 0, y = 0, z = 0;
};
// The whole game under way, for a machine that joins it late or joins again: every player's
// colour (three in 0 … 1 each; black for a player who is out), the figures each had, the figures
// still there, the turn, the log, and the ground: every crater since the valley was made, in
// order, and the sum of the heights they give. When there were too many craters to send,
// cratersWhole is false and the heights are asked for instead.
struct Snapshot {
    static constexpr FrameType type = FrameType::Snapshot;
    GameState state = NoGame;
    qint8 currentPlayer = -1;
    qint8 currentSlot = -1;
    qint16 secondsLeft = 0;
    qint32 msIntoPhase = 0;
    qint8 figuresEach = 0;
    QVector<float> colours; // three per player
    QVector<Figure> figures;
    QVector<LogEntry> log;
    quint32 groundSum = 0;
    bool cratersWhole = true;
    QVector<Crater> craters;
};

// The settings of the game about to start, sent before its Start: a random valley travels as its
// number, a picture of the host's own as its name, then its heights and its texture.
struct Valley {
    static constexpr FrameType type = FrameType::Valley;
    GameSettings settings; // valleyPicture holds the picture's name, not a path
};
// The heights of a picture valley: columns × rows grey values (0 … 255, 255 the full height), row
// 0 first. The valley's whole grid fits one frame.
struct ValleyHeights {
    static constexpr FrameType type = FrameType::ValleyHeights;
    quint16 columns = 0;
    quint16 rows = 0;
    QByteArray grey;
};
// A band of rows of a picture valley's texture (width × height in all), red, green and blue bytes
// per pixel, row firstRow first.
struct ValleyTexture {
    static constexpr FrameType type = FrameType::ValleyTexture;
    quint16 width = 0;
    quint16 height = 0;
    quint16 firstRow = 0;
    QByteArray rgb; // a whole number of rows
};

// The wind and the weapons of the turn under way, sent with each state of a game that has them.
struct Arms {
    static constexpr FrameType type = FrameType::Arms;
    GameSettings::Wind wind = GameSettings::Wind::Off;
    GameSettings::Weapons weapons = GameSettings::Weapons::Grenade;
    float windX = 0, windZ = 0;                 // the wind's push, units per second squared
    Weapon taken = Weapon::Grenade;             // the weapon of the throw
    std::array<qint8, Weapons::count> left{-1}; // what the player on turn has left of each
    bool suddenDeath = false;                   // every turn's start costs every tortoise points
};
// The arms frame holds one stock a weapon, so a weapon more or less is another frame: it comes
// with a new protocol version, and both numbers are set anew here.
static_assert(Weapons::count == 5 && protocolVersion == 6,
              "the arms frame changed with the weapons: raise protocolVersion");
// A blast of a weapon other than the grenade: its crater is the weapon's own.
struct Blast {
    static constexpr FrameType type = FrameType::Blast;
    Weapon weapon = Weapon::Grenade;
    float x = 0, y = 0, z = 0;
};

using Message =
    std::variant<Hello, Welcome, Refused, Command, Start, State, Event, Checksum, HeightmapRequest,
                 HeightRows, KeepAlive, Bye, Log, Snapshot, Step, Name, Players, Say, Chat,
                 ChatDropped, Ping, Pong, Valley, ValleyHeights, ValleyTexture, Arms, Blast>;

} // namespace Network
