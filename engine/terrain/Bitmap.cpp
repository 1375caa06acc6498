// BMP reader: uncompressed 8-bit (palette) and 24-bit (blue, green, red) files, little-endian
// headers, rows padded to 4 bytes in the file and stored tightly packed as red, green, blue.
// Every size is checked before anything is allocated; missing bytes read as zero.
#include "engine/terrain/Bitmap.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <istream>
#include <memory>
#include <new>

namespace {

constexpr std::uint64_t fileHeaderSize = 14;
constexpr std::uint64_t minInfoHeaderSize = 40;
constexpr std::int64_t maxSide = 16384;
constexpr std::uint64_t maxPixelBytes = 256u << 20; // decoded red-green-blue bytes

std::string& errorText() {
    static std::string text;
    return text;
}

Bitmap::Failure& failure() {
    static Bitmap::Failure last;
    return last;
}

const char* reasonOf(Bitmap::Fault fault) {
    switch (fault) {
    case Bitmap::Fault::None:
        break;
    case Bitmap::Fault::CannotOpen:
        return "cannot open file";
    case Bitmap::Fault::NotBmp:
        return "not a BMP file";
    case Bitmap::Fault::TruncatedHeader:
        return "truncated header";
    case Bitmap::Fault::HeaderSize:
        return "unsupported header size";
    case Bitmap::Fault::BitCount:
        return "unsupported bit count";
    case Bitmap::Fault::Compressed:
        return "compressed pixel data";
    case Bitmap::Fault::BadSize:
        return "bad size";
    case Bitmap::Fault::TooLarge:
        return "picture too large";
    case Bitmap::Fault::OutOfMemory:
        return "out of memory";
    }
    return "";
}

[[noreturn]] void fail(const std::string& name, Bitmap::Fault fault,
                       const std::string& figures = std::string()) {
    failure() = {fault, name, figures};
    errorText() = name + ": " + reasonOf(fault) + (figures.empty() ? "" : " " + figures);
    throw -1;
}

std::uint16_t readU16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t readU32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::int32_t readS32(const unsigned char* p) {
    const std::uint32_t u = readU32(p);
    std::int32_t s = 0;
    std::memcpy(&s, &u, sizeof s);
    return s;
}

// A stream of known length: every read is clamped to the end, and what lies beyond reads as 0.
class Source {
public:
    explicit Source(std::istream& in) : in(in) {
        in.clear();
        in.seekg(0, std::ios::end);
        const std::streamoff end = in.tellg();
        size = end > 0 ? static_cast<std::uint64_t>(end) : 0;
        in.clear();
    }

    // Fills buffer with count bytes from offset; returns how many came from the stream.
    std::uint64_t read(std::uint64_t offset, unsigned char* buffer, std::uint64_t count) {
        std::uint64_t got = 0;
        if (offset < size) {
            const std::uint64_t wanted = count < size - offset ? count : size - offset;
            in.clear();
            in.seekg(static_cast<std::streamoff>(offset));
            if (in) {
                in.read(reinterpret_cast<char*>(buffer), static_cast<std::streamsize>(wanted));
                got = static_cast<std::uint64_t>(in.gcount());
            }
            in.clear();
        }
        std::memset(buffer + got, 0, count - got);
        return got;
    }

    std::uint64_t length() const { return size; }

private:
    std::istream& in;
    std::uint64_t size = 0;
};

} // namespace

const std::string& Bitmap::lastError() {
    return errorText();
}

const Bitmap::Failure& Bitmap::lastFailure() {
    return failure();
}

void Bitmap::resize(int newWidth, int newHeight) {
    if (newWidth <= 0 || newHeight <= 0 || newWidth > maxSide || newHeight > maxSide)
        throw "Bitmap::resize(): bad size";
    pixels.assign(std::size_t(newWidth) * std::size_t(newHeight) * 3, 0);
    width = newWidth;
    height = newHeight;
}

bool Bitmap::save(const std::string& path) const {
    if (pixels.empty() || width <= 0 || height <= 0)
        return false;
    const std::uint32_t rowBytes = (std::uint32_t(width) * 3 + 3) / 4 * 4;
    const std::uint32_t dataBytes = rowBytes * std::uint32_t(height);
    unsigned char header[fileHeaderSize + minInfoHeaderSize] = {'B', 'M'};
    auto put = [&header](int at, std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            header[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    put(2, std::uint32_t(sizeof header) + dataBytes, 4);
    put(10, sizeof header, 4);
    put(14, minInfoHeaderSize, 4);
    put(18, std::uint32_t(width), 4);
    put(22, std::uint32_t(height), 4);
    put(26, 1, 2);  // planes
    put(28, 24, 2); // bits per pixel
    put(34, dataBytes, 4);
    put(38, 2835, 4); // 72 dots per inch
    put(42, 2835, 4);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(header), sizeof header);
    std::unique_ptr<unsigned char[]> row(new unsigned char[rowBytes]());
    for (int r = 0; r < height; ++r) {
        const unsigned char* in = pixels.data() + std::size_t(r) * std::size_t(width) * 3;
        for (int c = 0; c < width; ++c) {
            row[3 * c] = in[3 * c + 2];
            row[3 * c + 1] = in[3 * c + 1];
            row[3 * c + 2] = in[3 * c];
        }
        out.write(reinterpret_cast<const char*>(row.get()), rowBytes);
    }
    return static_cast<bool>(out);
}

void Bitmap::load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open())
        fail(path, Fault::CannotOpen);
    load(in, path);
}

