// The match on its own: no window, no GL context, Qt's offscreen platform, so these need no
// display. A throw flies the one flight model's path to where the computer's planner expects it,
// and a blast's events and log come out in the order and the words each machine shows them in;
// the turn's two clocks count to the rules' limits, and a turn out of time says so and leaves no
// grenade behind; a joined machine's copy shows the same clocks from the host's states.
#include "game/match/Match.h"
#include "engine/scene/VORN_Clock.h"
#include "game/computer/GrenadeFlight.h"
#include "game/rules/Flight.h"
#include "game/rules/GameRandom.h"
#include "game/rules/Rules.h"
#include "game/rules/Weapons.h"
#include "game/world/Player.h"
#include "game/world/TeamColours.h"
#include "game/world/Tortoise.h"
#include "tools/driver/MatchDriver.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QOpenGLContext>
#include <QTranslator>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <set>

using VORN_LIB::VORN_Vector;

namespace {

double distance(const VORN_Vector& a, const VORN_Vector& b) {
    return std::sqrt((a - b).lengthSquared());
}

// Chosen before the test program makes its QApplication.
[[maybe_unused]] const bool offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");

class MatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(QGuiApplication::platformName(), QString("offscreen"));
        ASSERT_EQ(QOpenGLContext::currentContext(), nullptr);
    }
    std::unique_ptr<Match> match = MatchDriver::newMatch();
    MatchDriver driver{*match};
};

} // namespace

TEST_F(MatchTest, AThrowFliesTheFlightModelsPathToWhereThePlannerExpectsIt) {
    driver.startRound(2, 1, 3);
    driver.toMoving();
    driver.ticksFor(4); // the figures fall onto the valley and come to rest
    Tortoise* thrower = match->currentFigure();
    Tortoise* target = match->players()[1]->figure(0);
    driver.placeOnGround(thrower, -10, 0);
    driver.placeOnGround(target, 10, 0);

    TurnCommand fireMode;
    fireMode.step = TurnCommand::Step::FireMode;
    match->apply(fireMode);
    ASSERT_EQ(match->state(), Aiming);
    driver.aim(-90, 45, 4.3); // towards +x
    const VORN_Vector start = match->grenade().worldPosition;
    const VORN_Vector launch = Rules::throwDirection(match->aimYaw(), match->aimPitch()) * 4.3;

    // Where the planner expects the blast, on the same ground with the same spheres.
    std::vector<GrenadeFlight::Sphere> spheres{{target->worldPosition, Rules::figureRadius}};
    for (const auto& post : match->lampPosts())
        spheres.push_back({post.worldPosition, Rules::lampRadius});
    const VORN_LIB::VORN_Landscape* land = &match->landscape();
    const GrenadeFlight planner([land](double x, double z) { return land->surfaceHeight(x, z); },
                                spheres);
    const GrenadeFlight::Result expected = planner.fly(start, launch);
    ASSERT_NE(expected.end, GrenadeFlight::End::TooLong);

    VORN_Vector blast;
    QObject::connect(match.get(), &Match::exploded,
                     [&](const VORN_Vector& point) { blast = point; });
    TurnCommand throwIt;
    throwIt.step = TurnCommand::Step::Throw;
    match->apply(throwIt);
    ASSERT_EQ(match->state(), Flying);

    // Each tick the grenade is where the flight model puts it, until it touches something.
    VORN_Vector p = start;
    VORN_Vector v = launch;
    int ticks = 0;
    while (match->impactState() == ImpactState::Flying && ticks < 2000) {
        driver.tick();
        ++ticks;
        if (match->impactState() != ImpactState::Flying)
            break;
        p += Flight::step(v, Rules::tickSeconds);
        ASSERT_NEAR(distance(match->grenade().worldPosition, p), 0, 1e-9) << "tick " << ticks;
    }
    ASSERT_EQ(match->impactState(), ImpactState::Exploded);
    // The match sees the touch at the end of a step, the planner where it first happened.
    EXPECT_LT(distance(blast, expected.point), 4.3 * Rules::tickSeconds + Rules::grenadeRadius);
    EXPECT_NEAR(ticks * Rules::tickSeconds, expected.seconds, Rules::tickSeconds + 1e-9);
    EXPECT_LT(target->health, Rules::startHealth) << "a throw the planner calls a hit hurts";
}

