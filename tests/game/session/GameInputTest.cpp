// Keyboard and mouse as a player uses them: the menus, driving and turning a figure, aiming, held
// and auto-repeated keys, the camera under the mouse, and full screen. Times are driven by hand in
// 25 ms ticks; angles in degrees, world units, y up.
#include "tests/support/GameDriver.h"

#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtTest/QTest>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

using namespace GameDriver;
using VORN_LIB::VORN_Vector;

namespace {

class InputScenario : public GameScenario {};

struct KeyRate {
    const char* name;
    int key;
    double (Match::*rate)() const;
    double moving; // rate the key sets while driving
    double aiming; // rate the key sets in fire mode
};

const KeyRate keyRates[] = {
    {"Left", Qt::Key_Left, &Match::yawRate, 120, 30},
    {"Right", Qt::Key_Right, &Match::yawRate, -120, -30},
    {"Up", Qt::Key_Up, &Match::driveRate, -2, 2},
    {"Down", Qt::Key_Down, &Match::driveRate, 2, -2},
    {"Space", Qt::Key_Space, &Match::raiseRate, 1, 30},
    {"Control", Qt::Key_Control, &Match::raiseRate, -1, -30},
};

// Heading of a figure on the ground: its forward axis (-z of its own frame) in world x/z.
VORN_Vector forwardOf(const Tortoise* figure) {
    const double a = figure->rotation.y() * M_PI / 180.0;
    return VORN_Vector(-std::sin(a), 0, -std::cos(a));
}

} // namespace

TEST_F(InputScenario, MenusTakeOnlyTheirOwnKeys) {
    // Keypad Enter is not Return; digits mean nothing in the main menu.
    tap(Qt::Key_Enter, Qt::KeypadModifier);
    tap(Qt::Key_5);
    EXPECT_EQ(g.match->state(), NoGame);
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::MainMenu);
    tap(Qt::Key_Return);
    ASSERT_EQ(g.front.screen, FrontEnd::Screen::AskPlayers);

    // A game needs two to nine players.
    tap(Qt::Key_0);
    tap(Qt::Key_1);
    tap(Qt::Key_Return);
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::AskPlayers);
    EXPECT_EQ(g.front.players, 0);
    tap(Qt::Key_Escape);
    EXPECT_EQ(g.match->state(), NoGame);
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::MainMenu);
    tap(Qt::Key_Return);
    tap(Qt::Key_9);
    ASSERT_EQ(g.front.screen, FrontEnd::Screen::AskFigures);
    EXPECT_EQ(g.front.players, 9);

    // Escape goes back one menu, not to the main menu.
    tap(Qt::Key_Escape);
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::AskPlayers);
    tap(Qt::Key_2);
    ASSERT_EQ(g.front.screen, FrontEnd::Screen::AskFigures);
    EXPECT_EQ(g.front.players, 2);

    // At least one figure each; a keypad digit counts like any digit.
    tap(Qt::Key_0);
    tap(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::AskFigures);
    EXPECT_TRUE(g.match->players().empty());
    tap(Qt::Key_3, Qt::KeypadModifier);
    ASSERT_EQ(g.front.screen, FrontEnd::Screen::AskSettings);
    tap(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::AskSettings);
    tap(Qt::Key_Return);
    ASSERT_EQ(g.match->state(), Countdown);
    EXPECT_EQ(g.front.figures, 3);
    EXPECT_EQ(g.match->playerCount(), 2u);
    EXPECT_EQ(g.match->players()[0]->count, 3u);
    EXPECT_EQ(g.match->totalHitPoints(), 600);
    EXPECT_EQ(g.match->scene().children.size(), 6 + 6);
    EXPECT_EQ(g.match->collisions().volumes.size(), 5u + 6u);
    EXPECT_EQ(g.match->gravityGroup().containers.size(), 6u);

    // The countdown takes no keys at all.
    for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Left, Qt::Key_Up, Qt::Key_Space}) {
        tap(key);
        press(key);
    }
    EXPECT_EQ(g.match->state(), Countdown);
    EXPECT_EQ(g.match->yawRate(), 0);
    EXPECT_EQ(g.match->driveRate(), 0);
    EXPECT_EQ(g.match->raiseRate(), 0);
    EXPECT_EQ(g.match->playerCount(), 2u);
}

