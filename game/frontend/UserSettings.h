// The user's settings file: what this machine's player chose on the options screen and the last
// game started here (its numbers of players and figures, its settings, its seats and the computer's
// level),
// kept from one run to the next in $XDG_CONFIG_HOME/tortoise-valley/tortoise-valley.conf (the
// desktop's configuration folder when XDG_CONFIG_HOME is not set). Everything read is checked:
// names the game does not know are passed over, a value it cannot take leaves that choice at its
// default, and a file that cannot be read at all (no regular file, unreadable, too large, not a
// settings file) leaves every choice at its default. Either is told in one line on standard error,
// at most once a run; nothing of the file can stop the game.
#pragma once

#include "game/computer/ComputerLevel.h"
#include "game/frontend/PlayerOptions.h"
#include "game/match/Seat.h"
#include "game/rules/GameSettings.h"

#include <QString>
#include <vector>

class QSettings;

class UserSettings {
public:
    // The last game started at this machine; 0 players and figures before the first one.
    struct LastGame {
        int players = 0; // 2 … 9
        int figures = 0; // 1 … 9
        GameSettings settings;
        ComputerLevel level = ComputerLevel::Off;
        std::vector<Seat> seats = std::vector<Seat>(Seat::most); // as the seats screen set them

        bool operator==(const LastGame& o) const {
            return players == o.players && figures == o.figures && settings == o.settings &&
                   level == o.level && seats == o.seats;
        }
    };

    // A larger file is not read: no settings file of the game comes near it.
    static constexpr qint64 largest = 64 * 1024;

    explicit UserSettings(QString path = defaultPath());
    static QString defaultPath();
    const QString& path() const { return file; }

    // Every choice the file holds, the others as they were given.
    void read(PlayerOptions& options, LastGame& last);
    // One row of OptionChoices, as chosen; the last game, when it starts (its numbers only once
    // chosen); the computer's level, when the main menu changes it.
    void writeOption(const PlayerOptions& options, int row);
    void writeLastGame(const LastGame& last);
    void writeComputerLevel(ComputerLevel level);

private:
    // Why the file cannot be read or written as a settings file; empty when it can (or is not
    // there yet).
    QString unusable() const;
    // Writes what set puts into the file, unless it cannot be written.
    template <class Set> void write(Set set);
    void tell(const QString& why);

    QString file;
    bool told = false;
    bool replaced = false; // the file read was none of the game's: the first write replaces it
};
