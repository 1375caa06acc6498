// The aids to aiming, each on a match of its own with no game window: the camera of fire mode
// behind the aim, the arrows toward the enemies outside the picture, the path and landing of each
// player's last throw, and the strength that throws out of the valley. The camera needs a GL
// context for its axes; nothing here draws.
#include "tests/support/GLTest.h"

#include "engine/render/VORN_Viewport.h"
#include "game/match/Match.h"
#include "game/rules/Rules.h"
#include "game/rules/TurnCommand.h"
#include "game/session/EnemyPointers.h"
#include "game/session/FieldCamera.h"
#include "game/session/ThrowMarks.h"
#include "game/session/ThrowReach.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"
#include "tools/driver/MatchDriver.h"

#include <cmath>
#include <memory>

using VORN_LIB::VORN_Clock;
using VORN_LIB::VORN_Vector;

namespace {

class AimingAids : public GLTest {
protected:
    std::unique_ptr<Match> match = MatchDriver::newMatch();
    MatchDriver driver{*match};
    VORN_LIB::VORN_Viewport camera{&match->scene()};

    void SetUp() override {
        GLTest::SetUp();
        camera.fieldOfView = 45; // as the battlefield sets it up
        camera.nearPlane = 0.001;
        camera.farPlane = 50;
    }
    Tortoise* figure(unsigned player, unsigned slot) const {
        return match->players()[player]->figure(slot);
    }
    QColor colourOf(unsigned player) const {
        const auto& c = match->players()[player]->color;
        return QColor::fromRgbF(c[0], c[1], c[2]);
    }
};

double apart(const VORN_Vector& a, const VORN_Vector& b) {
    return std::sqrt((a - b).lengthSquared());
}

// Degrees between the horizontal parts of two directions.
double headingApart(const VORN_Vector& a, const VORN_Vector& b) {
    return std::abs(
        std::remainder((std::atan2(a.x(), a.z()) - std::atan2(b.x(), b.z())) * 180 / M_PI, 360.0));
}

} // namespace

// In fire mode the camera turns smoothly (the shorter way round) until it looks the way the aim
// points, from behind and above the grenade; the mouse turns it away from that view, and it keeps
// that angle to the aim; E looks away for good, V looks along the aim again; after the throw the
// camera is the player's again.
TEST_F(AimingAids, TheCameraOfFireModeLooksAlongTheAim) {
    driver.startRound(2, 1, 5);
    driver.toMoving();
    FieldCamera steering(camera, *match);
    steering.lock(false);
    steering.viewBehind();
    const double startYaw = camera.yaw;
    TurnCommand fireMode;
    fireMode.step = TurnCommand::Step::FireMode;
    match->apply(fireMode);
    ASSERT_EQ(match->state(), Aiming);
    // A quarter turn away from where the camera looked.
    driver.aim(startYaw + 90, 20, 5);
    const auto followFor = [&](double seconds) {
        for (int i = 0; i < std::lround(seconds / 0.025); ++i) {
            VORN_Clock::advance(25);
            steering.followAim(VORN_Clock::now());
        }
    };
    steering.followAim(VORN_Clock::now());
    followFor(0.025);
    const double firstStep = std::remainder(camera.yaw - startYaw, 360.0);
    EXPECT_GT(firstStep, 1);
    EXPECT_LT(firstStep, 45) << "the camera jumps to the aim";
    followFor(1);
    const VORN_Vector& grenade = match->grenade().worldPosition;
    const auto looksAlongTheAim = [&] {
        const VORN_Vector aim = Rules::throwDirection(match->aimYaw(), match->aimPitch());
        EXPECT_LT(headingApart(camera.back * -1.0, aim), 0.5);
        EXPECT_LT(apart(camera.position, grenade), 1e-9);
        const VORN_Vector eye = camera.position - camera.back * camera.distance;
        EXPECT_GT(eye.y(), grenade.y() + 0.5) << "above the arrow";
        EXPECT_LT(dot(eye - grenade, VORN_Vector(aim.x(), 0, aim.z())), -3) << "behind it";
    };
    looksAlongTheAim();
    EXPECT_NEAR(camera.pitch, FieldCamera::aimViewPitch(20), 0.1);
    EXPECT_GT(FieldCamera::aimViewPitch(45), FieldCamera::aimViewPitch(0));

    // 210° one way is 150° the other: the camera turns the other way.
    driver.aim(match->aimYaw() - 210, 10, 5);
    const double before = camera.yaw;
    followFor(0.025);
    EXPECT_GT(std::remainder(camera.yaw - before, 360.0), 0);
    followFor(1.5);
    looksAlongTheAim();

    // The mouse turns it 20° to the right of the aim's view at once, and it stays so as the aim
    // turns; V looks along the aim again.
    const double held = camera.yaw;
    steering.mousePressed(Qt::LeftButton, QPoint(100, 100)); // where the mouse is
    steering.mouseMoved(QPoint(110, 100));
    EXPECT_NEAR(camera.yaw, held - 20, 1e-9);
    driver.aim(match->aimYaw() + 40, 10, 5);
    followFor(1.5);
    EXPECT_NEAR(std::remainder(camera.yaw - (match->aimYaw() - 20), 360.0), 0, 0.1);
    steering.viewBehind();
    followFor(1.5);
    looksAlongTheAim();

    steering.viewNextEnemy();
    EXPECT_FALSE(steering.followsAim());
    const double enemyYaw = camera.yaw;
    followFor(0.5);
    EXPECT_EQ(camera.yaw, enemyYaw);
    steering.viewBehind();
    followFor(1.5);
    looksAlongTheAim();

    TurnCommand throwIt;
    throwIt.step = TurnCommand::Step::Throw;
    match->apply(throwIt);
    ASSERT_EQ(match->state(), Flying);
    const double thrownYaw = camera.yaw;
    steering.mouseMoved(QPoint(150, 100));
    followFor(0.1);
    EXPECT_NEAR(camera.yaw - thrownYaw, -80, 1e-9) << "the mouse turns it";
}

