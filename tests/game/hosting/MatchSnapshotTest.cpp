// Joining a game under way, and joining again after the line broke: a headless host of this
// process plays over 127.0.0.1 with machines that join it by hand, and the game window joins late
// or drops out through a relay that can cut its connection. The window's world must be the host's.
// The host and the window run on the engine clock, driven a tick at a time.
#include "tests/support/DrivenNetwork.h"
#include "tests/support/GameDriver.h"

#include "game/hosting/HeadlessHost.h"
#include "game/network/NetworkClient.h"
#include "game/rules/Rules.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <cstdio>
#include <memory>

using namespace GameDriver;
using namespace Network;

namespace {

// The host ticks at every step of the driven clock, before the window.
class JoinScenario : public GameScenario {
protected:
    void drive(HeadlessHost& host) {
        net.each([&host] { host.tick(VORN_LIB::VORN_Clock::now()); });
    }
    DrivenNetwork net;
};

// Whether the joined match is the host's: the same players in, every figure in the same place
// with the same health, the same ground, turn and log.
bool sameWorld(const Match& host, const Match& joined) {
    if (host.playerCount() != joined.playerCount() ||
        host.alivePlayers() != joined.alivePlayers() || host.state() != joined.state() ||
        host.currentPlayer() != joined.currentPlayer() ||
        host.heightmapChecksum() != joined.heightmapChecksum())
        return false;
    for (unsigned u = 0; u < host.playerCount(); ++u) {
        const Player* a = host.players()[u].get();
        const Player* b = joined.players()[u].get();
        if (!a || !b) {
            if (a || b)
                return false;
            continue;
        }
        for (unsigned j = 0; j < a->count; ++j) {
            const Tortoise* f = a->figure(j);
            const Tortoise* g = b->figure(j);
            if (!f || !g) {
                if (f || g)
                    return false;
                continue;
            }
            // The joined picture plays the host's states a little behind (75 ms), and a figure
            // resting on a slope still creeps: a hundredth of a unit is the same place.
            if (distance(f->worldPosition, g->worldPosition) > 0.01 || f->health != g->health)
                return false;
        }
    }
    for (std::size_t i = 0; i < host.messages().size(); ++i)
        if (host.messages()[i].shown() != joined.messages()[i].shown())
            return false;
    return true;
}

// What the host said so far, a line per event.
QString linesOf(std::FILE* said) {
    std::fflush(said);
    std::rewind(said);
    QByteArray bytes;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, said))
        bytes.append(buffer, int(n));
    std::fseek(said, 0, SEEK_END); // the host writes on at the end
    return QString::fromUtf8(bytes);
}

// A command of held rates, or of a step.
Command command(int seat, double drive) {
    Command c;
    c.seat = seat;
    c.command.driveRate = drive;
    return c;
}

// The player on turn drives its figure off the nearer edge of the valley (a figure faces -z as it
// drops, and forward is -z).
double towardsEdge(const Match& m) {
    return m.currentFigure()->worldPosition.z() < 0 ? -Rules::moveSpeed : Rules::moveSpeed;
}

// Sets the host's figure on turn down a unit inside the nearer edge, so that driving on takes it
// over within a second or two wherever it dropped (a figure behind a hill may never get there).
void toTheEdge(Match& m) {
    Tortoise* f = m.currentFigure();
    const VORN_LIB::VORN_Vector p = f->worldPosition;
    const double z = p.z() < 0 ? 1 - Rules::playAreaZ : Rules::playAreaZ - 1;
    f->setWorldPosition(
        VORN_LIB::VORN_Vector(p.x(), m.landscape().surfaceHeight(p.x(), z) + 0.5, z));
}

// A TCP relay on 127.0.0.1 to a port: cut() breaks every connection through it at once, as a
// broken line does, with no word to either side; the host notices at once, or only when the
// connection's silence gives it away.
class Relay {
public:
    explicit Relay(quint16 target) {
        EXPECT_TRUE(server.listen(QHostAddress::LocalHost));
        QObject::connect(&server, &QTcpServer::newConnection, [this, target] {
            while (QTcpSocket* near = server.nextPendingConnection()) {
                auto* far = new QTcpSocket(near);
                QObject::connect(near, &QTcpSocket::readyRead,
                                 [near, far] { far->write(near->readAll()); });
                QObject::connect(far, &QTcpSocket::readyRead,
                                 [near, far] { near->write(far->readAll()); });
                far->connectToHost(QHostAddress::LocalHost, target);
                lines.push_back(near);
            }
        });
    }
    quint16 port() const { return server.serverPort(); }
    enum class Host { Notices, HearsNothing };
    void cut(Host host) {
        for (QTcpSocket* near : lines) {
            auto* far = near->findChild<QTcpSocket*>();
            if (host == Host::Notices)
                far->abort();
            else
                far->disconnect();
            near->disconnect();
            near->abort();
        }
        lines.clear();
    }

private:
    QTcpServer server;
    std::vector<QTcpSocket*> lines; // children of the server
};

} // namespace

