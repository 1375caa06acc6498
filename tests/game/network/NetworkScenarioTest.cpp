// Network play over 127.0.0.1 with real sockets: the game window of this process is the host or
// the joined machine, and the test speaks the wire format as the other side. Waits are bounded.
#include "tests/support/EventLoop.h"
#include "tests/support/GameDriver.h"
#include "tests/support/WirePeer.h"

#include "game/hosting/JoinedMatch.h"
#include "game/hosting/ValleyService.h"

#include "engine/terrain/Bitmap.h"
#include "game/hosting/MatchHost.h"
#include "game/network/FrameCodec.h"
#include "game/network/FrameReader.h"
#include "game/network/GameFinder.h"
#include "game/network/NetworkClient.h"
#include "game/network/NetworkConnection.h"
#include "game/network/NetworkHost.h"
#include "game/rules/Rules.h"
#include "game/session/PlayerList.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"
#include "game/world/ValleyGenerator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <algorithm>
#include <memory>

using namespace GameDriver;
using namespace Network;
using VORN_LIB::VORN_Vector;

namespace {

class NetworkScenario : public GameScenario {};

// A machine joining by hand on this machine; one that does not answer only says hello.
struct Peer : WirePeer {
    explicit Peer(quint16 port, bool answers = true)
        : WirePeer(QStringLiteral("127.0.0.1"), port,
                   answers ? Reading::Answers : Reading::Silent) {}
};

// Runs the event loop for ms milliseconds.
void pause(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

TurnCommand rates(double yaw, double raise, double drive,
                  TurnCommand::Step step = TurnCommand::Step::None) {
    TurnCommand c;
    c.yawRate = yaw;
    c.raiseRate = raise;
    c.driveRate = drive;
    c.step = step;
    return c;
}

// The chat lines a machine was sent, "seat: text".
QStringList chatsIn(const std::vector<Message>& got) {
    QStringList lines;
    for (const Message& m : got)
        if (const auto* c = std::get_if<Chat>(&m))
            lines << QString::number(c->seat) + QStringLiteral(": ") + c->text;
    return lines;
}

// Says a line and waits until the host has passed it back: whatever the peer sent before it has
// been taken by then (one connection keeps its order), so nothing of it is still on the way.
void heardAfter(Peer& peer, const QString& line) {
    peer.send(Say{line});
    ASSERT_TRUE(waitFor([&] { return chatsIn(peer.got).contains(QStringLiteral("1: ") + line); }));
}

} // namespace

TEST_F(NetworkScenario, TheHostPlaysAJoinedSeatOnlyFromItsMachineAndSurvivesBadPeers) {
    ASSERT_TRUE(g.hostGame(0));
    const quint16 port = g.host()->port();

    // A machine of another protocol is turned away, and told why.
    Peer stranger(port);
    stranger.send(Hello{protocolVersion + 1, QStringLiteral("9.9")});
    ASSERT_TRUE(waitFor([&] { return stranger.closed(); }));
    ASSERT_NE(stranger.last<Refused>(), nullptr);
    EXPECT_EQ(stranger.last<Refused>()->reason, Refused::WrongVersion);

    Peer friendly(port);
    friendly.send(Hello{protocolVersion, QStringLiteral("1.0.0")});
    ASSERT_TRUE(waitFor([&] { return friendly.last<Welcome>() != nullptr; }));
    EXPECT_EQ(friendly.last<Welcome>()->seat, 1);
    EXPECT_TRUE(log().contains(QStringLiteral("spieler 1 ist beigetreten")));

    // Garbage, a second hello, or a command for a seat it does not hold closes that one
    // connection; the game and the other machine go on.
    for (const QByteArray& bad : {QByteArray("\x00\x00\x00\x05\x63garbage", 12),
                                  FrameCodec::encode(Hello{protocolVersion, QString()}),
                                  FrameCodec::encode(Command{0, rates(120, 0, 0)}),
                                  QByteArray("\x7f\xff\xff\xff", 4) + QByteArray(1000, 'x')}) {
        Peer rude(port);
        rude.send(Hello{protocolVersion, QStringLiteral("1.0.0")});
        ASSERT_TRUE(waitFor([&] { return rude.last<Welcome>() != nullptr; }));
        EXPECT_EQ(rude.last<Welcome>()->seat, 2);
        rude.sendBytes(bad);
        EXPECT_TRUE(waitFor([&] { return rude.closed(); }));
    }
    tick();
    EXPECT_FALSE(friendly.closed());
    EXPECT_EQ(g.host()->joinedCount(), 1);

    startRound(2, 1, 5);
    ASSERT_TRUE(waitFor([&] { return friendly.last<Start>() != nullptr; }));
    EXPECT_EQ(friendly.last<Start>()->colours.size(), 6);
    // The game's settings come first: the classic game's.
    ASSERT_NE(friendly.last<Valley>(), nullptr);
    EXPECT_EQ(friendly.last<Valley>()->settings, GameSettings());
    // Right before the start, leaving out the host's pings, which may come at any time.
    {
        auto start = friendly.got.size();
        while (start > 0 && !std::holds_alternative<Start>(friendly.got[start - 1]))
            --start;
        auto before = start - 1;
        while (before > 0 && std::holds_alternative<Ping>(friendly.got[before - 1]))
            --before;
        ASSERT_GT(before, 0u);
        EXPECT_TRUE(std::holds_alternative<Valley>(friendly.got[before - 1]));
    }
    toMoving();

    // The hosting window's P and key help stop no clock: the joined machines play on.
    tap(Qt::Key_P);
    tap(Qt::Key_F1);
    const VORN_LIB::VORN_Clock::Ticks hosted = g.match->clockNow();
    tick();
    EXPECT_FALSE(g.match->paused());
    EXPECT_EQ(g.match->clockNow(), hosted + 25);
    tap(Qt::Key_F1);

    // Spieler 0's turn, at the host's keyboard: the joined machine's commands do nothing.
    friendly.send(Command{1, rates(120, 0, -2)});
    friendly.send(Step{1, 1, TurnCommand::Step::FireMode});
    heardAfter(friendly, QStringLiteral("eins")); // the host has taken both by then
    tick();
    EXPECT_EQ(g.match->state(), Moving);
    EXPECT_EQ(g.match->yawRate(), 0);
    tap(Qt::Key_Return);
    hold(Qt::Key_Space, 1.5);
    tap(Qt::Key_Return);
    ASSERT_TRUE(tickUntil(
        [&] { return g.match->state() == Countdown && g.match->currentPlayer() == 1; }, 1000));
    toMoving();

    // Spieler 1's turn: the host's keys do nothing, the joined machine drives and throws.
    press(Qt::Key_Left);
    EXPECT_EQ(g.match->yawRate(), 0);
    release(Qt::Key_Left);
    friendly.send(Command{1, rates(120, 0, 0)});
    ASSERT_TRUE(waitFor([&] { return g.match->yawRate() == 120; }));
    ticksFor(0.5);
    // Steps come numbered: a number taken already is a repeat and does nothing.
    friendly.send(Command{1, rates(0, 0, 0)});
    friendly.send(Step{1, 1, TurnCommand::Step::FireMode});
    heardAfter(friendly, QStringLiteral("zwei"));
    EXPECT_EQ(g.match->state(), Moving);
    friendly.send(Step{1, 2, TurnCommand::Step::FireMode});
    ASSERT_TRUE(waitFor([&] { return g.match->state() == Aiming; }));
    friendly.send(Command{1, rates(0, 30, 2)});
    ASSERT_TRUE(waitFor([&] { return g.match->raiseRate() == 30; }));
    ticksFor(1.5);
    friendly.send(Step{1, 3, TurnCommand::Step::Throw});
    ASSERT_TRUE(waitFor([&] { return g.match->state() == Flying; }));

    // Each tick's state tells the joined machine where every figure is and how it is.
    tick();
    ASSERT_TRUE(waitFor([&] {
        const State* s = friendly.last<State>();
        return s && s->state == Flying;
    }));
    const State& shown = *friendly.last<State>();
    ASSERT_EQ(shown.figures.size(), 2);
    for (const Figure& f : shown.figures) {
        const Tortoise* figure = g.match->players()[f.player]->figure(f.slot);
        EXPECT_LT(distance(VORN_Vector(f.x, f.y, f.z), figure->worldPosition), 1e-4);
        EXPECT_EQ(f.health, figure->health);
    }

    // The joined machine goes away in the middle of its next turn: the computer plays on.
    ASSERT_TRUE(tickUntil(
        [&] { return g.match->state() == Countdown && g.match->currentPlayer() == 0; }, 1000));
    toMoving();
    tap(Qt::Key_Return);
    hold(Qt::Key_Space, 1.5);
    tap(Qt::Key_Return);
    ASSERT_TRUE(tickUntil(
        [&] { return g.match->state() == Moving && g.match->currentPlayer() == 1; }, 1000));
    ticksFor(0.5);
    friendly.socket.abort();
    ASSERT_TRUE(waitFor([&] { return g.host()->joinedCount() == 0; }));
    EXPECT_TRUE(log().contains(QStringLiteral("spieler 1 hat das spiel verlassen")));
    EXPECT_TRUE(g.match->computerOnTurn());
    EXPECT_TRUE(tickUntil([&] { return g.match->state() == Flying; }, 12 * 40));
}

TEST_F(NetworkScenario, AJoinedWindowShowsTheHostsGameSendsItsSeatsKeysAndReturnsWhenTheHostGoes) {
    auto* host = new NetworkHost();
    ASSERT_TRUE(host->listen(0));
    std::vector<TurnCommand> commands;
    int asked = 0;
    QObject::connect(host, &NetworkHost::command, [&](int seat, const TurnCommand& c) {
        EXPECT_EQ(seat, 1);
        commands.push_back(c);
    });
    QObject::connect(host, &NetworkHost::heightmapAsked, [&](NetworkConnection*) { ++asked; });
    QString named;
    QObject::connect(host, &NetworkHost::named, [&](int, const QString& name) { named = name; });
    g.front.name = QStringLiteral("gast");
    g.joinGame(QStringLiteral("127.0.0.1"), host->port());
    ASSERT_TRUE(waitFor([&] { return host->holds(1); }));
    EXPECT_TRUE(log().contains(QStringLiteral("du spielst spieler 1")));
    EXPECT_TRUE(log().contains(QStringLiteral("warte auf spieler")));
    EXPECT_TRUE(waitFor([&] { return named == QStringLiteral("gast"); }));

    host->broadcast(Start{{1, 0, 0, 0, 0, 1}, 1});
    State s;
    s.state = Moving;
    s.currentPlayer = 1;
    s.currentSlot = 0;
    s.secondsLeft = 59;
    s.figures = {{0, 0, -10.0f, 2.0f, 5.0f, 0.0f, 100}, {1, 0, 20.0f, 1.5f, -5.0f, 45.0f, 62}};
    host->broadcast(s);
    host->broadcast(Log{{{4, 0, QString()}, {5, -1, QString()}}}); // "spieler 0", "meldet verluste"

    ASSERT_TRUE(waitFor([&] { return g.match->state() == Moving; }));
    ASSERT_EQ(g.match->playerCount(), 2u);
    const Tortoise* own = g.match->players()[1]->figure(0);
    EXPECT_LT(distance(own->worldPosition, VORN_Vector(20, 1.5, -5)), 1e-4);
    EXPECT_EQ(own->health, 62);
    EXPECT_EQ(g.match->currentFigure(), own);
    ASSERT_TRUE(waitFor([&] { return log().last() == QStringLiteral("meldet verluste"); }));
    EXPECT_EQ(log()[4], QStringLiteral("spieler 0"));

    // The host's names and chat; a name or a line that is none (a host may be hostile too) is
    // left out. Its key panel says that Escape leaves the game.
    Players people;
    people.people = {{0, QStringLiteral("wirt"), QString(), -1, true},
                     {1, QStringLiteral("gast"), QStringLiteral("127.0.0.1"), 4, true},
                     {2, QStringLiteral("b\x1b[2Jse"), QStringLiteral("127.0.0.1"), 9, false}};
    host->broadcast(people);
    host->broadcast(Chat{0, QStringLiteral("hallo gast")});
    host->broadcast(Chat{0, QStringLiteral("zwei\nzeilen")});
    host->broadcast(ChatDropped{});
    const auto chatShown = [&] { return g.chat.shown(VORN_LIB::VORN_Clock::now(), g.names()); };
    ASSERT_TRUE(waitFor([&] { return chatShown().size() == 2; }));
    EXPECT_EQ(chatShown(),
              (QStringList{"wirt: hallo gast", "zu viele nachrichten, eine ging verloren"}));
    EXPECT_EQ(g.hud().playerTitle(0), QStringLiteral("wirt"));
    EXPECT_EQ(g.nameOf(2), QString());
    EXPECT_EQ(PlayerList::rows(g.roster(), g.client()->seat)[2][0],
              QStringLiteral("spieler 1 (du)"));
    expectTextLine(frame(), g.hud().places().keys.left() + 20, 160,
                   QStringLiteral("spiel verlassen"), 16);
    QStringList keys;
    for (const KeyHelp::Line& line : g.keyHelp().lines())
        keys << line.key + QStringLiteral(": ") + line.action;
    EXPECT_TRUE(keys.contains(QStringLiteral("t: nachricht schreiben")));
    EXPECT_TRUE(keys.contains(QStringLiteral("tab halten: wer spielt mit")));

    // Its seat's turn: its keys go to the host as commands, and it moves nothing itself.
    press(Qt::Key_Left);
    ASSERT_TRUE(waitFor([&] { return !commands.empty(); }));
    EXPECT_EQ(commands.back(), rates(Rules::turnSpeed, 0, 0));
    release(Qt::Key_Left);
    ASSERT_TRUE(waitFor([&] { return commands.size() == 2; }));
    EXPECT_EQ(commands.back(), TurnCommand());
    tick(40);
    EXPECT_LT(distance(own->worldPosition, VORN_Vector(20, 1.5, -5)), 1e-4);

    // The camera keys move this window's camera alone and send nothing: from the start view
    // behind its figure to the enemy and back; the next command the host gets is the next key's.
    EXPECT_EQ(g.viewport()->attached, own);
    EXPECT_DOUBLE_EQ(g.viewport()->yaw, 45);
    tap(Qt::Key_E);
    EXPECT_EQ(g.viewport()->attached, g.match->players()[0]->figure(0));
    tap(Qt::Key_V);
    EXPECT_EQ(g.viewport()->attached, own);
    EXPECT_DOUBLE_EQ(g.viewport()->yaw, 45);
    press(Qt::Key_Right);
    ASSERT_TRUE(waitFor([&] { return commands.size() >= 3; }));
    EXPECT_EQ(commands.size(), 3u);
    EXPECT_EQ(commands.back(), rates(-Rules::turnSpeed, 0, 0));
    release(Qt::Key_Right);
    ASSERT_TRUE(waitFor([&] { return commands.size() == 4; }));

    // Return three times before the picture shows fire mode: fire mode and the throw, once each
    // and in order. A key held across the change to fire mode is let go at the host as well.
    std::vector<TurnCommand::Step> steps;
    QObject::connect(host, &NetworkHost::step,
                     [&](int, TurnCommand::Step step) { steps.push_back(step); });
    press(Qt::Key_Up);
    ASSERT_TRUE(waitFor([&] { return commands.size() == 5; }));
    for (int i = 0; i < 3; ++i)
        tap(Qt::Key_Return);
    ASSERT_TRUE(waitFor([&] { return steps.size() >= 2; }));
    waitFor([] { return false; }, 300);
    EXPECT_EQ(steps, (std::vector<TurnCommand::Step>{TurnCommand::Step::FireMode,
                                                     TurnCommand::Step::Throw}));
    s.state = Aiming;
    s.time += Rules::tickMs;
    host->broadcast(s);
    ASSERT_TRUE(waitFor([&] { return g.match->state() == Aiming; }));
    release(Qt::Key_Up);
    ASSERT_TRUE(waitFor([&] { return commands.size() == 6; }));
    EXPECT_EQ(commands.back(), TurnCommand());

    // A crater is dug here from the host's event; a heightmap that differs is asked for.
    const double before = g.match->landscape().surfaceHeight(20, -3);
    host->broadcast(Event{Event::Crater, 20, 1, -3});
    ASSERT_TRUE(waitFor([&] { return g.match->landscape().surfaceHeight(20, -3) < before - 0.5; }));
    host->broadcast(Checksum{12345});
    EXPECT_TRUE(waitFor([&] { return asked == 1; }));

    // A streubombe thrown and gone off: this machine marks the throw, and its blasts flash here
    // as on the host, with what the figure hurt by them lost floating up over it.
    s.state = Flying;
    s.time += Rules::tickMs;
    s.grenadeShown = true;
    s.grenadeX = 0;
    s.grenadeY = 6;
    s.grenadeZ = 0;
    host->broadcast(s);
    ASSERT_TRUE(waitFor([&] { return g.match->state() == Flying; }));
    EXPECT_EQ(g.viewport()->attached, &g.match->grenade());
    // A key with nothing to drive only says that its player is there: a command without rates
    // (the host gives back a seat the computer played while its player was away).
    const std::size_t sent = commands.size();
    press(Qt::Key_Left);
    ASSERT_TRUE(waitFor([&] { return commands.size() == sent + 1; }));
    EXPECT_EQ(commands.back(), TurnCommand());
    release(Qt::Key_Left);
    EXPECT_FALSE(g.throwMarks.markOf(1));
    tick(60); // the crater's flash over first
    ASSERT_FALSE(g.blast.active(g.match->clockNow()));
    host->broadcast(Blast{Weapon::Cluster, -10, 1.5f, 8});
    ASSERT_TRUE(waitFor([&] { return g.blast.active(g.match->clockNow()); }));
    EXPECT_GT(g.blast.flashLevel(g.match->clockNow()), 0.5);
    ASSERT_TRUE(g.throwMarks.markOf(1));
    EXPECT_LT(distance(*g.throwMarks.markOf(1), VORN_Vector(-10, 1.5, 8)), 1e-4);
    EXPECT_TRUE(g.damageFigures.shown(VORN_LIB::VORN_Clock::now()).isEmpty());
    s.grenadeShown = false;
    s.time += Rules::tickMs;
    s.figures[0].health = 64;
    host->broadcast(s);
    ASSERT_TRUE(waitFor([&] { return g.match->players()[0]->figure(0)->health == 64; }));
    const QVector<DamageFigures::Shown> hurt = g.damageFigures.shown(VORN_LIB::VORN_Clock::now());
    ASSERT_EQ(hurt.size(), 1);
    EXPECT_EQ(hurt[0].text, QStringLiteral("-36"));
    EXPECT_EQ(hurt[0].player, 0);

    // The host goes away: back in the main menu, and told so.
    delete host;
    ASSERT_TRUE(waitFor([&] { return g.client() == nullptr; }));
    EXPECT_EQ(g.match->state(), NoGame);
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::MainMenu);
    EXPECT_EQ(log().last(), QStringLiteral("verbindung zum spiel verloren"));
}

