// The menus' flow and their key bindings: which key does what on which screen, what the key help
// says of it, and what the menus keep of the choices.
#include "game/frontend/FrontEnd.h"

#include "game/files/ValleyPicture.h"
#include "game/frontend/OptionChoices.h"
#include "game/network/HostAddress.h"
#include "game/network/NetworkMessage.h"
#include "game/network/Roster.h"
#include "game/network/SeatTokens.h"
#include "game/rules/SettingChoices.h"
#include "game/world/TeamColours.h"
#include "game/world/ValleyGenerator.h"

#include <QCoreApplication>
#include <Qt>
#include <algorithm>

namespace {

using Screen = FrontEnd::Screen;
using Action = FrontEnd::Action;
using When = FrontEnd::When;

QString translated(const char* text) {
    return QCoreApplication::translate("Game", text);
}

} // namespace

// In the order the key help lists them. The help's texts are the window's ("Game") to translate.
const QList<FrontEnd::Binding>& FrontEnd::bindings() {
    static const QList<Binding> rows = [] {
        QList<Binding> list{
            {Qt::Key_Return, 0, false, Screen::MainMenu, When::Always, Action::NewGame, "return",
             QT_TRANSLATE_NOOP("Game", "neues spiel")},
            {Qt::Key_C, 0, false, Screen::MainMenu, When::Always, Action::NextLevel, "c",
             QT_TRANSLATE_NOOP("Game", "computerstufe")},
            {Qt::Key_L, 0, false, Screen::MainMenu, When::Always, Action::NextLight, "l",
             QT_TRANSLATE_NOOP("Game", "licht")},
            {Qt::Key_N, 0, false, Screen::MainMenu, When::NotHosting, Action::OpenNetworkMenu, "n",
             QT_TRANSLATE_NOOP("Game", "netzwerkspiel")},
            {Qt::Key_O, 0, false, Screen::MainMenu, When::Always, Action::OpenOptions, "o",
             QT_TRANSLATE_NOOP("Game", "optionen")},
            {Qt::Key_T, 0, false, Screen::MainMenu, When::NotHosting, Action::StartTraining, "t",
             QT_TRANSLATE_NOOP("Game", "training")},
            {Qt::Key_W, 0, false, Screen::MainMenu, When::NotHosting, Action::OpenReplays, "w",
             QT_TRANSLATE_NOOP("Game", "wiederholungen")},
            // The seat of a game this machine could not leave, offered at once after a start.
            {Qt::Key_R, 0, false, Screen::MainMenu, When::SeatKept, Action::Rejoin, "r",
             QT_TRANSLATE_NOOP("Game", "wieder beitreten")},
            {Qt::Key_K, 0, false, Screen::MainMenu, When::Hosting, Action::CopyLink, "k",
             QT_TRANSLATE_NOOP("Game", "einladungslink kopieren")},
            {Qt::Key_U, 0, false, Screen::MainMenu, When::Hosting, Action::ToggleUpnp, "u",
             QT_TRANSLATE_NOOP("Game", "upnp: router leitet den port weiter, an / aus")},
            {Qt::Key_Escape, 0, false, Screen::MainMenu, When::Always, Action::AskQuit, "esc",
             QT_TRANSLATE_NOOP("Game", "spiel beenden")},

            // The question asked over any screen or game; Escape answers as N does.
            {Qt::Key_J, 0, false, Screen::MainMenu, When::Asked, Action::Yes, "j",
             QT_TRANSLATE_NOOP("Game", "ja")},
            {Qt::Key_N, 0, false, Screen::MainMenu, When::Asked, Action::No,
             QT_TRANSLATE_NOOP("Game", "n / esc"), QT_TRANSLATE_NOOP("Game", "nein, zurueck")},
            {Qt::Key_Escape, 0, false, Screen::MainMenu, When::Asked, Action::No, "esc", nullptr},

            {Qt::Key_H, 0, false, Screen::NetworkMenu, When::Always, Action::HostGame, "h",
             QT_TRANSLATE_NOOP("Game", "spiel eroeffnen")},
            {Qt::Key_J, 0, false, Screen::NetworkMenu, When::Always, Action::TypeAddress, "j",
             QT_TRANSLATE_NOOP("Game", "adresse eingeben")},
            {Qt::Key_Return, 0, false, Screen::NetworkMenu, When::Always, Action::Join, "return",
             QT_TRANSLATE_NOOP("Game", "beitreten")},
            {Qt::Key_N, 0, false, Screen::NetworkMenu, When::Always, Action::TypeName, "n",
             QT_TRANSLATE_NOOP("Game", "name eingeben")},
            {Qt::Key_P, 0, false, Screen::NetworkMenu, When::Always, Action::TypePassword, "p",
             QT_TRANSLATE_NOOP("Game", "passwort eingeben")},
            {Qt::Key_R, 0, false, Screen::NetworkMenu, When::SeatKept, Action::Rejoin, "r",
             QT_TRANSLATE_NOOP("Game", "wieder beitreten")},
            {Qt::Key_L, 0, false, Screen::NetworkMenu, When::Always, Action::OpenLocalGames, "l",
             QT_TRANSLATE_NOOP("Game", "spiele im netz")},
            {Qt::Key_U, 0, false, Screen::NetworkMenu, When::Always, Action::ToggleUpnp, "u",
             QT_TRANSLATE_NOOP("Game", "upnp: router leitet den port weiter, an / aus")},
            {Qt::Key_Escape, 0, false, Screen::NetworkMenu, When::Always, Action::Back, "esc",
             QT_TRANSLATE_NOOP("Game", "zurueck")},

            {Qt::Key_2, Qt::Key_9, false, Screen::AskPlayers, When::Always, Action::ChoosePlayers,
             "2 - 9", QT_TRANSLATE_NOOP("Game", "anzahl spieler")},
            {Qt::Key_Return, 0, false, Screen::AskPlayers, When::Chosen, Action::ChoosePlayers,
             "return", QT_TRANSLATE_NOOP("Game", "wie zuletzt")},
            {Qt::Key_Escape, 0, false, Screen::AskPlayers, When::Always, Action::Back, "esc",
             QT_TRANSLATE_NOOP("Game", "zurueck")},

            {Qt::Key_1, Qt::Key_9, false, Screen::AskFigures, When::Always, Action::ChooseFigures,
             "1 - 9", QT_TRANSLATE_NOOP("Game", "figuren pro spieler")},
            {Qt::Key_Return, 0, false, Screen::AskFigures, When::Chosen, Action::ChooseFigures,
             "return", QT_TRANSLATE_NOOP("Game", "wie zuletzt")},
            {Qt::Key_Escape, 0, false, Screen::AskFigures, When::Always, Action::Back, "esc",
             QT_TRANSLATE_NOOP("Game", "zurueck")},

            {Qt::Key_Return, 0, false, Screen::AskSettings, When::Always, Action::StartGame,
             "return", QT_TRANSLATE_NOOP("Game", "spiel starten")},
            {Qt::Key_T, 0, false, Screen::AskSettings, When::Always, Action::NextValley, "t",
             QT_TRANSLATE_NOOP("Game", "tal: standard, zufall, eigene bilder")},
            // Z draws a random valley whichever was chosen; the help lists it with a random one.
            {Qt::Key_Z, 0, false, Screen::AskSettings, When::RandomValley, Action::DrawValleyNumber,
             "z", QT_TRANSLATE_NOOP("Game", "neue talnummer")},
            {Qt::Key_0, Qt::Key_9, false, Screen::AskSettings, When::RandomValley,
             Action::TypeValleyNumber, "0 - 9", QT_TRANSLATE_NOOP("Game", "talnummer eintippen")},
            {Qt::Key_Backspace, 0, false, Screen::AskSettings, When::RandomValley,
             Action::TypeValleyNumber, "",
             nullptr}, // the number's last digit goes; not in the help
            {Qt::Key_N, 0, false, Screen::AskSettings, When::Always, Action::OpenSeats, "n",
             QT_TRANSLATE_NOOP("Game", "spieler: namen, computer, farben")},
            {Qt::Key_Escape, 0, false, Screen::AskSettings, When::Always, Action::Back, "esc",
             QT_TRANSLATE_NOOP("Game", "zurueck")},

            {Qt::Key_Up, 0, false, Screen::Seats, When::Always, Action::PreviousSeat,
             QT_TRANSLATE_NOOP("Game", "hoch / runter"),
             QT_TRANSLATE_NOOP("Game", "spieler waehlen")},
            {Qt::Key_Down, 0, false, Screen::Seats, When::Always, Action::NextSeat, "", nullptr},
            {Qt::Key_N, 0, false, Screen::Seats, When::Always, Action::TypeSeatName, "n",
             QT_TRANSLATE_NOOP("Game", "name eingeben")},
            {Qt::Key_C, 0, false, Screen::Seats, When::Always, Action::NextSeatPlayer, "c",
             QT_TRANSLATE_NOOP("Game", "mensch oder computer")},
            {Qt::Key_F, 0, false, Screen::Seats, When::Always, Action::NextSeatColour, "f",
             QT_TRANSLATE_NOOP("Game", "farbe")},
            {Qt::Key_Return, 0, false, Screen::Seats, When::Always, Action::Back,
             QT_TRANSLATE_NOOP("Game", "return / esc"), QT_TRANSLATE_NOOP("Game", "zurueck")},
            {Qt::Key_Escape, 0, false, Screen::Seats, When::Always, Action::Back, "esc", nullptr},

            {Qt::Key_Up, 0, false, Screen::LocalGames, When::Always, Action::PreviousListed,
             QT_TRANSLATE_NOOP("Game", "hoch / runter"),
             QT_TRANSLATE_NOOP("Game", "spiel waehlen")},
            {Qt::Key_Down, 0, false, Screen::LocalGames, When::Always, Action::NextListed, "",
             nullptr},
            {Qt::Key_Return, 0, false, Screen::LocalGames, When::Always, Action::JoinListed,
             "return", QT_TRANSLATE_NOOP("Game", "beitreten")},
            {Qt::Key_S, 0, false, Screen::LocalGames, When::Always, Action::SearchGames, "s",
             QT_TRANSLATE_NOOP("Game", "neu suchen")},
            {Qt::Key_Escape, 0, false, Screen::LocalGames, When::Always, Action::Back, "esc",
             QT_TRANSLATE_NOOP("Game", "zurueck")},

            {Qt::Key_Up, 0, false, Screen::Replays, When::Always, Action::PreviousReplay,
             QT_TRANSLATE_NOOP("Game", "hoch / runter"),
             QT_TRANSLATE_NOOP("Game", "wiederholung waehlen")},
            {Qt::Key_Down, 0, false, Screen::Replays, When::Always, Action::NextReplay, "",
             nullptr},
            {Qt::Key_Return, 0, false, Screen::Replays, When::Always, Action::WatchReplay, "return",
             QT_TRANSLATE_NOOP("Game", "ansehen")},
            {Qt::Key_Escape, 0, false, Screen::Replays, When::Always, Action::Back, "esc",
             QT_TRANSLATE_NOOP("Game", "zurueck")},

            // The options screen's rows go before its keys back.
            {Qt::Key_O, 0, false, Screen::Options, When::Always, Action::Back,
             QT_TRANSLATE_NOOP("Game", "o / esc"), QT_TRANSLATE_NOOP("Game", "zurueck")},
            {Qt::Key_Escape, 0, false, Screen::Options, When::Always, Action::Back, "esc", nullptr},

            {Qt::Key_T, 0, true, Screen::MainMenu, When::NetworkGame, Action::Chat, "t",
             QT_TRANSLATE_NOOP("Game", "nachricht schreiben")},
            {Qt::Key_Tab, 0, true, Screen::MainMenu, When::NetworkGame, Action::PlayerList,
             QT_TRANSLATE_NOOP("Game", "tab halten"), QT_TRANSLATE_NOOP("Game", "wer spielt mit")},
            {Qt::Key_M, 0, true, Screen::MainMenu, When::Always, Action::Mute, "m",
             QT_TRANSLATE_NOOP("Game", "ton an / aus")},
            {Qt::Key_F11, 0, true, Screen::MainMenu, When::Always, Action::FullScreen, "f11",
             QT_TRANSLATE_NOOP("Game", "vollbild")},
            {Qt::Key_F1, 0, true, Screen::MainMenu, When::Always, Action::KeyHelp, "f1",
             QT_TRANSLATE_NOOP("Game", "diese hilfe")},
            {Qt::Key_P, 0, true, Screen::MainMenu, When::LocalTurn, Action::Pause, "p",
             QT_TRANSLATE_NOOP("Game", "pause an / aus")},
            {Qt::Key_S, 0, true, Screen::MainMenu, When::GameOver, Action::StoryPage, "s",
             QT_TRANSLATE_NOOP("Game", "statistik / sieger")},
        };
        // The choices' keys before the settings screen's Escape, in their rows' order.
        int at = 0;
        while (list[at].screen != Screen::AskSettings || list[at].action != Action::Back)
            ++at;
        for (int i = 0; i < int(SettingChoices::rows.size()); ++i) {
            const SettingChoices::Row& choice = SettingChoices::rows[std::size_t(i)];
            list.insert(at++, {Qt::Key_A + (choice.keyName[0] - 'a'), 0, false, Screen::AskSettings,
                               When::Always, Action::NextChoice, choice.keyName, choice.help, i});
        }
        while (list[at].screen != Screen::Options)
            ++at;
        for (int i = 0; i < int(OptionChoices::rows.size()); ++i) {
            const OptionChoices::Row& option = OptionChoices::rows[std::size_t(i)];
            list.insert(at++, {option.key, 0, false, Screen::Options, When::Always,
                               Action::NextOption, option.keyName, option.help, i});
            if (option.backKey) // listed with the row's own key
                list.insert(at++, {option.backKey, 0, false, Screen::Options, When::Always,
                                   Action::PreviousOption, "", nullptr, i});
        }
        return list;
    }();
    return rows;
}

