// The headless host. Once as people run it: the real program started with --server and no
// display, on a valley picture of its own, two machines joining it over 127.0.0.1 in real time;
// the game starts, and the picture, its texture, the names and the chat reach them. And once a
// whole game to the end screen, with the host in this process on the driven clock: the game
// window joins it and plays its turn with keys, driving its tortoise off the nearer edge of the
// valley, so the game ends within one turn. The log comes as what happened, and the window shows
// it in its own language (English here).
#include "tests/support/DrivenNetwork.h"
#include "tests/support/EventLoop.h"
#include "tests/support/GameDriver.h"

#include "game/hosting/JoinedMatch.h"
#include "game/hosting/ValleyService.h"

#include "engine/terrain/Bitmap.h"
#include "game/files/ReplayReader.h"
#include "game/hosting/HeadlessHost.h"
#include "game/match/Match.h"
#include "game/network/NetworkClient.h"
#include "game/rules/Rules.h"
#include "game/world/Tortoise.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTranslator>
#include <cstdio>

using namespace GameDriver;
using VORN_LIB::VORN_Clock;

namespace {

class HeadlessHostScenario : public GameScenario {};

// What the host said so far, a line per event.
QString linesOf(std::FILE* said) {
    std::fflush(said);
    std::rewind(said);
    QByteArray bytes;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, said))
        bytes.append(buffer, int(n));
    std::fseek(said, 0, SEEK_END);
    return QString::fromUtf8(bytes);
}

} // namespace