TEST_F(InputScenario, MouseSteersTheCameraOnlyDuringATurnAndAsTheOptionsSay) {
    VORN_LIB::VORN_Viewport& camera = *g.viewport();
    const double yaw = camera.yaw;
    const double pitch = camera.pitch;

    // Main menu: nothing moves, but the pointer is followed.
    mouseMove(100, 50);
    mouseMove(160, 20);
    wheel(120);
    mousePress(Qt::MiddleButton, 170, 30);
    mouseRelease(Qt::MiddleButton, 170, 30);
    EXPECT_EQ(camera.yaw, yaw);
    EXPECT_EQ(camera.pitch, pitch);
    EXPECT_EQ(camera.distance, -5);
    EXPECT_EQ(g.camera().lastMouse().x(), 170);
    EXPECT_EQ(g.camera().lastMouse().y(), 30);

    // Countdown: the same, from the start view of the turn.
    startRound(2, 1, 14);
    ASSERT_EQ(g.match->state(), Countdown);
    const double turnYaw = camera.yaw;
    const double turnPitch = camera.pitch;
    mouseMove(300, 200);
    wheel(-240);
    mousePress(Qt::MiddleButton, 310, 210);
    mouseMove(300, 200);
    tick(10);
    EXPECT_EQ(camera.yaw, turnYaw);
    EXPECT_EQ(camera.pitch, turnPitch);
    EXPECT_EQ(camera.distance, -5);
    EXPECT_EQ(g.camera().lastMouse().x(), 300);
    EXPECT_EQ(g.camera().lastMouse().y(), 200);

    // During the turn the camera turns 2° per pixel from where the pointer was, without a jump:
    // left and down turn it left and down (down, so that the eye rises and no ground is near).
    toMoving();
    mouseMove(290, 205);
    EXPECT_DOUBLE_EQ(camera.yaw, turnYaw + 20);
    EXPECT_DOUBLE_EQ(camera.pitch, turnPitch - 10);
    mouseMove(300, 200);
    EXPECT_DOUBLE_EQ(camera.yaw, turnYaw);
    EXPECT_DOUBLE_EQ(camera.pitch, turnPitch);

    // The wheel moves the eye by a hundredth of the turn, the middle button puts it on the
    // look-at point; other buttons do nothing.
    wheel(120);
    EXPECT_DOUBLE_EQ(camera.distance, -3.8);
    wheel(-240);
    EXPECT_DOUBLE_EQ(camera.distance, -6.2);
    mousePress(Qt::LeftButton, 320, 220);
    mousePress(Qt::RightButton, 320, 220);
    EXPECT_DOUBLE_EQ(camera.distance, -6.2);
    EXPECT_EQ(g.camera().lastMouse().x(), 320);
    EXPECT_EQ(g.camera().lastMouse().y(), 220);
    mousePress(Qt::MiddleButton, 320, 220);
    EXPECT_EQ(camera.distance, 0);

    // Chosen on the options screen, the mouse turns the camera only while the right button is
    // held, from where it was pressed; the wheel and the middle button work as before.
    tap(Qt::Key_Escape);
    tap(Qt::Key_J);
    ASSERT_EQ(g.front.screen, FrontEnd::Screen::MainMenu);
    tap(Qt::Key_O);
    ASSERT_EQ(g.front.screen, FrontEnd::Screen::Options);
    tap(Qt::Key_R);
    EXPECT_EQ(g.front.options.mouse, MouseTurn::RightButton);
    // The screen's other choices reach the window at once: the effects' and the music's volumes
    // each on its own, the render scale fixed and measured again.
    tap(Qt::Key_Minus);
    EXPECT_NEAR(g.sound.effectsVolume(), 0.9, 1e-6);
    EXPECT_EQ(g.sound.musicVolume(), 1.0);
    tap(Qt::Key_Plus);
    EXPECT_EQ(g.sound.effectsVolume(), 1.0);
    tap(Qt::Key_Comma);
    tap(Qt::Key_Comma);
    EXPECT_NEAR(g.sound.musicVolume(), 0.8, 1e-6);
    EXPECT_EQ(g.sound.effectsVolume(), 1.0);
    tap(Qt::Key_Period);
    tap(Qt::Key_Period);
    EXPECT_EQ(g.sound.musicVolume(), 1.0);
    tap(Qt::Key_A);
    tap(Qt::Key_A);
    EXPECT_TRUE(g.renderScale.isFixed());
    EXPECT_EQ(g.renderScale.scale(), 0.75);
    for (int i = 0; i < 3; ++i)
        tap(Qt::Key_A);
    EXPECT_FALSE(g.renderScale.isFixed());
    tap(Qt::Key_A); // fixed at full size again, as the tests draw
    EXPECT_TRUE(g.renderScale.isFixed());
    EXPECT_EQ(g.renderScale.scale(), 1.0);
    tap(Qt::Key_Escape);
    startRound(2, 1, 14);
    toMoving();
    const double heldYaw = camera.yaw;
    const double heldPitch = camera.pitch;
    mouseMove(250, 250);
    mouseMove(200, 280, Qt::LeftButton);
    EXPECT_EQ(camera.yaw, heldYaw);
    EXPECT_EQ(camera.pitch, heldPitch);
    mousePress(Qt::RightButton, 100, 300);
    mouseMove(90, 305, Qt::RightButton);
    EXPECT_DOUBLE_EQ(camera.yaw, heldYaw + 20);
    EXPECT_DOUBLE_EQ(camera.pitch, heldPitch - 10);
    mouseRelease(Qt::RightButton, 90, 305);
    mouseMove(300, 100);
    EXPECT_DOUBLE_EQ(camera.yaw, heldYaw + 20);
    g.front.options.mouse = MouseTurn::Always;

    // The camera follows the figure on turn.
    EXPECT_EQ(camera.attached, g.match->currentFigure());
    ticksFor(1);
    EXPECT_NEAR(distance(camera.position, g.match->currentFigure()->worldPosition), 0, 1e-9);
}