const FrontEnd::Binding& FrontEnd::binding(Action action) {
    for (const Binding& row : bindings())
        if (row.action == action)
            return row;
    return bindings().front(); // every action has its row
}

QString FrontEnd::keyName(Action action) {
    return translated(binding(action).keyName);
}

QList<FrontEnd::HelpLine> FrontEnd::help(bool screenShown, bool hosting, bool network,
                                         bool localTurn, bool gameOver) const {
    const bool asked = asking != Question::None;
    const auto holds = [&](When when) {
        switch (when) {
        case When::Always:
            return true;
        case When::NotHosting:
            return !hosting;
        case When::Hosting:
            return hosting;
        case When::RandomValley:
            return settings.valley == GameSettings::Valley::Random;
        case When::NetworkGame:
            return network;
        case When::SeatKept: // a host plays its own game
            return !keptSeat.isEmpty() && !hosting;
        case When::Asked:
            return asked;
        case When::LocalTurn:
            return localTurn;
        case When::Chosen:
            return chosen();
        case When::GameOver:
            return gameOver;
        }
        return false;
    };
    QList<HelpLine> lines;
    for (bool everyScreen : {false, true})
        for (const Binding& row : bindings()) {
            // A question hides the keys of the screen and the game below it.
            const bool own = asked ? row.when == When::Asked
                                   : screenShown && row.screen == screen && row.when != When::Asked;
            if (row.everyScreen == everyScreen && (everyScreen || own) && row.help &&
                holds(row.when))
                lines.append({translated(row.keyName), translated(row.help)});
        }
    return lines;
}

