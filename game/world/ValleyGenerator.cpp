// The random valley. Heights are worked in whole numbers from 0 to 65535 (the full height, 5
// units) and kept as their top eight bits. Only integer additions, multiplications, shifts of
// non-negative values and divisions (which C++ truncates toward zero on every machine) decide a
// height, so a number makes the same valley wherever it is played.
//
// The valley: a floor that rolls gently, hills from several octaves of value noise, sharp ridges
// where a second noise crosses its middle (in the parts a third one picks), hollows where a fourth
// dips, and a rim of high ground along the border; then one pass of smoothing and a few of erosion
// that let the steepest slopes slide down, and the ground where figures drop is kept below the
// height they drop from.
#include "game/world/ValleyGenerator.h"

#include "engine/terrain/Bitmap.h"
#include "game/rules/GameRandom.h"
#include "game/world/GroundColour.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

using std::int64_t;
using std::uint32_t;

constexpr int64_t full = 65536; // the full height, and 1.0 of every fraction below

uint32_t hash(uint32_t a, uint32_t b, uint32_t c) {
    uint32_t h = a * 0x9E3779B9u;
    h ^= b * 0x85EBCA6Bu;
    h = (h << 13) | (h >> 19);
    h ^= c * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

// A fraction 0 … 65535 of full drawn for the valley's own number: one per quality of the valley.
int64_t trait(uint32_t number, uint32_t which) {
    return hash(number, 0xA5A5u + which, 17u) & 0xFFFF;
}

// Between a and b by f (0 … 65536).
int64_t lerp(int64_t a, int64_t b, int64_t f) {
    return a + (b - a) * f / full;
}

// The smooth step 3t² − 2t³ for t in 0 … 65536.
int64_t fade(int64_t t) {
    const int64_t t2 = t * t / full;
    const int64_t t3 = t2 * t / full;
    return 3 * t2 - 2 * t3;
}

// Value noise, 0 … 65535, over lattice cells of 2^shift grid points; x and y are non-negative.
int64_t valueNoise(int64_t x, int64_t y, int shift, uint32_t seed) {
    const int64_t cell = int64_t(1) << shift;
    const uint32_t ix = uint32_t(x >> shift);
    const uint32_t iy = uint32_t(y >> shift);
    const int64_t u = fade((x & (cell - 1)) * full / cell);
    const int64_t v = fade((y & (cell - 1)) * full / cell);
    const int64_t a = lerp(hash(ix, iy, seed) & 0xFFFF, hash(ix + 1, iy, seed) & 0xFFFF, u);
    const int64_t b = lerp(hash(ix, iy + 1, seed) & 0xFFFF, hash(ix + 1, iy + 1, seed) & 0xFFFF, u);
    return lerp(a, b, v);
}

// Octaves of value noise from cells of 2^shift points down, each half as strong as the one
// before: -32768 … 32767.
int64_t fractal(int64_t x, int64_t y, int shift, int octaves, uint32_t seed) {
    int64_t sum = 0;
    int64_t weights = 0;
    for (int o = 0; o < octaves; ++o) {
        const int64_t weight = int64_t(1) << (octaves - 1 - o);
        sum += weight * (valueNoise(x, y, shift - o, seed + 101u * uint32_t(o)) - full / 2);
        weights += weight;
    }
    return sum / weights;
}

// 0 below e0, 65536 above e1, the smooth step between.
int64_t smoothStep(int64_t e0, int64_t e1, int64_t v) {
    return fade(std::clamp((v - e0) * full / (e1 - e0), int64_t(0), full));
}

// The whole fourth root of n.
int64_t fourthRoot(int64_t n) {
    int64_t low = 0;
    int64_t high = 1 << 12;
    while (low < high) {
        const int64_t mid = (low + high + 1) / 2;
        if (mid * mid * mid * mid <= n)
            low = mid;
        else
            high = mid - 1;
    }
    return low;
}

// How far towards the rim a grid point lies: 0 in the middle, full on the border, along a
// rounded rectangle.
int64_t rimDistance(int c, int r) {
    const int64_t u =
        std::abs(2 * c - (ValleyGenerator::columns - 1)) * 256 / (ValleyGenerator::columns - 1);
    const int64_t v =
        std::abs(2 * r - (ValleyGenerator::rows - 1)) * 256 / (ValleyGenerator::rows - 1);
    return fourthRoot(u * u * u * u + v * v * v * v) * 256;
}

using Field = std::vector<int64_t>;

int64_t& at(Field& f, int c, int r) {
    return f[std::size_t(r) * ValleyGenerator::columns + std::size_t(c)];
}

// One pass of the 1-2-1 kernel along both axes; the border repeats its edge.
void smooth(Field& f) {
    const int w = ValleyGenerator::columns;
    const int h = ValleyGenerator::rows;
    Field out(f.size());
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c) {
            int64_t sum = 0;
            for (int dr = -1; dr <= 1; ++dr)
                for (int dc = -1; dc <= 1; ++dc) {
                    const int64_t weight = (dr == 0 ? 2 : 1) * (dc == 0 ? 2 : 1);
                    sum +=
                        weight * at(f, std::clamp(c + dc, 0, w - 1), std::clamp(r + dr, 0, h - 1));
                }
            at(out, c, r) = sum / 16;
        }
    f.swap(out);
}

