// The settings screen as a player uses it: the valley chosen with T (the standard one, a random
// one whose number is typed, each picture of one's own folder), the wind and the weapons; a broken
// picture keeps the screen up with its message; each game lays its valley, and the standard one
// comes back as it was.
#include "tests/support/GameDriver.h"

#include "engine/terrain/Bitmap.h"
#include "game/files/ValleyPicture.h"
#include "game/world/ValleyGenerator.h"

#include <QFile>
#include <QTemporaryDir>

using namespace GameDriver;

namespace {

class ValleyScenario : public GameScenario {};

void toSettings() {
    tap(Qt::Key_Return);
    tap(Qt::Key_2);
    tap(Qt::Key_1);
}

} // namespace

TEST_F(ValleyScenario, TheSettingsScreenChoosesEachGamesValleyWindAndWeapons) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString broken = folder.filePath("kaputt.bmp");
    {
        QFile file(broken);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("BM and nothing more");
    }
    Bitmap picture;
    picture.resize(2, 2);
    for (int i = 0; i < 12; ++i)
        picture.pixels[i] = static_cast<unsigned char>(i < 6 ? 20 : 120);
    ASSERT_TRUE(picture.save(folder.filePath("see.bmp").toStdString()));
    g.front.valleyFolder = folder.path();
    const quint32 standard = g.match->heightmapChecksum();

    toSettings();
    ASSERT_EQ(g.front.screen, FrontEnd::Screen::AskSettings);
    EXPECT_EQ(g.front.settings, GameSettings()) << "the classic game unless chosen";
    EXPECT_EQ(g.front.ownValleys, QStringList({broken, folder.filePath("see.bmp")}));

    // A random valley: its number drawn at once, cleared and typed.
    tap(Qt::Key_T);
    EXPECT_EQ(g.front.settings.valley, GameSettings::Valley::Random);
    EXPECT_GE(g.front.settings.valleyNumber, 1);
    for (int i = 0; i < 6; ++i)
        tap(Qt::Key_Backspace);
    EXPECT_EQ(g.front.settings.valleyNumber, 0);
    for (int key : {Qt::Key_4, Qt::Key_7, Qt::Key_1, Qt::Key_1})
        tap(key);
    EXPECT_EQ(g.front.settings.valleyNumber, 4711);
    tap(Qt::Key_W);
    tap(Qt::Key_W);
    tap(Qt::Key_A);
    const QImage screen = frame();
    const int x = g.hud().menuPlace().left() + 30; // the panel widens for the pace's line
    expectTextLine(screen, x, 300 - 80, "t: tal: zufall 4711", 20);
    expectTextLine(screen, x, 300 - 8, "w: wind: stark", 20);
    expectTextLine(screen, x, 300 + 26, "a: waffen: alle", 20);
    expectTextLine(screen, x, 300 + 60, "p: tempo: klassisch 60/45", 20);
    expectTextLine(screen, x, 300 + 94, "s: sudden death: aus", 20);
    // A pace is a preset with its own sudden death, which S changes after.
    tap(Qt::Key_P);
    EXPECT_EQ(g.front.settings.pace, GameSettings::Pace::Quick);
    EXPECT_EQ(g.front.settings.suddenDeath, GameSettings::SuddenDeath::After5);
    tap(Qt::Key_S);
    tap(Qt::Key_S);
    tap(Qt::Key_S);
    EXPECT_EQ(g.front.settings.suddenDeath, GameSettings::SuddenDeath::After5);
    tap(Qt::Key_P);
    tap(Qt::Key_P);
    EXPECT_EQ(g.front.settings.suddenDeath, GameSettings::SuddenDeath::Off);
    tap(Qt::Key_Return);
    ASSERT_EQ(g.match->state(), Countdown);
    Bitmap made;
    ValleyGenerator::heights(4711, made);
    const std::vector<double> heights = terrainHeights();
    ASSERT_EQ(heights.size(), 321u * 161u);
    for (std::size_t i = 0; i < heights.size(); i += 101)
        ASSERT_DOUBLE_EQ(heights[i], made.pixels[3 * i] / 255.0) << i;
    EXPECT_EQ(log().mid(3).join('|').toStdString(), "tal nummer 4711|wind: stark|waffen: alle");
    frame(); // the new texture drawn

    // Back to the menu; the settings stay. The broken picture keeps the screen up and says why.
    toMoving();
    tap(Qt::Key_Escape);
    tap(Qt::Key_J);
    toSettings();
    EXPECT_EQ(g.front.settings.valleyNumber, 4711);
    tap(Qt::Key_T);
    EXPECT_EQ(g.front.settings.valleyPicture, broken.toStdString());
    tap(Qt::Key_Return);
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::AskSettings);
    EXPECT_EQ(log().last(), broken + ": dateikopf unvollstaendig");
    EXPECT_TRUE(g.match->players().empty());

    // A picture of one's own, scaled to the grid: its lower half low, its upper half high.
    tap(Qt::Key_T);
    tap(Qt::Key_W); // still air again
    tap(Qt::Key_A); // the grenade alone
    tap(Qt::Key_Return);
    ASSERT_EQ(g.match->state(), Countdown);
    EXPECT_DOUBLE_EQ(g.match->landscape().height(0, 0), 20 / 255.0);
    EXPECT_DOUBLE_EQ(g.match->landscape().height(160, 320), 120 / 255.0);
    EXPECT_EQ(log().last(), "tal: see");

    // The standard valley once more, as it was: and the classic game's log.
    toMoving();
    tap(Qt::Key_Escape);
    tap(Qt::Key_J);
    toSettings();
    tap(Qt::Key_T);
    EXPECT_EQ(g.front.settings.valley, GameSettings::Valley::Standard);
    tap(Qt::Key_Return);
    ASSERT_EQ(g.match->state(), Countdown);
    EXPECT_EQ(g.match->heightmapChecksum(), standard);
    EXPECT_EQ(log().join('|').toStdString(), "|||||Willkommen");
}
