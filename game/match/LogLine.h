// One line of the message log, kept as what happened with its figures, so that each machine shows
// it in its own language: text() translates it where it is shown.
#pragma once

#include <QString>
#include <functional>

struct LogLine {
    enum class Text {
        Empty,          // a line not written yet
        Welcome,        // "Willkommen"
        PlayerIs,       // "spieler N ist" (before Suicidal)
        Suicidal,       // "suizidgefaehrdet"
        Player,         // "spieler N" (before what befell the player)
        Losses,         // "meldet verluste"
        Suicide,        // "begeht selbstmord"
        Missing,        // "wird vermisst"
        OnlyComputers,  // "nur noch computer"
        WaitingPlayers, // "warte auf spieler"
        Joined,         // "spieler N ist beigetreten"
        JoinedFrom,     // "spieler N: address"
        Left,           // "spieler N hat das spiel verlassen"
        TimeUp,         // "zeit abgelaufen"
        YouPlay,        // "du spielst spieler N": a joined machine's own seat
        Plain           // a line already in the words it is shown in
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
    QString detail;  // an address, or a Plain line's words
};
