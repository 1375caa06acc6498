// Makes the game's valley: data/valleyDepth.bmp (grey heightmap, 321 × 161 points over 160 × 80
// world units, grey 255 = height 1.0 = 5 units) and data/valleyTex.bmp (1024 × 512 colours).
// Both are bottom-up 24-bit BMP files; file row 0 lies at world z = +40, column 0 at x = -80, and
// the texture is stretched once over the whole terrain, so both are sampled from one height field.
// Deterministic: the same program always writes the same bytes.
#include "game/world/GroundColour.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr double halfX = 80.0;      // world x runs from -80 to +80
constexpr double halfZ = 40.0;      // world z runs from +40 (file row 0) to -40
constexpr double heightScale = 5.0; // world units of height 1.0

// Integer hash of a lattice point, spread over 0 … 1.
double lattice(int x, int y, std::uint32_t seed) {
    std::uint32_t h = seed * 0x9E3779B9u;
    h ^= static_cast<std::uint32_t>(x) * 0x85EBCA6Bu;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return (h & 0xFFFFFFu) / double(0xFFFFFF);
}

double fade(double t) {
    return t * t * t * (t * (t * 6.0 - 15.0) + 10.0);
}

// Smooth value noise in -1 … 1 with one lattice cell per unit.
double valueNoise(double x, double y, std::uint32_t seed) {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const double u = fade(x - fx);
    const double v = fade(y - fy);
    const double a =
        lattice(ix, iy, seed) + (lattice(ix + 1, iy, seed) - lattice(ix, iy, seed)) * u;
    const double b =
        lattice(ix, iy + 1, seed) + (lattice(ix + 1, iy + 1, seed) - lattice(ix, iy + 1, seed)) * u;
    return (a + (b - a) * v) * 2.0 - 1.0;
}

// Fractal sum of value noise, roughly -1 … 1; wavelength in world units of the first octave.
double fbm(double x, double z, double wavelength, int octaves, std::uint32_t seed) {
    double sum = 0.0;
    double amplitude = 1.0;
    double norm = 0.0;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * valueNoise(x / wavelength, z / wavelength, seed + 101u * o);
        norm += amplitude;
        amplitude *= 0.5;
        wavelength *= 0.5;
    }
    return sum / norm;
}

