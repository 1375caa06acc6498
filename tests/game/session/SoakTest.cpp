// Soak: one game window plays many whole rounds with driven time and seeded random input (keys
// with and without auto-repeat, mouse moves, buttons and the wheel in every state, waits past the
// time limits), and the rules' invariants are checked after every tick and every input event:
// the player table, the hit point sums, exactly the live figures plus the fixed world in the
// scene, the collision list and the gravity group, the grenade only where a throw puts it, the
// camera on a live object, and finite positions and velocities.
// TV_SOAK_TURNS sets the turns each soak plays (default 250; the four soaks make 1000), and
// TV_SOAK_SEED varies the input and the game's draws.
#include "engine/scene/VORN_Clock.h"
#include "game/session/Game.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"
#include "tools/driver/MatchDriver.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using VORN_LIB::VORN_BoundingVolume;
using VORN_LIB::VORN_Clock;
using VORN_LIB::VORN_Object;
using VORN_LIB::VORN_PhysicsContainer;
using VORN_LIB::VORN_Vector;

namespace {

long envNumber(const char* name, long fallback) {
    const char* text = std::getenv(name);
    if (!text || !*text)
        return fallback;
    return std::strtol(text, nullptr, 10);
}

// One game window per process: GL light names are never given back.
Game& window() {
    static Game* instance = [] {
        VORN_Clock::setManual(1000);
        Game* g = new Game();
        g->timer()->stop(); // the soak drives every tick itself
        g->QWidget::resize(400, 300);
        g->show();
        QApplication::processEvents();
        return g;
    }();
    return *instance;
}

bool finite(const VORN_Vector& v) {
    return std::isfinite(v.x()) && std::isfinite(v.y()) && std::isfinite(v.z());
}

template <typename List, typename T> int occurrences(const List& list, const T& item) {
    return static_cast<int>(std::count(list.begin(), list.end(), item));
}

std::string text(const VORN_Vector& v) {
    std::ostringstream out;
    out << "(" << v.x() << ", " << v.y() << ", " << v.z() << ")";
    return out.str();
}

class Soak {
public:
    Soak(Game& game, unsigned seed) : g(game), random(seed) {}

    // Plays until the given number of turns have begun; returns the first broken invariant, or an
    // empty text.
    std::string play(long turns, long maxTicks) {
        while (turnsBegun < turns && failure.empty()) {
            if (ticks > maxTicks)
                return "no progress: " + std::to_string(turnsBegun) + " turns after " +
                       std::to_string(ticks) + " ticks";
            step();
        }
        return failure;
    }

