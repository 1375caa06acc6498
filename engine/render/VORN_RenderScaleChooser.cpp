// The measured choice of the render scale.
#include "engine/render/VORN_RenderScaleChooser.h"

#include <algorithm>

namespace VORN_LIB {

constexpr std::array<double, 4> VORN_RenderScaleChooser::steps;

VORN_RenderScaleChooser::VORN_RenderScaleChooser(double budgetMs) : budget(budgetMs) {
    frames.reserve(window);
}

void VORN_RenderScaleChooser::fix(double scale) {
    fixed = true;
    current = std::clamp(scale, 0.25, 1.0);
    frames.clear();
    forget();
}

void VORN_RenderScaleChooser::forget() {
    previousScale = 0;
    scalableMs = 0;
}

void VORN_RenderScaleChooser::automatic() {
    fixed = false;
    frames.clear();
    forget();
    // From the largest step not above the fixed scale (the smallest below all of them).
    double step = steps.back();
    for (const double s : steps)
        if (s <= current) {
            step = s;
            break;
        }
    current = step;
}

bool VORN_RenderScaleChooser::frameDrawn(double ms, int w, int h) {
    if (fixed)
        return false;
    if (w != width || h != height) {
        width = w;
        height = h;
        frames.clear();
        forget();
    }
    frames.push_back(ms);
    if (static_cast<int>(frames.size()) < window)
        return false;

    // The time that a quarter of the frames reached or exceeded.
    std::vector<double> sorted = frames;
    frames.clear();
    const auto quarter = sorted.begin() + (window - window / 4);
    std::nth_element(sorted.begin(), quarter, sorted.end());
    const double slow = *quarter;

    // Two windows of frames at two scales tell how much of the frame grows with the pixels.
    if (previousScale > 0 && previousScale != current) {
        const double grown =
            (previousSlow - slow) / (previousScale * previousScale - current * current);
        scalableMs = grown > 0 ? grown : 0;
    }
    previousScale = current;
    previousSlow = slow;

    std::size_t at = 0; // current is a step here (automatic() makes it one)
    while (at + 1 < steps.size() && steps[at] > current)
        ++at;
    const double before = current;
    if (slow > budget && at + 1 < steps.size() && steps[at + 1] * width >= narrowest) {
        current = steps[at + 1];
    } else if (slow <= budget && at > 0) {
        // The frame as if all of it grew with the pixels, or by the part measured to grow.
        const double higher = steps[at - 1];
        double predicted = slow * (higher / current) * (higher / current);
        if (scalableMs > 0)
            predicted =
                std::min(predicted, slow + scalableMs * (higher * higher - current * current));
        if (predicted <= 0.9 * budget)
            current = higher;
    }
    return current != before;
}

} // namespace VORN_LIB
