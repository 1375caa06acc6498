// The headless host as people run it: the real program started with --server and no display, a
// game window of this process and a second machine joining it over 127.0.0.1, and a whole game
// played to the end screen in real time, on a valley picture of the host's own that the joined
// machines get from it. The window plays its turn with keys: it drives its tortoise off the nearer
// edge of the valley, so the game ends within one turn. The second machine gives a name and says a
// line on the way. The host speaks German and the window English: the log comes as what happened,
// and each shows it in its own.
#include "tests/support/EventLoop.h"
#include "tests/support/GameDriver.h"

#include "game/hosting/JoinedMatch.h"
#include "game/hosting/ValleyService.h"

#include "engine/terrain/Bitmap.h"
#include "game/network/NetworkClient.h"
#include "game/world/Tortoise.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTranslator>

using namespace GameDriver;

namespace {

class HeadlessHostScenario : public GameScenario {};

} // namespace

TEST_F(HeadlessHostScenario, TwoMachinesJoinAHostWithNoDisplayAndPlayAGameToTheEnd) {
    QProcess server;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("LANGUAGE"), QStringLiteral("de"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("de_DE.UTF-8"));
    server.setProcessEnvironment(env);
    QTranslator english;
    Q_INIT_RESOURCE(translations);
    ASSERT_TRUE(english.load(":/translations/tortoise-valley_en.qm"));
    QCoreApplication::installTranslator(&english);
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

    // The window joins first and plays spieler 0; a second machine plays spieler 1.
    g.joinGame(QStringLiteral("127.0.0.1"), port);
    ASSERT_TRUE(waitFor([&] { return g.client && g.client->seat == 0; }, 5000));
    NetworkClient second;
    bool secondSawTheEnd = false;
    QObject::connect(&second, &NetworkClient::received, [&](const Network::Message& m) {
        if (const auto* s = std::get_if<Network::State>(&m))
            secondSawTheEnd = secondSawTheEnd || s->state == GameOver;
    });
    second.name = QStringLiteral("zweiter");
    second.connectTo(QStringLiteral("127.0.0.1"), port);
    ASSERT_TRUE(waitFor([&] { return second.seat == 1; }, 5000));
    // Names and chat go through the host with no window too, and it says so.
    second.send(Network::Say{QStringLiteral("viel glueck")});
    EXPECT_TRUE(waitFor([&] { return said.contains("chat: player 1: viel glueck"); }, 5000))
        << said.toStdString();
    EXPECT_TRUE(said.contains("name: player 1 is zweiter")) << said.toStdString();

    // The game starts on every machine; spieler 0 drives once the countdown is over.
    ASSERT_TRUE(waitFor(
        [&] {
            return g.match->state == Moving && g.match->currentPlayer == 0 &&
                   g.match->currentFigure;
        },
        10000))
        << said.toStdString();
    // The host's valley, its texture and its name came with the game.
    EXPECT_DOUBLE_EQ(g.match->landscape.height(0, 0), 20 / 255.0);
    EXPECT_DOUBLE_EQ(g.match->landscape.height(160, 320), 60 / 255.0);
    EXPECT_DOUBLE_EQ(g.match->landscape.height(80, 80), 30 / 255.0);
    EXPECT_TRUE(
        waitFor([&] { return g.joined->hostPictureTexture().width == 1024 && g.joined->hostPictureTexture().height == 512; }));
    EXPECT_EQ(g.joined->hostPictureTexture().pixels[3 * (512 * 1024 - 1)], 200);
    EXPECT_EQ(g.match->settings.valleyPicture, "hang");
    EXPECT_TRUE(said.contains("valley " + folder.filePath("hang.bmp"))) << said.toStdString();
    const int toEdge = g.match->currentFigure->worldPosition.z() < 0 ? Qt::Key_Up : Qt::Key_Down;
    press(toEdge);
    EXPECT_TRUE(waitFor([&] { return g.match->state == GameOver; }, 40000)) << said.toStdString();
    release(toEdge);

    // Every machine sees the same end, and the host said so.
    EXPECT_TRUE(waitFor([&] { return secondSawTheEnd && said.contains("over:"); }, 5000));
    EXPECT_EQ(g.match->alivePlayers, QList<int>({1}));
    const QStringList end{"player 0 is", "suicidal", "player 0", "commits suicide"};
    EXPECT_TRUE(waitFor([&] { return log().mid(2) == end; })) << log().join('|').toStdString();
    // Return does nothing on a joined machine's end screen: it says what Escape does.
    expectTextLine(frame(), g.menuPlace().left() + 40, g.height() / 2 + 120,
                   QStringLiteral("leave the game"), 30);
    EXPECT_TRUE(said.contains("joined: player 0 from 127.0.0.1")) << said.toStdString();
    EXPECT_TRUE(said.contains("joined: player 1 from 127.0.0.1")) << said.toStdString();
    EXPECT_TRUE(said.contains("turn: player 0")) << said.toStdString();
    EXPECT_TRUE(said.contains("over: player 1 wins")) << said.toStdString();

    QCoreApplication::removeTranslator(&english);
    second.leave();
    server.terminate();
    EXPECT_TRUE(server.waitForFinished(5000));
}