QString FrontEnd::questionText() const {
    switch (asking) {
    case Question::LeaveGame:
        return translated(QT_TRANSLATE_NOOP("Game", "spiel verlassen? j / n"));
    case Question::QuitGame:
        return translated(QT_TRANSLATE_NOOP("Game", "spiel beenden? j / n"));
    case Question::None:
        break;
    }
    return QString();
}

FrontEnd::Action FrontEnd::key(int key, int digit, const QString& text, bool hosting) {
    linkCopied = false;
    if (asking != Question::None) {
        const Question asked = asking;
        for (const Binding& row : bindings())
            if (row.when == When::Asked && row.key == key) {
                asking = Question::None;
                if (row.action == Action::No)
                    return Action::None;
                return asked == Question::QuitGame ? Action::Quit : Action::LeaveGame;
            }
        return Action::None; // every other key waits for the answer
    }
    if (screen == Screen::NetworkMenu && (typingName || typingAddress || typingPassword))
        return networkMenuKey(key, text);
    if (screen == Screen::Seats && typingSeatName) {
        seatNameKey(key, text);
        return Action::None;
    }
    Action action = Action::None;
    int choice = -1;
    for (const Binding& row : bindings()) {
        const bool inRange = row.lastKey ? key >= row.key && key <= row.lastKey : key == row.key;
        if (!row.everyScreen && row.screen == screen && inRange && row.when != When::Asked &&
            (row.when != When::NotHosting || !hosting) && (row.when != When::Hosting || hosting) &&
            (row.when != When::SeatKept || !keptSeat.isEmpty()) &&
            (row.when != When::Chosen || chosen()) &&
            (row.when != When::RandomValley || row.action == Action::DrawValleyNumber ||
             settings.valley == GameSettings::Valley::Random)) {
            action = row.action;
            choice = row.choice;
            break;
        }
    }
    switch (action) {
    case Action::NewGame:
        screen = Screen::AskPlayers;
        return Action::None;
    case Action::AskQuit:
        asking = Question::QuitGame;
        return Action::None;
    case Action::OpenNetworkMenu:
        screen = Screen::NetworkMenu;
        return Action::None;
    case Action::ToggleUpnp:
        upnp = !upnp;
        return Action::ToggleUpnp;
    case Action::CopyLink:
        return Action::CopyLink;
    case Action::OpenOptions:
        screen = Screen::Options;
        return Action::None;
    case Action::NextLight:
        options.light = nextViewLight(options.light);
        return Action::None;
    case Action::NextOption:
    case Action::PreviousOption:
        OptionChoices::rows[std::size_t(choice)].step(options,
                                                      action == Action::NextOption ? 1 : -1);
        return Action::None;
    case Action::Back:
        valleyNote = false;
        typingAddress = false;
        screen = screen == Screen::Seats         ? Screen::AskSettings
                 : screen == Screen::AskSettings ? Screen::AskFigures
                 : screen == Screen::AskFigures  ? Screen::AskPlayers
                 : screen == Screen::LocalGames  ? Screen::NetworkMenu
                                                 : Screen::MainMenu;
        return Action::None;
    case Action::OpenLocalGames:
        screen = Screen::LocalGames;
        listed.clear();
        listedChosen = 0;
        return Action::SearchGames;
    case Action::OpenReplays:
        screen = Screen::Replays;
        replays.clear();
        replayChosen = 0;
        return Action::OpenReplays;
    case Action::NextReplay:
    case Action::PreviousReplay: {
        const int n = int(replays.size());
        if (n > 0)
            replayChosen = (replayChosen + (action == Action::NextReplay ? 1 : n - 1)) % n;
        return Action::None;
    }
    case Action::WatchReplay:
        return replayChosen >= 0 && replayChosen < int(replays.size()) &&
                       replays[std::size_t(replayChosen)].error.isEmpty()
                   ? Action::WatchReplay
                   : Action::None;
    case Action::NextListed:
    case Action::PreviousListed: {
        const int n = int(listed.size());
        if (n > 0)
            listedChosen = (listedChosen + (action == Action::NextListed ? 1 : n - 1)) % n;
        return Action::None;
    }
    case Action::JoinListed: {
        if (listedChosen < 0 || listedChosen >= int(listed.size()) ||
            !listed[std::size_t(listedChosen)].joinable)
            return Action::None;
        const ListedGame& game = listed[std::size_t(listedChosen)];
        address = HostAddress::link(game.host, game.port);
        screen = Screen::MainMenu;
        return Action::Join;
    }
    case Action::ChoosePlayers: // a digit, or Return for the number chosen last
        players = digit >= 0 ? digit : players;
        screen = Screen::AskFigures;
        return Action::None;
    case Action::ChooseFigures:
        figures = digit >= 0 ? digit : figures;
        openSettings();
        return Action::None;
    case Action::HostGame:
        screen = Screen::MainMenu;
        return Action::HostGame;
    case Action::TypeAddress:
        typingAddress = true;
        address.clear();
        return Action::None;
    case Action::TypeName:
        typingName = true;
        typedName = name;
        return Action::None;
    case Action::TypePassword:
        typingPassword = true;
        typedPassword = password;
        return Action::None;
    case Action::Rejoin:
        address = keptSeat;
        screen = Screen::MainMenu;
        return Action::Join;
    case Action::OpenSeats:
    case Action::NextSeat:
    case Action::PreviousSeat:
    case Action::TypeSeatName:
    case Action::NextSeatPlayer:
    case Action::NextSeatColour:
        return seatsKey(action);
    case Action::StartGame:
    case Action::NextValley:
    case Action::DrawValleyNumber:
    case Action::TypeValleyNumber:
    case Action::NextChoice:
        return settingsKey(action, digit, choice);
    default: // Quit and NextLevel are the window's; Join needs an address typed
        return action == Action::Join ? Action::None : action;
    }
}

