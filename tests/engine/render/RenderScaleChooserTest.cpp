// The measured choice of the render scale, fed with frame times of a model machine: a frame costs
// a fixed part plus a part that grows with the pixels drawn (scale²), with a little noise. No
// window, no GL.
#include "engine/render/VORN_RenderScaleChooser.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

using VORN_LIB::VORN_RenderScaleChooser;

namespace {

struct Machine {
    double fixedMs;  // overlay, vertex work, the buffer swap
    double pixelsMs; // the 3-D picture at scale 1
    double noise = 0.1;
    std::mt19937 random{7};

    double frame(double scale) {
        std::uniform_real_distribution<double> spread(1.0 - noise, 1.0 + noise);
        return (fixedMs + pixelsMs * scale * scale) * spread(random);
    }
};

// Feeds frames drawn at whatever scale the chooser gives; returns the scale of every frame.
std::vector<double> play(VORN_RenderScaleChooser& chooser, Machine& machine, int frames,
                         int width = 1920, int height = 1080) {
    std::vector<double> scales;
    for (int i = 0; i < frames; ++i) {
        scales.push_back(chooser.scale());
        chooser.frameDrawn(machine.frame(chooser.scale()), width, height);
    }
    return scales;
}

int changes(const std::vector<double>& scales) {
    int n = 0;
    for (std::size_t i = 1; i < scales.size(); ++i)
        n += scales[i] != scales[i - 1] ? 1 : 0;
    return n;
}

constexpr int window = VORN_RenderScaleChooser::window;

} // namespace

// A GPU draws a frame in well under a millisecond, a small window on software OpenGL within the
// tick: the scale stays at 1, and a hitch now and then (a crater's lists, another program) does
// not move it as long as fewer than a quarter of the frames miss the tick.
TEST(RenderScaleChooser, StaysAtFullScaleWhileTheFramesFitTheTick) {
    VORN_RenderScaleChooser gpu;
    Machine fast{0.3, 0.4};
    EXPECT_EQ(changes(play(gpu, fast, 2000)), 0);
    EXPECT_EQ(gpu.scale(), 1.0);

    VORN_RenderScaleChooser software;
    Machine window800{6, 12}; // 18 ms ± 10 %
    for (int i = 0; i < 40 * window; ++i) {
        const bool hitch = i % 5 == 0; // a fifth of the frames at 40 ms
        software.frameDrawn(hitch ? 40.0 : window800.frame(1.0), 800, 600);
        ASSERT_EQ(software.scale(), 1.0) << "frame " << i;
    }
}

// Full screen on software OpenGL: the picture steps down one step per window of frames until the
// frames fit the tick, and then stays there however long the game runs: the step back up is
// measured to miss the tick, so it is never taken.
TEST(RenderScaleChooser, StepsDownUntilTheFramesFitAndThenHoldsStill) {
    VORN_RenderScaleChooser chooser;
    Machine fullScreen{4, 40}; // 44 ms at 1, 26.5 at 0.75, 14 at 0.5 (± 10 %)
    const std::vector<double> scales = play(chooser, fullScreen, 100 * window);
    EXPECT_EQ(scales[window - 1], 1.0) << "a whole window is measured before the first step";
    EXPECT_EQ(scales[window], 0.75);
    EXPECT_EQ(scales[2 * window - 1], 0.75);
    EXPECT_EQ(scales[2 * window], 0.5);
    EXPECT_EQ(changes(scales), 2);
    EXPECT_EQ(chooser.scale(), 0.5);

    // A picture that only just misses at 1 (26 ms) fits well at 0.75 (16 ms), yet 0.75 grown
    // back to full size would miss again: one step and no flicker.
    VORN_RenderScaleChooser edge;
    Machine justMissing{3, 23, 0.03};
    const std::vector<double> edgeScales = play(edge, justMissing, 200 * window);
    EXPECT_EQ(changes(edgeScales), 1);
    EXPECT_EQ(edge.scale(), 0.75);

    // Where a half still misses, a full-screen window goes on to a quarter (480 × 270), an
    // 800 × 600 one stops at a half (400 × 300): a picture drawn narrower is all blocks.
    Machine slowerStill{12, 60}; // 72 ms at 1, 27 at 0.5, 15.75 at 0.25
    VORN_RenderScaleChooser full;
    play(full, slowerStill, 20 * window, 1920, 1080);
    EXPECT_EQ(full.scale(), 0.25);
    VORN_RenderScaleChooser small;
    const std::vector<double> smallScales = play(small, slowerStill, 20 * window, 800, 600);
    EXPECT_EQ(small.scale(), 0.5);
    EXPECT_EQ(changes(smallScales), 2);
}