TEST_F(MatchTest, ABlastTellsItsEventsInOrderAndTheLogIsWordedWhereItIsShown) {
    driver.startRound(2, 2, 8);
    driver.toMoving();
    driver.ticksFor(4);
    Player* enemy = match->players()[1].get();
    driver.placeOnGround(enemy->figure(0), 30, 10);
    driver.placeOnGround(enemy->figure(1), 31, 10);
    enemy->figure(0)->health = enemy->figure(1)->health = 20; // a blast at 0.5 takes 62
    driver.placeOnGround(match->currentFigure(), -30, -10);
    Tortoise* standing = match->players()[0]->figure(1);
    driver.placeOnGround(standing, 29, 12.5); // 2.5 from the blast: hurt, not lost

    QStringList events;
    VORN_Vector blast;
    QObject::connect(match.get(), &Match::exploded,
                     [&](const VORN_Vector& point, const QVector<Match::Damage>& hurt) {
                         blast = point;
                         QString line = "exploded";
                         for (const Match::Damage& d : hurt)
                             line += QString(" %1:-%2").arg(d.player).arg(d.damage);
                         events << line;
                     });
    QObject::connect(match.get(), &Match::figureLost,
                     [&](int player) { events << QString("lost %1").arg(player); });
    QObject::connect(match.get(), &Match::playerOut,
                     [&](int player) { events << QString("out %1").arg(player); });
    QObject::connect(match.get(), &Match::gameOver,
                     [&](bool winner) { events << QString("over %1").arg(winner); });

    TurnCommand command;
    command.step = TurnCommand::Step::FireMode;
    match->apply(command);
    command.step = TurnCommand::Step::Throw;
    match->apply(command);
    driver.explodeAt(driver.ground(30.5, 10) + VORN_Vector(0, 0.3, 0));
    driver.tick();

    const double d = distance(standing->worldPosition, blast);
    const QString hurt = QString("exploded 0:-%1").arg(Weapons::damage(Weapon::Grenade, d));
    EXPECT_EQ(events.join(" | ").toStdString(),
              (hurt + " | lost 1 | lost 1 | out 1 | over 1").toStdString());
    EXPECT_EQ(standing->health, Rules::startHealth - Weapons::damage(Weapon::Grenade, d));
    EXPECT_EQ(match->state(), GameOver);

    // The log keeps what happened, the thrower's own hit after the losses; each machine words it
    // in its own language.
    const int own = Weapons::damage(Weapon::Grenade, d);
    const QStringList german{"meldet verluste",
                             "spieler 1",
                             "meldet verluste",
                             "spieler 1",
                             "wird vermisst",
                             QString("spieler 0 trifft sich "
                                     "selbst: -%1")
                                 .arg(own)};
    EXPECT_EQ(driver.log().join(" | ").toStdString(), german.join(" | ").toStdString());
    QTranslator english;
    Q_INIT_RESOURCE(translations);
    ASSERT_TRUE(english.load(":/translations/tortoise-valley_en.qm"));
    QCoreApplication::installTranslator(&english);
    EXPECT_EQ(driver.log().join(" | ").toStdString(),
              QString("reports losses | player 1 | reports losses | player 1 | is missing | "
                      "player 0 hits itself: -%1")
                  .arg(own)
                  .toStdString());
    QCoreApplication::removeTranslator(&english);
    EXPECT_EQ(driver.log().join(" | ").toStdString(), german.join(" | ").toStdString());

    // A hit names both players, by name where they have one, a "%1" in a name kept as written;
    // a hit line that is not one (from a host gone wrong) names only the thrower.
    const LogLine::Names names = [](int p) { return p == 2 ? QString("%1 anna") : QString(); };
    EXPECT_EQ(LogLine::hit(2, 0, 46).shown(names), "%1 anna trifft spieler 0: -46");
    EXPECT_EQ(LogLine::hit(1, 2, 7).shown(names), "spieler 1 trifft %1 anna: -7");
    for (const char* wrong : {"9:5", "1:-5", "x", "1:5:5", ""})
        EXPECT_EQ(LogLine(LogLine::Text::Hit, 1, wrong).shown(), "spieler 1 trifft") << wrong;
}