TEST_F(InputScenario, EachKeySetsItsRateOnlyWhileHeld) {
    startRound(2, 1, 15);
    toMoving();
    for (const KeyRate& k : keyRates) {
        press(k.key);
        EXPECT_EQ(((*g.match).*k.rate)(), k.moving) << k.name << " while driving";
        release(k.key);
        EXPECT_EQ(((*g.match).*k.rate)(), 0) << k.name << " released";
    }
    tap(Qt::Key_Return);
    ASSERT_EQ(g.match->state(), Aiming);
    for (const KeyRate& k : keyRates) {
        press(k.key);
        EXPECT_EQ(((*g.match).*k.rate)(), k.aiming) << k.name << " in fire mode";
        release(k.key);
        EXPECT_EQ(((*g.match).*k.rate)(), 0) << k.name << " released";
    }
    // Keys of no meaning change nothing, pressed or released.
    tap(Qt::Key_A);
    tap(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(g.match->state(), Aiming);
    EXPECT_EQ(g.match->yawRate(), 0);
    EXPECT_EQ(g.match->driveRate(), 0);
    EXPECT_EQ(g.match->raiseRate(), 0);
}

TEST_F(InputScenario, FiguresTurnOnTheSpotAndDriveAlongTheirHeading) {
    startRound(2, 1, 16);
    toMoving();
    Tortoise* figure = g.match->currentFigure();
    placeOnGround(figure, 5, 5);
    ticksFor(1);

    // 0.75 s of Left at 120°/s: a quarter turn to the left, on the spot.
    const VORN_Vector start = figure->worldPosition;
    hold(Qt::Key_Left, 0.75);
    EXPECT_NEAR(figure->rotation.y(), 90, 1e-9);
    EXPECT_LT(horizontalDistance(figure->worldPosition, start), 0.05);

    // Facing -x now: one second of Up drives two units that way.
    const VORN_Vector heading = forwardOf(figure);
    EXPECT_NEAR(heading.x(), -1, 1e-9);
    const VORN_Vector before = figure->worldPosition;
    hold(Qt::Key_Up, 1.0);
    const VORN_Vector moved = figure->worldPosition - before;
    EXPECT_NEAR(std::hypot(moved.x(), moved.z()), 2.0, 0.1);
    EXPECT_NEAR(moved.x(), -2.0, 0.1);
    EXPECT_NEAR(moved.z(), 0.0, 0.1);

    // Down drives back, Right turns back.
    hold(Qt::Key_Down, 0.5);
    EXPECT_LT(horizontalDistance(figure->worldPosition, before), 1.0 + 0.1);
    EXPECT_GT(horizontalDistance(figure->worldPosition, before), 1.0 - 0.1);
    hold(Qt::Key_Right, 0.25);
    EXPECT_NEAR(figure->rotation.y(), 60, 1e-9);
}

TEST_F(InputScenario, OfTwoOppositeKeysTheFirstWinsAndEitherReleaseStops) {
    startRound(2, 1, 17);
    toMoving();
    Tortoise* figure = g.match->currentFigure();

    press(Qt::Key_Left);
    press(Qt::Key_Right); // Left is still held
    EXPECT_EQ(g.match->yawRate(), 120);
    ticksFor(0.25);
    EXPECT_NEAR(figure->rotation.y(), 30, 1e-9);

    release(Qt::Key_Right); // stops the turn although Left is still held
    EXPECT_EQ(g.match->yawRate(), 0);
    ticksFor(0.5);
    EXPECT_NEAR(figure->rotation.y(), 30, 1e-9);
    release(Qt::Key_Left);

    // The same in fire mode, for the power.
    tap(Qt::Key_Return);
    press(Qt::Key_Down);
    press(Qt::Key_Up);
    EXPECT_EQ(g.match->driveRate(), -2);
    ticksFor(0.25);
    EXPECT_NEAR(g.match->aimPower(), 0.5, 1e-9);
    release(Qt::Key_Up);
    ticksFor(0.25);
    EXPECT_NEAR(g.match->aimPower(), 0.5, 1e-9);
    release(Qt::Key_Down);
}

TEST_F(InputScenario, AimStaysWithinItsLimitsAndIsIndependentOfTheHeading) {
    startRound(2, 1, 18);
    toMoving();
    hold(Qt::Key_Left, 0.5); // the figure faces 60° left; the aim does not care
    tap(Qt::Key_Return);
    ASSERT_EQ(g.match->state(), Aiming);

    hold(Qt::Key_Space, 3.5);
    EXPECT_EQ(g.match->aimPitch(), 90);
    hold(Qt::Key_Control, 7.0);
    EXPECT_EQ(g.match->aimPitch(), -90);
    hold(Qt::Key_Space, 1.0);
    EXPECT_NEAR(g.match->aimPitch(), -60, 1e-9);

    hold(Qt::Key_Down, 1.0);
    EXPECT_EQ(g.match->aimPower(), 0);
    hold(Qt::Key_Up, 10.0); // no upper limit
    EXPECT_NEAR(g.match->aimPower(), 20, 1e-9);
    hold(Qt::Key_Down, 8.5);
    EXPECT_NEAR(g.match->aimPower(), 3, 1e-9);

    hold(Qt::Key_Right, 2.0);
    EXPECT_NEAR(g.match->aimYaw(), -60, 1e-9);
    hold(Qt::Key_Left, 3.0); // yaw is not wrapped or limited
    EXPECT_NEAR(g.match->aimYaw(), 30, 1e-9);
    hold(Qt::Key_Space, 2.0);
    EXPECT_NEAR(g.match->aimPitch(), 0, 1e-9);

    // Yaw 30° to the left of -z, level, power 3.
    tap(Qt::Key_Return);
    ASSERT_EQ(g.match->state(), Flying);
    const double a = 30 * M_PI / 180;
    EXPECT_NEAR(distance(g.match->grenadeBody().velocity,
                         VORN_Vector(-3 * std::sin(a), 0, -3 * std::cos(a))),
                0, 1e-9);
}

TEST_F(InputScenario, EscapeAsksAndEveryNewTurnStartsWithTheFiguresStill) {
    startRound(3, 2, 19);
    toMoving();
    press(Qt::Key_Left);
    press(Qt::Key_Up);
    press(Qt::Key_Space);
    tick();

    // Escape asks first, and the game stands while it asks: every other key waits for the
    // answer, N goes back to the game with the keys still held, J leaves it.
    Tortoise* driving = g.match->currentFigure();
    tap(Qt::Key_Escape);
    ASSERT_EQ(g.front.asking, FrontEnd::Question::LeaveGame);
    EXPECT_TRUE(g.match->paused());
    const VORN_Vector asked = driving->worldPosition;
    const VORN_LIB::VORN_Clock::Ticks clock = g.match->clockNow();
    tap(Qt::Key_Return);
    ticksFor(2);
    EXPECT_EQ(g.match->state(), Moving);
    EXPECT_EQ(distance(driving->worldPosition, asked), 0);
    EXPECT_EQ(g.match->clockNow(), clock);
    const QRect notice = g.hud().noticePlace();
    expectTextLine(frame(), notice.left() + 20, notice.top() + 45, "spiel verlassen? j / n", 24);
    tap(Qt::Key_N);
    EXPECT_EQ(g.front.asking, FrontEnd::Question::None);
    EXPECT_FALSE(g.match->paused());
    ticksFor(0.5);
    EXPECT_EQ(g.match->state(), Moving);
    EXPECT_GT(distance(driving->worldPosition, asked), 0.5) << "driven on";
    tap(Qt::Key_Escape);
    tap(Qt::Key_J);

    EXPECT_EQ(g.match->state(), NoGame);
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::MainMenu);
    EXPECT_EQ(g.match->yawRate(), 0);
    EXPECT_EQ(g.match->driveRate(), 0);
    EXPECT_EQ(g.match->raiseRate(), 0);
    EXPECT_TRUE(g.match->players().empty());
    EXPECT_EQ(g.match->playerCount(), 0u);
    EXPECT_EQ(g.match->currentFigure(), nullptr);
    EXPECT_EQ(g.viewport()->attached, nullptr);
    EXPECT_TRUE(g.match->frozen());
    EXPECT_TRUE(g.camera().locked());
    EXPECT_EQ(g.match->scene().children.size(), 6);
    EXPECT_EQ(g.match->collisions().volumes.size(), 5u);
    EXPECT_TRUE(g.match->gravityGroup().containers.empty());
    EXPECT_EQ(log(), QStringList({"", "", "", "", "", "Willkommen"}));

    // The keys come up in the menu, where releases count for nothing; the next game's first
    // figure must still stand until its player touches a key.
    release(Qt::Key_Left);
    release(Qt::Key_Up);
    release(Qt::Key_Space);
    startRound(2, 1, 20);
    EXPECT_EQ(g.match->state(), Countdown);
    EXPECT_EQ(g.match->playerCount(), 2u);
    toMoving();
    Tortoise* first = g.match->currentFigure();
    placeOnGround(first, -10, 5);
    ticksFor(0.5);
    VORN_Vector stood = first->worldPosition;
    const double heading = first->rotation.y();
    ticksFor(1);
    EXPECT_LT(horizontalDistance(first->worldPosition, stood), 0.05); // a slope's creep at most
    EXPECT_EQ(first->rotation.y(), heading);

    // A key held across Return keeps its rate in fire mode; held on through the throw and let go
    // during the flight, it must not steer the next player's figure.
    press(Qt::Key_Up);
    press(Qt::Key_Left);
    tap(Qt::Key_Return);
    ASSERT_EQ(g.match->state(), Aiming);
    EXPECT_EQ(g.match->driveRate(), -2);
    EXPECT_EQ(g.match->yawRate(), 120);
    tap(Qt::Key_Return);
    ASSERT_EQ(g.match->state(), Flying);
    release(Qt::Key_Up);
    release(Qt::Key_Left);
    explodeAt(first->worldPosition + VORN_Vector(30, 0, 0));
    ASSERT_TRUE(tickUntil([&] { return g.match->state() == Countdown; }, 400));
    EXPECT_EQ(g.match->yawRate(), 0);
    EXPECT_EQ(g.match->driveRate(), 0);
    EXPECT_EQ(g.match->raiseRate(), 0);
    toMoving();
    Tortoise* second = g.match->currentFigure();
    ASSERT_NE(second, first);
    placeOnGround(second, 10, 5);
    ticksFor(0.5);
    stood = second->worldPosition;
    const double secondHeading = second->rotation.y();
    ticksFor(1);
    EXPECT_LT(horizontalDistance(second->worldPosition, stood), 0.05);
    EXPECT_EQ(second->rotation.y(), secondHeading);
}

