// One line of the message log, kept as what happened with its figures, so that each machine shows
// it in its own language: text() translates it where it is shown.
#pragma once

#include <QString>

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
        ValleyNumber,   // "tal nummer N" (the number in detail)
        ValleyPicture,  // "tal: NAME" (the picture's name in detail)
        WindLight,      // "wind: leicht"
        WindStrong,     // "wind: stark"
        AllWeapons,     // "waffen: alle"
        Plain           // a line already in the words it is shown in
    };

    LogLine() = default;
    LogLine(Text text, int player = -1, QString detail = QString())
        : text(text), player(player), detail(std::move(detail)) {}

    // The line as the players read it, in this machine's language.
    QString shown() const;

    bool operator==(const LogLine& other) const {
        return text == other.text && player == other.player && detail == other.detail;
    }

    Text text = Text::Empty;
    int player = -1; // the player the line is about, or -1
    QString detail;  // an address, a valley's number or name, or a Plain line's words
};
