// Plays a short scripted round with synthetic keys and driven time, and writes pictures of each
// stage: menu, the options screen, countdown, moving (also with the key help, in German and in
// English, and with the 3-D picture at half scale; the others at full scale, whatever the machine
// measures), aiming (in German and in English), flight, the blast, crater, end screen and its
// story, then a computer opponent in fire mode, a game with wind and every weapon, the aids to
// aiming in a game of three, the settings screen and four other valleys, the list of replays and
// a paused one, the seats screen with the first turn of its game, and the training's first hint.
// The rounds follow the
// game's rules; only the camera is placed by hand for the end screen. Usage (from build/bin, under
// a display): demo [output folder, default "pictures"] [window size, default 800x600]
#include "engine/terrain/Bitmap.h"
#include "game/app/GameLanguage.h"
#include "game/hosting/ReplayRecorder.h"
#include "game/hosting/ValleyService.h"
#include "game/session/Game.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"
#include "tools/driver/PictureScript.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QTranslator>
#include <cmath>
#include <cstdio>
#include <cstdlib>

using VORN_LIB::VORN_Vector;

namespace {

const PictureScript* script = nullptr;
Game* game = nullptr;

// Holds a key for the given seconds of driven time.
void hold(int code, double seconds) {
    script->key(code, true);
    script->tick(static_cast<int>(std::lround(seconds / 0.025)));
    script->key(code, false);
}

// Writes the frame; with a map, the valley's texture seen from above (north up, as x runs right
// and z down) is set into its top between the panels.
void shoot(const char* name, const Bitmap* map = nullptr) {
    QImage frame = script->frame();
    if (map && !map->pixels.empty()) {
        const QImage texture(map->pixels.data(), map->width, map->height, map->width * 3,
                             QImage::Format_RGB888);
        QPainter painter(&frame);
        painter.drawImage(QRect(210, 8, 380, 190), texture);
        painter.setPen(Qt::white);
        painter.drawRect(QRect(210, 8, 380, 190));
    }
    script->save(frame, name);
}

// Aims from the current figure at the target with a 45° throw, turning and powering up by holding
// the keys for the right time, then throws.
void throwAt(const Tortoise* target) {
    const VORN_Vector from = game->match->currentFigure()->worldPosition;
    const VORN_Vector to = target->worldPosition;
    const double dx = to.x() - from.x();
    const double dz = to.z() - from.z();
    const double range = std::sqrt(dx * dx + dz * dz);
    const double yaw = std::atan2(-dx, -dz) * 180.0 / M_PI;
    const double power = std::sqrt(range * 0.9); // 45° range formula under gravity 0.9
    script->tap(Qt::Key_Return);                 // fire mode
    hold(yaw >= 0 ? Qt::Key_Left : Qt::Key_Right, std::fabs(yaw) / 30.0);
    hold(Qt::Key_Space, 45.0 / 30.0);
    hold(Qt::Key_Up, (power - 1.0) / 2.0);
}

// Turns the camera as a player would, by moving the mouse (2° per pixel; left and up turn left and
// up). Only works while the camera is unlocked: during a turn, a flight and on the end screen.
void turnCamera(double yaw, double pitch) {
    const QPoint to(game->camera().lastMouse().x() - static_cast<int>(std::lround(yaw / 2)),
                    game->camera().lastMouse().y() - static_cast<int>(std::lround(pitch / 2)));
    QMouseEvent event(QEvent::MouseMove, to, game->mapToGlobal(to), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(game, &event);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The games played here are kept in a folder of the demo's own, never the player's.
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    QSize windowSize(800, 600);
    if (argc > 2) { // "1920x1080": the same pictures at another window size
        const QStringList sides = QString(argv[2]).split('x');
        if (sides.size() == 2 && sides[0].toInt() >= 800 && sides[1].toInt() >= 600)
            windowSize = QSize(sides[0].toInt(), sides[1].toInt());
    }
    const PictureScript window(argc > 1 ? argv[1] : "pictures", windowSize);
    script = &window;
    game = window.game;
    shoot("1-menu");
    // The main menu in each language but German and English, and below the same turn in each.
    GameLanguage::available(); // registers the translations
    const char* const languages[] = {"fr", "es", "pl", "ru"};
    const auto inEach = [&languages](const char* what) {
        for (const char* language : languages) {
            QTranslator translation;
            if (!translation.load(QStringLiteral(":/translations/tortoise-valley_%1.qm")
                                      .arg(QLatin1String(language))))
                continue;
            QApplication::installTranslator(&translation);
            shoot(QStringLiteral("20-lang-%1-%2")
                      .arg(QLatin1String(language), QLatin1String(what))
                      .toUtf8()
                      .constData());
            QApplication::removeTranslator(&translation);
        }
    };
    inEach("menu");
    // The options screen with the effects at 7 and the music at 4, then both at 10 again.
    script->tap(Qt::Key_O);
    for (int i = 0; i < 6; ++i)
        script->tap(i < 3 ? Qt::Key_Minus : Qt::Key_Comma);
    script->tap(Qt::Key_Comma);
    script->tap(Qt::Key_Comma);
    script->tap(Qt::Key_Comma);
    shoot("18-options");
    for (int i = 0; i < 9; ++i)
        script->tap(i < 3 ? Qt::Key_Plus : Qt::Key_Period);
    script->tap(Qt::Key_Escape);

    // The seed drops both tortoises into the pool of light of the lamp at (20, 7, 20), six units
    // apart.
    script->tap(Qt::Key_Return);
    script->tap(Qt::Key_2);
    srand(4204);
    script->tap(Qt::Key_1);
    script->tap(Qt::Key_Return); // the settings screen: the classic game
    script->tick(40);
    shoot("2-countdown");

    script->tick(
        240); // the turn starts; the tortoises drop slowly (gravity 0.9) onto the valley floor
    hold(Qt::Key_Left, 0.4);
    hold(Qt::Key_Up, 0.5);
    turnCamera(-25, -15);
    shoot("3-moving");
    inEach("turn");
    // The same frame with the valley drawn at half of each side and scaled up: the 3-D picture
    // gets softer, the panels' and labels' texts stay as sharp.
    game->renderScale.fix(0.5);
    shoot("9-half-scale");
    game->renderScale.fix(1.0);

    // The key help of the same moment, in German and in English.
    script->tap(Qt::Key_F1);
    shoot("9-keys");
    GameLanguage::available(); // registers the translations
    QTranslator english;
    if (english.load(":/translations/tortoise-valley_en.qm")) {
        QApplication::installTranslator(&english);
        shoot("9-keys-en");
        QApplication::removeTranslator(&english);
    }
    script->tap(Qt::Key_F1);

    // Fire mode, seen from the side so that the arrow shows its direction and length.
    const Tortoise* target = game->match->players()[1]->figure(0);
    throwAt(target);
    turnCamera(70, -10);
    shoot("4-aiming");
    if (!english.isEmpty()) { // the aim's figures in English too
        QApplication::installTranslator(&english);
        shoot("4-aiming-en");
        QApplication::removeTranslator(&english);
    }
    turnCamera(-70, 10);

    script->tap(Qt::Key_Return); // throw
    script->tick(40);
    shoot("5-flight");
    for (int i = 0; i < 2000 && game->match->impactState() != ImpactState::Exploded &&
                    game->match->state() == Flying;
         ++i)
        script->tick();
    // The blast a moment after it burst: its flash, its sparks and the hit points it took
    // floating over the tortoise, seen from the side.
    script->tick(4);
    const double blastYaw = game->viewport()->yaw;
    const double blastPitch = game->viewport()->pitch;
    const double blastDistance = game->viewport()->distance;
    turnCamera(60 - blastYaw, -15 - blastPitch);
    game->viewport()->distance = -9;
    shoot("6-blast");
    game->viewport()->distance = blastDistance;
    turnCamera(blastYaw - 60, blastPitch + 15);
    // The camera stays where the grenade burst: turn it to look across the crater, low enough
    // for the rim to stand out against the far wall.
    const double yaw = game->viewport()->yaw;
    const double pitch = game->viewport()->pitch;
    turnCamera(90 - yaw, -10 - pitch);
    shoot("6-crater");
    turnCamera(yaw - 90, pitch + 10);

    // Play on until one side is left: each player throws at the other's first standing tortoise.
    for (int turn = 0; turn < 20 && game->match->state() != GameOver; ++turn) {
        for (int i = 0;
             i < 400 && game->match->state() != Moving && game->match->state() != GameOver; ++i)
            script->tick();
        if (game->match->state() == GameOver)
            break;
        const int other = 1 - game->match->currentPlayer();
        const Player* enemy = game->match->players()[other].get();
        if (!enemy)
            break;
        const Tortoise* aim = nullptr;
        for (unsigned j = 0; j < enemy->count && !aim; ++j)
            aim = enemy->figure(j);
        throwAt(aim);
        script->tap(Qt::Key_Return);
        for (int i = 0; i < 2000 && game->match->state() == Flying; ++i)
            script->tick();
    }
    script->tick(2);
    // The end screen over the winner, seen from above (the camera was left in the last crater).
    if (!game->match->alivePlayers().isEmpty()) {
        const Player* winner = game->match->players()[game->match->alivePlayers().first()].get();
        for (unsigned j = 0; j < winner->count; ++j)
            if (winner->figure(j))
                game->viewport()->setView(winner->figure(j)->worldPosition, 20, -35, -6);
    }
    shoot("7-end");
    script->tap(Qt::Key_S); // the game's story; Return leaves it as it leaves the winner
    shoot("16-story");

    // A computer's turn: back to the main menu, the computer opponents at schwer, and the same
    // two tortoises in the same pool of light. Player 0 throws first as before; player 1 is the
    // computer, caught in fire mode with its aim in place, seen from the side of the arrow.
    script->tap(Qt::Key_Return);
    for (int i = 0; i < 3; ++i)
        script->tap(Qt::Key_C);
    script->tap(Qt::Key_Return);
    script->tap(Qt::Key_2);
    srand(4204);
    script->tap(Qt::Key_1);
    script->tap(Qt::Key_Return);
    for (int i = 0; i < 400 && game->match->state() != Moving; ++i)
        script->tick();
    throwAt(game->match->players()[1]->figure(0));
    script->tap(Qt::Key_Return);
    for (int i = 0;
         i < 2000 && !(game->match->state() == Moving && game->match->currentPlayer() == 1); ++i)
        script->tick();
    // The aim is in place once it has moved and the computer holds no key any more.
    const auto aimed = [] {
        return game->match->state() == Aiming &&
               (game->match->aimPitch() != 0 || game->match->aimPower() != 1.0) &&
               game->match->yawRate() == 0 && game->match->raiseRate() == 0 &&
               game->match->driveRate() == 0;
    };
    for (int i = 0; i < 600 && !aimed() && game->match->state() != GameOver; ++i)
        script->tick();
    const double side = std::remainder(game->match->aimYaw() - 70 - game->viewport()->yaw, 360.0);
    turnCamera(side, -25 - game->viewport()->pitch);
    shoot("8-computer");

    // A game with strong wind and every weapon: the wind's arrow at the top, and in fire mode the
    // weapons under the key panel, the cluster taken.
    script->tap(Qt::Key_Escape);
    script->tap(Qt::Key_J); // yes, leave the game
    const ComputerLevel level = game->match->computer().level;
    game->match->setComputerLevel(ComputerLevel::Off);
    game->front.settings.wind = GameSettings::Wind::Strong;
    game->front.settings.weapons = GameSettings::Weapons::All;
    script->tap(Qt::Key_Return);
    script->tap(Qt::Key_2);
    srand(4204);
    script->tap(Qt::Key_1);
    script->tap(Qt::Key_Return); // the settings screen, as chosen above
    for (int i = 0; i < 400 && game->match->state() != Moving; ++i)
        script->tick();
    throwAt(game->match->players()[1]->figure(0));
    script->tap(Qt::Key_2);
    shoot("10-wind-weapons");
    game->front.settings = GameSettings();

    // The aids to aiming: three players of one tortoise each play a round, and player 0 takes
    // aim at the same tortoise again, seen from beside its aim, with the dotted path and
    // the landing ring of its last throw, the arrows toward the enemies outside the picture and the
    // strength bar's mark where a throw leaves the valley.
    script->tap(Qt::Key_Escape);
    script->tap(Qt::Key_J);
    script->tap(Qt::Key_Return);
    script->tap(Qt::Key_3);
    srand(12);
    script->tap(Qt::Key_1);
    script->tap(Qt::Key_Return);
    const Tortoise* aimedAt = nullptr;
    for (int turn = 0; turn < 4 && game->match->state() != GameOver; ++turn) {
        for (int i = 0; i < 400 && game->match->state() != Moving; ++i)
            script->tick();
        const int next = (game->match->currentPlayer() + 1) % 3;
        const Player* enemy = game->match->players()[std::size_t(next)].get();
        if (!enemy || !enemy->figure(0))
            break;
        if (turn == 3) {
            aimedAt = enemy->figure(0); // player 1's, as in the first turn
            break;
        }
        throwAt(enemy->figure(0));
        script->tap(Qt::Key_Return);
        for (int i = 0; i < 2000 && game->match->state() == Flying; ++i)
            script->tick();
    }
    if (aimedAt && game->match->currentPlayer() == 0) {
        throwAt(aimedAt);
        script->tick(40);   // the camera turns to the aim
        turnCamera(60, -5); // to the side of it and farther back, for the path's arc
        game->viewport()->distance = -14;
        script->tick(20);
        shoot("14-aiming");
        game->viewport()->distance = -5;
    }
    game->match->setComputerLevel(level);

    // Other valleys: the settings screen choosing random valley 4711 with a strong wind and every
    // weapon, then three random valleys and one of the player's own, each seen from above its
    // lit middle as the first turn begins.
    script->tap(Qt::Key_Escape);
    script->tap(Qt::Key_J);
    for (int i = 0; i < 3; ++i)
        script->tap(Qt::Key_C); // the computers off again: player 0 plays
    QTemporaryDir own;
    game->front.valleyFolder = own.path();
    Bitmap crater; // a ring wall around a deep bowl, a hill in its middle
    crater.resize(64, 32);
    for (int r = 0; r < 32; ++r)
        for (int c = 0; c < 64; ++c) {
            const double d = std::hypot((c - 31.5) / 2, r - 15.5) / 16;
            const double h = 0.15 + 0.6 * std::exp(-std::pow((d - 0.75) / 0.12, 2)) +
                             0.35 * std::exp(-std::pow(d / 0.15, 2));
            unsigned char* p = crater.pixels.data() + 3 * (r * 64 + c);
            p[0] = p[1] = p[2] = static_cast<unsigned char>(std::lround(255 * std::min(h, 1.0)));
        }
    crater.save(own.filePath("krater.bmp").toStdString());

    const auto overView = [](const char* name) {
        for (int i = 0; i < 400 && game->match->state() != Moving; ++i)
            script->tick();
        script->tick(120); // the tortoises land
        game->viewport()->attach(nullptr);
        // A lamp's pool of light.
        game->viewport()->setView(VORN_Vector(20, 1.5, 20), -135, -22, -11);
        shoot(name, &game->valleys().texture());
        script->tap(Qt::Key_Escape);
        script->tap(Qt::Key_J);
    };
    const auto toSettings = [] {
        script->tap(Qt::Key_Return);
        script->tap(Qt::Key_4);
        srand(77);
        script->tap(Qt::Key_3);
    };
    toSettings();
    script->tap(Qt::Key_T);
    for (int i = 0; i < 6; ++i)
        script->tap(Qt::Key_Backspace);
    for (int digit : {4, 7, 1, 1})
        script->tap(Qt::Key_0 + digit);
    script->tap(Qt::Key_W);
    script->tap(Qt::Key_W);
    script->tap(Qt::Key_A);
    shoot("10-settings");
    script->tap(Qt::Key_Return);
    overView("11-valley-4711");
    for (const char* number : {"27", "500000"}) {
        toSettings();
        for (int i = 0; i < 6; ++i)
            script->tap(Qt::Key_Backspace);
        for (const char* d = number; *d; ++d)
            script->tap(Qt::Key_0 + (*d - '0'));
        script->tap(Qt::Key_Return);
        overView(QStringLiteral("11-valley-%1").arg(number).toLatin1().constData());
    }
    toSettings();
    script->tap(Qt::Key_T); // after the random valley: the first picture of one's own
    script->tap(Qt::Key_W); // still air
    script->tap(Qt::Key_A); // the grenade alone
    script->tap(Qt::Key_Return);
    overView("12-own-valley");

    // The replays: the list (W) with the tests' kept replay and a broken file, then that replay
    // watched and paused in its second turn, seen from a free camera.
    const QString kept = game->replays().folder();
    if (kept.startsWith(data.path()))   // never a player's own folder
        QDir(kept).removeRecursively(); // the games above were kept as well: only these two
    QDir().mkpath(kept);
    QFile::copy(QStringLiteral("../../tests/game/hosting/data/replay-version-1.tvreplay"),
                kept + QStringLiteral("/2026-12-11_11-30-20.tvreplay"));
    QFile broken(kept + QStringLiteral("/from-a-friend.tvreplay"));
    if (broken.open(QIODevice::WriteOnly))
        broken.write("TVREPLAY"); // cut short
    broken.close();
    if (broken.open(QIODevice::Append)) // listed as from the day before the kept one
        broken.setFileTime(QDateTime(QDate(2026, 12, 10), QTime(20, 15), Qt::UTC),
                           QFileDevice::FileModificationTime);
    broken.close();
    script->tap(Qt::Key_W);
    shoot("25-replays");
    script->tap(Qt::Key_Return);
    script->tap(Qt::Key_PageDown);
    script->tick(160);
    script->tap(Qt::Key_Space);
    turnCamera(40, 10);
    script->tick(2);
    shoot("25-replay-paused");
    script->tap(Qt::Key_Escape); // back to the list
    script->tap(Qt::Key_Escape); // and to the main menu

    // Seats: anna and bert at the keyboard, robo the computer at schwer, spieler 3 at leicht; anna
    // and robo in colours of their own. Then their first turn.
    script->tap(Qt::Key_Return);
    script->tap(Qt::Key_4);
    srand(4204);
    script->tap(Qt::Key_2);
    script->tap(Qt::Key_T); // the standard valley again, after the own one
    script->tap(Qt::Key_N);
    const auto seat = [](const char* name, int players, int colours) {
        if (*name) {
            script->tap(Qt::Key_N);
            script->type(QString::fromLatin1(name));
            script->tap(Qt::Key_Return);
        }
        for (int i = 0; i < players; ++i)
            script->tap(Qt::Key_C);
        for (int i = 0; i < colours; ++i)
            script->tap(Qt::Key_F);
        script->tap(Qt::Key_Down);
    };
    seat("anna", 1, 9);
    seat("robo", 4, 3);
    seat("bert", 1, 0);
    seat("", 2, 0);
    script->tap(Qt::Key_Down); // the first seat chosen again
    shoot("19-seats");
    script->tap(Qt::Key_Return);
    script->tap(Qt::Key_Return);
    for (int i = 0; i < 400 && game->match->state() != Moving; ++i)
        script->tick();
    script->tick(160);
    shoot("19-seats-turn");

    // The training's first hint, the targets standing over the valley.
    script->tap(Qt::Key_Escape);
    script->tap(Qt::Key_J);
    script->tap(Qt::Key_T);
    for (int i = 0; i < 400 && game->match->state() != Moving; ++i)
        script->tick();
    script->tick(40);
    shoot("21-training");
    return 0;
}
