// Program entry: one application, its language, one game window. Start-up failures are reported
// here, the one place that catches what the engine throws: in the player's language (German unless
// a translation is asked for) on standard error, and in a message box when there is a screen to
// show it on (TV_NO_DIALOG=1 suppresses the box, for scripted runs). TV_EXIT_AFTER_FIRST_FRAME=1
// ends the program as soon as its first frame is painted, so that the start-up benchmark can time
// process start to first picture.
#include "engine/terrain/Bitmap.h"
#include "game/app/GameLanguage.h"
#include "game/app/NetworkOptions.h"
#include "game/app/RenderOptions.h"
#include "game/app/SettingsOptions.h"
#include "game/app/StatusQuery.h"
#include "game/files/DataFileFailure.h"
#include "game/files/DataFiles.h"
#include "game/frontend/UserSettings.h"
#include "game/hosting/HeadlessHost.h"
#include "game/hosting/StopSignals.h"
#include "game/hosting/ValleyService.h"
#include "game/network/ReportLine.h"
#include "game/rules/SettingChoices.h"
#include "game/session/Game.h"
#include "game/world/ValleyGenerator.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void reportStartupFailure(const QString& reason) {
    const QString text = Game::tr("Tortoise Valley kann nicht starten: %1").arg(reason);
    std::fprintf(stderr, "tortoise-valley: %s\n", text.toLocal8Bit().constData());
    const QString platform = QGuiApplication::platformName();
    if (!std::getenv("TV_NO_DIALOG") && platform != "offscreen" && platform != "minimal")
        QMessageBox::critical(nullptr, QStringLiteral("Tortoise Valley"), text);
}

// Quits the application once the first paint of the watched window has been handled.
class QuitAfterFirstPaint : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen) {
            seen = true;
            // A zero timer fires after the paint event, buffer swap included, has returned.
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

private:
    bool seen = false;
};

// A headless host: no window, no X server, no OpenGL; its events on standard output, each after
// the time, all in English (a refused data file too); SIGTERM, SIGINT and SIGHUP end it cleanly.
int serve(int argc, char** argv, const NetworkOptions& options, const GameSettings& settings) {
    QCoreApplication app(argc, argv);
    QTranslator english;
    if (english.load(QStringLiteral(":/translations/tortoise-valley_en.qm")))
        app.installTranslator(&english);
    ReportLine::stamped = true;
    Bitmap heightMap;
    Bitmap picture;
    Bitmap pictureTexture;
    bool textured = false;
    const QString path = DataFiles().path(QStringLiteral("valleyDepth.bmp"));
    try {
        heightMap.load(path.toLocal8Bit().toStdString());
        if (settings.valley == GameSettings::Valley::Picture)
            textured = ValleyService::loadPicture(QString::fromStdString(settings.valleyPicture),
                                                  picture, pictureTexture);
    } catch (int) {
        ReportLine::write(stderr, QStringLiteral("tortoise-valley: ") +
                                      DataFileFailure::message(Bitmap::lastFailure()));
        return 1;
    }
    HeadlessHost host(heightMap, options.players, options.figures);
    host.listenAddress = options.listen;
    host.password = options.password;
    host.seatsPerAddress = options.seatsPerAddress;
    host.watchersPerAddress = options.watchersPerAddress;
    host.name = options.name;
    host.upnp = options.upnp;
    host.replays = options.replays;
    StopSignals stopping;
    QObject::connect(&stopping, &StopSignals::stop, &host, [&host](int signal) {
        host.stop(QString::fromLatin1(StopSignals::nameOf(signal)));
    });
    host.settings = settings;
    if (settings.valley == GameSettings::Valley::Picture)
        host.valleys().keepPicture(settings.valleyPicture, picture, pictureTexture, textured);
    if (!host.start(options.port))
        return 1;
    return app.exec();
}

// Whether a valley picture given on the command line can be played; if not, why.
QString pictureFailure(const GameSettings& settings) {
    if (settings.valley != GameSettings::Valley::Picture)
        return QString();
    Bitmap heights;
    Bitmap texture;
    try {
        ValleyService::loadPicture(QString::fromStdString(settings.valleyPicture), heights,
                                   texture);
    } catch (int) {
        return DataFileFailure::message(Bitmap::lastFailure());
    }
    return QString();
}