TEST_F(MatchTest, NinePlayersWearNineDistinctColoursAndASeedDropsTheFiguresWhereItDid) {
    for (unsigned seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE(seed);
        driver.startRound(9, 2, seed);
        // The figures' places come after the three draws of their player's colour, as ever.
        std::srand(seed);
        for (unsigned u = 0; u < 9; ++u) {
            for (int i = 0; i < 3; ++i)
                randomDraw();
            for (unsigned j = 0; j < 2; ++j) {
                const double x = drawInRange(randomDraw(), -Rules::dropAreaX, Rules::dropAreaX);
                const double z = drawInRange(randomDraw(), -Rules::dropAreaZ, Rules::dropAreaZ);
                const VORN_Vector at = match->players()[u]->figure(j)->worldPosition;
                ASSERT_EQ(at.x(), x);
                ASSERT_EQ(at.z(), z);
            }
        }
        // Every colour of the set once.
        std::set<int> worn;
        for (unsigned u = 0; u < 9; ++u) {
            const VORN_LIB::VORN_Color& c = match->players()[u]->color;
            const auto& palette = TeamColours::palette();
            const auto at = std::find_if(palette.begin(), palette.end(), [&](const auto& p) {
                return p[0] == c[0] && p[1] == c[1] && p[2] == c[2];
            });
            ASSERT_NE(at, palette.end()) << u;
            worn.insert(static_cast<int>(at - palette.begin()));
        }
        EXPECT_EQ(worn.size(), 9u);
        match->reset();
    }
}

TEST_F(MatchTest, TheTurnPanelsClocksCountToRulesLimitsAndATurnOutOfTimeSaysSoAndClearsItsGrenade) {
    driver.startRound(2, 1, 5);
    QStringList events;
    QObject::connect(match.get(), &Match::timeUp,
                     [&](int player) { events << QString("time up %1").arg(player); });
    QObject::connect(match.get(), &Match::grenadeGone, [&] { events << "grenade gone"; });
    QObject::connect(match.get(), &Match::turnStarted,
                     [&](int player) { events << QString("turn %1").arg(player); });
    TurnCommand fireMode;
    fireMode.step = TurnCommand::Step::FireMode;
    VORN_LIB::VORN_Clock::Ticks start = 0;
    auto secondsIntoTurn = [&] { return (match->clockNow() - start) * 0.001; };

    // Driving: the time to drive and, on its own, the shorter time to throw, both from the end
    // of the countdown.
    driver.toMoving();
    start = match->turnStart();
    for (double at : {0.5, 30.5, 46.5}) {
        driver.ticksFor(at - secondsIntoTurn());
        SCOPED_TRACE(at);
        EXPECT_EQ(match->secondsLeft(), static_cast<int>(Rules::moveSeconds - at));
        EXPECT_EQ(match->secondsToThrow(), std::max(0, static_cast<int>(Rules::aimSeconds - at)));
    }
    // Past the time to throw Return shows no grenade: the figure drives on to the end of its
    // time.
    match->apply(fireMode);
    EXPECT_EQ(match->state(), Moving);
    EXPECT_FALSE(match->grenadeShown());
    ASSERT_TRUE(driver.tickUntil([&] { return match->state() != Moving; }, 1000));
    EXPECT_NEAR(secondsIntoTurn(), Rules::moveSeconds, Rules::tickSeconds);
    EXPECT_EQ(events.join(" | ").toStdString(), "time up 0 | turn 1");
    EXPECT_EQ(driver.log().last().toStdString(), "zeit abgelaufen");

    // Fire mode shown and never thrown: the turn ends when the time to throw does, and the
    // grenade leaves the world with it rather than hang over the next turn.
    events.clear();
    driver.toMoving();
    start = match->turnStart();
    driver.ticksFor(Rules::aimSeconds - 1);
    match->apply(fireMode);
    ASSERT_EQ(match->state(), Aiming);
    EXPECT_TRUE(match->grenadeShown());
    ASSERT_TRUE(driver.tickUntil([&] { return match->state() != Aiming; }, 100));
    EXPECT_NEAR(secondsIntoTurn(), Rules::aimSeconds, Rules::tickSeconds);
    EXPECT_EQ(events.join(" | ").toStdString(), "grenade gone | time up 1 | turn 0");
    EXPECT_EQ(match->scene().children.count(&match->grenade()), 0);
    EXPECT_FALSE(match->grenadeFlying());
    EXPECT_EQ(driver.log().mid(4).join(" | ").toStdString(), "zeit abgelaufen | zeit abgelaufen");

    // The next fire mode shows the grenade once.
    driver.toMoving();
    match->apply(fireMode);
    EXPECT_EQ(match->scene().children.count(&match->grenade()), 1);
}

