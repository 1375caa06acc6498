// Random valleys: a number makes the same heights on every machine and build, and a valley worth
// playing on, whose drop area never rises above the height figures drop from.
#include "game/world/ValleyGenerator.h"
#include "engine/terrain/Bitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>

TEST(ValleyGenerator, ANumberMakesTheSameHeightsInEveryProcessAndBuild) {
    // The checksums were computed once, by the valley tool of a GCC build, and agree with a clang
    // build at -O3 -ffast-math: the heights come from integer arithmetic alone, so neither the
    // compiler nor the processor may change a single one.
    const struct {
        int number;
        unsigned sum;
    } golden[] = {{1, 0xeafdee9cu}, {4711, 0x2a34ec94u}, {999999, 0xb702f717u}};
    for (const auto& g : golden) {
        Bitmap heights;
        ValleyGenerator::heights(g.number, heights);
        ASSERT_EQ(heights.width, 321);
        ASSERT_EQ(heights.height, 161);
        char shown[16];
        std::snprintf(shown, sizeof shown, "%08x", ValleyGenerator::checksum(heights));
        EXPECT_EQ(ValleyGenerator::checksum(heights), g.sum)
            << "valley " << g.number << ": " << shown;
    }
}

TEST(ValleyGenerator, EachNumberIsItsOwnGreyValleyWithAFloorHillsAndARim) {
    std::set<unsigned> sums;
    for (int number = 1; number <= 40; ++number) {
        SCOPED_TRACE(number);
        Bitmap heights;
        ValleyGenerator::heights(number, heights);
        sums.insert(ValleyGenerator::checksum(heights));
        int lowest = 255, highest = 0, highestInDropArea = 0;
        for (int r = 0; r < heights.height; ++r)
            for (int c = 0; c < heights.width; ++c) {
                const unsigned char* p = heights.pixels.data() + 3 * (r * heights.width + c);
                ASSERT_TRUE(p[0] == p[1] && p[1] == p[2]);
                lowest = std::min<int>(lowest, p[0]);
                highest = std::max<int>(highest, p[0]);
                // x in ±76, z in ±36: the drop area and a unit around it.
                if (c >= 8 && c <= 312 && r >= 8 && r <= 152)
                    highestInDropArea = std::max<int>(highestInDropArea, p[0]);
            }
        EXPECT_LT(lowest, 64) << "a floor to fight on";
        EXPECT_GT(highestInDropArea - lowest, 60) << "hills and hollows, not a plate";
        EXPECT_LE(highestInDropArea, ValleyGenerator::highestDropGround);
        EXPECT_GT(highest, 200) << "a rim around it";
    }
    EXPECT_EQ(sums.size(), 40u);

    Bitmap heights;
    Bitmap texture;
    ValleyGenerator::heights(7, heights);
    ValleyGenerator::texture(heights, texture);
    EXPECT_EQ(texture.width, 1024);
    EXPECT_EQ(texture.height, 512);
    // Grass on the floor, rock on the high rim: how much greener than grey a texel is, on the
    // average over each.
    double floorGreen = 0, rimGreen = 0;
    int floorTexels = 0, rimTexels = 0;
    for (int k = 0; k < 512; k += 4)
        for (int j = 0; j < 1024; j += 4) {
            const unsigned char* p = texture.pixels.data() + 3 * (k * 1024 + j);
            const int green = p[1] - (p[0] + p[2]) / 2;
            const int grey = heights.pixels[3 * ((k * 160 / 511) * 321 + j * 320 / 1023)];
            if (grey < 60) {
                floorGreen += green;
                ++floorTexels;
            } else if (grey > 200) {
                rimGreen += green;
                ++rimTexels;
            }
        }
    ASSERT_GT(floorTexels, 0);
    ASSERT_GT(rimTexels, 0);
    EXPECT_GT(floorGreen / floorTexels, rimGreen / rimTexels + 20);
}
