// One line of the message log, kept as what happened with its figures, so that each machine shows
// it in its own language: text() translates it where it is shown.
#pragma once

#include <QString>
#include <functional>

struct LogLine {
    // The numbers travel between the machines of a network game: a kind keeps its number, and a
    // new kind takes the next one.
    enum class Text {
        Empty = 0,          // a line not written yet
        Welcome = 1,        // "Willkommen"
        PlayerIs = 2,       // "spieler N ist" (before Suicidal)
        Suicidal = 3,       // "suizidgefaehrdet"
        Player = 4,         // "spieler N" (before what befell the player)
        Losses = 5,         // "meldet verluste"
        Suicide = 6,        // "begeht selbstmord"
        Missing = 7,        // "wird vermisst"
        OnlyComputers = 8,  // "nur noch computer"
        WaitingPlayers = 9, // "warte auf spieler"
        Joined = 10,        // "spieler N ist beigetreten"
        JoinedFrom = 11,    // "spieler N: address"
        Left = 12,          // "spieler N hat das spiel verlassen"
        TimeUp = 13,        // "zeit abgelaufen"
        Plain = 14,         // a line already in the words it is shown in
        YouPlay = 15,       // "du spielst spieler N": a joined machine's own seat
        ValleyNumber = 16,  // "tal nummer N" (the number in detail)
        ValleyPicture = 17, // "tal: NAME" (the picture's name in detail)
        WindLight = 18,     // "wind: leicht"
        WindStrong = 19,    // "wind: stark"
        AllWeapons = 20,    // "waffen: alle"
        Away = 21,          // "spieler N ist abwesend, der computer spielt"
        Back = 22,          // "spieler N ist zurueck"
        NoTimeToThrow = 23, // "keine zeit mehr zum werfen": Return past the time to throw
        OutOfPlay = 24,     // "ins aus": the throw left the valley
        Hit = 25,           // "spieler N trifft spieler M: -D", or "trifft sich selbst"
        PaceQuick = 26,     // "tempo: schnell"
        PaceLong = 27,      // "tempo: lang"
        SuddenDeath5 = 28,  // "sudden death nach 5 runden"
        SuddenDeath10 = 29, // "sudden death nach 10 runden"
        SuddenDeath = 30,   // "sudden death: jeder zug kostet 5 punkte": it begins
        Kinds               // how many kinds there are
    };

    LogLine() = default;
    LogLine(Text text, int player = -1, QString detail = QString())
        : text(text), player(player), detail(std::move(detail)) {}

    // A player's name by number in a network game; empty for a player without one.
    using Names = std::function<QString(int player)>;

    // The line as the players read it, in this machine's language; a player with a name is named
    // by it instead of "spieler N" (but a machine is told its seat by number, as the labels show).
    QString shown(const Names& names = {}) const;

    bool operator==(const LogLine& other) const {
        return text == other.text && player == other.player && detail == other.detail;
    }

    Text text = Text::Empty;
    int player = -1; // the player the line is about, or -1
    QString detail;  // an address, a valley's number or name, a hit, or a Plain line's words

    // A hit's line: the thrower's blast took damage points from player's tortoises.
    static LogLine hit(int thrower, int player, int damage);

private:
    QString hitShown(const QString& who, const Names& names) const;
};