TEST_F(JoinScenario, ALateJoinerSeesTheHostsWorldWatchesToTheSameEndAndPlaysTheNextGame) {
    std::FILE* said = std::tmpfile();
    HeadlessHost host(g.heightMap(), 2, 1, said);
    host.endShownMs = 500;
    ASSERT_TRUE(host.start(0));
    drive(host);
    Match& m = host.match();
    NetworkClient first;
    NetworkClient second;
    first.connectTo(QStringLiteral("127.0.0.1"), host.port());
    second.connectTo(QStringLiteral("127.0.0.1"), host.port());
    ASSERT_TRUE(net.stepUntil([&] { return first.seat == 0 && second.seat == 1; }, 200));
    EXPECT_NE(first.token, 0u);
    EXPECT_NE(first.token, second.token);

    // Spieler 0 throws at no power: a crater beside its own figure, which is hurt.
    ASSERT_TRUE(net.stepUntil([&] { return m.state() == Moving; }, 240));
    first.send(Step{0, 1, TurnCommand::Step::FireMode});
    ASSERT_TRUE(net.stepUntil([&] { return m.state() == Aiming; }));
    first.send(Step{0, 2, TurnCommand::Step::Throw});
    ASSERT_TRUE(net.stepUntil([&] { return m.craters().size() == 1 && m.state() == Flying; }, 200));
    // Whether the thrower is hurt depends on where the grenade came down (a figure still
    // settling throws from a little higher): the world's comparison covers the health either way.

    // The window joins now: it watches, and has the whole world as the host has it at once.
    const long joining = VORN_LIB::VORN_Clock::now();
    g.joinGame(QStringLiteral("127.0.0.1"), host.port());
    ASSERT_TRUE(net.stepUntil([&] { return sameWorld(m, *g.match); }, 120));
    const long pictureMs = VORN_LIB::VORN_Clock::now() - joining;
    std::printf("from join to the host's whole world: %ld ms of the game clock\n", pictureMs);
    RecordProperty("joinToWorldMs", static_cast<int>(pictureMs));
    ASSERT_NE(g.client(), nullptr);
    EXPECT_EQ(g.client()->seat, -1);
    EXPECT_TRUE(linesOf(said).contains("watching: a machine from 127.0.0.1, until the next game"))
        << linesOf(said).toStdString();
    EXPECT_EQ(g.match->players()[0]->figure(0)->health, m.players()[0]->figure(0)->health);

    // A hit at the host (its states carry only the health) floats up over the figure here too.
    Player& hit = *m.players()[1];
    hit.figure(0)->health -= 23;
    hit.totalHealth -= 23;
    m.recountHitPoints();
    ASSERT_TRUE(
        net.stepUntil([&] { return !g.damageFigures.shown(g.match->clockNow()).isEmpty(); }));
    const QVector<DamageFigures::Shown> floating = g.damageFigures.shown(g.match->clockNow());
    ASSERT_EQ(floating.size(), 1);
    EXPECT_EQ(floating[0].text, QStringLiteral("-23"));
    EXPECT_EQ(floating[0].player, 1);
    EXPECT_LT(distance(floating[0].at, hit.figure(0)->worldPosition), 2.0);

    // Spieler 1 drives off the edge: the same end on the host and the watching window.
    ASSERT_TRUE(net.stepUntil([&] { return m.state() == Moving && m.currentPlayer() == 1; }, 480));
    toTheEdge(m);
    second.send(command(1, towardsEdge(m)));
    ASSERT_TRUE(net.stepUntil([&] { return m.state() == GameOver; }, 1600));
    ASSERT_TRUE(net.stepUntil([&] { return g.match->state() == GameOver; }));
    EXPECT_EQ(m.alivePlayers(), QList<int>({0}));
    EXPECT_EQ(g.match->alivePlayers(), m.alivePlayers());
    EXPECT_TRUE(sameWorld(m, *g.match));

    // Spieler 1's machine leaves: the window takes its seat in the next game.
    const quint64 oldToken = second.token;
    second.leave();
    ASSERT_TRUE(net.stepUntil([&] { return g.client()->seat == 1; }, 200));
    ASSERT_TRUE(net.stepUntil(
        [&] { return m.state() == Countdown && g.match->state() == Countdown; }, 200));
    EXPECT_EQ(g.match->playerCount(), 2u);
    EXPECT_TRUE(m.seatRemote(1));

    // The machine that left comes back with the token of the last game: the seat is the window's
    // now, and it watches.
    NetworkClient back;
    back.connectTo(QStringLiteral("127.0.0.1"), host.port(), oldToken);
    ASSERT_TRUE(net.stepUntil([&] { return back.isWelcomed; }, 200));
    EXPECT_EQ(back.seat, -1);
    EXPECT_EQ(g.client()->seat, 1);
    std::fclose(said);
}

