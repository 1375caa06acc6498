// The choices of a game beside its valley, one row each: the wind, the weapons, the pace and
// sudden death. A row holds all
// the game knows of a choice: its command-line option and words, its key, line and help on the
// settings screen, its values as that screen shows them, the log line a game with each value
// begins with, and where it is kept in GameSettings. The options, the settings screen, the key
// help, the log and the frame reader's checks all read the rows, so a new choice is a row here, a
// field of GameSettings, its byte in the frames that carry the settings, and its rule.
#pragma once

#include "game/rules/GameSettings.h"

#include <array>

// The texts are the game's, looked up in its translations (context "Game") by these German words;
// the translation tools find them by this marker, and the rules need no Qt.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif
#ifndef QT_TRANSLATE_NOOP3
#define QT_TRANSLATE_NOOP3(scope, x, comment)                                                      \
    { x, comment }
#endif

namespace SettingChoices {

constexpr int noLogLine = -1; // a value the log does not mention: the classic game's

// A word to translate, with the sense it has here where one German word means two things
// ("leicht" is a light wind and an easy computer); no sense for a word of one meaning.
struct Text {
    const char* source;
    const char* sense;
};

struct Value {
    const char* word; // on the command line
    Text shown;       // on the settings screen, translated
    int logLine;      // the LogLine::Text a game with it begins with, or noLogLine
};

struct Row {
    const char* option;          // "--wind", also as "--wind=VALUE"
    const char* refusal;         // the start of the message for a word that is no value
    const char* keyName;         // its key on the settings screen, one lower-case letter
    const char* line;            // the settings screen's line before the value, translated
    const char* help;            // its line in the key help, translated
    int count;                   // values in use below
    std::array<Value, 3> values; // in the order of the field's enum; the first is the default
    int (*get)(const GameSettings&);
    void (*set)(GameSettings&, int);
};

enum RowOf { WindRow, WeaponsRow, PaceRow, SuddenDeathRow }; // the rows below, by name

inline constexpr std::array<Row, 4> rows{{
    {"--wind",
     "not a wind (off, light or strong)",
     "w",
     QT_TRANSLATE_NOOP("Game", "w: wind: "),
     QT_TRANSLATE_NOOP("Game", "wind: aus, leicht, stark"),
     3,
     {{{"off", QT_TRANSLATE_NOOP3("Game", "aus", "wind"), noLogLine},
       {"light", QT_TRANSLATE_NOOP3("Game", "leicht", "wind"), 18},   // "wind: leicht"
       {"strong", QT_TRANSLATE_NOOP3("Game", "stark", "wind"), 19}}}, // "wind: stark"
     [](const GameSettings& s) { return static_cast<int>(s.wind); },
     [](GameSettings& s, int v) { s.wind = static_cast<GameSettings::Wind>(v); }},
    {"--weapons",
     "not a choice of weapons (grenade or all)",
     "a",
     QT_TRANSLATE_NOOP("Game", "a: waffen: "),
     QT_TRANSLATE_NOOP("Game", "waffen: granate, alle"),
     2,
     {{{"grenade", {QT_TRANSLATE_NOOP("Game", "granate"), nullptr}, noLogLine},
       {"all", {QT_TRANSLATE_NOOP("Game", "alle"), nullptr}, 20}, // "waffen: alle"
       {}}},
     [](const GameSettings& s) { return static_cast<int>(s.weapons); },
     [](GameSettings& s, int v) { s.weapons = static_cast<GameSettings::Weapons>(v); }},
    // The paces are presets: choosing one on the settings screen sets sudden death to its own
    // (suddenDeathOfPace), which S changes after.
    {"--pace",
     "not a pace (classic, quick or long)",
     "p",
     QT_TRANSLATE_NOOP("Game", "p: tempo: "),
     QT_TRANSLATE_NOOP("Game", "tempo: klassisch, schnell, lang"),
     3,
     {{{"classic", {QT_TRANSLATE_NOOP("Game", "klassisch 60/45"), nullptr}, noLogLine},
       {"quick", {QT_TRANSLATE_NOOP("Game", "schnell 30/20"), nullptr}, 26}, // "tempo: schnell"
       {"long", {QT_TRANSLATE_NOOP("Game", "lang 90/60"), nullptr}, 27}}},   // "tempo: lang"
     [](const GameSettings& s) { return static_cast<int>(s.pace); },
     [](GameSettings& s, int v) { s.pace = static_cast<GameSettings::Pace>(v); }},
    {"--sudden-death",
     "not a sudden death (off, 5 or 10)",
     "s",
     QT_TRANSLATE_NOOP("Game", "s: sudden death: "),
     QT_TRANSLATE_NOOP("Game", "sudden death: aus, nach 5 oder 10 runden"),
     3,
     {{{"off", {QT_TRANSLATE_NOOP("Game", "aus"), nullptr}, noLogLine},
       {"5", {QT_TRANSLATE_NOOP("Game", "5 runden"), nullptr}, 28},     // "... nach 5 runden"
       {"10", {QT_TRANSLATE_NOOP("Game", "10 runden"), nullptr}, 29}}}, // "... nach 10 runden"
     [](const GameSettings& s) { return static_cast<int>(s.suddenDeath); },
     [](GameSettings& s, int v) { s.suddenDeath = static_cast<GameSettings::SuddenDeath>(v); }},
}};

// Sudden death as each pace's preset has it: none at the classic pace, after 5 rounds at the
// quick one, after 10 at the long one.
inline constexpr std::array<GameSettings::SuddenDeath, 3> suddenDeathOfPace{
    GameSettings::SuddenDeath::Off, GameSettings::SuddenDeath::After5,
    GameSettings::SuddenDeath::After10};

// Whether a number read from elsewhere (a frame) is a value of the row.
inline bool holds(const Row& row, int value) {
    return value >= 0 && value < row.count;
}

// The settings with the row's next value, after the last one the first again.
inline void next(const Row& row, GameSettings& settings) {
    row.set(settings, (row.get(settings) + 1) % row.count);
}

} // namespace SettingChoices
