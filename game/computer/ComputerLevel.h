// How well the computer opponents throw, as chosen in the main menu. The levels differ only in
// the scatter of the aim, never in what the computer knows.
#pragma once

enum class ComputerLevel {
    Off = 0,    // every player sits at the keyboard
    Easy = 1,   // "leicht": hits few throws
    Medium = 2, // "mittel"
    Hard = 3    // "schwer": hits most throws
};

// The next level of the menu's cycle: aus, leicht, mittel, schwer, aus.
inline ComputerLevel nextComputerLevel(ComputerLevel level) {
    return level == ComputerLevel::Hard ? ComputerLevel::Off
                                        : static_cast<ComputerLevel>(static_cast<int>(level) + 1);
}