// The network menu while typing: the host's address (a name, an IPv4 or a bracketed IPv6
// address, and a port after a colon), Return joins it, Escape goes back; this machine's name
// (Return keeps it, an empty one is none, Escape keeps the one before); the password likewise.
FrontEnd::Action FrontEnd::networkMenuKey(int key, const QString& typed) {
    if (typingPassword) {
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            password = typedPassword;
            typingPassword = false;
        } else if (key == Qt::Key_Escape) {
            typingPassword = false;
        } else if (key == Qt::Key_Backspace) {
            typedPassword.chop(1);
        } else if (typed.size() == 1 && typed[0].isPrint() &&
                   Network::isPlayerText(typedPassword + typed, Network::passwordLimit)) {
            typedPassword += typed; // the characters --password takes, but no pairs of halves
        }
        return Action::None;
    }
    if (typingName) {
        typingName = typeName(key, typed, typedName, name);
        return Action::None;
    }
    if (key == Qt::Key_Escape) {
        typingAddress = false;
        screen = Screen::MainMenu;
    } else if (key == Qt::Key_Backspace) {
        address.chop(1);
    } else if (key == Qt::Key_Return && !address.isEmpty()) {
        if (HostAddress::parse(address, Network::defaultPort).error.isEmpty()) {
            typingAddress = false;
            screen = Screen::MainMenu;
            return Action::Join;
        }
    } else if (typed.size() == 1 && address.size() < 60 && HostAddress::typable(typed[0])) {
        address += typed;
    }
    return Action::None;
}

