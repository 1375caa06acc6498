// The menus' key bindings, without a window: the key help and the key handler read one table, so
// every key the help lists on a menu screen does something there.
#include "game/frontend/FrontEnd.h"

#include <gtest/gtest.h>

namespace {

using Screen = FrontEnd::Screen;

// What a key can change of the menus.
bool sameMenus(const FrontEnd& a, const FrontEnd& b) {
    return a.screen == b.screen && a.asking == b.asking && a.players == b.players &&
           a.figures == b.figures && a.settings == b.settings &&
           a.typingAddress == b.typingAddress && a.typingName == b.typingName &&
           a.typingPassword == b.typingPassword && a.options == b.options && a.seats == b.seats &&
           a.seatChosen == b.seatChosen && a.typingSeatName == b.typingSeatName;
}

} // namespace

TEST(FrontEnd, EveryKeyTheHelpListsOnAMenuActsThere) {
    for (Screen screen :
         {Screen::MainMenu, Screen::AskPlayers, Screen::AskFigures, Screen::AskSettings,
          Screen::Seats, Screen::NetworkMenu, Screen::Options}) {
        FrontEnd menus;
        menus.screen = screen;
        menus.options.effectsVolume = 5; // louder and quieter both move it
        menus.options.musicVolume = 5;
        menus.players = 3;                                    // Return takes the numbers chosen
        menus.figures = 2;                                    // last
        menus.settings.valley = GameSettings::Valley::Random; // its rows too
        menus.settings.valleyNumber = 0;                      // a number drawn is never 0
        menus.valleyFolder = QStringLiteral("/nonexistent");
        menus.keptSeat = QStringLiteral("127.0.0.1:47801"); // R's row too
        int listed = 0;
        int hostOnly = 0, guestOnly = 0; // rows that hold only while hosting, or only not
        for (const FrontEnd::Binding& row : FrontEnd::bindings()) {
            if (row.everyScreen || row.screen != screen || !row.help ||
                row.when == FrontEnd::When::Asked)
                continue;
            ++listed;
            const bool hosting = row.when == FrontEnd::When::Hosting;
            hostOnly += hosting;
            guestOnly += row.when == FrontEnd::When::NotHosting ||
                         row.when == FrontEnd::When::SeatKept; // a host plays its own game
            if (row.action == FrontEnd::Action::Join)
                continue; // it acts once an address is typed: below
            FrontEnd pressed = menus;
            const int digit = row.lastKey ? row.lastKey - Qt::Key_0 : -1;
            const FrontEnd::Action asked =
                pressed.key(row.lastKey ? row.lastKey : row.key, digit, QString(), hosting);
            EXPECT_TRUE(asked != FrontEnd::Action::None || !sameMenus(pressed, menus))
                << "screen " << int(screen) << ", key " << row.keyName;
            if (hosting) { // and nothing at a machine that hosts no game
                FrontEnd alone = menus;
                EXPECT_EQ(alone.key(row.key, digit, QString(), false), FrontEnd::Action::None);
            }
        }
        EXPECT_EQ(menus.help(true, false, false, false).size(), listed - hostOnly + 3)
            << int(screen); // m, f11, f1
        EXPECT_EQ(menus.help(true, true, false, false).size(), listed - guestOnly + 3)
            << int(screen);
    }

    // Escape in the main menu asks before the window closes: the question takes every key and
    // hides the menu's own in the help; N and Escape go back, J closes.
    FrontEnd asked;
    const auto press = [&](int key) { return asked.key(key, -1, QString(), false); };
    EXPECT_EQ(press(Qt::Key_Escape), FrontEnd::Action::None);
    ASSERT_EQ(asked.asking, FrontEnd::Question::QuitGame);
    EXPECT_EQ(asked.questionText(), QStringLiteral("spiel beenden? j / n"));
    QStringList keys;
    for (const FrontEnd::HelpLine& line : asked.help(true, false, false, false))
        keys << line.key;
    EXPECT_EQ(keys, QStringList({"j", "n / esc", "m", "f11", "f1"}));
    EXPECT_EQ(press(Qt::Key_Return), FrontEnd::Action::None);
    EXPECT_EQ(asked.screen, Screen::MainMenu) << "Return starts no game while asked";
    EXPECT_EQ(press(Qt::Key_N), FrontEnd::Action::None);
    EXPECT_EQ(asked.asking, FrontEnd::Question::None);
    press(Qt::Key_Escape);
    EXPECT_EQ(press(Qt::Key_Escape), FrontEnd::Action::None);
    EXPECT_EQ(asked.asking, FrontEnd::Question::None);
    press(Qt::Key_Escape);
    EXPECT_EQ(press(Qt::Key_J), FrontEnd::Action::Quit);
    EXPECT_EQ(asked.asking, FrontEnd::Question::None);
    // The same question in a game leaves it.
    asked.ask(FrontEnd::Question::LeaveGame);
    EXPECT_EQ(asked.questionText(), QStringLiteral("spiel verlassen? j / n"));
    EXPECT_EQ(press(Qt::Key_J), FrontEnd::Action::LeaveGame);
    // P pauses a turn of a game on this machine alone, and only that lists it.
    EXPECT_EQ(asked.help(false, false, false, true).size(), 4);
    EXPECT_EQ(asked.help(false, false, false, false).size(), 3);
    // Return joins only once an address is typed; N on the main menu is no key while hosting.
    FrontEnd menus;
    menus.screen = Screen::NetworkMenu;
    EXPECT_EQ(menus.key(Qt::Key_J, -1, QString(), false), FrontEnd::Action::None);
    for (const QChar c : QStringLiteral("127.0.0.1:5"))
        menus.key(0, -1, QString(c), false);
    EXPECT_EQ(menus.key(Qt::Key_Return, -1, QString(), false), FrontEnd::Action::Join);
    EXPECT_EQ(menus.address, QStringLiteral("127.0.0.1:5"));
    menus.screen = Screen::MainMenu;
    menus.key(Qt::Key_N, -1, QString(), true);
    EXPECT_EQ(menus.screen, Screen::MainMenu);

    // P types the password the next join says (or the next host asks): Return keeps it, Escape
    // the one before, nothing typed is none; a key that is a menu's types itself meanwhile.
    menus.screen = Screen::NetworkMenu;
    const auto typePassword = [&](const QString& word, int last) {
        menus.key(Qt::Key_P, -1, QString(), false);
        for (const QChar c : word)
            EXPECT_EQ(menus.key(Qt::Key_A + c.toLower().unicode() - 'a', -1, QString(c), false),
                      FrontEnd::Action::None);
        menus.key(last, -1, QString(), false);
    };
    typePassword(QStringLiteral("hjPe"), Qt::Key_Return);
    EXPECT_EQ(menus.password, QStringLiteral("hjPe"));
    EXPECT_EQ(menus.screen, Screen::NetworkMenu);
    EXPECT_FALSE(menus.typingAddress || menus.typingName || menus.typingPassword);
    typePassword(QStringLiteral("x"), Qt::Key_Escape);
    EXPECT_EQ(menus.password, QStringLiteral("hjPe"));
    menus.key(Qt::Key_P, -1, QString(), false);
    for (int i = 0; i < 5; ++i)
        menus.key(Qt::Key_Backspace, -1, QString(), false);
    menus.key(Qt::Key_Return, -1, QString(), false);
    EXPECT_TRUE(menus.password.isEmpty());

    // R joins the game whose seat this machine kept; with none kept it is no key.
    EXPECT_EQ(menus.key(Qt::Key_R, -1, QString(), false), FrontEnd::Action::None);
    EXPECT_EQ(menus.screen, Screen::NetworkMenu);
    menus.keptSeat = QStringLiteral("[::1]:47801");
    EXPECT_EQ(menus.key(Qt::Key_R, -1, QString(), false), FrontEnd::Action::Join);
    EXPECT_EQ(menus.address, QStringLiteral("[::1]:47801"));
    FrontEnd started; // and at once from the main menu after a start
    started.keptSeat = QStringLiteral("127.0.0.1:47801");
    EXPECT_EQ(started.key(Qt::Key_R, -1, QString(), false), FrontEnd::Action::Join);
    EXPECT_EQ(started.address, QStringLiteral("127.0.0.1:47801"));
}

