// Random valleys: a heightmap and a texture of the same size and scale as the data folder's valley
// (321 × 161 heights over 160 × 80 world units, grey 255 = 5 units; a 1024 × 512 texture stretched
// once over it), made from a number from 1 to 999999. Players share the number to play a valley
// again, so the heights must come out the same on every machine and build: every step that decides
// a height uses integer arithmetic alone (an integer hash, integer value noise, integer smoothing
// and erosion), never a floating-point result that one compiler or processor could round
// differently from another. The texture only colours what the heights decide.
#pragma once

#include <cstdint>

class Bitmap;

class ValleyGenerator {
public:
    static constexpr int columns = 321; // heights along x, column 0 at x = -80
    static constexpr int rows = 161;    // heights along z, row 0 at z = +40
    static constexpr int textureWidth = 1024;
    static constexpr int textureHeight = 512;
    static constexpr int firstNumber = 1;
    static constexpr int lastNumber = 999999;
    // The highest ground (grey) where figures drop (x in ±75, z in ±35, with a unit to spare):
    // 1 + 5 · 180 / 255 ≈ 4.5 units, so a figure dropped from 5 units always falls onto it.
    static constexpr int highestDropGround = 180;

    // The heights of valley number (1 … 999999) as a grey picture of columns × rows, row 0 first.
    static void heights(int number, Bitmap& out);
    // A texture of textureWidth × textureHeight for any grey heights of columns × rows: grass on
    // the floor, drier grass higher up, bare earth on slopes, rock where steep or high.
    static void texture(const Bitmap& heights, Bitmap& out);
    // A valley number from the game's random draws.
    static int drawNumber();
    // FNV-1a over the picture's grey values (its red bytes), as the tests compare valleys.
    static std::uint32_t checksum(const Bitmap& heights);
};
