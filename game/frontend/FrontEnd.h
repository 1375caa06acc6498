// The menus before a game: the main menu, the numbers of players and figures, the settings screen
// (the valley, the wind and the weapons) with its seats screen (who plays each seat, its name and
// colour), the options screen and the network menu, with what is
// chosen and typed on them. The window shows these screens while no game is under way and does what
// a key asks of it beyond the menus (closing, starting the game, opening or joining a network
// game). Every key of the menus is one row of the key bindings, which give the key handler, the key
// help and the menus' key names alike.
#pragma once

#include "game/files/ReplayList.h"
#include "game/frontend/PlayerOptions.h"
#include "game/match/Seat.h"
#include "game/rules/GameSettings.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

class FrontEnd {
public:
    enum class Screen {
        MainMenu,
        AskPlayers,
        AskFigures,
        AskSettings,
        Seats,
        NetworkMenu,
        Options,
        LocalGames,
        Replays
    };

    // What a key of the menus does.
    enum class Action {
        None,
        AskQuit,          // main menu: Escape asks whether to close the window
        Quit,             // the question's J after Escape in the main menu: the window closes
        LeaveGame,        // the question's J after Escape in a game: the game is left
        Yes,              // the question: J
        No,               // the question: N or Escape, back to where it was asked
        NewGame,          // main menu: Return asks for the players
        NextLevel,        // main menu: C, the computer's next level
        NextLight,        // main menu: L, the next light the valley is seen in
        OpenNetworkMenu,  // main menu: N, unless hosting
        OpenOptions,      // main menu: O
        StartTraining,    // main menu: T, unless hosting: a first training, which is no game
        Back,             // Escape: the screen before
        ChoosePlayers,    // 2 … 9, or Return for the number chosen last
        ChooseFigures,    // 1 … 9, or Return likewise; then the settings screen
        StartGame,        // settings: Return
        NextValley,       // settings: T
        DrawValleyNumber, // settings: Z
        TypeValleyNumber, // settings: the digits, with a random valley
        NextChoice,       // settings: the key of a choice beside the valley (W, A)
        OpenSeats,        // settings: N, the seats of the game
        NextSeat,         // seats: Down
        PreviousSeat,     // seats: Up
        TypeSeatName,     // seats: N, the chosen seat's name (Return keeps it, Escape not)
        NextSeatPlayer,   // seats: C, as the menu has it, a person, the computer's levels
        NextSeatColour,   // seats: F, drawn or one of the colours no other seat picked
        NextOption,       // options: the key of a choice (L, R, +, V, A)
        PreviousOption,   // options: a choice's key back (-)
        HostGame,         // network menu: H
        TypeAddress,      // network menu: J
        Join,             // network menu: Return after the address
        TypeName,         // network menu: N
        TypePassword,     // network menu: P
        Rejoin,           // network menu: R, the game whose seat this machine can get back
        OpenLocalGames,   // network menu: L, the games on the local network
        ToggleUpnp,       // network menu and the host's main menu: U, the router asked or not
        CopyLink,         // the host's main menu: K, the invite link to the clipboard
        SearchGames,      // the local games: when they open and on S, the window asks anew
        NextListed,       // the local games: Down
        PreviousListed,   // the local games: Up
        JoinListed,       // the local games: Return, the game chosen (Join, its address set)
        OpenReplays,      // main menu: W, the replays kept (the window lists them)
        NextReplay,       // the replays: Down
        PreviousReplay,   // the replays: Up
        WatchReplay,      // the replays: Return, the one chosen (unless it cannot be played)
        // Keys of every screen, listed by the key help after the screen's own.
        Chat,       // T, in a network game
        PlayerList, // Tab held, in a network game
        Mute,       // M
        FullScreen, // F11
        KeyHelp,    // F1
        Pause,      // P, during a turn of a game on this machine alone
        StoryPage   // S, on the end screen: the game's story, and back to the winner
    };
    // When a key's row holds: Asked rows while a question is asked (on any screen, and only
    // then), LocalTurn ones during a turn of a game that is not a network game, Chosen ones once
    // the screen's number was chosen (in this run or the last game the settings file kept),
    // GameOver ones on the end screen.
    enum class When {
        Always,
        NotHosting,
        Hosting,
        RandomValley,
        NetworkGame,
        SeatKept,
        Asked,
        LocalTurn,
        Chosen,
        GameOver
    };