// The network menu's list of games: a host that answers is listed with its game, one of another
// protocol is listed but cannot be chosen, and Return joins the chosen one.
TEST_F(NetworkScenario, TheLocalListShowsTheGamesThatAnswerAndReturnJoinsTheChosenOne) {
    NetworkHost other; // a newer game's host: listed, not joined
    ASSERT_TRUE(other.listen(QStringLiteral("127.0.0.1"), 0));
    other.describeGame = [](GameStatus& s) {
        s.name = QStringLiteral("neuer");
        s.protocol = protocolVersion + 1;
        s.version = QStringLiteral("9.0.0");
    };
    NetworkHost host;
    ASSERT_TRUE(host.listen(QStringLiteral("127.0.0.1"), 0));
    host.firstSeat = 1;
    host.password = QString();
    host.describeGame = [](GameStatus& s) {
        s.name = QStringLiteral("im-keller");
        s.wanted = 3;
        s.valley = QStringLiteral("random 4711");
    };
    // Each host answers at its game's port: the list asks there, on the loopback alone.
    GameFinder& finder = g.localGames();
    finder.searchOnly = {QHostAddress(QHostAddress::LocalHost)};
    finder.searchPort = other.port();
    tap(Qt::Key_N);
    tap(Qt::Key_L);
    ASSERT_EQ(g.front.screen, FrontEnd::Screen::LocalGames);
    ASSERT_TRUE(waitFor([&] { return g.front.listed.size() == 1; }));
    finder.searchPort = host.port();
    finder.search();
    ASSERT_TRUE(waitFor([&] { return g.front.listed.size() == 2; }));

    const QStringList lines = [&] {
        QStringList texts;
        for (const HudLayout::Line& l : g.hud().menuLines())
            texts << l.text;
        return texts;
    }();
    EXPECT_TRUE(lines.contains("> neuer  andere version: 9.0.0")) << lines.join('|').toStdString();
    EXPECT_TRUE(lines.contains("  im-keller  1/3  random 4711")) << lines.join('|').toStdString();
    tap(Qt::Key_Return); // another version: stays
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::LocalGames);
    tap(Qt::Key_Down);
    tap(Qt::Key_Return);
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::MainMenu);
    EXPECT_TRUE(waitFor([&] { return host.holds(1); }));
    EXPECT_FALSE(other.holds(1));
}