TEST(HeadlessHostProgram, StartsWithNoDisplayAndSendsItsPictureValleyNamesAndChat) {
    QProcess server;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("LANGUAGE"), QStringLiteral("de"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("de_DE.UTF-8"));
    server.setProcessEnvironment(env);
    QString said;
    QObject::connect(&server, &QProcess::readyReadStandardOutput,
                     [&] { said += QString::fromUtf8(server.readAllStandardOutput()); });
    // A gentle slope from 20 to 60 grey (x from -80 to 80), with a reddish texture beside it.
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    Bitmap slope;
    slope.resize(5, 3);
    for (int i = 0; i < 15; ++i)
        slope.pixels[3 * i] = slope.pixels[3 * i + 1] = slope.pixels[3 * i + 2] =
            static_cast<unsigned char>(20 + 10 * (i % 5));
    ASSERT_TRUE(slope.save(folder.filePath("hang.bmp").toStdString()));
    Bitmap red;
    red.resize(2, 2);
    for (int i = 0; i < 4; ++i)
        red.pixels[3 * i] = 200;
    ASSERT_TRUE(red.save(folder.filePath("hang-tex.bmp").toStdString()));
    server.start(QStringLiteral("./tortoise-valley"),
                 {"--server", "0", "--players", "2", "--figures", "1", "--valley",
                  folder.filePath("hang.bmp")});
    ASSERT_TRUE(server.waitForStarted(5000));
    const QRegularExpression hosting(QStringLiteral("hosting on port (\\d+)"));
    ASSERT_TRUE(waitFor([&] { return hosting.match(said).hasMatch(); }, 10000))
        << said.toStdString();
    const quint16 port = quint16(hosting.match(said).captured(1).toUInt());
    // Its status, as server lists and monitors ask for it.
    const auto query = [](const QString& target, int* code) {
        QProcess q;
        q.setProcessChannelMode(QProcess::MergedChannels);
        q.start(QStringLiteral("./tortoise-valley"), {"--query", target});
        EXPECT_TRUE(q.waitForFinished(10000));
        *code = q.exitCode();
        return QString::fromUtf8(q.readAll());
    };
    int code = -1;
    QString status = query(QStringLiteral("tortoise-valley://[::1]:%1").arg(port), &code);
    EXPECT_EQ(code, 0) << status.toStdString();
    for (const char* line : {"valley: hang.bmp\n", "players: 0 of 2\n", "password: no\n",
                             "wind: off\n", "weapons: grenade\n"})
        EXPECT_TRUE(status.contains(QLatin1String(line))) << status.toStdString();

    NetworkClient first;
    std::vector<Network::Message> got;
    QObject::connect(&first, &NetworkClient::received,
                     [&](const Network::Message& m) { got.push_back(m); });
    first.connectTo(QStringLiteral("127.0.0.1"), port);
    ASSERT_TRUE(waitFor([&] { return first.seat == 0; }, 5000));
    NetworkClient second;
    second.name = QStringLiteral("zweiter");
    second.connectTo(QStringLiteral("127.0.0.1"), port);
    ASSERT_TRUE(waitFor([&] { return second.seat == 1; }, 5000));
    // Names and chat go through the host with no window too, and it says so.
    second.send(Network::Say{QStringLiteral("viel glueck")});
    EXPECT_TRUE(waitFor([&] { return said.contains("chat: player 1: viel glueck"); }, 5000))
        << said.toStdString();
    EXPECT_TRUE(said.contains("name: player 1 is zweiter")) << said.toStdString();

    // The game starts once both are there, with the host's valley: its name, its heights on
    // the valley's grid and its texture, scaled to 1024 × 512.
    ASSERT_TRUE(waitFor([&] { return said.contains("turn: player 0"); }, 5000))
        << said.toStdString();
    Bitmap texture;
    const auto textureWhole = [&] {
        for (const Network::Message& m : got)
            if (const auto* band = std::get_if<Network::ValleyTexture>(&m)) {
                if (texture.width != band->width || texture.height != band->height)
                    texture.resize(band->width, band->height);
                std::copy(band->rgb.begin(), band->rgb.end(),
                          &texture.pixels[std::size_t(band->firstRow) * band->width * 3]);
                if (band->firstRow + band->rgb.size() / (3 * band->width) == band->height)
                    return true;
            }
        return false;
    };
    ASSERT_TRUE(waitFor(textureWhole, 5000));
    EXPECT_EQ(texture.width, 1024);
    EXPECT_EQ(texture.height, 512);
    EXPECT_EQ(texture.pixels[3 * (512 * 1024 - 1)], 200);
    const Network::Valley* valley = nullptr;
    const Network::ValleyHeights* heights = nullptr;
    for (const Network::Message& m : got) {
        if (const auto* v = std::get_if<Network::Valley>(&m))
            valley = v;
        if (const auto* h = std::get_if<Network::ValleyHeights>(&m))
            heights = h;
    }
    ASSERT_NE(valley, nullptr);
    EXPECT_EQ(valley->settings.valleyPicture, "hang");
    ASSERT_NE(heights, nullptr);
    ASSERT_EQ(heights->columns, 321);
    const auto grey = [&](int row, int column) {
        return quint8(heights->grey[row * heights->columns + column]);
    };
    EXPECT_EQ(grey(0, 0), 20);
    EXPECT_EQ(grey(160, 320), 60);
    EXPECT_EQ(grey(80, 80), 30);
    EXPECT_TRUE(said.contains("valley " + folder.filePath("hang.bmp"))) << said.toStdString();
    EXPECT_TRUE(
        said.contains("game: 2 players, 1 figures each, valley " + folder.filePath("hang.bmp")))
        << said.toStdString();
    EXPECT_TRUE(said.contains("joined: player 0 from 127.0.0.1")) << said.toStdString();
    EXPECT_TRUE(said.contains("joined: player 1 from 127.0.0.1")) << said.toStdString();

    status = query(QStringLiteral("127.0.0.1:%1").arg(port), &code);
    EXPECT_EQ(code, 0) << status.toStdString();
    EXPECT_TRUE(status.contains(QStringLiteral("address: 127.0.0.1:%1\n").arg(port)))
        << status.toStdString();
    EXPECT_TRUE(status.contains("players: 2 of 2\n")) << status.toStdString();

    second.leave();
    first.leave();
    server.terminate();
    EXPECT_TRUE(server.waitForFinished(5000));
    // Gone: the port refuses, and the query says so.
    status = query(QStringLiteral("127.0.0.1:%1").arg(port), &code);
    EXPECT_EQ(code, 1);
    EXPECT_TRUE(status.contains("connection refused")) << status.toStdString();
}

