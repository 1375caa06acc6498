// Whole rounds played through the keyboard, as the window shows them: from the main menu through
// the countdown, aiming and the flight to the next player, with the camera on the figure on turn
// and on the grenade; the winner screen, its story page and the draw screen, and the way back to
// the main menu.
// The rules of the same rounds are the match's tests. Times are driven by hand in 25 ms ticks;
// world units, y up.
#include "tests/support/GameDriver.h"

#include "game/session/StoryPanel.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <cstdlib>

using namespace GameDriver;
using VORN_LIB::VORN_Vector;

namespace {

class RoundScenario : public GameScenario {};

// From Moving: Return twice, so the grenade is thrown at the aim of the moment.
void prepareAndFire() {
    tap(Qt::Key_Return);
    tap(Qt::Key_Return);
}

// A line of the end panel, 40 pixels in from its left edge (the panel is as wide as its longest
// line needs), ending inside the panel.
void expectMenuLine(const QImage& image, int baseline, const QString& text) {
    const QRect panel = game().hud().menuPlace();
    expectTextLine(image, panel.left() + 40, baseline, text, 30);
    EXPECT_LT(panel.left() + 40 + textWidth(text, 30), panel.right() - 10) << text.toStdString();
}

} // namespace

TEST_F(RoundScenario, OneTurnFromTheMenuToTheNextPlayer) {
    EXPECT_EQ(g.match->state(), NoGame);
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::MainMenu);
    tap(Qt::Key_Return);
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::AskPlayers);
    tap(Qt::Key_2);
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::AskFigures);
    EXPECT_EQ(g.front.players, 2);
    std::srand(5);
    tap(Qt::Key_1);
    EXPECT_EQ(g.front.figures, 1);
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::AskSettings);
    tap(Qt::Key_Return);

    // The round is set up and the camera waits on player 0's figure through the countdown.
    ASSERT_EQ(g.match->state(), Countdown);
    ASSERT_EQ(g.match->playerCount(), 2u);
    Tortoise* first = g.match->players()[0]->figure(0);
    Tortoise* second = g.match->players()[1]->figure(0);
    EXPECT_EQ(g.match->currentFigure(), first);
    EXPECT_EQ(g.viewport()->attached, first);
    EXPECT_TRUE(g.camera().locked());
    EXPECT_EQ(inScene(first), 1);
    EXPECT_EQ(inScene(second), 1);
    EXPECT_EQ(g.match->scene().children.size(),
              6 + 2); // the lamps, the moon, the valley, the figures
    toMoving();
    EXPECT_FALSE(g.camera().locked());

    // Put the two figures four units apart on open ground, player 1 straight ahead (-z).
    placeOnGround(first, 10, 0);
    placeOnGround(second, 10, -4);
    ticksFor(1);

    // Return: fire mode; Space raises the aim and Up adds power at the rules' speeds.
    tap(Qt::Key_Return);
    ASSERT_EQ(g.match->state(), Aiming);
    hold(Qt::Key_Space, 1.5);
    hold(Qt::Key_Up, 0.45);
    EXPECT_NEAR(g.match->aimPitch(), 45, 1e-6);
    EXPECT_NEAR(g.match->aimPower(), 1.9, 1e-6);
    // The camera has turned to look the way the aim points, from behind the grenade, and
    // lifted with the aim.
    ticksFor(1);
    EXPECT_NEAR(std::remainder(g.viewport()->yaw - g.match->aimYaw(), 360.0), 0, 0.5);
    EXPECT_NEAR(g.viewport()->pitch, FieldCamera::aimViewPitch(45), 0.5);
    EXPECT_LT(distance(g.viewport()->position, g.match->grenade().worldPosition), 1e-9);

    // Return again throws, and the camera follows the grenade until its blast.
    tap(Qt::Key_Return);
    ASSERT_EQ(g.match->state(), Flying);
    EXPECT_EQ(g.viewport()->attached, &g.match->grenade());
    ASSERT_TRUE(tickUntil([&] { return g.match->impactState() != ImpactState::Flying; }, 400));
    EXPECT_EQ(g.match->impactState(), ImpactState::Exploded);
    EXPECT_EQ(g.viewport()->attached, nullptr);
    EXPECT_LT(second->health, 50);

    // Five seconds after the blast the turn passes to player 1, and the camera with it.
    ASSERT_TRUE(tickUntil([&] { return g.match->state() != Flying; }, 400));
    EXPECT_EQ(g.match->state(), Countdown);
    EXPECT_EQ(g.match->currentFigure(), second);
    EXPECT_EQ(g.viewport()->attached, second);
    EXPECT_TRUE(g.camera().locked());
}

