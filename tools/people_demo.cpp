// Pictures of the people of a network game: the network menu with a name being typed, a chat
// line from each machine and one being typed, and the player list that Tab shows. This window
// hosts as "anna"; two machines of this process join it over 127.0.0.1 as "bert" and "carla".
// Usage (from build/bin, under a display): people_demo [output folder, default "pictures"]
#include "game/hosting/MatchHost.h"
#include "game/network/NetworkClient.h"
#include "game/session/Game.h"
#include "tools/driver/PictureScript.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>

namespace {

// Lets the sockets talk for the given real time.
void settle(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const PictureScript script(argc > 1 ? argv[1] : "pictures", QSize(800, 600));
    Game* game = script.game;

    script.tap(Qt::Key_N); // the network menu
    script.tap(Qt::Key_N); // the name
    script.type(QStringLiteral("anna"));
    script.save(script.frame(), "10-network-name");
    script.tap(Qt::Key_Return);
    script.tap(Qt::Key_Escape);
    if (!game->hostGame(0)) {
        std::fprintf(stderr, "people_demo: cannot open a game\n");
        return 1;
    }
    NetworkClient bert, carla;
    bert.name = QStringLiteral("bert");
    carla.name = QStringLiteral("carla");
    bert.connectTo(QStringLiteral("127.0.0.1"), game->host()->port());
    carla.connectTo(QStringLiteral("127.0.0.1"), game->host()->port());
    settle(2500); // seated, named, and every round trip measured

    // A game of three, one tortoise each; the seed drops anna's into the light.
    script.tap(Qt::Key_Return);
    script.tap(Qt::Key_3);
    srand(4204);
    script.tap(Qt::Key_1);
    script.tick(280);
    bert.send(Network::Say{QStringLiteral("hallo anna, viel glueck!")});
    settle(200);
    carla.send(Network::Say{QStringLiteral("na warte, ich bin gleich dran")});
    settle(300);
    script.tap(Qt::Key_T);
    script.type(QStringLiteral("ihr werdet staunen"));
    script.tick();
    script.save(script.frame(), "10-chat");
    script.tap(Qt::Key_Escape);

    script.key(Qt::Key_Tab, true);
    script.tick();
    script.save(script.frame(), "10-players");
    script.key(Qt::Key_Tab, false);
    bert.leave();
    carla.leave();
    return 0;
}
