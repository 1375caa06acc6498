// The choices of the options screen, one row each: the light, the mouse, the effects' and the
// music's volumes, full screen, the render scale, the teams' shapes and the language. A row holds
// all the game knows of a choice: its name in the settings file and its words there, its keys and
// line on the options screen and in the key help, the value as the screen shows it, and how a key
// moves it on. The options screen, the key help and the settings file all read the rows, so a new
// option is a row here and a field of PlayerOptions.
#pragma once

#include "game/frontend/PlayerOptions.h"

#include <QString>
#include <array>

namespace OptionChoices {

struct Row {
    const char* name;    // its key in the settings file
    int key;             // the Qt key that moves it on (a volume: louder)
    int backKey;         // the Qt key that moves it back (a volume: quieter); 0 for none
    const char* keyName; // as the screen and the key help name its keys
    const char* line;    // the screen's line before the value, translated
    const char* help;    // its line in the key help, translated
    QString (*shown)(const PlayerOptions&); // the value as the screen shows it, translated
    QString (*word)(const PlayerOptions&);  // the value as the settings file keeps it
    // Takes a word of the settings file; false, and the options as they were, for a word that
    // names no value of the row.
    bool (*read)(PlayerOptions&, const QString&);
    // Its key (by +1) or its back key (by -1): the next value, after the last the first again;
    // a volume stops at either end.
    void (*step)(PlayerOptions&, int by);
};

enum RowOf {
    LightRow,
    MouseRow,
    EffectsVolumeRow,
    MusicVolumeRow,
    FullScreenRow,
    RenderScaleRow,
    ShapesRow,
    LanguageRow
};
extern const std::array<Row, 8> rows;
// The name the effects' volume was kept under when it was the only volume; read as the effects'
// volume from a file that has no "effects-volume" yet.
constexpr const char* formerVolumeName = "volume";

// The render scales the screen offers after "auto" (0), largest first.
constexpr std::array<double, 4> renderScales{{1.0, 0.75, 0.5, 0.25}};

// The languages the options screen offers, in its order: the desktop's first, then German and
// the translations; as the settings file keeps them, and as the screen shows them (each in its
// own language, "automatisch" translated).
struct Language {
    const char* word;
    const char* shown;
};
extern const std::array<Language, 7> languages;

} // namespace OptionChoices