    long turnsBegun = 0;
    long gamesStarted = 0;
    long gamesWon = 0;
    long explosions = 0;
    long timeouts = 0;
    long figuresLost = 0;
    long ticks = 0;

private:
    Game& g;
    std::mt19937 random;
    std::string failure;
    // Scene entries of the grenade: every fire mode appends it, and an explosion, a throw out of
    // the valley or an aim out of time takes it out (every entry at once), so only a throw left
    // for the main menu leaves it hanging and the next one lists it once more.
    int grenadeEntries = 0;
    int flightTicks = 0;

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random) < p; }

    // --- input ---------------------------------------------------------------------------------

    void key(int code, bool press, bool autoRepeat = false) {
        QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, code, Qt::NoModifier,
                        QString(), autoRepeat);
        observe([&] { QApplication::sendEvent(&g, &event); });
    }

    void tap(int code) {
        key(code, true);
        key(code, false);
    }

    int anyKey() {
        static const int keys[] = {Qt::Key_Left,  Qt::Key_Right,   Qt::Key_Up,     Qt::Key_Down,
                                   Qt::Key_Space, Qt::Key_Control, Qt::Key_Return, Qt::Key_Escape,
                                   Qt::Key_0,     Qt::Key_1,       Qt::Key_5,      Qt::Key_9,
                                   Qt::Key_A,     Qt::Key_F1,      Qt::Key_Shift,  Qt::Key_P};
        return keys[pick(0, int(sizeof keys / sizeof keys[0]) - 1)];
    }

    int steeringKey() {
        static const int keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up,
                                   Qt::Key_Down, Qt::Key_Space, Qt::Key_Control};
        return keys[pick(0, 5)];
    }

    void mouse() {
        const QPointF at(pick(-50, 450), pick(-50, 350));
        const QPointF onScreen = g.mapToGlobal(at.toPoint());
        static const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::RightButton,
                                                  Qt::MiddleButton};
        const Qt::MouseButton button = buttons[pick(0, 2)];
        switch (pick(0, 3)) {
        case 0: {
            QMouseEvent move(QEvent::MouseMove, at, onScreen, Qt::NoButton,
                             chance(0.5) ? Qt::MouseButtons(button) : Qt::NoButton, Qt::NoModifier);
            observe([&] { QApplication::sendEvent(&g, &move); });
            break;
        }
        case 1: {
            QMouseEvent press(QEvent::MouseButtonPress, at, onScreen, button, button,
                              Qt::NoModifier);
            observe([&] { QApplication::sendEvent(&g, &press); });
            break;
        }
        case 2: {
            QMouseEvent release(QEvent::MouseButtonRelease, at, onScreen, button, Qt::NoButton,
                                Qt::NoModifier);
            observe([&] { QApplication::sendEvent(&g, &release); });
            break;
        }
        default: {
            QWheelEvent wheel(at, at, QPoint(), QPoint(0, pick(-3, 3) * 120), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            observe([&] { QApplication::sendEvent(&g, &wheel); });
            break;
        }
        }
    }

    // Some noise in any state: stray keys (never Escape in the main menu, which closes the
    // window), auto-repeated presses and releases, and the mouse.
    void noise() {
        if (chance(0.002)) { // the window resized, down to nothing, and drawn at that size
            g.QWidget::resize(pick(0, 3) == 0 ? pick(0, 2) : pick(100, 900), pick(0, 700));
            g.repaint();
            QApplication::processEvents();
        }
        const int n = pick(0, 2);
        for (int i = 0; i < n; ++i) {
            if (chance(0.5)) {
                mouse();
                continue;
            }
            int code = anyKey();
            if (g.match->state() == NoGame && g.front.screen == FrontEnd::Screen::MainMenu &&
                code == Qt::Key_Escape)
                code = Qt::Key_A;
            const bool repeat = chance(0.5);
            // An auto-repeated event is ignored; a plain one acts. Escape and Return only go in
            // as repeats here, so that the round is not ended or thrown at random.
            if (!repeat && (code == Qt::Key_Escape || code == Qt::Key_Return))
                continue;
            key(code, chance(0.5), repeat);
        }
    }

    // --- time ----------------------------------------------------------------------------------

    void tick(VORN_Clock::Ticks ms) {
        MatchDriver(*g.match, [&] { observe([&] { g.updateStuff(); }); }).tick(1, ms);
        ++ticks;
        if (ticks % 997 == 0) // now and then a whole frame, overlay included
            g.repaint();
    }

    // A long wait, past every limit of a turn now and then.
    VORN_Clock::Ticks longWait() { return chance(0.5) ? pick(40000, 75000) : pick(1000, 20000); }

    // --- one decision ----------------------------------------------------------------------------

    void step() {
        noise();
        // Escape's question is answered, mostly yes, but never to close the window; a game that
        // stands waits a while, its invariants checked, and goes on.
        if (g.front.asking != FrontEnd::Question::None) {
            const bool quit = g.front.asking == FrontEnd::Question::QuitGame;
            tap(!quit && chance(0.7) ? Qt::Key_J : Qt::Key_N);
            return;
        }
        if (g.match->paused()) {
            tick(chance(0.5) ? 25 : longWait());
            if (g.keyHelpShown())
                tap(Qt::Key_F1);
            if (g.pauseKeyOn())
                tap(Qt::Key_P);
            return;
        }
        switch (g.match->state()) {
        case NoGame: // the menus
            switch (g.front.screen) {
            case FrontEnd::Screen::MainMenu:
                tap(Qt::Key_Return);
                break;
            case FrontEnd::Screen::NetworkMenu: // never reached: no key of the soak opens them
            case FrontEnd::Screen::Options:
            case FrontEnd::Screen::LocalGames:
            case FrontEnd::Screen::Replays:
                tap(Qt::Key_Escape);
                break;
            case FrontEnd::Screen::AskPlayers:
                if (chance(0.05))
                    tap(Qt::Key_Escape);
                else if (chance(0.1))
                    tap(Qt::Key_0 + pick(0, 1)); // refused: one player is no game
                else
                    tap(Qt::Key_0 + pickPlayers());
                break;
            case FrontEnd::Screen::AskFigures:
                if (chance(0.05))
                    tap(Qt::Key_Escape);
                else if (chance(0.05))
                    tap(Qt::Key_0); // refused
                else
                    tap(Qt::Key_0 + pickFigures());
                break;
            case FrontEnd::Screen::AskSettings:
                if (chance(0.05))
                    tap(Qt::Key_Escape);
                else if (chance(0.1))
                    tap(Qt::Key_T); // now and then a random valley, and back
                else if (chance(0.05))
                    tap(Qt::Key_N); // the seats
                else
                    tap(Qt::Key_Return);
                break;
            case FrontEnd::Screen::Seats: { // a seat given to the computer, a person, a colour
                const int keys[] = {Qt::Key_Down, Qt::Key_C, Qt::Key_F, Qt::Key_Return};
                tap(keys[pick(0, 3)]);
                break;
            }
            }
            break;
        case Countdown:
            tick(chance(0.8) ? pick(800, 3500) : 25);
            break;
        case Moving:
            drive();
            break;
        case Aiming:
            aim();
            break;
        case Flying:
            fly();
            break;
        case GameOver:
            if (chance(0.7))
                tap(Qt::Key_Return);
            else
                tick(chance(0.5) ? 25 : longWait());
            break;
        }
    }

    // Mostly small rounds, now and then up to 9 × 9.
    int pickPlayers() { return chance(0.15) ? pick(2, 9) : pick(2, 4); }
    int pickFigures() { return chance(0.15) ? pick(1, 9) : pick(1, 3); }

    void drive() {
        const int roll = pick(0, 99);
        if (roll < 40) {
            key(steeringKey(), chance(0.6), chance(0.2));
            tick(25);
        } else if (roll < 75) {
            for (int i = pick(1, 30); i > 0 && g.match->state() == Moving; --i)
                tick(25);
        } else if (roll < 80) {
            tick(longWait()); // held keys drive far; past 60 s the turn is over
        } else if (roll < 99) {
            releaseAll();
            tap(Qt::Key_Return); // fire mode
        } else {
            tap(Qt::Key_Escape); // back to the main menu
        }
    }

    void aim() {
        const int roll = pick(0, 99);
        if (roll < 3) {
            tap(Qt::Key_Escape);
        } else if (roll < 8) {
            tick(longWait()); // aiming time may run out
        } else if (roll < 45 && g.match->state() == Aiming) {
            aimAtSomeone();
        } else if (roll < 70) {
            key(steeringKey(), chance(0.6), chance(0.2));
            tick(pick(25, 600));
        } else {
            releaseAll();
            tap(Qt::Key_Return); // throw
            flightTicks = 0;
        }
    }

    // A 45° throw at another player's figure, the keys held for just the right time.
    void aimAtSomeone() {
        std::vector<Tortoise*> targets;
        for (unsigned u = 0; u < g.match->playerCount(); ++u)
            if (g.match->players()[u] && int(u) != g.match->currentPlayer())
                for (unsigned j = 0; j < g.match->players()[u]->count; ++j)
                    if (g.match->players()[u]->figure(j))
                        targets.push_back(g.match->players()[u]->figure(j));
        if (targets.empty() || !g.match->currentFigure())
            return;
        const VORN_Vector from = g.match->currentFigure()->worldPosition;
        const VORN_Vector to = targets[pick(0, int(targets.size()) - 1)]->worldPosition;
        const double dx = to.x() - from.x();
        const double dz = to.z() - from.z();
        const double yaw = std::atan2(-dx, -dz) * 180.0 / M_PI - g.match->aimYaw();
        const double power = std::sqrt(std::sqrt(dx * dx + dz * dz) * 0.9);
        releaseAll();
        hold(yaw >= 0 ? Qt::Key_Left : Qt::Key_Right, std::fabs(yaw) / 30.0);
        hold(Qt::Key_Space, (45.0 - g.match->aimPitch()) / 30.0);
        hold(power >= g.match->aimPower() ? Qt::Key_Up : Qt::Key_Down,
             std::fabs(power - g.match->aimPower()) / 2.0);
        if (g.match->state() == Aiming) {
            tap(Qt::Key_Return);
            flightTicks = 0;
        }
    }

    void hold(int code, double seconds) {
        if (g.match->state() != Aiming || seconds <= 0)
            return;
        key(code, true);
        tick(std::lround(seconds * 1000));
        key(code, false);
    }

    void releaseAll() {
        for (int code : {Qt::Key_Left, Qt::Key_Up, Qt::Key_Space})
            key(code, false);
    }

    void fly() {
        ++flightTicks;
        if (chance(0.02))
            tap(Qt::Key_Escape); // ignored in flight
        if (g.match->impactState() == ImpactState::Exploded)
            tick(chance(0.3) ? longWait() : pick(500, 2500)); // the pause after the explosion
        else
            tick(flightTicks < 400 ? pick(25, 100) : 500);
    }

    // --- invariants ----------------------------------------------------------------------------

    // Runs one input or tick, counts what it did, then checks the world.
    template <typename F> void observe(F&& action) {
        const GameState before = g.match->state();
        const ImpactState impactBefore = g.match->impactState();
        const VORN_Clock::Ticks turnStartBefore = g.match->turnStart();
        const int totalBefore = g.match->totalHitPoints();
        const int figuresBefore = static_cast<int>(liveFigures().size());
        action();

        if (g.match->state() == Countdown &&
            (before != Countdown || g.match->turnStart() != turnStartBefore))
            ++turnsBegun;
        if (before == Flying && impactBefore != ImpactState::Exploded &&
            g.match->impactState() == ImpactState::Exploded)
            ++explosions;
        if ((before == Moving && g.match->state() == Countdown &&
             g.match->totalHitPoints() == totalBefore) ||
            (before == Aiming && g.match->state() == Countdown))
            ++timeouts;
        if (before == NoGame && g.match->state() == Countdown)
            ++gamesStarted;
        if (g.match->state() == GameOver && before != GameOver)
            ++gamesWon;
        if (g.match->playerCount() != 0)
            figuresLost += std::max(0, figuresBefore - int(liveFigures().size()));

        if (before == Moving && g.match->state() == Aiming)
            ++grenadeEntries;
        if (before == Flying && impactBefore != ImpactState::Exploded &&
            (g.match->impactState() == ImpactState::Exploded || g.match->state() != Flying))
            grenadeEntries = 0; // exploded or left the valley
        if (before == Aiming && g.match->state() == Countdown)
            grenadeEntries = 0; // the time to throw ran out

        if (failure.empty())
            failure = check();
        if (!failure.empty() && failure.find("after tick") == std::string::npos)
            failure += " (after tick " + std::to_string(ticks) + ", state " +
                       std::to_string(int(before)) + " -> " +
                       std::to_string(int(g.match->state())) + ")";
    }

    std::vector<Tortoise*> liveFigures() const {
        std::vector<Tortoise*> figures;
        for (unsigned u = 0; u < g.match->playerCount(); ++u)
            if (g.match->players()[u])
                for (unsigned j = 0; j < g.match->players()[u]->count; ++j)
                    if (g.match->players()[u]->figure(j))
                        figures.push_back(g.match->players()[u]->figure(j));
        return figures;
    }

    std::string check() const {
        // The player table.
        if (g.match->playerCount() == 0) {
            if (!g.match->players().empty() || !g.match->alivePlayers().isEmpty() ||
                g.match->totalHitPoints() != 0 || g.match->currentFigure())
                return "no round, yet players, hit points or a current figure remain";
        }
        QList<int> present;
        long total = 0;
        std::vector<VORN_Object*> world;
        std::vector<VORN_BoundingVolume*> volumes;
        std::vector<VORN_PhysicsContainer*> bodies;
        for (unsigned u = 0; u < g.match->playerCount(); ++u) {
            const Player* p = g.match->players()[u].get();
            if (!p)
                continue;
            present.append(int(u));
            unsigned standing = 0;
            long health = 0;
            for (unsigned j = 0; j < p->count; ++j) {
                Tortoise* f = p->figure(j);
                if (!f) {
                    if (p->sphere(j) || p->body(j))
                        return "a removed figure left its sphere or container behind";
                    continue;
                }
                ++standing;
                health += f->health;
                if (f->health < 0 || f->health > 100)
                    return "figure health out of range: " + std::to_string(f->health);
                if (!p->sphere(j) || !p->body(j) || p->body(j)->object != f)
                    return "a standing figure lost its sphere or container";
                world.push_back(f);
                volumes.push_back(p->sphere(j));
                bodies.push_back(p->body(j));
                // Inside the valley: a figure that leaves it is out at once. (Its height is not
                // checked: after a stall of seconds a figure can fall through a steep slope, since
                // the terrain's surface query then answers a point beside it.)
                const VORN_Vector& at = f->worldPosition;
                if (!(at.x() >= -80 && at.x() <= 80 && at.z() >= -40 && at.z() <= 40))
                    return "figure of player " + std::to_string(u) +
                           " outside the valley: " + text(at) + ", ground at " +
                           text(g.match->landscape().surfacePoint(at)) + ", moving " +
                           text(p->body(j)->velocity);
                if (!finite(f->position) || !finite(f->worldPosition) || !finite(f->rotation) ||
                    !finite(p->body(j)->velocity))
                    return "figure of player " + std::to_string(u) +
                           " not finite: " + text(f->worldPosition) + " moving " +
                           text(p->body(j)->velocity);
            }
            if (standing == 0)
                return "player " + std::to_string(u) + " has no figure left but is not out";
            if (standing != p->alive)
                return "player " + std::to_string(u) + " counts " + std::to_string(p->alive) +
                       " figures, has " + std::to_string(standing);
            if (health != p->totalHealth)
                return "player " + std::to_string(u) + " health " + std::to_string(p->totalHealth) +
                       ", its figures have " + std::to_string(health);
            total += health;
        }
        if (g.match->alivePlayers() != present)
            return "alivePlayers differs from the players present";
        if (total != g.match->totalHitPoints())
            return "totalHitPoints " + std::to_string(g.match->totalHitPoints()) +
                   ", figures have " + std::to_string(total);

        // The figure on turn belongs to the player on turn.
        if (g.match->state() == Countdown || g.match->state() == Moving ||
            g.match->state() == Aiming) {
            if (g.match->currentPlayer() < 0 ||
                g.match->currentPlayer() >= int(g.match->playerCount()) ||
                !g.match->players()[g.match->currentPlayer()])
                return "the player on turn is out";
            const Player* p = g.match->players()[g.match->currentPlayer()].get();
            if (!g.match->currentFigure() || p->current < 0 || unsigned(p->current) >= p->count ||
                p->figure(p->current) != g.match->currentFigure())
                return "the figure on turn is not the current figure of the player on turn";
        }
        if (g.match->currentFigure() &&
            std::find(world.begin(), world.end(), g.match->currentFigure()) == world.end())
            return "currentFigure points at a removed figure";

        // The grenade in the world only during a throw; in the scene from fire mode until it
        // explodes or leaves the valley.
        const bool inFlight =
            g.match->state() == Flying && g.match->impactState() != ImpactState::Exploded;
        const int shown =
            occurrences(g.match->scene().children, static_cast<VORN_Object*>(&g.match->grenade()));
        if (shown != grenadeEntries)
            return "grenade in the scene " + std::to_string(shown) + " times, expected " +
                   std::to_string(grenadeEntries);
        if ((g.match->state() == Aiming || inFlight) && shown == 0)
            return "the grenade of this throw is not in the scene";
        if (!finite(g.match->grenade().worldPosition) || !finite(g.match->grenadeBody().velocity))
            return "grenade not finite: " + text(g.match->grenade().worldPosition);
        if (!std::isfinite(g.match->aimYaw()) ||
            !(g.match->aimPitch() >= -90 && g.match->aimPitch() <= 90) ||
            !(g.match->aimPower() >= 0))
            return "aim out of range";

        // Scene, collision list and gravity group: the fixed world, the live figures, and the
        // grenade while it flies.
        std::vector<VORN_Object*> children = world;
        for (auto& lamp : g.battlefield().lamps())
            children.push_back(const_cast<VORN_LIB::VORN_Flashlight*>(&lamp));
        children.push_back(const_cast<VORN_LIB::VORN_Light*>(&g.battlefield().light().moonLight()));
        children.push_back(const_cast<VORN_LIB::VORN_Landscape*>(&g.match->landscape()));
        for (int i = 0; i < shown; ++i)
            children.push_back(const_cast<Grenade*>(&g.match->grenade()));
        if (!sameItems(g.match->scene().children, children))
            return "scene children are not the world plus the live figures";

        for (auto& sphere : g.match->lampSpheres())
            volumes.push_back(const_cast<VORN_LIB::VORN_BoundingSphere*>(&sphere));
        volumes.push_back(static_cast<VORN_BoundingVolume*>(
            const_cast<VORN_LIB::VORN_Landscape*>(&g.match->landscape())));
        if (inFlight)
            volumes.push_back(
                const_cast<VORN_LIB::VORN_BoundingSphere*>(&g.match->grenadeSphere()));
        if (!sameItems(g.match->collisions().volumes, volumes))
            return "collision volumes are not the world plus the live figures";

        if (!sameItems(g.match->gravityGroup().containers, bodies))
            return "gravity group is not the live figures";
        if (g.match->grenadeFlying() != inFlight)
            return "the grenade flies out of its flight";

        // The camera follows nothing, the grenade or a figure still standing.
        VORN_Object* followed = g.viewport()->attached;
        if (followed && followed != &g.match->grenade() &&
            std::find(world.begin(), world.end(), followed) == world.end())
            return "the camera follows a removed object";
        if (!finite(g.viewport()->position))
            return "camera position not finite";
        // Only the followed object reports its moves (and its deletion) to the camera.
        world.push_back(const_cast<Grenade*>(&g.match->grenade()));
        for (VORN_Object* object : world)
            if (object->observed != (object == followed))
                return "an object is observed without the camera on it, or the other way round";
        return std::string();
    }

    // Same elements, each as often (order free).
    template <typename List, typename T>
    static bool sameItems(const List& list, std::vector<T> expected) {
        std::vector<T> actual(list.begin(), list.end());
        std::sort(actual.begin(), actual.end());
        std::sort(expected.begin(), expected.end());
        return actual == expected;
    }
};