TEST_F(NetworkScenario, AJoinedWindowPlaysTheValleyItsHostSends) {
    auto* host = new NetworkHost();
    ASSERT_TRUE(host->listen(0));
    g.joinGame(QStringLiteral("127.0.0.1"), host->port());
    ASSERT_TRUE(waitFor([&] { return host->holds(1); }));
    const quint32 standard = g.match->heightmapChecksum();

    // A random valley travels as its number and is made here.
    Valley random;
    random.settings.valley = GameSettings::Valley::Random;
    random.settings.valleyNumber = 4711;
    random.settings.wind = GameSettings::Wind::Light;
    host->broadcast(random);
    host->broadcast(Start{{1, 0, 0, 0, 0, 1}, 1});
    ASSERT_TRUE(waitFor([&] { return g.match->playerCount() == 2; }));
    Bitmap made;
    ValleyGenerator::heights(4711, made);
    ASSERT_EQ(g.match->landscape().columns, 321u);
    for (int i = 0; i < made.width * made.height; i += 97)
        ASSERT_DOUBLE_EQ(g.match->landscape().height(std::size_t(i)), made.pixels[3 * i] / 255.0)
            << i;
    EXPECT_EQ(g.match->settings(), random.settings);

    // The standard valley again: the data folder's.
    host->broadcast(Valley{});
    host->broadcast(Start{{1, 0, 0, 0, 0, 1}, 1});
    EXPECT_TRUE(waitFor([&] { return g.match->heightmapChecksum() == standard; }));

    // A picture travels as its heights and its texture, in bands of rows.
    Valley picture;
    picture.settings.valley = GameSettings::Valley::Picture;
    picture.settings.valleyPicture = "bergsee";
    host->broadcast(picture);
    host->broadcast(ValleyHeights{3, 2, QByteArray::fromHex("00ff80 4000c0")});
    host->broadcast(ValleyTexture{2, 2, 0, QByteArray::fromHex("010203 040506")});
    host->broadcast(ValleyTexture{2, 2, 1, QByteArray::fromHex("070809 0a0b0c")});
    host->broadcast(Start{{1, 0, 0, 0, 0, 1}, 1});
    ASSERT_TRUE(waitFor([&] {
        return g.joined().hostPictureTexture().width == 2 &&
               g.joined().hostPictureTexture().pixels[9] == 10;
    }));
    ASSERT_EQ(g.match->landscape().columns, 3u);
    ASSERT_EQ(g.match->landscape().rows, 2u);
    EXPECT_DOUBLE_EQ(g.match->landscape().height(0, 1), 1.0);
    EXPECT_DOUBLE_EQ(g.match->landscape().height(1, 2), 192 / 255.0);
    EXPECT_EQ(g.valleys().laid().valleyPicture, "bergsee");

    // The host's valley of three by two heights goes with its host: the main menu stands in this
    // machine's own valley, under its own texture.
    delete host;
    ASSERT_TRUE(waitFor([&] { return g.client() == nullptr; }));
    ASSERT_EQ(g.match->landscape().columns, 321u);
    EXPECT_EQ(g.match->heightmapChecksum(), standard);
    EXPECT_EQ(g.valleys().laid().valley, GameSettings::Valley::Standard);
    const QImage menu = frame();
    EXPECT_NE(menu.pixel(menu.width() / 2, menu.height() * 9 / 10),
              menu.pixel(menu.width() / 2, menu.height() / 20))
        << "the valley's ground differs from the sky";
}