// The seats screen: a seat chosen among the game's players, its name typed, its player and its
// colour stepped on.
FrontEnd::Action FrontEnd::seatsKey(Action action) {
    const int count = std::clamp(players, 2, int(seats.size()));
    seatChosen = std::clamp(seatChosen, 0, count - 1);
    Seat& seat = seats[std::size_t(seatChosen)];
    switch (action) {
    case Action::OpenSeats:
        screen = Screen::Seats;
        typingSeatName = false;
        break;
    case Action::NextSeat:
        seatChosen = (seatChosen + 1) % count;
        break;
    case Action::PreviousSeat:
        seatChosen = (seatChosen + count - 1) % count;
        break;
    case Action::TypeSeatName:
        typingSeatName = true;
        typedSeatName = seat.name;
        break;
    case Action::NextSeatPlayer: // as the menu has it, a person, leicht, mittel, schwer
        if (!seat.level)
            seat.level = ComputerLevel::Off;
        else if (*seat.level == ComputerLevel::Hard)
            seat.level.reset();
        else
            seat.level = nextComputerLevel(*seat.level);
        break;
    case Action::NextSeatColour: {
        // Drawn, then each colour that no other seat of the game picked, then drawn again.
        int colour = seat.colour;
        do
            colour = colour + 1 < TeamColours::count ? colour + 1 : -1;
        while (colour >= 0 && std::any_of(seats.begin(), seats.begin() + count, [&](const Seat& o) {
                   return &o != &seat && o.colour == colour;
               }));
        seat.colour = colour;
        break;
    }
    default:
        break;
    }
    return Action::None;
}