// The quick pace gives 30 s to drive and 20 to throw, and the computer throws within them. Its
// preset's sudden death begins with the sixth round: from then on every tortoise loses five points
// at each turn's start, told once in the log, counted as nobody's in the story, until only one
// player is left.
TEST_F(MatchTest, AQuickPaceShortensTheTurnAndSuddenDeathEndsAGameThatNobodyPlays) {
    GameSettings quick;
    quick.pace = GameSettings::Pace::Quick;
    quick.suddenDeath = GameSettings::SuddenDeath::After5;
    match->setSettings(quick);
    driver.startRound(3, 2, 5);
    EXPECT_EQ(driver.log().mid(4).join(" | ").toStdString(),
              "tempo: schnell | sudden death nach 5 runden");
    VORN_LIB::VORN_Clock::Ticks start = 0;
    driver.toMoving();
    start = match->turnStart();
    driver.ticksFor(0.5);
    EXPECT_EQ(match->secondsLeft(), 29);
    EXPECT_EQ(match->secondsToThrow(), 19);
    ASSERT_TRUE(driver.tickUntil([&] { return match->state() != Moving; }, 1400));
    EXPECT_NEAR((match->clockNow() - start) * 0.001, 30, 2 * Rules::tickSeconds);
    EXPECT_EQ(match->round(), 1);

    // Turns passed at once, three to a round: the 16th opens round 6 and the first strike.
    int toldBegun = 0;
    QObject::connect(match.get(), &Match::logChanged, [&] {
        toldBegun += match->messages().back().text == LogLine::Text::SuddenDeath;
    });
    std::vector<int> hitsOn0;
    QObject::connect(match.get(), &Match::struck, [&](const QVector<Match::Damage>& hurt) {
        for (const Match::Damage& d : hurt)
            if (d.player == 0)
                hitsOn0.push_back(d.damage);
    });
    for (int turn = 3; turn <= 15; ++turn) {
        match->nextTurn();
        SCOPED_TRACE(turn);
        EXPECT_EQ(match->round(), (turn + 2) / 3);
        EXPECT_FALSE(match->suddenDeath());
    }
    EXPECT_TRUE(hitsOn0.empty());
    match->nextTurn(); // the 16th: round 6
    EXPECT_EQ(match->round(), 6);
    EXPECT_TRUE(match->suddenDeath());
    EXPECT_EQ(hitsOn0, (std::vector<int>{5, 5}));
    EXPECT_TRUE(driver.log().contains("sudden death: jeder zug kostet 5 punkte"));
    EXPECT_EQ(toldBegun, 1);
    for (const auto& health : driver.healthOfAll())
        for (int h : health)
            EXPECT_EQ(h, 95);

    // Twenty turns more take each figure's last points: a draw, nobody credited with them.
    for (int turn = 0; turn < 40 && match->state() != GameOver; ++turn) {
        match->nextTurn();
        driver.tick();
    }
    EXPECT_EQ(match->state(), GameOver);
    EXPECT_EQ(toldBegun, 1);
    for (const GameStory::Tally& t : match->story().tallies()) {
        EXPECT_EQ(t.dealt, 0);
        EXPECT_EQ(t.lost, 2);
    }
}

