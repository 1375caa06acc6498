// libFuzzer target for the heightmap path: any bytes go through Bitmap::load, and every picture it
// accepts becomes a terrain with createFromBitmap, gets a crater and answers surface queries, the
// way the game treats its heightmap. Runs with a real hidden GL context (under Xvfb), so the
// quadtree blocks really record their display lists.
#include "engine/physics/VORN_BoundingSphere.h"
#include "engine/terrain/Bitmap.h"
#include "engine/terrain/VORN_Landscape.h"

#include <GL/gl.h>
#include <QApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>

using namespace VORN_LIB;

namespace {

// Pictures with more points than this are only read, not turned into a terrain: a terrain costs
// 32 bytes a point plus its display lists, and the reader alone accepts up to 256 MiB of pixels.
constexpr std::size_t maxTerrainPoints = std::size_t(1) << 14;
// Pictures above this many decoded bytes but within the reader's limit are not read at all.
constexpr std::uint64_t costlyPictureBytes = std::uint64_t(1) << 18;

QOpenGLContext* context = nullptr; // hidden, on an off-screen surface: the lists need no pixels
QOffscreenSurface* surface = nullptr;

[[noreturn]] void fault(const char* what) {
    std::fprintf(stderr, "BitmapFuzz: %s\n", what);
    std::abort();
}

void check(bool condition, const char* what) {
    if (!condition)
        fault(what);
}

// Touches every decoded byte, so a short pixel array shows up as an out-of-bounds read.
unsigned sum(const Bitmap& picture) {
    unsigned total = 0;
    const std::size_t bytes = std::size_t(picture.width) * std::size_t(picture.height) * 3;
    for (std::size_t i = 0; i < bytes; ++i)
        total += picture.pixels[i];
    return total;
}

void checkTerrain(VORN_Landscape& land, const Bitmap& picture) {
    if (picture.width < 2 || picture.height < 2) {
        check(!land.grid && !land.root, "a picture too small for a terrain built one");
        return;
    }
    check(land.grid && land.root && land.quadTreeBuilt, "a usable picture built no terrain");
    check(land.columns == std::uint32_t(picture.width) &&
              land.rows == std::uint32_t(picture.height),
          "grid size differs from the picture");
    for (std::size_t i = 0; i < std::size_t(land.columns) * land.rows; ++i) {
        const double* p = land.grid.get() + i * 4;
        check(p[0] >= 0.0 && p[0] <= 1.0, "height outside 0…1");
        const double length = std::sqrt(p[1] * p[1] + p[2] * p[2] + p[3] * p[3]);
        check(std::fabs(length - 1.0) < 1e-9 && p[2] > 0.0, "normal not a unit vector facing up");
    }

    // A crater somewhere on the valley, picked from the pixels, and a sphere set down on it.
    const unsigned s = sum(picture);
    const VORN_Vector place(double(s % 161) - 80.0, 6.0, double((s / 161) % 81) - 40.0);
    land.createCrater(place, 3.0);
    const VORN_Vector surface = land.surfacePoint(place);
    check(std::isfinite(surface.x()) && std::isfinite(surface.y()) && std::isfinite(surface.z()),
          "surface point not finite");

    VORN_Object ball(VORN_Vector(0, 0, 0), VORN_Vector(0, 0, 0), VORN_Vector(1, 1, 1),
                     VORN_Color(1, 1, 1, 1));
    ball.setWorldPosition(place.x(), surface.y(), place.z());
    VORN_BoundingSphere sphere(0.3, &ball);
    std::unique_ptr<VORN_Contact> contact(land.intersect(&sphere));
    if (contact)
        for (int i = 0; i < 3; ++i)
            check(std::isfinite(contact->positionA[i]) && std::isfinite(contact->directionA[i]),
                  "contact not finite");

    land.draw(nullptr);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QApplication* app = new QApplication(*argc, *argv);
    (void)app;
    context = new QOpenGLContext();
    surface = new QOffscreenSurface();
    if (!context->create())
        fault("no GL context (run under xvfb-run)");
    surface->setFormat(context->format());
    surface->create();
    if (!context->makeCurrent(surface))
        fault("the GL context cannot be made current");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Headers that ask for many megabytes of pixels spend the run zero-filling them; the reader's
    // size checks are cheap, so only pictures it would really allocate that much for are skipped.
    if (size >= 26) {
        std::int32_t w = 0;
        std::int32_t h = 0;
        std::memcpy(&w, data + 18, 4);
        std::memcpy(&h, data + 22, 4);
        const std::uint64_t bytes = std::uint64_t(std::llabs(w)) * std::uint64_t(std::llabs(h)) * 3;
        if (bytes > costlyPictureBytes && bytes <= (std::uint64_t(256) << 20))
            return 0;
    }

    // A failed load must leave an earlier picture untouched.
    Bitmap picture;
    picture.width = 1;
    picture.height = 1;
    picture.pixels = {1, 2, 3};
    const unsigned char* before = picture.pixels.data();

    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    try {
        picture.load(in, "fuzz");
    } catch (int code) {
        check(code == -1, "the reader threw something other than -1");
        check(!Bitmap::lastError().empty(), "a refused file names no reason");
        check(picture.width == 1 && picture.height == 1 && picture.pixels.data() == before &&
                  picture.pixels[0] == 1 && picture.pixels[2] == 3,
              "a refused file changed the record");
        return 0;
    }
    check(picture.width > 0 && picture.height > 0 &&
              picture.pixels.size() == std::size_t(picture.width) * std::size_t(picture.height) * 3,
          "accepted a picture whose pixels do not match its size");
    check(Bitmap::lastError().empty(), "a successful load kept an error");
    const unsigned first = sum(picture);

    // The same bytes read twice give the same picture.
    {
        Bitmap again;
        std::istringstream repeat(std::string(reinterpret_cast<const char*>(data), size));
        again.load(repeat, "fuzz");
        check(again.width == picture.width && again.height == picture.height && sum(again) == first,
              "reading the same bytes twice differs");
    }

    if (std::size_t(picture.width) * std::size_t(picture.height) > maxTerrainPoints)
        return 0;

    context->makeCurrent(surface);
    VORN_Landscape land(VORN_Vector(0, 1, 0), VORN_Vector(0, 0, 0), VORN_Vector(1, 1, 1),
                        VORN_Color(0.7, 0.5, 0.3, 1));
    land.setSize(160, 80, 5, 1, 1);
    land.updateTransform(true);
    try {
        land.createFromBitmap(picture);
        checkTerrain(land, picture);
    } catch (const char* message) {
        fault(message);
    }
    return 0;
}