// An enemy tortoise outside the picture gets an arrow at the edge on its side, in its team's
// colour: one left of the view on the left edge pointing left, one behind the eye on the right on
// the right edge, one far ahead beyond the picture's reach at the top. Enemies in the picture and
// the figures of the player on turn get none.
TEST_F(AimingAids, ArrowsPointAtTheEnemiesOutsideThePicture) {
    driver.startRound(3, 2, 8);
    ASSERT_EQ(match->currentPlayer(), 0);
    figure(0, 0)->setWorldPosition(VORN_Vector(0, 2, 0));
    figure(0, 1)->setWorldPosition(VORN_Vector(-25, 1, -10)); // own, left of the view
    figure(1, 0)->setWorldPosition(VORN_Vector(-25, 1, -10));
    figure(1, 1)->setWorldPosition(VORN_Vector(1, 1, -10)); // in the picture
    figure(2, 0)->setWorldPosition(VORN_Vector(6, 1, 12));  // behind the eye
    figure(2, 1)->setWorldPosition(VORN_Vector(0, 1, -70)); // beyond the far plane
    camera.setView(VORN_Vector(0, 2, 0), 0, -15, -5);
    const QSize window(800, 600);
    EnemyPointers pointers;
    pointers.place(*match, camera, window);
    ASSERT_EQ(pointers.shown().size(), 3u);
    const auto& left = pointers.shown()[0];
    const auto& behind = pointers.shown()[1];
    const auto& far = pointers.shown()[2];

    EXPECT_EQ(left.player, 1u);
    EXPECT_EQ(left.colour, colourOf(1));
    EXPECT_DOUBLE_EQ(left.tip.x(), EnemyPointers::margin);
    EXPECT_GT(left.tip.y(), 0);
    EXPECT_LT(left.tip.y(), 600);
    EXPECT_LT(left.direction.x(), -0.9);

    EXPECT_EQ(behind.player, 2u);
    EXPECT_EQ(behind.colour, colourOf(2));
    EXPECT_DOUBLE_EQ(behind.tip.x(), 800 - EnemyPointers::margin);
    EXPECT_GT(behind.direction.x(), 0.5);

    EXPECT_EQ(far.player, 2u);
    EXPECT_DOUBLE_EQ(far.tip.y(), EnemyPointers::margin);
    EXPECT_LT(far.direction.y(), -0.9);

    // A panel over the left edge: that arrow moves in along its line, off the panel.
    const QRect panel(0, 0, 220, 600);
    EnemyPointers offPanels;
    offPanels.place(*match, camera, window, {panel});
    ASSERT_EQ(offPanels.shown().size(), 3u);
    const auto& moved = offPanels.shown()[0];
    EXPECT_EQ(moved.direction, left.direction);
    EXPECT_GT(moved.tip.x(), panel.right());
    EXPECT_LT(moved.tip.x(), panel.right() + EnemyPointers::length * 1.5);
    const QPointF along = moved.tip - left.tip;
    EXPECT_NEAR(along.x() * left.direction.y() - along.y() * left.direction.x(), 0, 1e-6);
    EXPECT_EQ(offPanels.shown()[1].tip, behind.tip);

    // Turned to look at the one on the left: it gets none, and the one in the middle before is
    // now off to the right.
    camera.setView(VORN_Vector(0, 2, 0), std::atan2(25, 10) * 180 / M_PI, -15, -5);
    pointers.place(*match, camera, window);
    ASSERT_EQ(pointers.shown().size(), 3u);
    EXPECT_EQ(pointers.shown()[0].player, 1u) << "player 1's tortoise in view";
    EXPECT_NE(pointers.shown()[1].player, 1u);
    EXPECT_DOUBLE_EQ(pointers.shown()[0].tip.x(), 800 - EnemyPointers::margin);
}