TEST_F(NetworkScenario, ARefusedJoinerIsBackInItsMainMenuAndToldWhy) {
    // A full table: eight machines on seats 1 to 8, and no room to watch.
    NetworkHost host;
    host.seatsPerAddress = 9;
    host.watcherLimit = 0;
    ASSERT_TRUE(host.listen(0));
    std::vector<std::unique_ptr<Peer>> seated;
    for (int i = 0; i < 8; ++i) {
        seated.push_back(std::make_unique<Peer>(host.port()));
        seated.back()->send(Hello{protocolVersion, QStringLiteral("1.0.0")});
    }
    ASSERT_TRUE(waitFor([&] { return host.joinedCount() == 8; }));
    g.joinGame(QStringLiteral("127.0.0.1"), host.port());
    ASSERT_TRUE(waitFor([&] { return g.client() == nullptr; }));
    EXPECT_EQ(g.match->state(), NoGame);
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::MainMenu);
    EXPECT_EQ(log().last(), QStringLiteral("kein platz"));
    EXPECT_EQ(host.joinedCount(), 8);

    // A host of another protocol, which turns every hello away.
    QTcpServer other;
    ASSERT_TRUE(other.listen(QHostAddress::LocalHost));
    QTcpSocket* joiner = nullptr;
    FrameReader heard;
    std::vector<Message> said;
    QObject::connect(&other, &QTcpServer::newConnection, [&] {
        joiner = other.nextPendingConnection();
        QObject::connect(joiner, &QTcpSocket::readyRead, [&] {
            heard.append(joiner->readAll());
            while (std::optional<Message> m = heard.next()) {
                said.push_back(*m);
                joiner->write(
                    FrameCodec::encode(Refused{Refused::WrongVersion, QStringLiteral("9.9.9")}));
                joiner->disconnectFromHost();
            }
        });
    });
    g.joinGame(QStringLiteral("127.0.0.1"), other.serverPort());
    ASSERT_TRUE(waitFor([&] { return g.client() == nullptr; }));
    ASSERT_EQ(said.size(), 1u);
    ASSERT_TRUE(std::holds_alternative<Hello>(said[0]));
    EXPECT_EQ(std::get<Hello>(said[0]).game, Network::gameVersion()); // never empty
    EXPECT_FALSE(Network::gameVersion().isEmpty());
    EXPECT_EQ(g.match->state(), NoGame);
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::MainMenu);
    EXPECT_EQ(log().last(), QStringLiteral("falsche version: ") + Network::gameVersion() +
                                QStringLiteral(" / 9.9.9"));
}

