// The turn's key rows, the commands they give and the help lines they make.
#include "game/session/TurnKeys.h"

#include "game/rules/Rules.h"
#include "game/rules/Weapons.h"

#include <QChar>
#include <QCoreApplication>
#include <Qt>

namespace {

using Mode = TurnKeys::Mode;
using Does = TurnKeys::Does;

// How fast a held key turns, drives or raises, in each mode. Driving, Up is forward (a negative
// drive rate); in fire mode Up gives more power.
double speedOf(Does does, Mode mode) {
    const bool aiming = mode == Mode::Aiming;
    switch (does) {
    case Does::Turn:
        return aiming ? Rules::aimSpeed : Rules::turnSpeed;
    case Does::Raise:
        return aiming ? Rules::aimSpeed : Rules::raiseSpeed;
    case Does::Drive:
        return aiming ? Rules::moveSpeed : -Rules::moveSpeed;
    default:
        return 0;
    }
}

double* rateOf(Does does, TurnCommand& keys) {
    switch (does) {
    case Does::Turn:
        return &keys.yawRate;
    case Does::Drive:
        return &keys.driveRate;
    case Does::Raise:
        return &keys.raiseRate;
    default:
        return nullptr;
    }
}

} // namespace

// The key names that read the same in every language are left unmarked for the translators.
const std::array<TurnKeys::Row, 15> TurnKeys::rows{{
    {Qt::Key_Left, Mode::Driving, Does::Turn, +1, QT_TRANSLATE_NOOP("Game", "pfeile"),
     QT_TRANSLATE_NOOP("Game", "drehen und fahren")},
    {Qt::Key_Right, Mode::Driving, Does::Turn, -1, nullptr, nullptr},
    {Qt::Key_Up, Mode::Driving, Does::Drive, +1, nullptr, nullptr},
    {Qt::Key_Down, Mode::Driving, Does::Drive, -1, nullptr, nullptr},
    {Qt::Key_Space, Mode::Driving, Does::Raise, +1, QT_TRANSLATE_NOOP("Game", "leertaste / strg"),
     QT_TRANSLATE_NOOP("Game", "steigen und sinken")},
    {Qt::Key_Control, Mode::Driving, Does::Raise, -1, nullptr, nullptr},
    {Qt::Key_Return, Mode::Driving, Does::Step, 0, "return",
     QT_TRANSLATE_NOOP("Game", "feuermodus")},
    {Qt::Key_Left, Mode::Aiming, Does::Turn, +1, QT_TRANSLATE_NOOP("Game", "links / rechts"),
     QT_TRANSLATE_NOOP("Game", "wurf drehen")},
    {Qt::Key_Right, Mode::Aiming, Does::Turn, -1, nullptr, nullptr},
    {Qt::Key_Space, Mode::Aiming, Does::Raise, +1, QT_TRANSLATE_NOOP("Game", "leertaste / strg"),
     QT_TRANSLATE_NOOP("Game", "wurf heben und senken")},
    {Qt::Key_Control, Mode::Aiming, Does::Raise, -1, nullptr, nullptr},
    {Qt::Key_Up, Mode::Aiming, Does::Drive, +1, QT_TRANSLATE_NOOP("Game", "hoch / runter"),
     QT_TRANSLATE_NOOP("Game", "staerke")},
    {Qt::Key_Down, Mode::Aiming, Does::Drive, -1, nullptr, nullptr},
    {0, Mode::Aiming, Does::Weapon, 0, "", QT_TRANSLATE_NOOP("Game", "waffe")},
    {Qt::Key_Return, Mode::Aiming, Does::Step, 0, "return", QT_TRANSLATE_NOOP("Game", "abschuss")},
}};

TurnCommand TurnKeys::pressed(TurnCommand keys, int key, GameState state) {
    const Mode mode = state == Aiming ? Mode::Aiming : Mode::Driving;
    for (const Row& row : rows) {
        if (row.mode != mode || row.key != key || row.does == Does::Weapon)
            continue;
        if (row.does == Does::Step) {
            keys.step =
                mode == Mode::Aiming ? TurnCommand::Step::Throw : TurnCommand::Step::FireMode;
        } else if (double* rate = rateOf(row.does, keys); *rate == 0) {
            *rate = row.sign * speedOf(row.does, mode);
        }
        return keys;
    }
    // A weapon's key takes it, in a game with every weapon (the rules ignore it otherwise).
    Weapon w;
    if (mode == Mode::Aiming && key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde &&
        Weapons::ofKey(static_cast<char>(QChar(key).toLower().unicode()), &w))
        keys.weapon = static_cast<int>(w) + 1;
    return keys;
}

bool TurnKeys::released(int key, TurnCommand& keys) {
    // A key holds the same rate in both modes, so the first row of the key says which.
    for (const Row& row : rows)
        if (row.key == key && row.key != 0) {
            double* rate = rateOf(row.does, keys);
            if (!rate)
                return false;
            *rate = 0;
            return true;
        }
    return false;
}

QList<TurnKeys::HelpLine> TurnKeys::help(Mode mode, bool everyWeapon) {
    QList<HelpLine> lines;
    for (const Row& row : rows) {
        if (row.mode != mode || !row.helpKey)
            continue;
        if (row.does == Does::Weapon) {
            if (everyWeapon)
                lines.append({QStringLiteral("%1 - %2")
                                  .arg(QLatin1Char(Weapons::table.front().key))
                                  .arg(QLatin1Char(Weapons::table.back().key)),
                              QCoreApplication::translate("Game", row.helpText)});
            continue;
        }
        lines.append({QCoreApplication::translate("Game", row.helpKey),
                      QCoreApplication::translate("Game", row.helpText)});
    }
    return lines;
}