double smoothstep(double e0, double e1, double x) {
    const double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

struct Mound {
    double x, z;   // centre in world units
    double radius; // spread (Gaussian sigma) in world units
    double height; // in world units
};

// Hummocks on the valley floor that a tortoise (0.3 units) can hide behind.
const Mound mounds[] = {
    {-52.0, 12.0, 5.0, 1.6}, {-30.0, -14.0, 4.0, 1.2}, {-12.0, 18.0, 3.5, 1.0},
    {4.0, -4.0, 6.0, 1.8},   {22.0, 15.0, 4.5, 1.3},   {38.0, -18.0, 5.5, 1.7},
    {57.0, 6.0, 4.0, 1.1},   {-62.0, -20.0, 3.0, 0.9}, {14.0, -24.0, 3.0, 0.8},
};

// Centre line of the dry stream bed that winds along the valley.
double streamZ(double x) {
    return 9.0 * std::sin(x / 19.0 + 0.6) + 3.5 * std::sin(x / 7.3 + 2.0);
}

// How far towards the rim a point lies: 0 in the middle, 1 on the border (rounded rectangle).
double rimDistance(double x, double z) {
    const double u = std::abs(x) / halfX;
    const double v = std::abs(z) / halfZ;
    return std::pow(std::pow(u, 4.0) + std::pow(v, 4.0), 0.25);
}

// Height 0 … 1 of the valley at world (x, z).
double valleyHeight(double x, double z) {
    const double floorLevel = 0.11 + 0.035 * fbm(x, z, 28.0, 3, 7u);
    const double rimShift = 0.07 * fbm(x, z, 30.0, 2, 11u);
    const double rim = smoothstep(0.58, 1.02, rimDistance(x, z) + rimShift);
    const double hills = rim * (0.6 + 0.25 * fbm(x, z, 20.0, 3, 23u));
    double bumps = 0.0;
    for (const Mound& m : mounds) {
        const double dx = x - m.x;
        const double dz = z - m.z;
        const double wobble = 1.0 + 0.12 * fbm(x, z, 7.0, 2, 31u);
        bumps += m.height * wobble * std::exp(-(dx * dx + dz * dz) / (2.0 * m.radius * m.radius));
    }
    const double d = (z - streamZ(x)) / 3.0;
    const double stream = 0.035 * std::exp(-d * d) * (1.0 - rim);
    return std::clamp(floorLevel + hills + bumps / heightScale - stream, 0.0, 1.0);
}

// Steepness (rise per run in world units) at world (x, z).
double slope(double x, double z) {
    const double e = 0.25;
    const double gx = (valleyHeight(x + e, z) - valleyHeight(x - e, z)) * heightScale / (2 * e);
    const double gz = (valleyHeight(x, z + e) - valleyHeight(x, z - e)) * heightScale / (2 * e);
    return std::sqrt(gx * gx + gz * gz);
}

using Rgb = GroundColour;

// Ground colour: lush grass on the floor, drier grass up the hillsides, bare earth on slopes and
// in the stream bed, rock where steep or high, with fine noise so the ground does not look painted.
Rgb groundColour(double x, double z) {
    const double h = valleyHeight(x, z);
    const double s = slope(x, z);
    const double patch = fbm(x, z, 9.0, 3, 41u);
    const double detail = fbm(x, z, 1.6, 3, 43u);
    const double grain = valueNoise(x * 5.0, z * 5.0, 47u);

    Rgb colour = mix(Rgb::darkGrass, Rgb::lightGrass, 0.5 + 0.5 * patch);
    colour = mix(colour, Rgb::dryGrass, smoothstep(0.2, 0.45, h + 0.08 * patch));
    const double d = (z - streamZ(x)) / 2.0;
    const double bed = std::exp(-d * d) * (1.0 - smoothstep(0.2, 0.35, h));
    const double bare = std::max(smoothstep(0.14, 0.32, s + 0.1 * detail), 0.85 * bed);
    colour = mix(colour, Rgb::earth, bare);
    const double stony =
        std::max(smoothstep(0.3, 0.55, s + 0.12 * detail), smoothstep(0.55, 0.75, h + 0.1 * patch));
    colour = mix(colour, mix(Rgb::rock, Rgb::darkRock, 0.5 + 0.5 * detail), stony);

    const double shade = 1.0 + 0.10 * detail + 0.06 * grain;
    return {colour.r * shade, colour.g * shade, colour.b * shade};
}

unsigned char toByte(double v) {
    return static_cast<unsigned char>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
}

void put16(std::vector<unsigned char>& out, unsigned v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

void put32(std::vector<unsigned char>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// Writes a bottom-up 24-bit BMP; rgb holds width × height red-green-blue bytes, row 0 first.
bool writeBmp(const std::string& path, int width, int height,
              const std::vector<unsigned char>& rgb) {
    const std::uint32_t rowBytes = (width * 3 + 3) / 4 * 4;
    const std::uint32_t dataBytes = rowBytes * height;
    std::vector<unsigned char> file;
    file.reserve(54 + dataBytes);
    file.push_back('B');
    file.push_back('M');
    put32(file, 54 + dataBytes); // file size
    put32(file, 0);              // reserved
    put32(file, 54);             // pixel data offset
    put32(file, 40);             // information header size
    put32(file, width);
    put32(file, height);
    put16(file, 1);  // planes
    put16(file, 24); // bits per pixel
    put32(file, 0);  // no compression
    put32(file, dataBytes);
    put32(file, 2835); // 72 dpi
    put32(file, 2835);
    put32(file, 0); // colours used
    put32(file, 0); // important colours
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            const unsigned char* p = &rgb[(static_cast<std::size_t>(r) * width + c) * 3];
            file.push_back(p[2]);
            file.push_back(p[1]);
            file.push_back(p[0]);
        }
        for (std::uint32_t pad = width * 3; pad < rowBytes; ++pad)
            file.push_back(0);
    }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()),
              static_cast<std::streamsize>(file.size()));
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : "data";
    std::error_code error;
    std::filesystem::create_directories(folder, error);

    // Heightmap: grid point (r, c) at x = -80 + 160·c/(columns-1), z = 40 - 80·r/(rows-1).
    const int columns = 321;
    const int rows = 161;
    std::vector<unsigned char> depth(static_cast<std::size_t>(columns) * rows * 3);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const double x = -halfX + 2.0 * halfX * c / (columns - 1);
            const double z = halfZ - 2.0 * halfZ * r / (rows - 1);
            const unsigned char grey = toByte(valleyHeight(x, z));
            unsigned char* p = &depth[(static_cast<std::size_t>(r) * columns + c) * 3];
            p[0] = p[1] = p[2] = grey;
        }
    }

    // Texture: texel (k, j) covers t in [k/N, (k+1)/N], sampled at its centre.
    const int texWidth = 1024;
    const int texHeight = 512;
    std::vector<unsigned char> texture(static_cast<std::size_t>(texWidth) * texHeight * 3);
    for (int k = 0; k < texHeight; ++k) {
        for (int j = 0; j < texWidth; ++j) {
            const double x = -halfX + 2.0 * halfX * (j + 0.5) / texWidth;
            const double z = halfZ - 2.0 * halfZ * (k + 0.5) / texHeight;
            const Rgb colour = groundColour(x, z);
            unsigned char* p = &texture[(static_cast<std::size_t>(k) * texWidth + j) * 3];
            p[0] = toByte(colour.r);
            p[1] = toByte(colour.g);
            p[2] = toByte(colour.b);
        }
    }

    const std::string depthPath = folder + "/valleyDepth.bmp";
    const std::string texturePath = folder + "/valleyTex.bmp";
    if (!writeBmp(depthPath, columns, rows, depth) ||
        !writeBmp(texturePath, texWidth, texHeight, texture)) {
        std::fprintf(stderr, "make_valley: cannot write into %s\n", folder.c_str());
        return 1;
    }
    std::printf("wrote %s and %s\n", depthPath.c_str(), texturePath.c_str());
    return 0;
}
