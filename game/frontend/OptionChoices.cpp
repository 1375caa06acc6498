// The options screen's rows: what each choice is called, shown and kept as, and how its keys move
// it on.
#include "game/frontend/OptionChoices.h"

#include <QCoreApplication>
#include <Qt>
#include <algorithm>
#include <cmath>

namespace {

QString translated(const char* text) {
    return QCoreApplication::translate("Game", text);
}

// The value of an enum-like choice after `by` steps round its count of values.
int around(int value, int by, int count) {
    return ((value + by) % count + count) % count;
}

// The lights in the order of ViewLight, as the file and --light name them and as the screen
// shows them.
const char* const lightWords[] = {"night", "classic", "bright"};
const char* const lightShown[] = {QT_TRANSLATE_NOOP("Game", "nacht"),
                                  QT_TRANSLATE_NOOP("Game", "klassisch"),
                                  QT_TRANSLATE_NOOP("Game", "hell")};
const char* const mouseWords[] = {"always", "right-button"};
const char* const mouseShown[] = {QT_TRANSLATE_NOOP("Game", "dreht immer"),
                                  QT_TRANSLATE_NOOP("Game", "nur mit rechter taste")};

// Where a word stands in a list of words; -1 when it is none of them.
template <std::size_t N> int indexOf(const char* const (&words)[N], const QString& word) {
    for (std::size_t i = 0; i < N; ++i)
        if (word == QLatin1String(words[i]))
            return int(i);
    return -1;
}

// A choice that is on or off: "an" / "aus" on the screen, "on" / "off" in the file, each key
// turns it over.
template <bool PlayerOptions::*field> QString onOffShown(const PlayerOptions& o) {
    return o.*field ? translated(QT_TRANSLATE_NOOP("Game", "an"))
                    : translated(QT_TRANSLATE_NOOP("Game", "aus"));
}
template <bool PlayerOptions::*field> QString onOffWord(const PlayerOptions& o) {
    return QString::fromLatin1(o.*field ? "on" : "off");
}
template <bool PlayerOptions::*field> bool onOffRead(PlayerOptions& o, const QString& word) {
    const bool on = word == QLatin1String("on");
    if (on || word == QLatin1String("off"))
        o.*field = on;
    return on || word == QLatin1String("off");
}
template <bool PlayerOptions::*field> void onOffStep(PlayerOptions& o, int) {
    o.*field = !(o.*field);
}

// The render scale's place in the screen's round: 0 for "auto", then the scales; a scale given
// on the command line off the round counts as "auto", so that the next step is the first scale.
int scaleIndex(double scale) {
    const auto& s = OptionChoices::renderScales;
    const auto at = std::find(s.begin(), s.end(), scale);
    return at == s.end() ? 0 : int(at - s.begin()) + 1;
}

int languageIndex(const QString& word) {
    const auto& l = OptionChoices::languages;
    for (std::size_t i = 0; i < l.size(); ++i)
        if (word == QLatin1String(l[i].word))
            return int(i);
    return -1;
}

} // namespace