TEST_F(InputScenario, EscapeWhileAimingLeavesTheGrenadeBehindTheMenu) {
    startRound(2, 1, 22);
    toMoving();
    tap(Qt::Key_Return);
    ASSERT_EQ(g.match->state(), Aiming);
    const VORN_Vector shown = g.match->grenade().worldPosition;
    tap(Qt::Key_Escape);
    tap(Qt::Key_J);
    EXPECT_EQ(g.match->state(), NoGame);
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::MainMenu);
    EXPECT_EQ(inScene(&g.match->grenade()), 1);
    tick(20);
    EXPECT_NEAR(distance(g.match->grenade().worldPosition, shown), 0, 1e-12);
}

TEST_F(InputScenario, HeldKeysRepeatWithoutEffect) {
    startRound(2, 1, 23);
    toMoving();
    Tortoise* figure = g.match->currentFigure();

    // A held Left repeats as release/press pairs; the turn goes on undisturbed.
    press(Qt::Key_Left);
    for (int i = 0; i < 10; ++i) {
        tick(2);
        repeat(Qt::Key_Left);
        EXPECT_EQ(g.match->yawRate(), 120);
    }
    release(Qt::Key_Left);
    EXPECT_NEAR(figure->rotation.y(), 120 * 0.5, 1e-9);

    // Holding Return enters fire mode once and never throws.
    press(Qt::Key_Return);
    EXPECT_EQ(g.match->state(), Aiming);
    for (int i = 0; i < 20; ++i) {
        repeat(Qt::Key_Return);
        tick();
    }
    release(Qt::Key_Return);
    EXPECT_EQ(g.match->state(), Aiming);
    EXPECT_FALSE(g.match->grenadeFlying());

    // Only a fresh press throws; the flight takes no keys.
    tap(Qt::Key_Return);
    ASSERT_EQ(g.match->state(), Flying);
    const VORN_Vector velocity = g.match->grenadeBody().velocity;
    for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Left, Qt::Key_Down, Qt::Key_Control})
        tap(key);
    EXPECT_EQ(g.match->state(), Flying);
    EXPECT_EQ(g.match->yawRate(), 0);
    EXPECT_EQ(g.match->driveRate(), 0);
    EXPECT_EQ(g.match->raiseRate(), 0);
    EXPECT_EQ(distance(g.match->grenadeBody().velocity, velocity), 0);
    EXPECT_EQ(g.match->playerCount(), 2u);
}