// Thermal erosion: ground steeper than the talus towards its lowest neighbour sends a third of
// the excess down to it, point by point in row order.
void erode(Field& f, int passes, int64_t talus) {
    const int w = ValleyGenerator::columns;
    const int h = ValleyGenerator::rows;
    const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (int pass = 0; pass < passes; ++pass)
        for (int r = 0; r < h; ++r)
            for (int c = 0; c < w; ++c) {
                int64_t& here = at(f, c, r);
                int64_t* lowest = nullptr;
                for (const auto& s : steps) {
                    const int nc = c + s[0];
                    const int nr = r + s[1];
                    if (nc < 0 || nr < 0 || nc >= w || nr >= h)
                        continue;
                    int64_t& there = at(f, nc, nr);
                    if (!lowest || there < *lowest)
                        lowest = &there;
                }
                const int64_t drop = here - *lowest;
                if (drop > talus) {
                    const int64_t moved = (drop - talus) / 3;
                    here -= moved;
                    *lowest += moved;
                }
            }
}

// Keeps the ground where figures drop (and a unit around it) below highestDropGround, folding the
// tops of higher hills down softly; beyond, the cap rises by ten grey steps a point towards the
// border, so the rim stays high without a cliff at the edge of the drop area.
void capDropArea(Field& f) {
    constexpr int margin = 8; // grid points from the border to the drop area less a unit
    const int w = ValleyGenerator::columns;
    const int h = ValleyGenerator::rows;
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c) {
            const int beyond =
                std::max({0, margin - c, c - (w - 1 - margin), margin - r, r - (h - 1 - margin)});
            const int64_t cap = int64_t(ValleyGenerator::highestDropGround + 10 * beyond) << 8;
            const int64_t knee = cap - (int64_t(60) << 8);
            int64_t& v = at(f, c, r);
            if (v > knee)
                v = knee + (v - knee) / 4;
            v = std::min(v, cap + 255);
        }
}

} // namespace

void ValleyGenerator::heights(int number, Bitmap& out) {
    const uint32_t n = uint32_t(std::clamp(number, firstNumber, lastNumber));
    const int64_t floorLevel = full * 8 / 100 + trait(n, 0) * 10 / 100; // 0.08 … 0.18
    const int64_t hilliness = full * 8 / 100 + trait(n, 1) * 20 / 100;  // 0.08 … 0.28
    const int64_t ridginess = full * 5 / 100 + trait(n, 2) * 30 / 100;  // 0.05 … 0.35
    const int64_t hollowness = full * 2 / 100 + trait(n, 3) * 10 / 100; // 0.02 … 0.12
    const int64_t rimLevel = full * 40 / 100 + trait(n, 4) * 35 / 100;  // 0.40 … 0.75
    const int64_t rimStart = full * 55 / 100 + trait(n, 5) * 20 / 100;  // 0.55 … 0.75
    const int64_t hillShift = 5 + int(trait(n, 6) % 2);                 // 16 or 32 units
    const int64_t ox = trait(n, 7) & 0xFFF; // where on the lattice the valley lies
    const int64_t oy = trait(n, 8) & 0xFFF;
    const uint32_t seed = hash(n, 1u, 2u);

    Field f(std::size_t(columns) * rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const int64_t x = c + ox;
            const int64_t y = r + oy;
            int64_t v = floorLevel + fractal(x, y, 5, 2, seed) * 3 / 100;
            // Hills rise higher than the dips between them sink.
            const int64_t hill = fractal(x, y, int(hillShift), 5, seed + 1000u);
            v += hill * hilliness / (hill > 0 ? 8000 : 16000);
            // Ridges: where the noise crosses its middle, sharpened, in the parts the mask picks.
            const int64_t across = std::abs(fractal(x, y, 6, 4, seed + 2000u));
            const int64_t ridge = std::max<int64_t>(0, full / 2 - 2 * across);
            const int64_t mask =
                smoothStep(full * 35 / 100, full * 65 / 100, valueNoise(x, y, 7, seed + 3000u));
            v += ridge * ridge / (full / 2) * ridginess / (full / 2) * mask / full;
            // Hollows: where the noise dips well below its middle.
            const int64_t dip = std::max<int64_t>(0, -fractal(x, y, 5, 3, seed + 4000u) - 6000);
            v -= dip * hollowness / 10000;
            // The rim.
            const int64_t toRim = rimDistance(c, r) + fractal(x, y, 6, 2, seed + 5000u) / 7;
            const int64_t rim = smoothStep(rimStart, full * 102 / 100, toRim);
            v += rim * (rimLevel + fractal(x, y, 5, 3, seed + 6000u) / 4) / full;
            at(f, c, r) = std::clamp(v, int64_t(0), full - 1);
        }
    smooth(f);
    erode(f, 10, full * 35 / 1000); // 0.175 units of rise per half unit of run
    capDropArea(f);

    out.resize(columns, rows);
    for (std::size_t i = 0; i < f.size(); ++i) {
        const auto grey = static_cast<unsigned char>(std::clamp<int64_t>(f[i] >> 8, 0, 255));
        out.pixels[3 * i] = out.pixels[3 * i + 1] = out.pixels[3 * i + 2] = grey;
    }
}

