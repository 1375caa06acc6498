// The game window as the player first sees it: the main menu state, the message log, the size
// limit, the dark blue frame and the tortoise icon.
#include "game/session/Game.h"

#include <GL/gl.h>
#include <QApplication>
#include <QIcon>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// One game per test process: GL light names are never given back.
Game& game() {
    static Game* instance = [] {
        Game* g = new Game();
        g->QWidget::resize(800, 600);
        g->show();
        QApplication::processEvents();
        return g;
    }();
    return *instance;
}

} // namespace

TEST(GameWindow, OpensOnTheMainMenuWithAWelcome) {
    Game& g = game();
    EXPECT_EQ(g.match->state(), NoGame);
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::MainMenu);
    EXPECT_TRUE(g.match->frozen());
    EXPECT_TRUE(g.camera().locked());
    EXPECT_EQ(g.match->currentPlayer(), -1);
    EXPECT_EQ(g.match->playerCount(), 0u);
    EXPECT_EQ(g.match->messages()[5].shown(), QString("Willkommen"));
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(g.match->messages()[i].shown().isEmpty()) << "line " << i;
    EXPECT_TRUE(g.hasMouseTracking());
    EXPECT_TRUE(g.doubleBuffered());
}

TEST(GameWindow, CannotShrinkBelow800x600) {
    Game& g = game();
    EXPECT_EQ(g.minimumSize(), QSize(800, 600));
    g.QWidget::resize(300, 200);
    QApplication::processEvents();
    EXPECT_GE(g.width(), 800);
    EXPECT_GE(g.height(), 600);
}

TEST(GameWindow, MessageLogScrollsUp) {
    Game& g = game();
    for (int i = 1; i <= 7; ++i)
        g.match->addMessage(LogLine(LogLine::Text::Plain, -1, QString::number(i)));
    EXPECT_EQ(g.match->messages()[0].shown(), QString("2"));
    EXPECT_EQ(g.match->messages()[5].shown(), QString("7"));
}

TEST(GameWindow, FrameShowsTheValleyUnderADarkBlueSky) {
    Game& g = game();
    // A window not yet mapped on a busy X server paints nothing: draw only once it is exposed.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g, 10000));
    g.repaint();
    const QImage frame = g.grabFramebuffer();
    ASSERT_FALSE(frame.isNull());
    EXPECT_EQ(frame.pixelColor(5, 5), QColor(0, 0, 51)); // sky: the clear colour
    // The valley floor fills the bottom of the picture.
    EXPECT_NE(frame.pixelColor(5, frame.height() - 5), QColor(0, 0, 51));
}

TEST(GameWindow, ShowsTheInstalledTortoiseIconAtEverySize) {
    Game& g = game();
    const QString icons = QString::fromLocal8Bit(qgetenv("TV_SOURCE_DIR")) + "/desktop/icons";
    for (int size : {16, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const QImage installed(
            QStringLiteral("%1/hicolor/%2x%2/apps/org.tortoisevalley.TortoiseValley.png")
                .arg(icons)
                .arg(size));
        ASSERT_EQ(installed.size(), QSize(size, size));
        const QImage shown = g.windowIcon().pixmap(size, size).toImage();
        EXPECT_EQ(shown.convertToFormat(QImage::Format_ARGB32),
                  installed.convertToFormat(QImage::Format_ARGB32));
    }
}