TEST_F(JoinScenario, AMachineWhoseLineBrokeGetsItsSeatBackAndTheSameEnd) {
    std::FILE* said = std::tmpfile();
    HeadlessHost host(g.heightMap(), 2, 1, said);
    ASSERT_TRUE(host.start(0));
    drive(host);
    Match& m = host.match();
    Relay line(host.port());
    g.joinGame(QStringLiteral("127.0.0.1"), line.port());
    ASSERT_TRUE(net.stepUntil([&] { return g.client() && g.client()->seat == 0; }, 200));
    NetworkClient other;
    other.connectTo(QStringLiteral("127.0.0.1"), host.port());
    ASSERT_TRUE(net.stepUntil([&] { return other.seat == 1; }, 200));

    // The line breaks in the other machine's turn: the computer plays spieler 0 from then on.
    ASSERT_TRUE(net.stepUntil([&] { return g.match->state() == Moving; }, 240));
    tap(Qt::Key_Return);
    ASSERT_TRUE(net.stepUntil([&] { return g.match->state() == Aiming; }));
    tap(Qt::Key_Return);
    ASSERT_TRUE(net.stepUntil([&] { return m.state() == Moving && m.currentPlayer() == 1; }, 480));
    line.cut(Relay::Host::Notices);
    ASSERT_TRUE(net.stepUntil([&] { return g.client() == nullptr && !m.seatRemote(0); }, 200));
    EXPECT_EQ(log().last(), QStringLiteral("verbindung zum spiel verloren"));
    EXPECT_TRUE(m.computer().playsFor(0));

    // Joined again: the same seat, from the computer, and the host's world.
    g.joinGame(QStringLiteral("127.0.0.1"), line.port());
    ASSERT_TRUE(net.stepUntil([&] { return g.client() && g.client()->seat == 0; }, 200));
    EXPECT_TRUE(m.seatRemote(0));
    EXPECT_FALSE(m.computer().playsFor(0));
    ASSERT_TRUE(net.stepUntil([&] { return sameWorld(m, *g.match); }, 120));

    // The line breaks again, and the host does not notice: the window joining again takes its
    // seat back from the connection that looks open, long before that one's silence would tell.
    line.cut(Relay::Host::HearsNothing);
    ASSERT_TRUE(net.stepUntil([&] { return g.client() == nullptr; }, 200));
    EXPECT_TRUE(m.seatRemote(0));
    g.joinGame(QStringLiteral("127.0.0.1"), line.port());
    ASSERT_TRUE(net.stepUntil([&] { return g.client() && g.client()->seat == 0; }, 120));
    EXPECT_TRUE(m.seatRemote(0));
    ASSERT_TRUE(net.stepUntil([&] { return sameWorld(m, *g.match); }, 120));

    // The other machine throws; then the window drives its figure off the edge with its keys.
    other.send(Step{1, 1, TurnCommand::Step::FireMode});
    ASSERT_TRUE(net.stepUntil([&] { return m.state() == Aiming; }));
    other.send(Step{1, 2, TurnCommand::Step::Throw});
    ASSERT_TRUE(net.stepUntil(
        [&] {
            return m.state() == GameOver ||
                   (g.match->state() == Moving && g.match->currentPlayer() == 0 &&
                    g.match->currentFigure());
        },
        15000));
    if (m.state() != GameOver) {
        toTheEdge(m);
        const int key = m.currentFigure()->worldPosition.z() < 0 ? Qt::Key_Up : Qt::Key_Down;
        press(key);
        ASSERT_TRUE(net.stepUntil([&] { return m.state() == GameOver; }, 1600));
        release(key);
    }
    ASSERT_TRUE(net.stepUntil([&] { return g.match->state() == GameOver; }));
    EXPECT_EQ(m.alivePlayers(), QList<int>({1}));
    EXPECT_EQ(g.match->alivePlayers(), m.alivePlayers());
    EXPECT_TRUE(sameWorld(m, *g.match));
    std::fclose(said);
}