namespace OptionChoices {

const std::array<Language, 7> languages{{{"auto", QT_TRANSLATE_NOOP("Game", "automatisch")},
                                         {"de", "deutsch"},
                                         {"en", "english"},
                                         {"fr", "fran\u00e7ais"},
                                         {"es", "espa\u00f1ol"},
                                         {"pl", "polski"},
                                         {"ru", "\u0440\u0443\u0441\u0441\u043a\u0438\u0439"}}};

namespace {

// A volume's row: 0 to PlayerOptions::loudest, one step a key, stopping at either end. Each
// volume has a row of its own, so the lambdas are made once per volume by a template.
template <int PlayerOptions::*volume>
Row volumeRow(const char* name, int key, int backKey, const char* keyName, const char* line,
              const char* help) {
    return {name,
            key,
            backKey,
            keyName,
            line,
            help,
            [](const PlayerOptions& o) { return QString::number(o.*volume); },
            [](const PlayerOptions& o) { return QString::number(o.*volume); },
            [](PlayerOptions& o, const QString& word) {
                bool number = false;
                const int read = word.toInt(&number);
                const bool step = number && read >= 0 && read <= PlayerOptions::loudest;
                if (step)
                    o.*volume = read;
                return step;
            },
            [](PlayerOptions& o, int by) {
                o.*volume = std::clamp(o.*volume + by, 0, PlayerOptions::loudest);
            }};
}

} // namespace

const std::array<Row, 8> rows{{
    {"light", Qt::Key_L, 0, "l", QT_TRANSLATE_NOOP("Game", "licht: "),
     QT_TRANSLATE_NOOP("Game", "licht: nacht, klassisch, hell"),
     [](const PlayerOptions& o) { return translated(lightShown[int(o.light)]); },
     [](const PlayerOptions& o) { return QString::fromLatin1(lightWords[int(o.light)]); },
     [](PlayerOptions& o, const QString& word) {
         const int at = indexOf(lightWords, word);
         if (at >= 0)
             o.light = ViewLight(at);
         return at >= 0;
     },
     [](PlayerOptions& o, int by) { o.light = ViewLight(around(int(o.light), by, 3)); }},
    {"mouse", Qt::Key_R, 0, "r", QT_TRANSLATE_NOOP("Game", "maus: "),
     QT_TRANSLATE_NOOP("Game", "maus: dreht immer, nur mit rechter taste"),
     [](const PlayerOptions& o) { return translated(mouseShown[int(o.mouse)]); },
     [](const PlayerOptions& o) { return QString::fromLatin1(mouseWords[int(o.mouse)]); },
     [](PlayerOptions& o, const QString& word) {
         const int at = indexOf(mouseWords, word);
         if (at >= 0)
             o.mouse = MouseTurn(at);
         return at >= 0;
     },
     [](PlayerOptions& o, int by) { o.mouse = MouseTurn(around(int(o.mouse), by, 2)); }},
    volumeRow<&PlayerOptions::effectsVolume>("effects-volume", Qt::Key_Plus, Qt::Key_Minus, "- / +",
                                             QT_TRANSLATE_NOOP("Game", "effekte: "),
                                             QT_TRANSLATE_NOOP("Game", "effekte leiser, lauter")),
    volumeRow<&PlayerOptions::musicVolume>("music-volume", Qt::Key_Period, Qt::Key_Comma, ", / .",
                                           QT_TRANSLATE_NOOP("Game", "musik: "),
                                           QT_TRANSLATE_NOOP("Game", "musik leiser, lauter")),
    {"full-screen", Qt::Key_V, 0, "v", QT_TRANSLATE_NOOP("Game", "vollbild: "),
     QT_TRANSLATE_NOOP("Game", "vollbild an / aus"), onOffShown<&PlayerOptions::fullScreen>,
     onOffWord<&PlayerOptions::fullScreen>, onOffRead<&PlayerOptions::fullScreen>,
     onOffStep<&PlayerOptions::fullScreen>},
    {"render-scale", Qt::Key_A, 0, "a", QT_TRANSLATE_NOOP("Game", "aufloesung: "),
     QT_TRANSLATE_NOOP("Game", "aufloesung: auto, 100 % bis 25 %"),
     [](const PlayerOptions& o) {
         return o.renderScale == 0 ? translated(QT_TRANSLATE_NOOP("Game", "auto"))
                                   : QStringLiteral("%1 %").arg(std::lround(o.renderScale * 100));
     },
     [](const PlayerOptions& o) {
         return o.renderScale == 0 ? QStringLiteral("auto") : QString::number(o.renderScale);
     },
     [](PlayerOptions& o, const QString& word) {
         bool number = false;
         const double scale = word.toDouble(&number);
         if (word == QLatin1String("auto"))
             o.renderScale = 0;
         else if (number && scale >= 0.25 && scale <= 1.0)
             o.renderScale = scale;
         else
             return false;
         return true;
     },
     [](PlayerOptions& o, int by) {
         const int at = around(scaleIndex(o.renderScale), by, int(renderScales.size()) + 1);
         o.renderScale = at == 0 ? 0 : renderScales[std::size_t(at - 1)];
     }},
    {"shapes", Qt::Key_F, 0, "f", QT_TRANSLATE_NOOP("Game", "formen: "),
     QT_TRANSLATE_NOOP("Game", "formen: jedes team auch an seiner form erkennen"),
     onOffShown<&PlayerOptions::shapes>, onOffWord<&PlayerOptions::shapes>,
     onOffRead<&PlayerOptions::shapes>, onOffStep<&PlayerOptions::shapes>},
    {"language", Qt::Key_S, 0, "s", QT_TRANSLATE_NOOP("Game", "sprache: "),
     QT_TRANSLATE_NOOP("Game", "sprache der texte"),
     [](const PlayerOptions& o) {
         const int at = std::max(languageIndex(o.language), 0);
         // Only "automatisch" is translated: every language is named in its own words.
         return at == 0 ? translated(languages[0].shown)
                        : QString::fromUtf8(languages[std::size_t(at)].shown);
     },
     [](const PlayerOptions& o) { return o.language; },
     [](PlayerOptions& o, const QString& word) {
         const bool known = languageIndex(word) >= 0;
         if (known)
             o.language = word;
         return known;
     },
     [](PlayerOptions& o, int by) {
         const int at = around(std::max(languageIndex(o.language), 0), by, int(languages.size()));
         o.language = QString::fromLatin1(languages[std::size_t(at)].word);
     }},
}};

} // namespace OptionChoices
