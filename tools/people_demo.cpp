// Pictures of the people of a network game: the network menu with a name being typed, a chat
// line from each machine and one being typed, and the player list that Tab shows. This window
// hosts as "anna"; two machines of this process join it over 127.0.0.1 as "bert" and "carla".
// Usage (from build/bin, under a display): people_demo [output folder, default "pictures"]
#include "engine/scene/VORN_Clock.h"
#include "game/hosting/MatchHost.h"
#include "game/network/NetworkClient.h"
#include "game/session/Game.h"
#include "tools/driver/MatchDriver.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

using VORN_LIB::VORN_Clock;

namespace {

Game* game = nullptr;
QString outputFolder = "pictures";

void key(int code, bool press, const QString& text = QString()) {
    QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, code, Qt::NoModifier, text);
    QApplication::sendEvent(game, &event);
}

void tap(int code) {
    key(code, true);
    key(code, false);
}

// Types text as a keyboard does: each character a key with its text.
void type(const QString& text) {
    for (QChar c : text) {
        key(c.toUpper().unicode(), true, QString(c));
        key(c.toUpper().unicode(), false, QString(c));
    }
}

void tick(int count = 1) {
    MatchDriver(*game->match, [] { game->updateStuff(); }).tick(count);
}

// Lets the sockets talk for the given real time.
void settle(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}

void shoot(const char* name) {
    game->repaint();
    QApplication::processEvents();
    const QImage frame = game->grabFrameBuffer();
    const QString path = QDir(outputFolder).filePath(QString(name) + ".png");
    frame.convertToFormat(QImage::Format_RGB888).save(path, "PNG", 0); // smallest file
    std::printf("%s\n", path.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc > 1)
        outputFolder = argv[1];
    QDir().mkpath(outputFolder);
    VORN_Clock::setManual(1000);
    if (!qEnvironmentVariableIsSet("ALSOFT_DRIVERS"))
        qputenv("ALSOFT_DRIVERS", "null");

    game = new Game();
    game->timer->stop(); // the script drives every tick itself
    game->renderScale.fix(1.0);
    game->setMinimumSize(800, 600);
    game->QWidget::resize(800, 600);
    game->show();
    QApplication::processEvents();

    tap(Qt::Key_N); // the network menu
    tap(Qt::Key_N); // the name
    type(QStringLiteral("anna"));
    shoot("10-network-name");
    tap(Qt::Key_Return);
    tap(Qt::Key_Escape);
    if (!game->hostGame(0)) {
        std::fprintf(stderr, "people_demo: cannot open a game\n");
        return 1;
    }
    NetworkClient bert, carla;
    bert.name = QStringLiteral("bert");
    carla.name = QStringLiteral("carla");
    bert.connectTo(QStringLiteral("127.0.0.1"), game->host->port());
    carla.connectTo(QStringLiteral("127.0.0.1"), game->host->port());
    settle(2500); // seated, named, and every round trip measured

    // A game of three, one tortoise each; the seed drops anna's into the light.
    tap(Qt::Key_Return);
    tap(Qt::Key_3);
    srand(4204);
    tap(Qt::Key_1);
    tick(280);
    bert.send(Network::Say{QStringLiteral("hallo anna, viel glueck!")});
    settle(200);
    carla.send(Network::Say{QStringLiteral("na warte, ich bin gleich dran")});
    settle(300);
    tap(Qt::Key_T);
    type(QStringLiteral("ihr werdet staunen"));
    tick();
    shoot("10-chat");
    tap(Qt::Key_Escape);

    key(Qt::Key_Tab, true);
    tick();
    shoot("10-players");
    key(Qt::Key_Tab, false);
    bert.leave();
    carla.leave();
    return 0;
}