// Each player's last throw keeps its path, a point every dotSpacing units of the flight and the
// landing last, and its landing mark, through other players' throws until that player throws
// again; a throw that leaves the valley keeps its path and has no mark.
TEST(ThrowMarksTest, TheLastThrowOfEachPlayerStaysUntilItsNextThrow) {
    ThrowMarks marks;
    marks.thrown(0);
    for (int i = 0; i <= 10; ++i) // a quarter unit a step
        marks.flew(VORN_Vector(0.25 * i, 2, 0));
    EXPECT_FALSE(marks.markOf(0));
    marks.landed(VORN_Vector(2.55, 0, 0));
    marks.flew(VORN_Vector(9, 9, 9)); // nothing flies any more
    ASSERT_EQ(marks.pathOf(0).size(), 5u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(marks.pathOf(0)[std::size_t(i)].x(), 0.75 * i);
    EXPECT_EQ(marks.pathOf(0).back().x(), 2.55);
    ASSERT_TRUE(marks.markOf(0));
    EXPECT_EQ(marks.markOf(0)->x(), 2.55);

    marks.thrown(1); // out of the valley
    marks.flew(VORN_Vector(70, 3, 0));
    marks.flew(VORN_Vector(79, 3, 0));
    marks.thrown(2);
    marks.flew(VORN_Vector(5, 3, 5));
    EXPECT_FALSE(marks.markOf(1));
    EXPECT_EQ(marks.pathOf(1).size(), 2u);
    EXPECT_EQ(marks.pathOf(2).size(), 1u);
    EXPECT_EQ(marks.pathOf(0).size(), 5u);
    EXPECT_TRUE(marks.markOf(0));

    marks.thrown(0);
    EXPECT_FALSE(marks.markOf(0));
    EXPECT_TRUE(marks.pathOf(0).empty());
    EXPECT_EQ(marks.pathOf(1).size(), 2u);
}

// Thrown level at 45° toward the edge from 10 units inside it over flat ground, a grenade leaves
// the valley above about √(g·d) and comes down in it below; straight down it never leaves, and
// from beside the edge any throw leaves.
TEST(ThrowReachTest, TheStrengthThatThrowsOutOfTheValley) {
    const GrenadeFlight::Ground flat = [](double, double) { return 0.0; };
    const VORN_Vector start(Rules::playAreaX - 10, Rules::grenadeRadius, 0);
    const VORN_Vector outward = Rules::throwDirection(-90, 45);
    ASSERT_GT(outward.x(), 0.7);
    const auto strength = ThrowReach::leaving(flat, start, outward, 12);
    ASSERT_TRUE(strength);
    EXPECT_NEAR(*strength, std::sqrt(Rules::gravity * 10), 0.05);
    const GrenadeFlight flight(flat, {});
    EXPECT_EQ(flight.fly(start, outward * (*strength * 0.98)).end, GrenadeFlight::End::Ground);
    EXPECT_EQ(flight.fly(start, outward * (*strength * 1.02)).end, GrenadeFlight::End::Outside);

    EXPECT_FALSE(ThrowReach::leaving(flat, start, Rules::throwDirection(90, 45), 4))
        << "inward, the whole bar stays in the valley";
    EXPECT_FALSE(ThrowReach::leaving(flat, start, Rules::throwDirection(0, -90), 12));
    const VORN_Vector atTheEdge(Rules::playAreaX - 0.01, 1, 0);
    const auto nearTheEdge = ThrowReach::leaving(flat, atTheEdge, outward, 12);
    ASSERT_TRUE(nearTheEdge);
    EXPECT_LT(*nearTheEdge, 0.05);
}