TEST_F(InputScenario, F11SwitchesFullScreenInEveryStateAndTheFrameFollows) {
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    ASSERT_GT(screen.width(), 800);
    const QSize window(800, 600);
    // F11, then the window system's answer: the window, the picture and the camera at the size.
    auto switchTo = [&](const QSize& size) {
        const GameState before = g.match->state();
        tap(Qt::Key_F11);
        EXPECT_EQ(g.isFullScreen(), size == screen);
        EXPECT_TRUE(QTest::qWaitFor([&] { return g.size() == size; }, 5000))
            << g.width() << " x " << g.height();
        EXPECT_EQ(frame().size(), size);
        EXPECT_EQ(g.viewport()->width, size.width());
        EXPECT_EQ(g.viewport()->height, size.height());
        EXPECT_EQ(g.match->state(), before);
    };

    // The main menu's panel stays in the middle of the full screen.
    switchTo(screen);
    expectTextLine(frame(), screen.width() / 2 - 160, screen.height() / 2 - 120, "return:", 30);
    switchTo(window);

    tap(Qt::Key_Return);
    switchTo(screen);
    tap(Qt::Key_3);
    switchTo(window);
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::AskFigures);
    srand(24);
    tap(Qt::Key_1);
    tap(Qt::Key_Return); // the settings screen
    switchTo(screen);    // countdown
    toMoving();
    press(Qt::Key_Left);
    switchTo(window);
    EXPECT_EQ(g.match->yawRate(), 120); // a held key keeps driving
    release(Qt::Key_Left);
    tap(Qt::Key_Return);
    switchTo(screen); // fire mode
    tap(Qt::Key_Return);
    ASSERT_EQ(g.match->state(), Flying);
    switchTo(window);
}