TEST(NetworkHost, ClosesConnectionsThatWaitTooLongOrTrickle) {
    // At most sixteen wait for their hello; one more makes the oldest go, told why.
    {
        NetworkHost host;
        ASSERT_TRUE(host.listen(0));
        std::vector<std::unique_ptr<Peer>> waiting;
        for (int i = 0; i < 16; ++i) {
            waiting.push_back(std::make_unique<Peer>(host.port()));
            ASSERT_TRUE(waitFor([&] { return host.connectionCount() == i + 1; }));
        }
        Peer extra(host.port());
        ASSERT_TRUE(waitFor([&] { return waiting.front()->closed(); }));
        ASSERT_NE(waiting.front()->last<Refused>(), nullptr);
        EXPECT_EQ(waiting.front()->last<Refused>()->reason, Refused::ServerFull);
        for (std::size_t i = 1; i < waiting.size(); ++i)
            EXPECT_FALSE(waiting[i]->closed());
        extra.send(Hello{protocolVersion, QStringLiteral("1.0.0")});
        EXPECT_TRUE(waitFor([&] { return extra.last<Welcome>() != nullptr; }));
    }

    NetworkHost host;
    host.helloLimitMs = 300;
    host.frameTimeLimitMs = 500;
    ASSERT_TRUE(host.listen(0));
    int commands = 0;
    QObject::connect(&host, &NetworkHost::command, [&] { ++commands; });

    // Silent after connecting: closed for want of a hello.
    Peer silent(host.port());
    EXPECT_TRUE(waitFor([&] { return silent.closed(); }));

    // Whole frames that each come in two parts, a new frame starting in the part that ends the
    // last, and all together for longer than one frame may take: kept.
    Peer steady(host.port());
    steady.send(Hello{protocolVersion, QStringLiteral("1.0.0")});
    ASSERT_TRUE(waitFor([&] { return steady.last<Welcome>() != nullptr; }));
    QByteArray stream;
    for (int i = 0; i < 8; ++i)
        stream += FrameCodec::encode(KeepAlive{});
    const int part = int(FrameCodec::encode(KeepAlive{}).size()) - 1;
    for (int at = 0; at < stream.size(); at += part) {
        steady.sendBytes(stream.mid(at, part));
        pause(150);
    }
    EXPECT_FALSE(steady.closed());

    // A byte every tenth of a second: closed long before its frame is whole.
    Peer trickler(host.port());
    trickler.send(Hello{protocolVersion, QStringLiteral("1.0.0")});
    ASSERT_TRUE(waitFor([&] { return trickler.last<Welcome>() != nullptr; }));
    const int seat = trickler.last<Welcome>()->seat;
    const QByteArray frame = FrameCodec::encode(Command{seat, rates(120, 0, 0)});
    int sent = 0;
    while (sent < frame.size() && !trickler.closed()) {
        trickler.sendBytes(frame.mid(sent++, 1));
        pause(100);
    }
    EXPECT_TRUE(trickler.closed());
    EXPECT_LT(sent, frame.size());
    EXPECT_EQ(commands, 0);
    EXPECT_FALSE(host.holds(seat));
    EXPECT_FALSE(steady.closed());
}

