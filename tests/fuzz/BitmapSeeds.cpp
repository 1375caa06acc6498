// Writes the seed corpus of the bitmap fuzzer: small valid BMP files (8 and 24 bits, palettes of
// every length, bottom-up and top-down, long headers, gaps before the pixels) and broken ones
// (truncated, wrong signature, bit counts, compression, sizes, offsets past the end).
// Usage: bitmap_seeds <folder>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Bmp {
    std::int32_t width = 2;
    std::int32_t height = 2;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t infoSize = 40;
    std::uint32_t coloursUsed = 0;
    std::uint32_t paletteEntries = 0; // written after the information header
    std::int64_t pixelOffset = -1;    // -1: right after the palette
    std::uint64_t rowsWritten = ~0ull;
    const char* signature = "BM";

    std::vector<std::uint8_t> bytes() const {
        std::vector<std::uint8_t> out;
        auto put = [&out](std::uint64_t value, int count) {
            for (int i = 0; i < count; ++i)
                out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
        };
        const std::uint64_t offset =
            pixelOffset >= 0 ? std::uint64_t(pixelOffset) : 14 + infoSize + paletteEntries * 4;
        const std::uint64_t rowBytes =
            (std::uint64_t(width < 0 ? 0 : width) * bitCount + 31) / 32 * 4;
        const std::uint64_t rows = std::uint64_t(height < 0 ? -std::int64_t(height) : height);
        out.push_back(static_cast<std::uint8_t>(signature[0]));
        out.push_back(static_cast<std::uint8_t>(signature[1]));
        put(offset + rowBytes * rows, 4);
        put(0, 4);
        put(offset, 4);
        put(infoSize, 4);
        put(static_cast<std::uint32_t>(width), 4);
        put(static_cast<std::uint32_t>(height), 4);
        put(1, 2);
        put(bitCount, 2);
        put(compression, 4);
        put(rowBytes * rows, 4);
        put(2835, 4);
        put(2835, 4);
        put(coloursUsed, 4);
        put(0, 4);
        while (out.size() < 14 + infoSize)
            out.push_back(0);
        for (std::uint32_t i = 0; i < paletteEntries; ++i) { // a grey ramp with a tint
            put(i & 0xFF, 1);
            put((i * 3) & 0xFF, 1);
            put((255 - i) & 0xFF, 1);
            put(0, 1);
        }
        if (offset > out.size() + 4096)
            return out; // the pixels lie far past the end: the file stops here
        while (out.size() < offset)
            out.push_back(0xAB);
        const std::uint64_t written = rowsWritten < rows ? rowsWritten : rows;
        for (std::uint64_t r = 0; r < written; ++r)
            for (std::uint64_t b = 0; b < rowBytes; ++b)
                out.push_back(static_cast<std::uint8_t>((r * 37 + b * 11) & 0xFF));
        return out;
    }
};

int written = 0;

bool save(const std::string& folder, const std::string& name, const std::vector<std::uint8_t>& b) {
    std::ofstream out(folder + "/" + name + ".bmp", std::ios::binary);
    out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    written += out.good() ? 1 : 0;
    return out.good();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    bool ok = true;
    auto seed = [&](const std::string& name, const Bmp& bmp) {
        ok = save(dir, name, bmp.bytes()) && ok;
    };

    Bmp b;
    seed("rgb-2x2", b);
    b.width = 3, b.height = 3;
    seed("rgb-3x3-padded", b);
    b.width = 17, b.height = 9;
    seed("rgb-17x9", b);
    b.width = 64, b.height = 60;
    seed("rgb-64x60-quadtree", b);
    b.width = 1, b.height = 7;
    seed("rgb-1x7-too-narrow", b);
    b.width = 7, b.height = 1;
    seed("rgb-7x1-too-low", b);
    b = Bmp();
    b.width = 5, b.height = -4;
    seed("rgb-top-down", b);
    b = Bmp();
    b.width = 6, b.height = 5, b.infoSize = 108;
    seed("rgb-long-header-108", b);
    b.infoSize = 124, b.pixelOffset = 14 + 124 + 20;
    seed("rgb-long-header-124-gap", b);

    b = Bmp();
    b.bitCount = 8, b.paletteEntries = 256, b.width = 9, b.height = 6;
    seed("pal-256", b);
    b.paletteEntries = 4, b.coloursUsed = 4;
    seed("pal-4-colours-used", b);
    b.coloursUsed = 0;
    seed("pal-4-no-count", b);
    b.height = -6;
    seed("pal-top-down", b);
    b = Bmp();
    b.bitCount = 8, b.paletteEntries = 2, b.coloursUsed = 300, b.width = 3, b.height = 3;
    seed("pal-count-too-large", b);

    b = Bmp();
    b.width = 8, b.height = 8, b.rowsWritten = 3;
    seed("trunc-rows", b);
    b.rowsWritten = 0;
    seed("trunc-no-pixels", b);
    b = Bmp();
    b.bitCount = 8, b.paletteEntries = 256, b.width = 4, b.height = 4, b.rowsWritten = 0;
    {
        std::vector<std::uint8_t> bytes = b.bytes();
        bytes.resize(14 + 40 + 100); // the palette cut short
        ok = save(dir, "trunc-palette", bytes) && ok;
        bytes.resize(30); // inside the information header
        ok = save(dir, "trunc-header", bytes) && ok;
        bytes.resize(2);
        ok = save(dir, "trunc-signature-only", bytes) && ok;
    }

    b = Bmp();
    b.signature = "MB";
    seed("bad-signature", b);
    b = Bmp();
    b.bitCount = 16;
    seed("bad-16-bit", b);
    b.bitCount = 32;
    seed("bad-32-bit", b);
    b = Bmp();
    b.compression = 1;
    seed("bad-compressed", b);
    b = Bmp();
    b.infoSize = 12;
    seed("bad-core-header", b);
    b = Bmp();
    b.width = 0;
    seed("bad-zero-width", b);
    b.width = -3;
    seed("bad-negative-width", b);
    b = Bmp();
    b.width = 16384, b.height = 16384, b.rowsWritten = 0;
    seed("bad-too-large", b);
    b.width = 16384, b.height = 2;
    seed("wide-empty", b);
    b = Bmp();
    b.height = -2147483647 - 1, b.rowsWritten = 0;
    seed("bad-height-int-min", b);
    b = Bmp();
    b.pixelOffset = 0xFFFFFFF0;
    seed("offset-past-end", b);
    b.pixelOffset = 0;
    seed("offset-zero", b);

    std::printf("%d seed files in %s\n", written, dir.c_str());
    return ok ? 0 : 1;
}