namespace {

// How high the eye is above the ground under it, the eye placed by the camera's own axes; beyond
// the valley's edge, above the height of the edge nearest to it (lower, it would see the valley
// from below).
double eyeClearance(const VORN_LIB::VORN_Viewport& camera, const VORN_LIB::VORN_Landscape& land) {
    const VORN_Vector eye = camera.position - camera.back * camera.distance;
    const double halfX = land.sizeX / 2 - 1e-6;
    const double halfZ = land.sizeZ / 2 - 1e-6;
    const double x = std::max(-halfX, std::min(halfX, eye.x()));
    const double z = std::max(-halfZ, std::min(halfZ, eye.z()));
    return eye.y() - land.surfaceHeight(x, z);
}

// Horizontal unit vector from a to b.
VORN_Vector across(const VORN_Vector& a, const VORN_Vector& b) {
    const VORN_Vector d(b.x() - a.x(), 0, b.z() - a.z());
    return d * (1.0 / std::sqrt(d.lengthSquared()));
}

} // namespace

// Wherever the mouse turns the camera and the wheel moves the eye, at the foot of a wall, in a
// crater, in a corner of the valley and on its open floor, and while the figure drives into the
// wall, the eye stays above the ground; where the ground stops a turn, the camera stops at the
// ground rather than short of it, and the sideways turn still follows the mouse.
TEST_F(InputScenario, TheEyeStaysAboveTheValleyWhereverMouseAndWheelTakeIt) {
    startRound(2, 1, 23);
    toMoving();
    VORN_LIB::VORN_Viewport& camera = *g.viewport();
    VORN_LIB::VORN_Landscape& land = g.match->landscape();
    Tortoise* figure = g.match->currentFigure();
    ASSERT_NE(figure, nullptr);

    // A wall five units high across the middle of the valley, from z = 9.5 to 11.5.
    for (std::uint32_t r = 0; r < land.rows; ++r)
        for (std::uint32_t c = 0; c < land.columns; ++c) {
            const VORN_Vector p = gridPoint(r, c);
            if (std::abs(p.x()) < 20 && p.z() > 9.5 && p.z() < 11.5)
                land.setHeight(std::size_t(r) * land.columns + c, 1.0);
        }
    land.createNormals(0, 0, 0, 0);
    land.compile();
    land.createCrater(ground(-30, 0), 3.0);

    const struct {
        const char* name;
        double x, z, heading; // heading 0 faces -z
    } places[] = {
        {"the wall behind", 0, 8.8, 0},
        {"in a crater", -30, 0, 90},
        {"in a corner", 79.5, -39.5, 45},
        {"on the open floor", 30, 15, 180},
    };
    const double clearance = camera.groundClearance - 1e-9; // rounding aside
    int stopped = 0;
    for (const auto& place : places) {
        SCOPED_TRACE(place.name);
        figure->rotation[1] = place.heading;
        figure->updateTransform(true);
        placeOnGround(figure, place.x, place.z);
        tap(Qt::Key_V);
        ASSERT_EQ(camera.attached, figure);
        EXPECT_GE(eyeClearance(camera, land), clearance);

        int x = 400;
        int y = 300;
        mouseMove(x, y);
        for (int turn = 0; turn < 12; ++turn) {
            for (int dy : {-10, -10, -30, -60, 25, -25, 90, -45, 55}) {
                const double yaw = camera.yaw;
                const double wanted = std::max(-90.0, std::min(90.0, camera.pitch - 2 * dy));
                mouseMove(x - 15, y + dy);
                x -= 15;
                y += dy;
                EXPECT_DOUBLE_EQ(camera.yaw, yaw + 30);
                const double above = eyeClearance(camera, land);
                ASSERT_GE(above, clearance) << "turn " << turn << " by " << dy;
                if (std::abs(camera.pitch - wanted) > 1e-9) {
                    ++stopped;
                    EXPECT_LT(above, clearance + 0.01) << "stopped short of the ground";
                }
            }
            for (int delta : {-240, 360, -600, 600, 600, -720}) {
                wheel(delta);
                ASSERT_GE(eyeClearance(camera, land), clearance) << "wheel " << delta;
            }
        }
        frame();
        EXPECT_GE(eyeClearance(camera, land), clearance) << "drawn";
    }
    EXPECT_GT(stopped, 20) << "the sweep hardly met the ground";

    // Backing into the wall with the eye low behind the figure: every frame keeps the eye up.
    figure->rotation[1] = 0;
    figure->updateTransform(true);
    placeOnGround(figure, 0, 7);
    tap(Qt::Key_V);
    mouseMove(400, 300);
    mouseMove(400, 292); // a little up, the eye low
    press(Qt::Key_Down);
    for (int i = 0; i < 12; ++i) {
        tick(4);
        frame();
        ASSERT_GE(eyeClearance(camera, land), clearance) << "frame " << i;
    }
    release(Qt::Key_Down);
    EXPECT_GT(figure->worldPosition.z(), 8.0) << "the figure did not back up to the wall";
}