// Typing a seat's name, as a network name is typed (an empty one is "spieler N" again).
void FrontEnd::seatNameKey(int key, const QString& typed) {
    Seat& seat = seats[std::size_t(std::clamp(seatChosen, 0, int(seats.size()) - 1))];
    typingSeatName = typeName(key, typed, typedSeatName, seat.name);
}

// A key while a name is typed: Return keeps the typed name in kept (one that is no name as none),
// Escape keeps the one before, Backspace takes the last character, and a character goes on as long
// as the name stays one (a space inside a name; one at either end goes). Whether the typing goes
// on.
bool FrontEnd::typeName(int key, const QString& typed, QString& typing, QString& kept) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        kept = Roster::acceptableName(typing) ? typing.trimmed() : QString();
        return false;
    }
    if (key == Qt::Key_Escape)
        return false;
    if (key == Qt::Key_Backspace)
        typing.chop(1);
    else if (!typed.isEmpty() && Roster::acceptableName(typing + typed))
        typing += typed;
    else if (typed == QLatin1String(" ") && typing.size() < Roster::nameLimit)
        typing += typed;
    return true;
}

std::vector<Seat> FrontEnd::seatsOfGame() const {
    const std::size_t count = std::size_t(std::clamp(players, 0, int(seats.size())));
    return std::vector<Seat>(seats.begin(), seats.begin() + std::ptrdiff_t(count));
}

