// Test driver of the game window: events sent straight to the widget, the engine clock set by hand,
// the match driven through the window's own tick.
#include "tests/support/GameDriver.h"

#include <algorithm>

#include "engine/scene/VORN_Clock.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"
#include "tools/driver/MatchDriver.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest/QTest>
#include <cmath>
#include <cstdlib>

using VORN_LIB::VORN_Clock;
using VORN_LIB::VORN_Vector;

namespace GameDriver {

namespace {

Game* instance = nullptr;
bool timerRan = false;

// The match of the game, ticked by the window's tick.
MatchDriver& driver() {
    static MatchDriver* made = new MatchDriver(*game().match, [] { game().updateStuff(); });
    return *made;
}

void sendKey(QEvent::Type type, int key, Qt::KeyboardModifiers modifiers, bool autoRepeat) {
    QKeyEvent event(type, key, modifiers, QString(), autoRepeat);
    QApplication::sendEvent(instance, &event);
}

void sendMouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons, int x, int y) {
    const QPointF local(x, y);
    QMouseEvent event(type, local, instance->mapToGlobal(QPoint(x, y)), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(instance, &event);
}

} // namespace

Game& game() {
    if (!instance) {
        // Sound goes to OpenAL Soft's null output, silent on every machine, unless a test has
        // chosen an output of its own.
        if (!qEnvironmentVariableIsSet("ALSOFT_DRIVERS"))
            qputenv("ALSOFT_DRIVERS", "null");
        VORN_Clock::setManual(1000);
        instance = new Game();
        timerRan = instance->timer()->isActive() && instance->timer()->interval() == 25;
        instance->timer()->stop();
        // The 3-D picture at full scale, however slow this machine's frames are: the tests
        // compare pictures. A test of the scale sets its own.
        instance->renderScale.fix(1.0);
        instance->QWidget::resize(800, 600);
        instance->show();
        QApplication::processEvents();
    }
    return *instance;
}

bool timerWasRunning() {
    game();
    return timerRan;
}

void tick(int count, long ms) {
    driver().tick(count, ms);
}

void ticksFor(double seconds) {
    driver().ticksFor(seconds);
}

bool tickUntil(const std::function<bool()>& done, int maxTicks) {
    return driver().tickUntil(done, maxTicks);
}

void press(int key, Qt::KeyboardModifiers modifiers) {
    QTest::keyPress(&game(), static_cast<Qt::Key>(key), modifiers);
}

void release(int key) {
    QTest::keyRelease(&game(), static_cast<Qt::Key>(key));
}

void tap(int key, Qt::KeyboardModifiers modifiers) {
    press(key, modifiers);
    QTest::keyRelease(&game(), static_cast<Qt::Key>(key), modifiers);
}

void repeat(int key) {
    game();
    sendKey(QEvent::KeyRelease, key, Qt::NoModifier, true);
    sendKey(QEvent::KeyPress, key, Qt::NoModifier, true);
}

void hold(int key, double seconds) {
    press(key);
    ticksFor(seconds);
    release(key);
}

void mouseMove(int x, int y, Qt::MouseButtons held) {
    game();
    sendMouse(QEvent::MouseMove, Qt::NoButton, held, x, y);
}

void mousePress(Qt::MouseButton button, int x, int y) {
    game();
    sendMouse(QEvent::MouseButtonPress, button, button, x, y);
}

void mouseRelease(Qt::MouseButton button, int x, int y) {
    game();
    sendMouse(QEvent::MouseButtonRelease, button, Qt::NoButton, x, y);
}

void wheel(int delta) {
    Game& g = game();
    const QPointF at(400, 300);
    QWheelEvent event(at, g.mapToGlobal(QPoint(400, 300)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&g, &event);
}

void startRound(int players, int figures, unsigned seed) {
    tap(Qt::Key_Return);
    tap(Qt::Key_0 + players);
    std::srand(seed);
    tap(Qt::Key_0 + figures);
    tap(Qt::Key_Return); // the settings screen: the classic game
}

void toMoving() {
    driver().toMoving();
}

VORN_Vector ground(double x, double z) {
    return driver().ground(x, z);
}

void placeOnGround(Tortoise* figure, double x, double z) {
    driver().placeOnGround(figure, x, z);
}

void explodeAt(const VORN_Vector& point) {
    driver().explodeAt(point);
}

QImage frame() {
    Game& g = game();
    const bool updating = g.updatesEnabled();
    g.setUpdatesEnabled(true);
    g.repaint();
    QImage image = g.grabFramebuffer();
    g.setUpdatesEnabled(updating);
    return image;
}

QRect textBounds(const QImage& image, const QRect& area) {
    QRect bounds;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 150 && c.green() > 150 && c.blue() > 150)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

int greenLabelPixels(const QImage& image, const QVector<QRect>& panels) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.green() > 150 && c.red() < 60 && c.blue() < 60 &&
                std::none_of(panels.begin(), panels.end(),
                             [&](const QRect& panel) { return panel.contains(x, y); }))
                ++n;
        }
    return n;
}