// A joined machine's copy follows the host's states, each arriving up to 300 ms late: it shows
// the host's whole seconds and time to throw, and its phase clock keeps one start a phase, so the
// clock's ticks come once each; a throw in flight has no clock until its blast.
TEST_F(MatchTest, AJoinedCopyShowsTheHostsClocksFromOneStartAPhase) {
    using VORN_LIB::VORN_Clock;
    driver.startRound(2, 1, 5);
    std::unique_ptr<Match> copy = MatchDriver::newMatch();
    std::vector<VORN_Clock::Ticks> starts;
    QObject::connect(copy.get(), &Match::turnClock,
                     [&](VORN_Clock::Ticks start, double) { starts.push_back(start); });
    int sent = 0;
    const auto send = [&] {
        const VORN_Clock::Ticks now = VORN_Clock::now();
        const VORN_Clock::Ticks late = (sent++ * 70) % 300;
        copy->takeHostPhase(match->state(), match->secondsLeft(), match->msIntoPhase(now),
                            now + late);
        copy->tellPhaseClock(now + late);
        EXPECT_EQ(copy->state(), match->state());
        EXPECT_EQ(copy->secondsLeft(), match->secondsLeft());
        if (match->state() == Moving || match->state() == Aiming) {
            EXPECT_EQ(copy->secondsToThrow(), match->secondsToThrow()) << sent;
        }
    };
    const auto sendFor = [&](double seconds) {
        for (long i = 0; i < std::lround(seconds / Rules::tickSeconds); ++i) {
            driver.tick();
            send();
        }
    };

    // The countdown and 50 s of driving: one start each, within 300 ms of the host's.
    send();
    ASSERT_EQ(match->state(), Countdown);
    const VORN_Clock::Ticks countdown = match->turnStart();
    sendFor(Rules::countdownSeconds + Rules::tickSeconds);
    ASSERT_EQ(match->state(), Moving);
    sendFor(50);
    ASSERT_FALSE(starts.empty());
    std::vector<VORN_Clock::Ticks> distinct = starts;
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    ASSERT_EQ(distinct.size(), 2u);
    EXPECT_GE(distinct[0] - countdown, 0);
    EXPECT_LT(distinct[0] - countdown, 300);
    EXPECT_GE(distinct[1] - match->turnStart(), 0);
    EXPECT_LT(distinct[1] - match->turnStart(), 300);
    EXPECT_EQ(copy->secondsToThrow(), 0);

    // A host whose next state says its clock is further on than half a second: the copy takes
    // the host's start.
    const VORN_Clock::Ticks now = VORN_Clock::now();
    copy->takeHostPhase(Moving, 8, match->msIntoPhase(now) + 2000, now);
    EXPECT_EQ(copy->turnStart(), match->turnStart() - 2000);
    EXPECT_EQ(copy->msIntoPhase(now), match->msIntoPhase(now) + 2000);

    // Thrown in the next turn: no clock in flight.
    for (int i = 0; i < 800 && !(match->state() == Moving && match->currentPlayer() == 1); ++i)
        sendFor(Rules::tickSeconds);
    ASSERT_EQ(match->state(), Moving);
    TurnCommand step;
    step.step = TurnCommand::Step::FireMode;
    match->apply(step);
    step.step = TurnCommand::Step::Throw;
    match->apply(step);
    ASSERT_EQ(match->state(), Flying);
    starts.clear();
    send();
    EXPECT_EQ(copy->msIntoPhase(VORN_Clock::now()), 0);
    EXPECT_TRUE(starts.empty());
}

