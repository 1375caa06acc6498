// The valley pictures that ship with the game load and have the sizes the world is built for.
#include "engine/terrain/Bitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

std::string dataFile(const char* name) {
    const char* root = std::getenv("TV_SOURCE_DIR");
    return std::string(root ? root : "../..") + "/data/" + name;
}

} // namespace

TEST(ValleyDataTest, HeightmapIsAGreyValleyOfThePromisedSize) {
    Bitmap depth;
    ASSERT_NO_THROW(depth.load(dataFile("valleyDepth.bmp"))) << Bitmap::lastError();
    ASSERT_EQ(depth.width, 321);
    ASSERT_EQ(depth.height, 161);
    int lowest = 255;
    int highest = 0;
    for (int i = 0; i < depth.width * depth.height; ++i) {
        const unsigned char* p = depth.pixels.data() + 3 * i;
        ASSERT_TRUE(p[0] == p[1] && p[1] == p[2]) << "pixel " << i << " is not grey";
        lowest = std::min<int>(lowest, p[0]);
        highest = std::max<int>(highest, p[0]);
    }
    // A floor to fight on and hills around it, not a flat plate.
    EXPECT_LT(lowest, 64);
    EXPECT_GT(highest, 192);
    // The middle of the valley lies lower than its rim.
    const int centre = depth.pixels[3 * (80 * depth.width + 160)];
    const int corner = depth.pixels[0];
    EXPECT_LT(centre, corner);
}

TEST(ValleyDataTest, TextureIsLargeEnoughToShowDetail) {
    Bitmap texture;
    ASSERT_NO_THROW(texture.load(dataFile("valleyTex.bmp"))) << Bitmap::lastError();
    EXPECT_GE(texture.width, 1024);
    EXPECT_GE(texture.height, 512);
    EXPECT_EQ(texture.width, 2 * texture.height) << "the valley is twice as wide as deep";
}
