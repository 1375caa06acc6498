// The render scale of the 3-D picture, chosen from the measured time of the frames: on software
// OpenGL a big window costs more than a tick, so the picture is drawn at a fraction of each side
// and scaled up. Pure arithmetic, no GL.
//
// The scale steps down (1 → 0.75 → 0.5 → 0.25) when a quarter or more of the last frames missed
// the budget (the game's tick), as long as the picture stays at least `narrowest` pixels wide (a
// quarter only in a window of full-screen size), and one step up when the time reached by the
// slowest quarter of them, grown to the higher step, would still fit nine tenths of the budget.
// The growth is the part of the frame that two windows at two scales were measured to gain with
// the pixels; before such a measurement at this window size, or when fewer pixels were not
// measured faster, the whole frame is taken to grow with the pixels, which overestimates it (the
// overlay and the vertex work stay the same). So a step up is taken only when the load that made
// the frames slow has gone, and the scale does not swing back and forth. After every change, and
// when the window's size changes, a whole window of new frames is measured before the next
// decision. A fixed scale ignores the frames.
#pragma once

#include <array>
#include <vector>

namespace VORN_LIB {

class VORN_RenderScaleChooser {
public:
    static constexpr std::array<double, 4> steps{1.0, 0.75, 0.5, 0.25};
    static constexpr int narrowest = 400; // pixels: the automatic choice draws no narrower
    static constexpr int window = 20;     // frames measured before a decision

    explicit VORN_RenderScaleChooser(double budgetMs = 25.0);

    // Fixes the scale (clamped to 0.25 … 1): the frames no longer move it.
    void fix(double scale);
    // Back to the measured choice, from the largest step not above the current scale.
    void automatic();
    bool isFixed() const { return fixed; }
    double scale() const { return current; }

    // One frame drawn at the current scale in a window of the given size took ms milliseconds;
    // true when the scale of the next frame differs.
    bool frameDrawn(double ms, int width, int height);

private:
    double budget;
    double current = 1.0;
    bool fixed = false;
    int width = 0;
    int height = 0;
    std::vector<double> frames; // at the current scale and window size, oldest first
    // The last window's scale (0: none at this size) and the time of its slowest quarter, and
    // the milliseconds of a frame at scale 1 that grow with the pixels as last measured between
    // two scales (0: not known, or no gain measured).
    double previousScale = 0;
    double previousSlow = 0;
    double scalableMs = 0;
    void forget();
};

} // namespace VORN_LIB