// The seats screen names each seat, makes it a person or the computer at a level, and picks its
// colour among those no other seat of the game has; the game takes its players' seats alone.
TEST(FrontEnd, TheSeatsScreenNamesSeatsAndPicksTheirPlayersAndColours) {
    FrontEnd menus;
    menus.players = 3;
    menus.screen = Screen::AskSettings;
    const auto press = [&](int key, const QString& text = QString()) {
        return menus.key(key, -1, text, false);
    };
    press(Qt::Key_N);
    ASSERT_EQ(menus.screen, Screen::Seats);
    // Up from the first seat goes round to the game's last, not to the ninth.
    press(Qt::Key_Up);
    EXPECT_EQ(menus.seatChosen, 2);
    press(Qt::Key_Down);
    EXPECT_EQ(menus.seatChosen, 0);

    // A name is typed as a network name is: a menu's key types itself, Escape keeps the one before,
    // Return keeps the typed one, an empty one is "spieler N" again; a 17th character is refused.
    press(Qt::Key_N);
    for (const QChar c : QStringLiteral("anna"))
        EXPECT_EQ(press(Qt::Key_A + c.unicode() - 'a', QString(c)), FrontEnd::Action::None);
    press(Qt::Key_Return);
    EXPECT_EQ(menus.seats[0].name, QStringLiteral("anna"));
    EXPECT_EQ(menus.screen, Screen::Seats) << "Return ends the typing, not the screen";
    press(Qt::Key_N);
    press(Qt::Key_B, QStringLiteral("b"));
    press(Qt::Key_Escape);
    EXPECT_EQ(menus.seats[0].name, QStringLiteral("anna"));
    EXPECT_EQ(menus.screen, Screen::Seats);
    press(Qt::Key_N); // the typing begins at the name there is
    for (int i = 0; i < 4; ++i)
        press(Qt::Key_Backspace);
    for (int i = 0; i < 20; ++i)
        press(Qt::Key_X, QStringLiteral("x"));
    press(Qt::Key_Return);
    EXPECT_EQ(menus.seats[0].name, QString(16, QLatin1Char('x')));
    press(Qt::Key_N);
    for (int i = 0; i < 16; ++i)
        press(Qt::Key_Backspace);
    press(Qt::Key_Return);
    EXPECT_TRUE(menus.seats[0].name.isEmpty());

    // C: as the menu has it, a person, leicht, mittel, schwer, and round again.
    const std::optional<ComputerLevel> cycle[] = {ComputerLevel::Off, ComputerLevel::Easy,
                                                  ComputerLevel::Medium, ComputerLevel::Hard,
                                                  std::nullopt};
    for (const std::optional<ComputerLevel>& level : cycle) {
        press(Qt::Key_C);
        EXPECT_EQ(menus.seats[0].level, level);
    }

    // F steps through drawn and the nine colours, past those the game's other seats picked; a seat
    // beyond the game's players keeps nothing from them.
    menus.seats[1].colour = 0;
    menus.seats[2].colour = 2;
    menus.seats[5].colour = 1;
    std::vector<int> stepped;
    for (int i = 0; i < 8; ++i) {
        press(Qt::Key_F);
        stepped.push_back(menus.seats[0].colour);
    }
    EXPECT_EQ(stepped, (std::vector<int>{1, 3, 4, 5, 6, 7, 8, -1}));

    press(Qt::Key_Down);
    press(Qt::Key_C);
    press(Qt::Key_C);
    const std::vector<Seat> game = menus.seatsOfGame();
    ASSERT_EQ(game.size(), 3u);
    EXPECT_EQ(game[1].level, ComputerLevel::Easy);
    EXPECT_EQ(game[1].colour, 0);
    EXPECT_TRUE(game[0].leftAsItIs());
    EXPECT_EQ(press(Qt::Key_Return), FrontEnd::Action::None);
    EXPECT_EQ(menus.screen, Screen::AskSettings);
}