// Seats mix named people and computers at levels of their own, whatever the main menu chose: the
// computer plays only its seats, each seat wears the colour it picked while the others are drawn
// from the rest by the same draws (the figures drop where they would with no seat set), the log
// names the players, and the game plays to its end (quick pace, sudden death after five rounds).
TEST_F(MatchTest, AMixedGameOfNamedPeopleAndComputersPlaysToItsEnd) {
    driver.startRound(4, 2, 11);
    std::vector<VORN_Vector> dropped;
    for (const auto& player : match->players())
        for (unsigned j = 0; j < player->count; ++j)
            dropped.push_back(player->figure(j)->worldPosition);
    match->reset();

    GameSettings quick;
    quick.pace = GameSettings::Pace::Quick;
    quick.suddenDeath = GameSettings::SuddenDeath::After5;
    match->setSettings(quick);
    match->setComputerLevel(ComputerLevel::Medium); // the menu's, for seats left as they are
    std::vector<Seat> seats(4);
    seats[0] = {QStringLiteral("anna"), ComputerLevel::Off, 4};
    seats[1] = {QStringLiteral("robo"), ComputerLevel::Hard, -1};
    seats[2] = {QString(), ComputerLevel::Off, -1};       // a person, though the menu has mittel
    seats[3] = {QStringLiteral("bert"), std::nullopt, 4}; // the colour anna has first
    match->setSeats(seats);
    driver.startRound(4, 2, 11);

    std::size_t at = 0;
    for (const auto& player : match->players())
        for (unsigned j = 0; j < player->count; ++j)
            EXPECT_EQ(player->figure(j)->worldPosition.x(), dropped[at++].x());
    const auto& palette = TeamColours::palette();
    const VORN_LIB::VORN_Color& anna = match->players()[0]->color;
    EXPECT_TRUE(anna[0] == palette[4][0] && anna[1] == palette[4][1] && anna[2] == palette[4][2]);
    std::set<std::vector<double>> worn;
    for (const auto& player : match->players())
        worn.insert({player->color[0], player->color[1], player->color[2]});
    EXPECT_EQ(worn.size(), 4u) << "bert's pick, taken already, is drawn among the rest";
    EXPECT_EQ(match->nameOf(0), QStringLiteral("anna"));
    EXPECT_EQ(match->nameOf(2), QString());
    EXPECT_EQ(match->computer().chosenFor(0), ComputerLevel::Off);
    EXPECT_EQ(match->computer().chosenFor(1), ComputerLevel::Hard);
    EXPECT_EQ(match->computer().chosenFor(2), ComputerLevel::Off);
    EXPECT_EQ(match->computer().chosenFor(3), ComputerLevel::Medium);

    // Who plays each turn, and what the log says with the names as the window gives them.
    std::set<int> computerTurns, peopleTurns;
    QObject::connect(match.get(), &Match::playStarted, [&] {
        (match->computerOnTurn() ? computerTurns : peopleTurns).insert(match->currentPlayer());
    });
    QStringList told;
    QObject::connect(match.get(), &Match::logChanged, [&] {
        told << match->messages().back().shown([&](int p) { return match->nameOf(p); });
    });
    ASSERT_TRUE(driver.tickUntil([&] { return match->state() == GameOver; }, 200000));
    EXPECT_EQ(computerTurns, (std::set<int>{1, 3}));
    EXPECT_EQ(peopleTurns, (std::set<int>{0, 2}));
    EXPECT_TRUE(told.filter(QStringLiteral("anna")).size() > 0) << told.join(" | ").toStdString();
    EXPECT_TRUE(told.filter(QStringLiteral("spieler 2")).size() > 0);

    // A host's game played here has none of these seats.
    match->newGameOf({1, 0, 0, 0, 1, 0}, 1);
    EXPECT_EQ(match->nameOf(0), QString());
    EXPECT_EQ(match->computer().chosenFor(1), ComputerLevel::Medium);
}
