// Where each tortoise's last throw landed, shown on the ground around the point while that
// tortoise takes its next turns, until it moves from where it threw: a ring in its team's colour
// with a cross in the middle, following the ground.
#pragma once

#include "engine/math/VORN_Color.h"
#include "engine/math/VORN_Vector.h"

#include <map>
#include <optional>

class Tortoise;
namespace VORN_LIB {
class VORN_Landscape;
}

class ThrowMarks {
public:
    // How far a tortoise may move (on the ground) from where it threw and keep its mark: a
    // quarter second's drive, more than a resting tortoise creeps down a slope between its turns.
    static constexpr double stillWithin = 0.5;
    static constexpr double ringRadius = 0.6;

    void clear(); // a new game
    // A tortoise throws from where it stands now.
    void thrown(const Tortoise* figure);
    // The last throw came down at a point (the blast's centre).
    void landed(const VORN_LIB::VORN_Vector& point);
    // Where a tortoise's last throw landed, while it stands where it threw from.
    std::optional<VORN_LIB::VORN_Vector> markOf(const Tortoise* figure) const;

    // Draws a mark on the valley with the view of the 3-D picture (depth tested, unlit, not
    // fogged), its line 3 window pixels wide in a picture of pictureScale picture pixels to each
    // window pixel. Every GL state it changes is put back.
    static void draw(const VORN_LIB::VORN_Landscape& land, const VORN_LIB::VORN_Vector& point,
                     const VORN_LIB::VORN_Color& colour, double pictureScale = 1.0);

private:
    struct Mark {
        VORN_LIB::VORN_Vector from;
        std::optional<VORN_LIB::VORN_Vector> landed;
    };
    // By tortoise: only compared, never followed (a lost tortoise's entry stays unused).
    std::map<const Tortoise*, Mark> marks;
    const Tortoise* lastThrower = nullptr;
};