const char* const usage =
    "usage: tortoise-valley [--host [PORT] [--upnp] | --join HOST[:PORT]] [--name NAME]\n"
    "                       [--password WORD]\n"
    "                       [--render-scale auto|SCALE] [--light LIGHT] [--valley VALLEY]\n"
    "                       [--wind WIND] [--weapons WEAPONS] [--replay FILE]\n"
    "       tortoise-valley --server [PORT] [--players N] [--figures M] [--listen ADDRESS]\n"
    "                       [--password WORD] [--seats-per-address N] [--watchers-per-address N]\n"
    "                       [--name NAME] [--valley VALLEY] [--wind WIND] [--weapons WEAPONS]\n"
    "                       [--upnp] [--replays DIR]\n"
    "       tortoise-valley --query HOST[:PORT] | --list\n";

// The settings of a game preset from the last game's, each one the command line gives in its
// place.
GameSettings presetSettings(const GameSettings& last, const SettingsOptions& chosen) {
    GameSettings settings = last;
    if (chosen.given.contains(QStringLiteral("--valley"))) {
        settings.valley = chosen.settings.valley;
        settings.valleyNumber = chosen.settings.valleyNumber;
        settings.valleyPicture = chosen.settings.valleyPicture;
    }
    for (const SettingChoices::Row& row : SettingChoices::rows)
        if (chosen.given.contains(QLatin1String(row.option)))
            row.set(settings, row.get(chosen.settings));
    return settings;
}

} // namespace

