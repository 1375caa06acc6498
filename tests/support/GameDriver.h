// Drives the real game window in tests: one Game per test process, time set by hand, ticks run one
// by one, keys and mouse sent to the widget as events. World units, y up, angles in degrees.
// NOTE: GL light names are never given back, so a process can build at most two game windows.
// The scenario tests therefore run one per process (ctest does that); a second scenario in the
// same process is skipped rather than run on a used game.
#pragma once

#include "engine/math/VORN_Vector.h"
#include "game/session/Game.h"

#include <QImage>
#include <QStringList>
#include <QVector>
#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

class Tortoise;

namespace GameDriver {

// The game of this process, made on first use: 800 × 600, shown, its own timer stopped so only
// the test's ticks run, the clock driven by hand from 1000 ms on, its sound played into OpenAL
// Soft's silent null output unless ALSOFT_DRIVERS names another.
Game& game();
// Whether the game's timer was running at 25 ms before the driver stopped it.
bool timerWasRunning();

// Advances the clock by ms and runs one tick; count times.
void tick(int count = 1, long ms = 25);
// Ticks of 25 ms covering the given seconds.
void ticksFor(double seconds);
// Ticks until done() holds, at most maxTicks; tells whether it came true.
bool tickUntil(const std::function<bool()>& done, int maxTicks = 4000);

void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void release(int key);
void tap(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// The release and press a held key repeats with, both marked as auto-repeated.
void repeat(int key);
// Presses the key, ticks for the seconds, releases it.
void hold(int key, double seconds);

void mouseMove(int x, int y, Qt::MouseButtons held = Qt::NoButton);
void mousePress(Qt::MouseButton button, int x, int y);
void mouseRelease(Qt::MouseButton button, int x, int y);
void wheel(int delta);

// From the main menu: Return, the player digit, the seed, the figure digit, Return on the settings
// screen (the classic game). Ends in the countdown
// of player 0.
void startRound(int players, int figures, unsigned seed);
// Ticks through the countdown into Moving.
void toMoving();
// Puts a figure at the x/z of a point, resting on the terrain (its sphere of radius 0.3 touching
// the ground), at rest.
void placeOnGround(Tortoise* figure, double x, double z);
// The point on the terrain below or above (x, z), world coordinates.
VORN_LIB::VORN_Vector ground(double x, double z);

// Explodes the grenade of a throw at a point: in Flying, the grenade is put there at rest and
// marked as hit, and one tick without passing time handles the explosion. Every figure is held
// at rest for that tick, so nothing moves.
void explodeAt(const VORN_LIB::VORN_Vector& point);

// Repaints and reads the frame back (QWidget::grab does not work for GL widgets).
QImage frame();
// Smallest rectangle of the area holding the overlay's white text (every channel above 150);
// empty when there is none.
QRect textBounds(const QImage& image, const QRect& area);
// Width of a line as the overlay's font of that size ("Helvetica") sets it, in pixels.
int textWidth(const QString& text, int pointSize);
// Checks one line of overlay text in a frame: white text starting near x, as wide as the text.
void expectTextLine(const QImage& image, int x, int baseline, const QString& text, int pointSize);
// Pure green pixels of a frame outside the panels (where a label in pure green may be: the layout
// moves labels off the panels, and the strength pie has green of its own).
int greenLabelPixels(const QImage& image, const QVector<QRect>& panels);
// Whether the area of the frame holds no white text at all.
bool noTextIn(const QImage& image, const QRect& area);
// Heights of every terrain grid point, row by row.
std::vector<double> terrainHeights();
// World position of terrain grid point (row, column).
VORN_LIB::VORN_Vector gridPoint(std::uint32_t row, std::uint32_t column);

// The message log, oldest line first.
QStringList log();
// How often an object is in the scene's children.
int inScene(const VORN_LIB::VORN_Object* object);
// How often a volume is in the collision list.
int inCollisions(const VORN_LIB::VORN_BoundingVolume* volume);
// How often a container is in the gravity group.
int inGravity(const VORN_LIB::VORN_PhysicsContainer* container);

double distance(const VORN_LIB::VORN_Vector& a, const VORN_LIB::VORN_Vector& b);
double horizontalDistance(const VORN_LIB::VORN_Vector& a, const VORN_LIB::VORN_Vector& b);

} // namespace GameDriver

// Fixture of the scenario tests: gives the game and skips every scenario after the first in one
// process (the game is not fresh any more).
class GameScenario : public ::testing::Test {
protected:
    void SetUp() override;
    Game& g = GameDriver::game();
};