// V puts the camera back to the start view of a turn, behind the figure on turn looking the way
// it faces; E goes from enemy to enemy in the order of their turns, each seen from the side of the
// figure on turn. Neither works while the camera is held (the countdown); every new turn starts
// with the start view, however the last one left the camera.
TEST_F(InputScenario, CameraKeysGoBehindTheFigureAndFromEnemyToEnemy) {
    startRound(3, 2, 29);
    VORN_LIB::VORN_Viewport& camera = *g.viewport();
    const auto expectBehind = [&](const Tortoise* figure) {
        EXPECT_EQ(camera.attached, figure);
        EXPECT_NEAR(distance(camera.position, figure->worldPosition), 0, 1e-9);
        EXPECT_DOUBLE_EQ(camera.distance, -5);
        EXPECT_LE(camera.pitch, -15 + 1e-9) << "looks down over the field";
        EXPECT_GT(camera.pitch, -60);
        const VORN_Vector eye = camera.position - camera.back * camera.distance;
        EXPECT_LT(dot(across(figure->worldPosition, eye), forwardOf(figure)), -0.999) << "behind";
    };
    ASSERT_EQ(g.match->state(), Countdown);
    Tortoise* own = g.match->currentFigure();
    const int player = g.match->currentPlayer();
    expectBehind(own);
    tap(Qt::Key_E);
    EXPECT_EQ(camera.attached, own) << "E while the camera is held";

    toMoving();
    hold(Qt::Key_Left, 0.5); // a new heading
    mouseMove(300, 300);
    mouseMove(200, 250);
    wheel(-600);
    mousePress(Qt::MiddleButton, 200, 250);
    tap(Qt::Key_V);
    expectBehind(own);

    // The enemies: the next player's two figures, then the player's after.
    std::vector<Tortoise*> enemies;
    for (int k = 1; k < 3; ++k)
        for (unsigned j = 0; j < 2; ++j)
            enemies.push_back(g.match->players()[(player + k) % 3]->figure(j));
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        Tortoise* enemy = enemies[i % 4];
        tap(Qt::Key_E);
        ASSERT_EQ(camera.attached, enemy);
        EXPECT_NEAR(distance(camera.position, enemy->worldPosition), 0, 1e-9);
        const VORN_Vector eye = camera.position - camera.back * camera.distance;
        EXPECT_GT(dot(across(enemy->worldPosition, eye),
                      across(enemy->worldPosition, own->worldPosition)),
                  0.999)
            << "seen from the figure on turn";
        EXPECT_GT(horizontalDistance(eye, enemy->worldPosition), 1);
    }
    // The camera keeps the enemy while the own figure drives; V takes it back, E starts anew.
    hold(Qt::Key_Up, 0.3);
    EXPECT_EQ(camera.attached, enemies[0]);
    tap(Qt::Key_V);
    expectBehind(own);
    tap(Qt::Key_E);
    EXPECT_EQ(camera.attached, enemies[0]);

    // Looking at an enemy with the camera turned up as far as the ground lets it, the turn ends:
    // the next one starts behind its own figure.
    mouseMove(200, 100);
    tap(Qt::Key_Return);
    tap(Qt::Key_Return);
    ASSERT_TRUE(tickUntil([&] { return g.match->state() == Countdown; }));
    ASSERT_NE(g.match->currentPlayer(), player);
    expectBehind(g.match->currentFigure());
}

