// Writes the random valley of a number as pictures, the same files the game plays it from, and
// prints its number and the checksum of its heights, so that two machines can compare a valley:
//   valley NUMBER [FOLDER]   writes FOLDER/valley-NUMBER.bmp and FOLDER/valley-NUMBER-tex.bmp
// (FOLDER "." unless given). The pictures can be played again as a valley of one's own.
#include "engine/terrain/Bitmap.h"
#include "game/world/ValleyGenerator.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    const int number = argc > 1 ? std::atoi(argv[1]) : 0;
    if (number < ValleyGenerator::firstNumber || number > ValleyGenerator::lastNumber) {
        std::fprintf(stderr, "usage: valley NUMBER (1 to 999999) [FOLDER]\n");
        return 2;
    }
    const std::string folder = argc > 2 ? argv[2] : ".";
    Bitmap heights;
    Bitmap texture;
    ValleyGenerator::heights(number, heights);
    ValleyGenerator::texture(heights, texture);
    const std::string name = folder + "/valley-" + std::to_string(number);
    if (!heights.save(name + ".bmp") || !texture.save(name + "-tex.bmp")) {
        std::fprintf(stderr, "valley: cannot write %s.bmp\n", name.c_str());
        return 1;
    }
    std::printf("valley %d: heights %08x\n", number, ValleyGenerator::checksum(heights));
    return 0;
}