    // One key: the Qt keys from key to lastKey, on a screen (none: on every one), what it does,
    // its name in the key help and the menus, and the help's text for it (both to be translated
    // in the window's context); for NextChoice, the row of SettingChoices it moves on, for
    // NextOption and PreviousOption the row of OptionChoices.
    struct Binding {
        int key;
        int lastKey;
        bool everyScreen;
        Screen screen;
        When when;
        Action action;
        const char* keyName;
        const char* help;
        int choice = -1;
    };
    static const QList<Binding>& bindings();
    // The row of an action on a screen (the first one of an action of every screen).
    static const Binding& binding(Action action);
    // The key's name of an action, translated: "return", "c", "2 - 9".
    static QString keyName(Action action);
    // The key help's lines of a screen: its own keys (the question's while one is asked) and
    // then those of every screen; network says whether this machine is in a network game,
    // localTurn whether a turn of a game on this machine alone is under way, gameOver whether the
    // end screen shows.
    struct HelpLine {
        QString key;
        QString action;
    };
    QList<HelpLine> help(bool screenShown, bool hosting, bool network, bool localTurn,
                         bool gameOver = false) const;

    // A key pressed on the screen shown (digit: 0 … 9, else -1; text: what it types). It changes
    // what the menus hold and says what the window is to do: Quit, LeaveGame, NextLevel,
    // StartGame, HostGame, Join (the typed address then in address), ToggleUpnp (upnp turned
    // already) or CopyLink; None when nothing is left to it. While a question is asked it takes
    // every key: J answers yes (Quit or LeaveGame), N and Escape no (None), the others nothing.
    Action key(int key, int digit, const QString& text, bool hosting);

    // A question before one key loses something: Escape in a game asks before leaving it, in the
    // main menu before closing the window. The window shows it over everything until answered.
    enum class Question { None, LeaveGame, QuitGame };
    void ask(Question question) { asking = question; }
    Question asking = Question::None;
    QString questionText() const; // "spiel verlassen? j / n", "spiel beenden? j / n"; empty

    // The settings screen is opened: the own valleys listed, a random valley's number drawn.
    void openSettings();
    QString valleyText() const; // the settings screen's valley line

    Screen screen = Screen::MainMenu;
    int players = 0;     // chosen on the players' screen (0: not yet)
    int figures = 0;     // chosen on the figures' screen (0: not yet)
    bool chosen() const; // whether the screen shown has its number chosen
    // The settings screen's choice, preset from the command line: the classic game unless chosen.
    // A random valley's number is drawn when it is chosen and shown there.
    GameSettings settings;
    // What the options screen chooses (the light also with L on the main menu); preset from the
    // settings file, then the command line. The window follows them after every key.
    PlayerOptions options;
    // The valleys the settings screen offers besides the standard and the random one: the
    // pictures of one's own valley folder, after a picture given on the command line.
    QStringList ownValleys;
    QString valleyFolder;    // where the own valleys are looked for (the tests use their own)
    QString givenPicture;    // a valley picture given on the command line
    bool valleyNote = false; // the settings screen shows why a valley cannot be played

    // The seats of a game started here, by player, as the seats screen sets them (the settings
    // file keeps them), the one chosen there, and its name as it is typed. The game takes the
    // first players of them.
    std::vector<Seat> seats = std::vector<Seat>(Seat::most);
    int seatChosen = 0;
    bool typingSeatName = false;
    QString typedSeatName;
    std::vector<Seat> seatsOfGame() const;

    // What the end screen of a training says under "training" instead of a winner (empty unless
    // one ended), set by the window when it ends.
    QString trainingResult;

    // The network menu's typing: the host's address after J, this machine's name after N (name:
    // the one kept, empty for none), the password after P (--password; said to the host this
    // machine joins, or asked by its own; empty for none).
    bool typingAddress = false;
    QString address;
    bool typingName = false;
    QString typedName;
    QString name;
    bool typingPassword = false;
    QString typedPassword;
    QString password;
    // The game ("host:port") whose seat's token this machine kept when its game broke or was
    // killed, offered in the network menu (R); empty for none. lookForKeptSeat() reads it from
    // the data folder: at the start and whenever a joined game ends.
    QString keptSeat;
    void lookForKeptSeat();

    // The games on the local network that answered, as the window found them, and the one
    // chosen among them. A game of another version is listed, not chosen to join.
    struct ListedGame {
        QString host; // its address
        quint16 port = 0;
        QString name;
        int seated = 0, wanted = 0;
        QString valley;
        bool password = false;
        bool joinable = true;
        QString version; // the host's game version
    };
    std::vector<ListedGame> listed;
    int listedChosen = 0;

    // The replays kept, newest first, as the window read them, and the one chosen.
    std::vector<ReplayList::Entry> replays;
    int replayChosen = 0;

    // Whether a game this machine opens asks the home router to forward its port by UPnP (U;
    // --upnp); off unless chosen. While it hosts, the window sets the invite link its menu shows
    // and the line of what the router did (empty: none).
    bool upnp = false;
    QString hostLink;
    QString routerLine;
    bool linkCopied = false; // K copied the link; until the next key

private:
    Action settingsKey(Action action, int digit, int choice);
    Action networkMenuKey(int key, const QString& text);
    Action seatsKey(Action action);
    void seatNameKey(int key, const QString& typed);
    static bool typeName(int key, const QString& typed, QString& typing, QString& kept);
    void nextValley();
};