TEST_F(RoundScenario, TwoDirectHitsWinTheRound) {
    startRound(2, 1, 9);
    toMoving();
    Tortoise* target = g.match->players()[1]->figure(0);
    ticksFor(4); // both figures reach the ground

    prepareAndFire();
    explodeAt(target->worldPosition);
    ASSERT_EQ(target->health, 25);
    ASSERT_TRUE(tickUntil([&] { return g.match->state() == Countdown; }, 400));
    toMoving();
    ticksFor(2); // the figure settles into the crater
    prepareAndFire();
    explodeAt(target->worldPosition);
    ASSERT_EQ(g.match->players()[1], nullptr);
    tick();
    ASSERT_EQ(g.match->state(), GameOver);

    const QImage image = frame();
    const int cy = image.height() / 2;
    expectMenuLine(image, cy - 120, "spieler 0");
    expectMenuLine(image, cy - 40, "gewinnt");
    expectMenuLine(image, cy + 80, "return:");
    expectMenuLine(image, cy + 120, "zum hauptmenue");
    expectTextLine(image, g.hud().menuPlace().left() + 40, cy + 165, "s: statistik", 20);
    QStringList helped;
    for (const KeyHelp::Line& line : g.keyHelp().lines())
        helped << line.key + " " + line.action;
    EXPECT_TRUE(helped.contains("s statistik / sieger")) << helped.join('|').toStdString();

    // S: the game's story. Player 0 took 75 from player 1, which then blew up its own figure
    // with its last 25; under the table each player's line of hit points in its colour.
    tap(Qt::Key_S);
    ASSERT_TRUE(g.storyShown());
    const QList<QStringList> rows =
        StoryPanel::rows(g.match->story(), [](int u) { return game().hud().playerTitle(u); });
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[1], QStringList({"spieler 0", "75", "0", "0", "0", "75 (zug 1)"}));
    EXPECT_EQ(rows[2], QStringList({"spieler 1", "0", "75", "25", "1", "-"}));
    const QImage story = frame();
    const QRect page = StoryPanel::place(g.overlaySize());
    expectTextLine(story, page.left() + 30, page.top() + 44, "statistik", 20);
    expectTextLine(story, page.left() + 50, page.top() + 84 + 22, "spieler 0", 15);
    const QRect graph = StoryPanel::graphArea(page, 2);
    for (std::size_t u = 0; u < 2; ++u) {
        const QColor team =
            QColor::fromRgbF(g.match->story().colours()[u][0], g.match->story().colours()[u][1],
                             g.match->story().colours()[u][2]);
        int near = 0;
        for (int y = graph.top() - 2; y <= graph.bottom() + 2; ++y)
            for (int x = graph.left(); x <= graph.right(); ++x) {
                const QColor c = story.pixelColor(x, y);
                near += std::abs(c.red() - team.red()) + std::abs(c.green() - team.green()) +
                            std::abs(c.blue() - team.blue()) <
                        12;
            }
        EXPECT_GT(near, 300) << "player " << u;
    }
    // S again: the winner.
    tap(Qt::Key_S);
    EXPECT_FALSE(g.storyShown());
    expectMenuLine(frame(), cy - 40, "gewinnt");
    tap(Qt::Key_S);

    // Only Return leaves the end screen, from the story as from the winner; then nothing of the
    // round is left.
    tap(Qt::Key_Escape);
    tap(Qt::Key_2);
    tick(3);
    EXPECT_EQ(g.match->state(), GameOver);
    tap(Qt::Key_Return);
    EXPECT_EQ(g.match->state(), NoGame);
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::MainMenu);
    EXPECT_TRUE(g.match->players().empty());
    EXPECT_EQ(g.match->scene().children.size(), 6); // the lamps, the moon and the valley
    EXPECT_EQ(log(), QStringList({"", "", "", "", "", "Willkommen"}));
    tick(3);
    EXPECT_EQ(g.match->state(), NoGame);
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::MainMenu);
}

TEST_F(RoundScenario, LastFiguresBlownUpTogetherIsADraw) {
    startRound(2, 1, 21);
    toMoving();
    Tortoise* a = g.match->players()[0]->figure(0);
    Tortoise* b = g.match->players()[1]->figure(0);
    placeOnGround(a, -10, 5);
    placeOnGround(b, -9.4, 5);
    ticksFor(1);
    prepareAndFire();
    explodeAt((a->worldPosition + b->worldPosition) * 0.5);
    ASSERT_TRUE(tickUntil([&] { return g.match->state() == Countdown; }, 400));
    toMoving();
    ticksFor(2);
    prepareAndFire();
    explodeAt((a->worldPosition + b->worldPosition) * 0.5);
    ASSERT_TRUE(g.match->alivePlayers().isEmpty());

    // Nobody is left to take a turn: the round ends, and the camera follows no one.
    g.match->nextTurn();
    EXPECT_EQ(g.match->state(), GameOver);
    EXPECT_EQ(g.viewport()->attached, nullptr);

    tick();
    ticksFor(1.5); // the blast's flash and sparks are over: only the panel's text is white
    const QImage image = frame();
    const int cy = image.height() / 2;
    expectMenuLine(image, cy - 120, "unentschieden");
    expectMenuLine(image, cy - 40, "alle weg");
    expectMenuLine(image, cy + 120, "zum hauptmenue");

    tap(Qt::Key_Return);
    EXPECT_EQ(g.match->state(), NoGame);
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::MainMenu);
    EXPECT_TRUE(g.match->players().empty());
}