TEST_F(NetworkScenario, MachinesThatOnlySayHelloDoNotKeepAPlayerOut) {
    NetworkHost host;
    host.answerLimitMs = 300;
    host.seatsPerAddress = 9;
    ASSERT_TRUE(host.listen(0));
    std::vector<std::unique_ptr<Peer>> idle;
    for (int i = 0; i < 8; ++i) {
        idle.push_back(std::make_unique<Peer>(host.port(), false));
        idle.back()->send(Hello{protocolVersion, QStringLiteral("1.0.0")});
    }
    ASSERT_TRUE(waitFor([&] {
        return std::all_of(idle.begin(), idle.end(),
                           [](const auto& p) { return p->template last<Welcome>() != nullptr; });
    }));
    ASSERT_TRUE(waitFor([&] { return host.joinedCount() == 0; }));
    for (auto& peer : idle)
        EXPECT_TRUE(waitFor([&] { return peer->closed(); }));

    // A game that joins answers its welcome, and keeps its seat past the limit.
    g.joinGame(QStringLiteral("127.0.0.1"), host.port());
    ASSERT_TRUE(waitFor([&] { return host.holds(1); }));
    pause(1000);
    EXPECT_TRUE(host.holds(1));
    ASSERT_NE(g.client(), nullptr);
    EXPECT_EQ(g.client()->seat, 1);
}