int textWidth(const QString& text, int pointSize) {
    return QFontMetrics(QFont("Helvetica", pointSize)).tightBoundingRect(text).width();
}

void expectTextLine(const QImage& image, int x, int baseline, const QString& text, int pointSize) {
    const QRect ink = QFontMetrics(QFont("Helvetica", pointSize)).tightBoundingRect(text);
    const QRect area(x + ink.left() - 8, baseline + ink.top() - 3, ink.width() + 24,
                     ink.height() + 6);
    const QRect bounds = textBounds(image, area);
    ASSERT_FALSE(bounds.isEmpty()) << "no text where \"" << text.toStdString() << "\" belongs";
    EXPECT_NEAR(bounds.left(), x + ink.left(), 3) << text.toStdString();
    // Anti-aliased edges and glyph spacing differ a little from the metrics: allow 5 %.
    EXPECT_NEAR(bounds.width(), ink.width(), 3 + ink.width() / 20) << text.toStdString();
    EXPECT_NEAR(bounds.top(), baseline + ink.top(), 3) << text.toStdString();
}

bool noTextIn(const QImage& image, const QRect& area) {
    return textBounds(image, area).isEmpty();
}

std::vector<double> terrainHeights() {
    const VORN_LIB::VORN_Landscape& land = game().match->landscape();
    std::vector<double> heights;
    for (std::uint32_t r = 0; r < land.rows; ++r)
        for (std::uint32_t c = 0; c < land.columns; ++c)
            heights.push_back(land.height(r, c));
    return heights;
}

VORN_Vector gridPoint(std::uint32_t row, std::uint32_t column) {
    const VORN_LIB::VORN_Landscape& land = game().match->landscape();
    const double x = land.sizeX * column / (land.columns - 1) - land.sizeX / 2;
    const double z = land.sizeZ / 2 - land.sizeZ * row / (land.rows - 1);
    return land.worldPosition + VORN_Vector(x, land.height(row, column) * land.heightScale, z);
}

QStringList log() {
    return driver().log();
}

int inScene(const VORN_LIB::VORN_Object* object) {
    return game().match->scene().children.count(const_cast<VORN_LIB::VORN_Object*>(object));
}

int inCollisions(const VORN_LIB::VORN_BoundingVolume* volume) {
    int n = 0;
    for (const VORN_LIB::VORN_BoundingVolume* v : game().match->collisions().volumes)
        n += v == volume ? 1 : 0;
    return n;
}

int inGravity(const VORN_LIB::VORN_PhysicsContainer* container) {
    int n = 0;
    for (const VORN_LIB::VORN_PhysicsContainer* c : game().match->gravityGroup().containers)
        n += c == container ? 1 : 0;
    return n;
}

double distance(const VORN_Vector& a, const VORN_Vector& b) {
    return std::sqrt((a - b).lengthSquared());
}

double horizontalDistance(const VORN_Vector& a, const VORN_Vector& b) {
    return std::hypot(a.x() - b.x(), a.z() - b.z());
}

} // namespace GameDriver

void GameScenario::SetUp() {
    static int scenariosRun = 0;
    if (scenariosRun++ > 0)
        GTEST_SKIP() << "each game scenario needs a fresh game: run it in its own process (ctest)";
}