TEST_F(HeadlessHostScenario, TwoMachinesJoinAHostWithNoDisplayAndPlayAGameToTheEnd) {
    QTranslator english;
    Q_INIT_RESOURCE(translations);
    ASSERT_TRUE(english.load(":/translations/tortoise-valley_en.qm"));
    QCoreApplication::installTranslator(&english);
    std::FILE* out = std::tmpfile();
    HeadlessHost host(g.heightMap(), 2, 1, out);
    QTemporaryDir replays;
    ASSERT_TRUE(replays.isValid());
    host.replays = replays.filePath("kept");
    ASSERT_TRUE(host.start(0));
    DrivenNetwork net;
    net.each([&] { host.tick(VORN_Clock::now()); });
    Match& m = host.match();

    // The window joins first and plays spieler 0; a second machine plays spieler 1.
    g.joinGame(QStringLiteral("127.0.0.1"), host.port());
    ASSERT_TRUE(net.stepUntil([&] { return g.client() && g.client()->seat == 0; }, 200));
    NetworkClient second;
    bool secondSawTheEnd = false;
    QObject::connect(&second, &NetworkClient::received, [&](const Network::Message& msg) {
        if (const auto* s = std::get_if<Network::State>(&msg))
            secondSawTheEnd = secondSawTheEnd || s->state == GameOver;
    });
    second.connectTo(QStringLiteral("127.0.0.1"), host.port());
    ASSERT_TRUE(net.stepUntil([&] { return second.seat == 1; }, 200));

    // The game starts on every machine; spieler 0 drives once the countdown is over, from a unit
    // inside the nearer edge, so it goes over within a second or two.
    ASSERT_TRUE(net.stepUntil(
        [&] {
            return g.match->state() == Moving && g.match->currentPlayer() == 0 &&
                   g.match->currentFigure();
        },
        400))
        << linesOf(out).toStdString();
    Tortoise* f = m.currentFigure();
    const double z = f->worldPosition.z() < 0 ? 1 - Rules::playAreaZ : Rules::playAreaZ - 1;
    f->setWorldPosition(VORN_LIB::VORN_Vector(
        f->worldPosition.x(), m.landscape().surfaceHeight(f->worldPosition.x(), z) + 0.5, z));
    const int toEdge = z < 0 ? Qt::Key_Up : Qt::Key_Down;
    press(toEdge);
    EXPECT_TRUE(net.stepUntil([&] { return g.match->state() == GameOver; }, 800))
        << linesOf(out).toStdString();
    release(toEdge);

    // Every machine sees the same end, and the host said so.
    EXPECT_TRUE(net.stepUntil([&] { return secondSawTheEnd; }, 200));
    EXPECT_EQ(g.match->alivePlayers(), QList<int>({1}));
    const QStringList end{"player 0 is", "suicidal", "player 0", "commits suicide"};
    EXPECT_TRUE(net.stepUntil([&] { return log().mid(2) == end; }, 200))
        << log().join('|').toStdString();
    // Return does nothing on a joined machine's end screen: it says what Escape does.
    expectTextLine(frame(), g.hud().menuPlace().left() + 40, g.height() / 2 + 120,
                   QStringLiteral("leave the game"), 30);
    const QString said = linesOf(out);
    EXPECT_TRUE(said.contains("turn: player 0")) << said.toStdString();
    EXPECT_TRUE(said.contains("over: player 1 wins")) << said.toStdString();
    // The game's story, a line a player: the figure driven off cost player 0 its 100 hit points.
    EXPECT_TRUE(said.contains("story: player 0 dealt 0, took 0, own 100, lost 1, best shot none\n"))
        << said.toStdString();
    EXPECT_TRUE(said.contains("story: player 1 dealt 0, took 0, own 0, lost 0, best shot none\n"))
        << said.toStdString();
    // The joined window told the same story from the host's states alone.
    ASSERT_EQ(g.match->story().tallies().size(), 2u);
    EXPECT_EQ(g.match->story().tallies()[0].own, 100);
    EXPECT_EQ(g.match->story().tallies()[0].lost, 1);
    EXPECT_EQ(g.match->story().tallies()[1].own + g.match->story().tallies()[1].taken, 0);

    // The host kept the game: a replay that ends with the winner.
    ASSERT_TRUE(net.stepUntil([&] { return linesOf(out).contains("replay kept: "); }, 200));
    const QStringList kept = QDir(host.replays).entryList({"*.tvreplay"});
    ASSERT_EQ(kept.size(), 1);
    ReplayReader replay;
    ASSERT_TRUE(replay.open(host.replays + "/" + kept[0])) << replay.error().toStdString();
    EXPECT_TRUE(replay.ending().over);
    EXPECT_EQ(replay.ending().winner, 1);
    EXPECT_EQ(replay.header().players.size(), 2);
    EXPECT_GE(replay.turns(), 1);

    QCoreApplication::removeTranslator(&english);
    second.leave();
    std::fclose(out);
}