namespace {

using Rgb = GroundColour;

double smoothstep(double e0, double e1, double x) {
    const double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

// Value noise in -1 … 1 at texel (x, y), cells of 2^shift texels.
double patchNoise(int x, int y, int shift, uint32_t seed) {
    return double(valueNoise(x, y, shift, seed)) / (full / 2) - 1.0;
}

} // namespace

void ValleyGenerator::texture(const Bitmap& heights, Bitmap& out) {
    const int w = heights.width;
    const int h = heights.height;
    out.resize(textureWidth, textureHeight);
    if (w < 3 || h < 3 || heights.pixels.empty())
        return;
    auto grey = [&](int c, int r) {
        return heights.pixels[3 * (std::size_t(std::clamp(r, 0, h - 1)) * w +
                                   std::clamp(c, 0, w - 1))] /
               255.0;
    };
    const double spacingX = 160.0 / (w - 1); // world units between heights
    const double spacingZ = 80.0 / (h - 1);
    const uint32_t seed = checksum(heights);

    for (int k = 0; k < textureHeight; ++k)
        for (int j = 0; j < textureWidth; ++j) {
            const double gc = (j + 0.5) * (w - 1) / textureWidth;
            const double gr = (k + 0.5) * (h - 1) / textureHeight;
            const int c = int(gc);
            const int r = int(gr);
            const double fc = gc - c;
            const double fr = gr - r;
            const double height = (grey(c, r) * (1 - fc) + grey(c + 1, r) * fc) * (1 - fr) +
                                  (grey(c, r + 1) * (1 - fc) + grey(c + 1, r + 1) * fc) * fr;
            const double gx = (grey(c + 1, r) - grey(c - 1, r)) * 5.0 / (2 * spacingX);
            const double gz = (grey(c, r + 1) - grey(c, r - 1)) * 5.0 / (2 * spacingZ);
            const double slope = std::sqrt(gx * gx + gz * gz);
            const double patch = patchNoise(j, k, 5, seed);
            const double detail = patchNoise(j, k, 2, seed + 7u);
            const double grain = patchNoise(j, k, 0, seed + 13u);

            Rgb colour = mix(Rgb::darkGrass, Rgb::lightGrass, 0.5 + 0.5 * patch);
            colour = mix(colour, Rgb::dryGrass, smoothstep(0.25, 0.5, height + 0.08 * patch));
            colour = mix(colour, Rgb::earth, smoothstep(0.25, 0.55, slope + 0.1 * detail));
            const double stony = std::max(smoothstep(0.5, 0.9, slope + 0.12 * detail),
                                          smoothstep(0.6, 0.8, height + 0.1 * patch));
            colour = mix(colour, mix(Rgb::rock, Rgb::darkRock, 0.5 + 0.5 * detail), stony);
            // Relief: lighter up high, and slopes facing the north-west lighter than those
            // turned away, so the lie of the land shows even where the lamps do not reach.
            const double facing = std::clamp((gx - gz) * 0.35, -0.25, 0.25);
            const double shade = 0.85 + 0.3 * height + facing + 0.10 * detail + 0.06 * grain;
            unsigned char* p = out.pixels.data() + 3 * (std::size_t(k) * textureWidth + j);
            p[0] = static_cast<unsigned char>(
                std::lround(std::clamp(colour.r * shade, 0.0, 1.0) * 255));
            p[1] = static_cast<unsigned char>(
                std::lround(std::clamp(colour.g * shade, 0.0, 1.0) * 255));
            p[2] = static_cast<unsigned char>(
                std::lround(std::clamp(colour.b * shade, 0.0, 1.0) * 255));
        }
}

int ValleyGenerator::drawNumber() {
    // Two draws make 30 bits: spread over the numbers with no noticeable bias.
    const int high = randomDraw();
    const int low = randomDraw();
    return firstNumber + (high * (randomDrawMax + 1) + low) % lastNumber;
}

uint32_t ValleyGenerator::checksum(const Bitmap& heights) {
    uint32_t sum = 2166136261u;
    const std::size_t n =
        std::size_t(std::max(heights.width, 0)) * std::size_t(std::max(heights.height, 0));
    for (std::size_t i = 0; i < n && 3 * i < heights.pixels.size(); ++i) {
        sum ^= heights.pixels[3 * i];
        sum *= 16777619u;
    }
    return sum;
}