int main(int argc, char** argv) {
    // The headless host is decided before any application object: it must not need a screen.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        std::printf(
            "%s\n%s", usage,
            "  --host [PORT]         open a network game that other machines join\n"
            "  --join HOST[:PORT]    join one (localhost:47800, 192.168.0.7, [::1]:47800)\n"
            "  tortoise-valley://HOST[:PORT]  an invite link: joins its host\n"
            "  --name NAME           your name in network games, 1 to 16 characters\n"
            "                        (with --server: the game's name in the local list)\n"
            "  --query HOST[:PORT]   print a host's status: its game, players, settings\n"
            "  --list                print the games on the local network\n"
            "  --server [PORT]       host games with no window (0: any free port)\n"
            "    --players N         players of each game, 2 to 9 (default 2)\n"
            "    --figures M         tortoises of each player, 1 to 9 (default 1)\n"
            "    --listen ADDRESS    the address to listen on (default: every one)\n"
            "    --seats-per-address N, --watchers-per-address N\n"
            "                        seats and places to watch of one address (default 2)\n"
            "    --replays DIR       keep a replay of every game in DIR\n"
            "  --upnp                ask the home router by UPnP to forward the port\n"
            "                        (--host, --server; off unless given)\n"
            "  --password WORD       asked of every machine that joins (--host, --server),\n"
            "                        or said to the host (--join)\n"
            "  --render-scale auto|SCALE\n"
            "                        the 3-D picture at 0.25 to 1 of the window's size,\n"
            "                        or chosen by the measured frames (auto, the default)\n"
            "  --light night|classic|bright\n"
            "                        the valley by moonlight (the default), under its\n"
            "                        four lamps alone, or by day\n"
            "  --valley standard|random|NUMBER|FILE\n"
            "                        the valley: the data folder's (the default), a\n"
            "                        random one, the random valley of that number (1 to\n"
            "                        999999), or a greyscale BMP heightmap of your own\n"
            "                        (FILE-tex.bmp beside it is its texture, if there)\n"
            "  --wind off|light|strong\n"
            "                        still air (the default) or a wind drawn each turn\n"
            "  --weapons grenade|all the grenade alone (the default) or every weapon\n"
            "  --replay FILE         watch a kept game (Space pause, + and - speed,\n"
            "                        PageUp and PageDown the turn before or after)\n"
            "The settings preset the settings screen of a game at this machine and are\n"
            "every game's of a headless host; a joined machine plays its host's.\n"
            "The options screen's choices and the last game's settings are kept in\n"
            "$XDG_CONFIG_HOME/tortoise-valley/tortoise-valley.conf; options given here beat\n"
            "them for this run.\n"
            "The port is 47800 unless given; Qt's own options are taken too.\n");
        return 0;
    }
    const NetworkOptions network = NetworkOptions::parse(arguments);
    if (!network.error.isEmpty()) {
        std::fprintf(stderr, "tortoise-valley: %s\n%s", qUtf8Printable(network.error), usage);
        return 2;
    }
    const SettingsOptions chosen = SettingsOptions::parse(arguments);
    if (!chosen.error.isEmpty()) {
        std::fprintf(stderr, "tortoise-valley: %s\n%s", qUtf8Printable(chosen.error), usage);
        return 2;
    }
    if (network.mode == NetworkOptions::Join && chosen.settings != GameSettings()) {
        std::fprintf(stderr, "tortoise-valley: --valley, --wind and --weapons are the host's\n%s",
                     usage);
        return 2;
    }
    if (network.mode == NetworkOptions::Server)
        return serve(argc, argv, network, chosen.settings);
    if (network.mode == NetworkOptions::Query || network.mode == NetworkOptions::List) {
        QCoreApplication app(argc, argv);
        return StatusQuery::run(network);
    }

    // Qt's X11 platform would take --name for the window's instance name; it is the player's.
    static std::vector<char*> qtArguments;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--name") == 0 && i + 1 < argc)
            ++i;
        else
            qtArguments.push_back(argv[i]);
    }
    static int qtArgc = int(qtArguments.size());
    qtArguments.push_back(nullptr);
    QApplication* app = new QApplication(qtArgc, qtArguments.data());
    // Lets the desktop match the window with the game's menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(TV_APP_ID));
    // The choices of the last run, unless the command line makes others for this one; read first,
    // for the language they chose goes before the desktop's.
    static UserSettings remembered; // written to as long as the window lives
    PlayerOptions kept;
    UserSettings::LastGame last;
    remembered.read(kept, last);
    // The translation goes in before the window makes its first text; a start-up failure is told
    // in the same language.
    GameLanguage::use(*app, kept.language);
    const RenderOptions render = RenderOptions::parse(app->arguments());
    if (!render.error.isEmpty()) {
        std::fprintf(stderr, "tortoise-valley: %s\n%s", qUtf8Printable(render.error), usage);
        return 2;
    }
    const QString unplayable = pictureFailure(chosen.settings);
    if (!unplayable.isEmpty()) {
        reportStartupFailure(unplayable);
        return 1;
    }
    Game* game = nullptr;
    try {
        game = new Game();
    } catch (const char* message) {
        reportStartupFailure(QString::fromLocal8Bit(message));
        return 1;
    } catch (int) {
        // The bitmap reader and the double-buffer check throw -1; the reader says which file.
        const Bitmap::Failure& failure = Bitmap::lastFailure();
        reportStartupFailure(failure.fault == Bitmap::Fault::None
                                 ? Game::tr("kein OpenGL mit doppelpuffer verfuegbar")
                                 : DataFileFailure::message(failure));
        return 1;
    }
    game->front.options = kept;
    if (render.lightGiven)
        game->front.options.light = render.light;
    if (render.scaleGiven)
        game->front.options.renderScale = render.automatic ? 0 : render.scale;
    game->front.players = last.players;
    game->front.figures = last.figures;
    game->match->setComputerLevel(last.level);
    if (last.seats.size() == game->front.seats.size())
        game->front.seats = last.seats;
    game->languageChosen = [app](const QString& choice) { GameLanguage::use(*app, choice); };
    game->keepChoicesIn(&remembered);
    game->front.name = network.name;
    game->front.password = network.password;
    game->front.lookForKeptSeat(); // a seat this machine's last game could not leave
    game->front.settings = presetSettings(last.settings, chosen);
    if (game->front.settings.valley == GameSettings::Valley::Picture)
        game->front.givenPicture = QString::fromStdString(game->front.settings.valleyPicture);
    game->front.upnp = network.upnp;
    if (network.mode == NetworkOptions::Host && !game->hostGame(network.port))
        return 1;
    if (network.mode == NetworkOptions::Join)
        game->joinGame(network.host, network.port);
    // --replay FILE watches a kept game: a file it refuses ends the program with its message.
    const int replayAt = arguments.indexOf(QStringLiteral("--replay"));
    if (replayAt > 0) {
        if (replayAt + 1 >= arguments.size() || network.mode != NetworkOptions::Alone) {
            std::fprintf(stderr, "tortoise-valley: --replay needs a file and no network game\n%s",
                         usage);
            return 2;
        }
        if (!game->watchReplay(arguments[replayAt + 1]))
            return 1;
    }
    game->setWindowTitle(QStringLiteral("Tortoise Valley"));
    if (std::getenv("TV_EXIT_AFTER_FIRST_FRAME"))
        game->installEventFilter(new QuitAfterFirstPaint());
    game->show();
    const int status = app->exec();
    // The window outlives the event loop; its sound device is closed here, which also completes
    // a recording of OpenAL's wave writer.
    game->sound.close();
    return status;
}