namespace {

// The summed channels of an area of a frame.
long brightness(const QImage& image, const QRect& area) {
    long sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            sum += qRed(p) + qGreen(p) + qBlue(p);
        }
    return sum;
}

} // namespace

TEST_F(InputScenario, KeysOfTheCountdownsLastSecondActAtTheStartAndPOrTheHelpStandTheGame) {
    startRound(2, 1, 23);
    // Return and E in the countdown's last second: fire mode and the enemy's view as it ends.
    ticksFor(2.2);
    tap(Qt::Key_Return);
    tap(Qt::Key_E);
    EXPECT_EQ(g.match->state(), Countdown);
    toMoving();
    EXPECT_EQ(g.match->state(), Aiming);
    EXPECT_EQ(g.viewport()->attached, g.match->players()[1]->figure(0));
    tap(Qt::Key_V);
    tick(4);

    // P: the game stands, dimmed, "pause" over it; no key acts but P, which goes on.
    const QRect picture(220, 240, 80, 120); // beside the panels and the notice
    const long lit = brightness(frame(), picture);
    tap(Qt::Key_P);
    ASSERT_TRUE(g.match->paused());
    const VORN_LIB::VORN_Clock::Ticks clock = g.match->clockNow();
    const int left = g.match->secondsLeft();
    press(Qt::Key_Left);
    tap(Qt::Key_Return);
    ticksFor(3);
    release(Qt::Key_Left);
    EXPECT_EQ(g.match->state(), Aiming);
    EXPECT_EQ(g.match->aimYaw(), 0);
    EXPECT_EQ(g.match->clockNow(), clock);
    EXPECT_EQ(g.match->secondsLeft(), left);
    const QImage dimmed = frame();
    const QRect notice = g.hud().noticePlace();
    expectTextLine(dimmed, notice.left() + 20, notice.top() + 50, "pause", 30);
    expectTextLine(dimmed, notice.left() + 20, notice.top() + 88, "p: weiter", 20);
    EXPECT_LT(brightness(dimmed, picture), lit * 2 / 3) << "the picture dims";
    EXPECT_GT(lit, 0);
    tap(Qt::Key_P);
    EXPECT_FALSE(g.match->paused());
    EXPECT_TRUE(g.hud().noticeLines().isEmpty());
    ticksFor(1.1);
    EXPECT_EQ(g.match->secondsLeft(), left - 1) << "the clock goes on where it stood";

    // The key help during a turn stands it as well, until it is closed.
    tap(Qt::Key_F1);
    EXPECT_TRUE(g.match->paused());
    const VORN_LIB::VORN_Clock::Ticks helped = g.match->clockNow();
    ticksFor(2);
    EXPECT_EQ(g.match->clockNow(), helped);
    tap(Qt::Key_F1);
    EXPECT_FALSE(g.match->paused());
    tick();
    EXPECT_EQ(g.match->clockNow(), helped + 25);

    // Past the time to throw in the next turn, Return is answered and the turn panel shows the
    // time to drive alone.
    tap(Qt::Key_Return);
    ASSERT_TRUE(tickUntil([&] { return g.match->state() == Countdown; }, 400));
    toMoving();
    ticksFor(Rules::aimSeconds + 0.5);
    tap(Qt::Key_Return);
    EXPECT_EQ(g.match->state(), Moving);
    EXPECT_EQ(log().last(), "keine zeit mehr zum werfen");
    EXPECT_TRUE(noTextIn(frame(), QRect(5, 170, 190, 25))) << "no time to throw shown";
}