// This window hosts as "wirt"; anna and a machine without a name join. Every machine names the
// players alike, in the log, the turn panel and the player list, and the nameless one stays
// "spieler 2" as before names; chat lines reach every machine, a flood is cut with a note to its
// writer; a name or a line that is none closes that one connection.
TEST_F(NetworkScenario, NamesChatAndThePlayerListReachEveryMachine) {
    tap(Qt::Key_O); // at one keyboard there is nobody to chat with (T in the main menu trains)
    tap(Qt::Key_T);
    EXPECT_FALSE(g.chat.typing());
    tap(Qt::Key_Escape);
    ASSERT_EQ(g.front.screen, FrontEnd::Screen::MainMenu);

    g.front.name = QStringLiteral("wirt");
    ASSERT_TRUE(g.hostGame(0));
    const quint16 port = g.host()->port();
    NetworkClient anna, nameless;
    std::vector<Message> annaGot, namelessGot;
    QObject::connect(&anna, &NetworkClient::received,
                     [&](const Message& m) { annaGot.push_back(m); });
    QObject::connect(&nameless, &NetworkClient::received,
                     [&](const Message& m) { namelessGot.push_back(m); });
    anna.name = QStringLiteral("anna");
    anna.connectTo(QStringLiteral("127.0.0.1"), port);
    ASSERT_TRUE(waitFor([&] { return anna.seat == 1; }));
    nameless.connectTo(QStringLiteral("127.0.0.1"), port);
    ASSERT_TRUE(waitFor([&] { return nameless.seat == 2; }));
    ASSERT_TRUE(waitFor([&] { return g.nameOf(1) == QStringLiteral("anna"); }));

    const auto hostLog = [&] {
        QStringList lines;
        for (const LogLine& line : g.match->messages())
            lines << line.shown(g.names());
        return lines;
    };
    EXPECT_TRUE(hostLog().contains(QStringLiteral("anna ist beigetreten")));
    EXPECT_TRUE(hostLog().contains(QStringLiteral("anna: 127.0.0.1")));
    EXPECT_TRUE(hostLog().contains(QStringLiteral("spieler 2 ist beigetreten")));
    EXPECT_TRUE(hostLog().contains(QStringLiteral("spieler 2: 127.0.0.1")));
    // The joined machines read the same log, as what happened, and hold the same names, so they
    // put it into the same words.
    tick();
    ASSERT_TRUE(waitFor([&] {
        for (auto it = namelessGot.rbegin(); it != namelessGot.rend(); ++it)
            if (const auto* l = std::get_if<Log>(&*it))
                return std::any_of(l->lines.begin(), l->lines.end(), [](const LogEntry& e) {
                    return e.text == quint8(LogLine::Text::Joined) && e.player == 1;
                });
        return false;
    }));
    Roster heard;
    for (const Message& m : namelessGot)
        if (const auto* p = std::get_if<Players>(&m))
            heard.take(*p);
    EXPECT_EQ(heard.nameOf(0), QStringLiteral("wirt"));
    EXPECT_EQ(heard.nameOf(1), QStringLiteral("anna"));
    EXPECT_EQ(heard.nameOf(2), QString());
    EXPECT_EQ(LogLine(LogLine::Text::Joined, 1).shown([&](int p) { return heard.nameOf(p); }),
              QStringLiteral("anna ist beigetreten"));

    // Who is there, with the round trips the pings measured.
    ASSERT_TRUE(waitFor(
        [&] {
            const auto& people = g.roster().everyone();
            return people.size() == 3 && people[1].roundTripMs >= 0 && people[2].roundTripMs >= 0;
        },
        4000));
    const QList<QStringList> rows = PlayerList::rows(g.roster(), 0);
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[1], (QStringList{"spieler 0 (du)", "wirt", "host", "-"}));
    EXPECT_EQ(rows[2].mid(0, 3), (QStringList{"spieler 1", "anna", "127.0.0.1"}));
    EXPECT_TRUE(rows[2][3].endsWith(QStringLiteral(" ms"))) << rows[2][3].toStdString();
    EXPECT_LT(rows[2][3].chopped(3).toInt(), 1000);
    EXPECT_EQ(rows[3][1], QStringLiteral("-"));
    press(Qt::Key_Tab);
    EXPECT_TRUE(g.playerListShown());
    release(Qt::Key_Tab);
    EXPECT_FALSE(g.playerListShown());

    // A line from anna, one typed here, and one dropped with Escape.
    anna.send(Say{QStringLiteral("hallo")});
    tap(Qt::Key_T);
    QTest::keyClicks(&g, QStringLiteral("moin alle"));
    tap(Qt::Key_Return);
    tap(Qt::Key_T);
    QTest::keyClicks(&g, QStringLiteral("weg"));
    tap(Qt::Key_Escape);
    EXPECT_FALSE(g.chat.typing());
    const QStringList both = {QStringLiteral("1: hallo"), QStringLiteral("0: moin alle")};
    for (const std::vector<Message>* got : {&annaGot, &namelessGot})
        EXPECT_TRUE(waitFor([&] { return chatsIn(*got).size() == 2; }));
    const QStringList annaHeard = chatsIn(annaGot);
    EXPECT_EQ(QSet<QString>(annaHeard.begin(), annaHeard.end()),
              QSet<QString>(both.begin(), both.end()));
    EXPECT_EQ(chatsIn(namelessGot), chatsIn(annaGot)) << "the same order on every machine";
    const auto hostChat = [&] { return g.chat.shown(VORN_LIB::VORN_Clock::now(), g.names()); };
    EXPECT_TRUE(hostChat().contains(QStringLiteral("anna: hallo")));
    EXPECT_TRUE(hostChat().contains(QStringLiteral("wirt: moin alle")));

    // Seven lines at once from the nameless machine: five go to everyone, two come back as notes.
    for (int i = 1; i <= 7; ++i)
        nameless.send(Say{QString::number(i)});
    ASSERT_TRUE(waitFor([&] {
        return std::count_if(namelessGot.begin(), namelessGot.end(), [](const Message& m) {
                   return std::holds_alternative<ChatDropped>(m);
               }) == 2;
    }));
    ASSERT_TRUE(waitFor([&] { return chatsIn(annaGot).size() == 7; }));
    EXPECT_EQ(chatsIn(annaGot).mid(2), (QStringList{"2: 1", "2: 2", "2: 3", "2: 4", "2: 5"}));
    EXPECT_EQ(hostChat().last(), QStringLiteral("spieler 2: 5"));
    // The host's own player: one line sent, four more go, the sixth is dropped here.
    for (int i = 1; i <= 5; ++i) {
        tap(Qt::Key_T);
        QTest::keyClicks(&g, QStringLiteral("nr %1").arg(i));
        tap(Qt::Key_Return);
    }
    EXPECT_EQ(hostChat().last(), QStringLiteral("zu viele nachrichten, eine ging verloren"));
    EXPECT_TRUE(waitFor([&] { return chatsIn(annaGot).size() == 11; }));
    pause(200);
    EXPECT_EQ(chatsIn(annaGot).size(), 11);
    EXPECT_FALSE(chatsIn(annaGot).contains(QStringLiteral("0: nr 5")));

    // Names and lines that are none: each closes its own connection, nothing else.
    for (const Message& bad :
         {Message(Name{QStringLiteral("a\ab")}), Message(Name{QString(17, QLatin1Char('x'))}),
          Message(Name{QStringLiteral("   ")}), Message(Name{QString::fromUtf8("\u202eanna")}),
          Message(Say{QString(101, QLatin1Char('x'))}), Message(Say{QStringLiteral("\x1b[2J")})}) {
        Peer rude(port);
        rude.send(Hello{protocolVersion, Network::gameVersion()});
        ASSERT_TRUE(waitFor([&] { return rude.last<Welcome>() != nullptr; }));
        rude.send(bad);
        EXPECT_TRUE(waitFor([&] { return rude.closed(); }));
        EXPECT_TRUE(waitFor([&] { return g.host()->joinedCount() == 2; }));
        EXPECT_EQ(g.nameOf(3), QString());
    }
    Peer twice(port); // a name is given once
    twice.send(Hello{protocolVersion, Network::gameVersion()});
    ASSERT_TRUE(waitFor([&] { return twice.last<Welcome>() != nullptr; }));
    twice.send(Name{QStringLiteral("eins")});
    twice.send(Name{QStringLiteral("zwei")});
    EXPECT_TRUE(waitFor([&] { return twice.closed(); }));
    EXPECT_NE(g.nameOf(3), QStringLiteral("zwei"));
    EXPECT_EQ(chatsIn(annaGot).size(), 11);

    // In the game the turn panel names the player on turn. The seat that no machine holds is the
    // computer's, named on the host's seats screen: every machine hears its name.
    g.front.seats[3] = {QStringLiteral("robo"), ComputerLevel::Hard, -1};
    startRound(4, 1, 5);
    ASSERT_EQ(g.match->currentPlayer(), 0);
    EXPECT_EQ(g.hud().playerTitle(0), QStringLiteral("wirt"));
    EXPECT_EQ(g.hud().playerTitle(2), QStringLiteral("spieler 2"));
    EXPECT_EQ(g.hud().playerTitle(3), QStringLiteral("robo"));
    EXPECT_EQ(g.match->computer().chosenFor(3), ComputerLevel::Hard);
    ASSERT_TRUE(waitFor([&] {
        Roster annaHeard;
        for (const Message& m : annaGot)
            if (const auto* p = std::get_if<Players>(&m))
                annaHeard.take(*p);
        return annaHeard.nameOf(3) == QStringLiteral("robo") &&
               annaHeard.nameOf(1) == QStringLiteral("anna");
    }));
    expectTextLine(frame(), 20, 40, QStringLiteral("wirt"), 20);
    // Sixteen wide letters are cut to the panel's width instead of widening it.
    const int turnWidth = g.hud().places().turn.width();
    g.host()->setOwnName(QString(16, QLatin1Char('W')));
    ASSERT_EQ(g.nameOf(0), QString(16, QLatin1Char('W')));
    EXPECT_EQ(g.hud().places().turn.width(), turnWidth);
    EXPECT_TRUE(g.hud().turnLines().first().text.endsWith(QChar(0x2026)))
        << g.hud().turnLines().first().text.toStdString();
    // So is it in the log, and no line of the log, however long, reaches under the pie.
    g.match->addMessage(LogLine::hit(0, 0, 12));
    g.match->addMessage(LogLine(LogLine::Text::Plain, -1, QString(300, QLatin1Char('x'))));
    const QList<HudLayout::Line> logged = g.hud().messageLines();
    EXPECT_TRUE(logged[4].text.startsWith(QString(4, QLatin1Char('W'))));
    EXPECT_TRUE(logged[4].text.endsWith(QChar(0x2026) + QStringLiteral(" trifft sich selbst: -12")))
        << logged[4].text.toStdString();
    EXPECT_LE(g.hud().places().messages.right(), g.hud().places().pie.left());

    anna.leave();
    ASSERT_TRUE(waitFor([&] { return g.host()->joinedCount() == 1; }));
    EXPECT_TRUE(hostLog().contains(QStringLiteral("anna hat das spiel verlassen")));
    g.front.seats[3] = Seat(); // the window is the next test's too
}
