// The game's GL resources stay flat over a long session: round after round with many craters and
// whole frames, the display lists and textures alive in the context come back to the same
// number every time the main menu shows, and a crater gives back the lists it replaces.
// Live names are found by probing every name below the next free one with glIsList/glIsTexture.
#include "engine/scene/VORN_Clock.h"
#include "game/session/Game.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <GL/gl.h>
#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

using VORN_LIB::VORN_Clock;
using VORN_LIB::VORN_Vector;

namespace {

Game& window() {
    static Game* instance = [] {
        VORN_Clock::setManual(1000);
        Game* g = new Game();
        g->timer()->stop();
        // The 3-D picture through the off-screen buffer, whatever this machine's frames cost:
        // the buffer's texture is made by the first frame and kept, never made again.
        g->renderScale.fix(0.75);
        g->QWidget::resize(400, 300);
        g->show();
        QApplication::processEvents();
        return g;
    }();
    return *instance;
}

struct Live {
    int lists = 0;
    int textures = 0;
};

// Every list and texture name alive in the game's context.
Live countLive(Game& g) {
    g.makeCurrent();
    Live live;
    const GLuint nextList = glGenLists(1);
    glDeleteLists(nextList, 1);
    GLuint nextTexture = 0;
    glGenTextures(1, &nextTexture);
    glDeleteTextures(1, &nextTexture);
    // Names may be handed out again after a delete, so look a little past the probe as well.
    for (GLuint name = 1; name < nextList + 4096; ++name)
        live.lists += glIsList(name) ? 1 : 0;
    for (GLuint name = 1; name < nextTexture + 256; ++name)
        live.textures += glIsTexture(name) ? 1 : 0;
    return live;
}

class GLResources : public ::testing::Test {
protected:
    Game& g = window();

    void key(int code) {
        QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier);
        QApplication::sendEvent(&g, &press);
        QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier);
        QApplication::sendEvent(&g, &release);
    }

    void tick(VORN_Clock::Ticks ms) {
        VORN_Clock::advance(ms);
        g.updateStuff();
    }

    void frame() {
        g.repaint();
        QApplication::processEvents();
    }

    // One throw straight ahead at the default aim, played to its crater (or its exit).
    void throwOnce() {
        for (int i = 0; i < 10 && g.match->state() == Countdown; ++i)
            tick(1000);
        if (g.match->state() != Moving)
            return;
        key(Qt::Key_Return);
        frame(); // the aiming arrow
        key(Qt::Key_Return);
        for (int i = 0; i < 2000 && g.match->state() == Flying &&
                        g.match->impactState() != ImpactState::Exploded;
             ++i)
            tick(50);
        frame();
        for (int i = 0; i < 10 && g.match->state() == Flying; ++i)
            tick(1000);
    }

    void playRound(int players, int figures, int throws) {
        key(Qt::Key_Return);
        key(Qt::Key_0 + players);
        key(Qt::Key_0 + figures);
        key(Qt::Key_Return); // the settings screen: the classic game
        ASSERT_EQ(g.match->state(), Countdown);
        frame();
        for (int t = 0; t < throws && g.match->state() != GameOver; ++t)
            throwOnce();
        frame();
        // Return leaves the end screen; Escape, answered yes, a turn.
        const auto leave = [&] {
            key(g.match->state() == GameOver ? Qt::Key_Return : Qt::Key_Escape);
            if (g.front.asking != FrontEnd::Question::None)
                key(Qt::Key_J);
        };
        leave();
        for (int i = 0; i < 10 && g.match->state() != NoGame;
             ++i) { // a countdown or flight runs out
            tick(1000);
            leave();
        }
        ASSERT_EQ(g.match->state(), NoGame);
        ASSERT_EQ(g.front.screen, FrontEnd::Screen::MainMenu);
        frame();
    }
};

TEST_F(GLResources, ListsAndTexturesComeBackToTheSameCountAfterEveryRound) {
    std::srand(11);
    // One round first, so that every lazily made list, glyph and texture of a frame exists.
    playRound(2, 1, 2);
    const Live start = countLive(g);
    ASSERT_GT(start.lists, 0);
    ASSERT_GT(start.textures, 0); // the valley's texture at least

    std::vector<int> lists;
    std::vector<int> textures;
    for (int round = 0; round < 12; ++round) {
        playRound(2 + round % 8, 1 + (round * 5) % 9, 4);
        const Live now = countLive(g);
        lists.push_back(now.lists);
        textures.push_back(now.textures);
    }
    EXPECT_EQ(lists, std::vector<int>(lists.size(), start.lists));
    EXPECT_EQ(textures, std::vector<int>(textures.size(), start.textures));
}

TEST_F(GLResources, ACraterReplacesTheTerrainListsWithoutKeepingTheOldOnes) {
    frame();
    const Live before = countLive(g);
    ASSERT_GT(before.lists, 0);
    for (int i = 0; i < 20; ++i) {
        const VORN_Vector centre(-70 + 7 * i, 3, (i % 5) * 15 - 30);
        const double ground = g.match->landscape().surfaceHeight(centre.x(), centre.z());
        g.makeCurrent();
        g.match->landscape().createCrater(centre, 3.0);
        // The crater was dug, and the frame records the blocks it made stale again.
        EXPECT_LT(g.match->landscape().surfaceHeight(centre.x(), centre.z()), ground) << i;
        frame();
    }
    // Counted by what is alive, not by the names: the GL may hand a deleted name out again.
    const Live after = countLive(g);
    EXPECT_EQ(after.lists, before.lists);
    EXPECT_EQ(after.textures, before.textures);
}

} // namespace