// Plays turns with one seed and reports what happened; every invariant holds after every tick.
void soak(unsigned seedOffset) {
    const long turns = envNumber("TV_SOAK_TURNS", 250);
    const unsigned seed = unsigned(envNumber("TV_SOAK_SEED", 1)) * 7919u + seedOffset;
    Game& g = window();
    std::srand(seed);
    Soak run(g, seed);
    const std::string failure = run.play(turns, 400 * turns + 10000);
    std::printf("soak seed %u: %ld turns, %ld games begun, %ld ended, %ld explosions, "
                "%ld timed out or lost, %ld figures lost, %ld ticks\n",
                seed, run.turnsBegun, run.gamesStarted, run.gamesWon, run.explosions, run.timeouts,
                run.figuresLost, run.ticks);
    EXPECT_EQ(failure, "") << "seed " << seed;
    EXPECT_GE(run.turnsBegun, turns);
    // The soak really played: rounds were won, grenades exploded and figures fell.
    EXPECT_GT(run.gamesWon, 0);
    EXPECT_GT(run.explosions, 0);
    EXPECT_GT(run.figuresLost, 0);
    VORN_Clock::useReal();
}

} // namespace

TEST(Soak, ManyRoundsKeepEveryInvariantA) {
    soak(1);
}
TEST(Soak, ManyRoundsKeepEveryInvariantB) {
    soak(2);
}
TEST(Soak, ManyRoundsKeepEveryInvariantC) {
    soak(3);
}
TEST(Soak, ManyRoundsKeepEveryInvariantD) {
    soak(4);
}