void Bitmap::load(std::istream& in, const std::string& name) {
    Source source(in);

    // File header and the first 40 bytes of the information header.
    unsigned char header[fileHeaderSize + minInfoHeaderSize];
    const std::uint64_t headerBytes = source.read(0, header, sizeof header);
    if (headerBytes < 2 || header[0] != 'B' || header[1] != 'M')
        fail(name, Fault::NotBmp);
    if (headerBytes < sizeof header)
        fail(name, Fault::TruncatedHeader);

    const std::uint64_t pixelOffset = readU32(header + 10);
    const std::uint64_t infoSize = readU32(header + 14);
    const std::int64_t fileWidth = readS32(header + 18);
    const std::int64_t fileHeight = readS32(header + 22);
    const unsigned bitCount = readU16(header + 28);
    const std::uint32_t compression = readU32(header + 30);
    const std::uint32_t coloursUsed = readU32(header + 46);

    if (infoSize < minInfoHeaderSize)
        fail(name, Fault::HeaderSize, std::to_string(infoSize));
    if (bitCount != 8 && bitCount != 24)
        fail(name, Fault::BitCount, std::to_string(bitCount));
    if (compression != 0)
        fail(name, Fault::Compressed);
    const std::string sizeText = std::to_string(fileWidth) + " x " + std::to_string(fileHeight);
    if (fileWidth <= 0 || fileHeight == 0)
        fail(name, Fault::BadSize, sizeText);
    const bool topDown = fileHeight < 0;
    const std::int64_t rows = topDown ? -fileHeight : fileHeight;
    const std::uint64_t packedRow = static_cast<std::uint64_t>(fileWidth) * 3;
    if (fileWidth > maxSide || rows > maxSide ||
        packedRow * static_cast<std::uint64_t>(rows) > maxPixelBytes)
        fail(name, Fault::TooLarge, sizeText);

    // Palette entries are blue, green, red, unused. Indices past the table the file really holds
    // (its colour count, the start of the pixels, the end of the file) read as black.
    unsigned char palette[256 * 4] = {};
    if (bitCount == 8) {
        const std::uint64_t paletteOffset = fileHeaderSize + infoSize;
        std::uint64_t entries = coloursUsed == 0 || coloursUsed > 256 ? 256 : coloursUsed;
        if (pixelOffset > paletteOffset && (pixelOffset - paletteOffset) / 4 < entries)
            entries = (pixelOffset - paletteOffset) / 4;
        source.read(paletteOffset, palette, entries * 4);
    }

    const std::uint64_t fileRow = (static_cast<std::uint64_t>(fileWidth) * bitCount + 31) / 32 * 4;
    const std::uint64_t total = packedRow * static_cast<std::uint64_t>(rows);
    std::vector<unsigned char> decoded;
    std::vector<unsigned char> row;
    try {
        decoded.assign(total, 0);
        row.assign(fileRow, 0);
    } catch (const std::bad_alloc&) {
        fail(name, Fault::OutOfMemory);
    }

    for (std::int64_t i = 0; i < rows; ++i) {
        const std::uint64_t offset = pixelOffset + static_cast<std::uint64_t>(i) * fileRow;
        if (offset >= source.length())
            break; // the rest stays zero
        source.read(offset, row.data(), fileRow);
        const std::int64_t target = topDown ? rows - 1 - i : i;
        unsigned char* out = decoded.data() + static_cast<std::uint64_t>(target) * packedRow;
        for (std::int64_t x = 0; x < fileWidth; ++x, out += 3) {
            const unsigned char* in8 = bitCount == 8 ? palette + row[x] * 4 : row.data() + x * 3;
            out[0] = in8[2];
            out[1] = in8[1];
            out[2] = in8[0];
        }
    }

    pixels = std::move(decoded);
    width = static_cast<int>(fileWidth);
    height = static_cast<int>(rows);
    errorText().clear();
    failure() = Failure();
}