// Leaving full screen: the frames of the old size are forgotten, and with four times fewer pixels
// the picture steps back up to 1, one step per window, and stays there; back in full screen it
// steps down again.
TEST(RenderScaleChooser, FollowsTheWindowSize) {
    VORN_RenderScaleChooser chooser;
    Machine software{4, 40};
    play(chooser, software, 10 * window, 1920, 1080);
    ASSERT_EQ(chooser.scale(), 0.5);

    // Half a window of slow frames at the old size, then the window shrinks: those do not count
    // towards the first decision at the new size.
    for (int i = 0; i < window / 2; ++i)
        chooser.frameDrawn(60, 1920, 1080);
    Machine small{4, 40 * 800.0 * 600.0 / (1920.0 * 1080.0)}; // 13.3 ms at 1
    std::vector<double> scales = play(chooser, small, 50 * window, 800, 600);
    EXPECT_EQ(scales[window - 1], 0.5);
    EXPECT_EQ(scales[window], 0.75);
    EXPECT_EQ(scales[2 * window], 1.0);
    EXPECT_EQ(changes(scales), 2);

    scales = play(chooser, software, 50 * window, 1920, 1080);
    EXPECT_EQ(chooser.scale(), 0.5);
    EXPECT_EQ(changes(scales), 2);
}

// A fixed scale is kept whatever the frames cost; back to the measured choice, the scale starts
// from the largest step not above it.
TEST(RenderScaleChooser, FixedScaleIgnoresTheFrames) {
    VORN_RenderScaleChooser chooser;
    chooser.fix(1.0);
    Machine slow{10, 90};
    EXPECT_EQ(changes(play(chooser, slow, 20 * window)), 0);
    EXPECT_EQ(chooser.scale(), 1.0);
    chooser.fix(0.6);
    EXPECT_EQ(chooser.scale(), 0.6);
    chooser.fix(0.1);
    EXPECT_EQ(chooser.scale(), 0.25);
    chooser.fix(0.6);
    chooser.automatic();
    EXPECT_FALSE(chooser.isFixed());
    EXPECT_EQ(chooser.scale(), 0.5);
    Machine fast{0.5, 1};
    play(chooser, fast, 3 * window);
    EXPECT_EQ(chooser.scale(), 1.0);
}

// Another program's load makes a small window's frames miss the tick for a while: the picture
// steps down, and once the load has gone it comes back to full scale, by the part of the frame
// measured to shrink with the picture (all of the frame shrinking would predict a miss at 1).
TEST(RenderScaleChooser, ComesBackToFullScaleWhenTheLoadHasGone) {
    VORN_RenderScaleChooser chooser;
    Machine quiet{10, 8, 0.02};   // 18 ms at 1, 14.5 at 0.75
    Machine loaded{15, 12, 0.02}; // the same half as fast again: 27 ms at 1, 21.75 at 0.75
    play(chooser, quiet, 5 * window, 800, 600);
    ASSERT_EQ(chooser.scale(), 1.0);
    std::vector<double> scales = play(chooser, loaded, 10 * window, 800, 600);
    EXPECT_EQ(chooser.scale(), 0.75);
    EXPECT_EQ(changes(scales), 1);
    scales = play(chooser, quiet, 10 * window, 800, 600);
    EXPECT_EQ(chooser.scale(), 1.0);
    EXPECT_EQ(changes(scales), 1);
}