bool FrontEnd::chosen() const {
    return screen == Screen::AskPlayers
               ? players >= 2 && players <= 9
               : screen == Screen::AskFigures && figures >= 1 && figures <= 9;
}

void FrontEnd::lookForKeptSeat() {
    QString host;
    quint16 port = 0;
    keptSeat.clear();
    if (SeatTokens::newest(host, port))
        keptSeat =
            (host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host) +
            QLatin1Char(':') + QString::number(port);
}

void FrontEnd::openSettings() {
    ownValleys =
        ValleyPicture::listed(valleyFolder.isEmpty() ? ValleyPicture::folder() : valleyFolder);
    if (!givenPicture.isEmpty() && !ownValleys.contains(givenPicture))
        ownValleys.prepend(givenPicture);
    if (settings.valley == GameSettings::Valley::Random && settings.valleyNumber == 0)
        settings.valleyNumber = ValleyGenerator::drawNumber();
    valleyNote = false;
    screen = Screen::AskSettings;
}

FrontEnd::Action FrontEnd::settingsKey(Action action, int digit, int choice) {
    switch (action) {
    case Action::NextValley:
        nextValley();
        break;
    case Action::DrawValleyNumber:
        settings.valley = GameSettings::Valley::Random;
        settings.valleyNumber = ValleyGenerator::drawNumber();
        break;
    case Action::NextChoice:
        SettingChoices::next(SettingChoices::rows[std::size_t(choice)], settings);
        if (choice == SettingChoices::PaceRow)
            settings.suddenDeath =
                SettingChoices::suddenDeathOfPace[static_cast<std::size_t>(settings.pace)];
        break;
    case Action::TypeValleyNumber: {
        if (digit < 0) { // Backspace
            settings.valleyNumber /= 10;
            break;
        }
        // One more digit than the number can take starts a new number.
        const int longer = settings.valleyNumber * 10 + digit;
        settings.valleyNumber = longer <= ValleyGenerator::lastNumber ? longer : digit;
        break;
    }
    default:
        return action; // StartGame: the window's
    }
    return Action::None;
}

void FrontEnd::nextValley() {
    GameSettings& s = settings;
    if (s.valley == GameSettings::Valley::Standard) {
        s.valley = GameSettings::Valley::Random;
        if (s.valleyNumber == 0)
            s.valleyNumber = ValleyGenerator::drawNumber();
        return;
    }
    // After the random valley the first picture, after each picture the next, after the last
    // the standard valley.
    const int at = s.valley == GameSettings::Valley::Random
                       ? -1
                       : int(ownValleys.indexOf(QString::fromStdString(s.valleyPicture)));
    if (at + 1 < ownValleys.size()) {
        s.valley = GameSettings::Valley::Picture;
        s.valleyPicture = ownValleys[at + 1].toStdString();
    } else {
        s.valley = GameSettings::Valley::Standard;
    }
}

QString FrontEnd::valleyText() const {
    switch (settings.valley) {
    case GameSettings::Valley::Standard:
        break;
    case GameSettings::Valley::Random:
        return QCoreApplication::translate("Game", "zufall %1").arg(settings.valleyNumber);
    case GameSettings::Valley::Picture:
        return ValleyPicture::nameOf(QString::fromStdString(settings.valleyPicture));
    }
    return QCoreApplication::translate("Game", "standard");
}
