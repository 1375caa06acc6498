// The BMP reader on files the tests write themselves: colour order, palettes, row padding, long
// and top-down headers, short files, and every way a file is refused.
#include "engine/terrain/Bitmap.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Byte lists are built as new vectors and moved into place: GCC 12 at -O3 takes an
// initializer-list assignment into a vector for a copy into a possibly null buffer (-Wnonnull).
using Bytes = std::vector<std::uint8_t>;

// The parts of a BMP file a test varies; the defaults make a valid 24-bit file.
struct BmpFile {
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t infoSize = 40;
    std::uint32_t coloursUsed = 0;
    std::vector<std::uint8_t> palette; // blue, green, red, unused per entry
    std::vector<std::uint8_t> data;    // the pixel rows exactly as stored, padding included
    std::int64_t pixelOffset = -1;     // -1: right after the palette
    const char* signature = "BM";

    std::vector<std::uint8_t> bytes() const {
        std::vector<std::uint8_t> out;
        auto put = [&out](std::uint64_t value, int count) {
            for (int i = 0; i < count; ++i)
                out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
        };
        const std::uint64_t offset =
            pixelOffset >= 0 ? pixelOffset : 14 + infoSize + palette.size();
        out.push_back(static_cast<std::uint8_t>(signature[0]));
        out.push_back(static_cast<std::uint8_t>(signature[1]));
        put(offset + data.size(), 4);
        put(0, 4);
        put(offset, 4);
        put(infoSize, 4);
        put(static_cast<std::uint32_t>(width), 4);
        put(static_cast<std::uint32_t>(height), 4);
        put(1, 2);
        put(bitCount, 2);
        put(compression, 4);
        put(data.size(), 4);
        put(2835, 4);
        put(2835, 4);
        put(coloursUsed, 4);
        put(0, 4);
        while (out.size() < 14 + infoSize)
            out.push_back(0); // the newer header fields: masks, colour space, profile
        out.insert(out.end(), palette.begin(), palette.end());
        while (out.size() < offset)
            out.push_back(0xAB); // a gap between palette and pixels is allowed
        out.insert(out.end(), data.begin(), data.end());
        return out;
    }
};

class BitmapTest : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const std::string path = dir.filePath(QString::fromStdString(name)).toStdString();
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    std::string write(const std::string& name, const BmpFile& file) {
        return write(name, file.bytes());
    }

    // Loads path and returns the thrown integer, or 0 when nothing was thrown.
    static int loadFails(Bitmap& bitmap, const std::string& path) {
        try {
            bitmap.load(path);
        } catch (int code) {
            return code;
        }
        return 0;
    }

    static std::vector<std::uint8_t> pixelsOf(const Bitmap& bitmap) {
        EXPECT_EQ(bitmap.pixels.size(), std::size_t(bitmap.width) * bitmap.height * 3);
        return bitmap.pixels;
    }

    QTemporaryDir dir;
};

// A valid 2 × 1 picture to load first, so a failed load has something to leave alone.
BmpFile twoPixels() {
    BmpFile file;
    file.width = 2;
    file.data = Bytes{1, 2, 3, 4, 5, 6, 0, 0};
    return file;
}

} // namespace

TEST_F(BitmapTest, TwentyFourBitPixelsComeOutRedGreenBlue) {
    BmpFile file;
    file.data = Bytes{10, 20, 30, 0}; // blue, green, red, padding
    Bitmap bitmap;
    bitmap.load(write("one.bmp", file));
    EXPECT_EQ(bitmap.width, 1);
    EXPECT_EQ(bitmap.height, 1);
    EXPECT_EQ(pixelsOf(bitmap), (std::vector<std::uint8_t>{30, 20, 10}));
    EXPECT_EQ(Bitmap::lastError(), "");
}

TEST_F(BitmapTest, RowPaddingIsSkippedAndRowsKeepFileOrder) {
    // Three pixels a row: 9 data bytes and 3 padding bytes; the padding holds junk.
    BmpFile file;
    file.width = 3;
    file.height = 2;
    file.data = Bytes{1,  2,  3,  4,  5,  6,  7,  8,  9,  0xEE, 0xEE, 0xEE,
                      11, 12, 13, 14, 15, 16, 17, 18, 19, 0xEE, 0xEE, 0xEE};
    Bitmap bitmap;
    bitmap.load(write("padded.bmp", file));
    ASSERT_EQ(bitmap.width, 3);
    ASSERT_EQ(bitmap.height, 2);
    EXPECT_EQ(pixelsOf(bitmap), (std::vector<std::uint8_t>{3, 2, 1, 6, 5, 4, 9, 8, 7, 13, 12, 11,
                                                           16, 15, 14, 19, 18, 17}));
}

TEST_F(BitmapTest, EightBitIndicesLookUpThePalette) {
    BmpFile file;
    file.width = 3;
    file.height = 2;
    file.bitCount = 8;
    file.coloursUsed = 3;
    file.palette = Bytes{10, 20, 30, 0, 40, 50, 60, 0, 70, 80, 90, 0};
    file.data = Bytes{2, 1, 0, 0xEE, 0, 0, 1, 0xEE};
    Bitmap bitmap;
    bitmap.load(write("palette.bmp", file));
    ASSERT_EQ(bitmap.width, 3);
    ASSERT_EQ(bitmap.height, 2);
    EXPECT_EQ(pixelsOf(bitmap), (std::vector<std::uint8_t>{90, 80, 70, 60, 50, 40, 30, 20, 10, 30,
                                                           20, 10, 30, 20, 10, 60, 50, 40}));
}

TEST_F(BitmapTest, PaletteIndicesPastTheFilesTableReadBlack) {
    // The file counts two colours but stores four; index 3 is past the count, index 5 would land
    // inside the pixel rows that follow the table.
    BmpFile counted;
    counted.width = 3;
    counted.bitCount = 8;
    counted.coloursUsed = 2;
    counted.palette = Bytes{10, 20, 30, 0, 40, 50, 60, 0, 1, 1, 1, 1, 2, 2, 2, 2};
    counted.data = Bytes{1, 3, 5, 0x77};
    Bitmap bitmap;
    bitmap.load(write("counted.bmp", counted));
    EXPECT_EQ(pixelsOf(bitmap), (std::vector<std::uint8_t>{60, 50, 40, 0, 0, 0, 0, 0, 0}));

    // No colour count: the table ends where the pixels begin.
    BmpFile uncounted = counted;
    uncounted.coloursUsed = 0;
    uncounted.palette = Bytes{10, 20, 30, 0, 40, 50, 60, 0, 70, 80, 90, 0};
    uncounted.data = Bytes{2, 3, 0, 0x77};
    bitmap.load(write("uncounted.bmp", uncounted));
    EXPECT_EQ(pixelsOf(bitmap), (std::vector<std::uint8_t>{90, 80, 70, 0, 0, 0, 30, 20, 10}));

    // A palette cut off by the end of the file.
    BmpFile cut = counted;
    cut.coloursUsed = 0;
    cut.palette = Bytes{10, 20, 30, 0, 40, 50};
    cut.data.clear();
    std::vector<std::uint8_t> cutBytes = cut.bytes();
    cutBytes[10] = 0x00;
    cutBytes[11] = 0x10; // pixels promised at 4096, far behind the end
    bitmap.load(write("cut.bmp", cutBytes));
    EXPECT_EQ(pixelsOf(bitmap), std::vector<std::uint8_t>(9, 0));
}

TEST_F(BitmapTest, TopDownFileGivesTheSamePictureAsItsBottomUpTwin) {
    BmpFile bottomUp;
    bottomUp.width = 2;
    bottomUp.height = 3;
    bottomUp.data =
        Bytes{1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0, 13, 14, 15, 16, 17, 18, 0, 0};
    BmpFile topDown = bottomUp;
    topDown.height = -3;
    topDown.data =
        Bytes{13, 14, 15, 16, 17, 18, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0, 1, 2, 3, 4, 5, 6, 0, 0};
    Bitmap a;
    a.load(write("bottomup.bmp", bottomUp));
    Bitmap b;
    b.load(write("topdown.bmp", topDown));
    EXPECT_EQ(b.width, 2);
    EXPECT_EQ(b.height, 3);
    EXPECT_EQ(pixelsOf(a), pixelsOf(b));
    EXPECT_EQ(b.pixels[0], 3); // row 0 is still the bottom row
}

TEST_F(BitmapTest, LongInformationHeadersPutThePaletteAfterThem) {
    for (std::uint32_t infoSize : {108u, 124u}) {
        SCOPED_TRACE(infoSize);
        BmpFile file;
        file.width = 2;
        file.bitCount = 8;
        file.infoSize = infoSize;
        file.coloursUsed = 2;
        file.palette = Bytes{10, 20, 30, 0, 40, 50, 60, 0};
        file.data = Bytes{1, 0, 0, 0};
        Bitmap bitmap;
        bitmap.load(write("long" + std::to_string(infoSize) + ".bmp", file));
        EXPECT_EQ(pixelsOf(bitmap), (std::vector<std::uint8_t>{60, 50, 40, 30, 20, 10}));

        BmpFile colour;
        colour.infoSize = infoSize;
        colour.data = Bytes{10, 20, 30, 0};
        bitmap.load(write("colour" + std::to_string(infoSize) + ".bmp", colour));
        EXPECT_EQ(pixelsOf(bitmap), (std::vector<std::uint8_t>{30, 20, 10}));
    }
}

TEST_F(BitmapTest, MissingPixelBytesReadAsZero) {
    // The file stops in the middle of the second row.
    BmpFile shortRows;
    shortRows.width = 2;
    shortRows.height = 3;
    shortRows.data = Bytes{1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10};
    Bitmap bitmap;
    bitmap.load(write("short.bmp", shortRows));
    ASSERT_EQ(bitmap.height, 3);
    EXPECT_EQ(pixelsOf(bitmap),
              (std::vector<std::uint8_t>{3, 2, 1, 6, 5, 4, 9, 8, 7, 0, 0, 10, 0, 0, 0, 0, 0, 0}));

    // The pixel data would start far behind the end of the file.
    BmpFile nowhere;
    nowhere.width = 4;
    nowhere.height = 2;
    nowhere.data = std::vector<std::uint8_t>(24, 0x55);
    std::vector<std::uint8_t> far = nowhere.bytes();
    far[10] = 0xF0;
    far[11] = far[12] = far[13] = 0xFF;
    bitmap.load(write("nowhere.bmp", far));
    EXPECT_EQ(bitmap.width, 4);
    EXPECT_EQ(pixelsOf(bitmap), std::vector<std::uint8_t>(24, 0));

    // A huge information header pushes the palette past the end: all black, no crash.
    BmpFile hugeHeader;
    hugeHeader.bitCount = 8;
    hugeHeader.data = Bytes{0, 0, 0, 0};
    std::vector<std::uint8_t> bytes = hugeHeader.bytes();
    bytes[14] = bytes[15] = bytes[16] = bytes[17] = 0xFF;
    bytes[10] = 54; // the index byte sits right behind the first 40 header bytes
    bitmap.load(write("hugeheader.bmp", bytes));
    EXPECT_EQ(pixelsOf(bitmap), std::vector<std::uint8_t>(3, 0));
}

TEST_F(BitmapTest, StreamAndFileGiveTheSamePicture) {
    BmpFile file = twoPixels();
    const std::vector<std::uint8_t> bytes = file.bytes();
    Bitmap fromFile;
    fromFile.load(write("stream.bmp", bytes));
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    Bitmap fromStream;
    fromStream.load(in, "memory");
    EXPECT_EQ(pixelsOf(fromStream), pixelsOf(fromFile));

    std::istringstream junk("BM too short");
    EXPECT_THROW(fromStream.load(junk, "memory"), int);
    EXPECT_EQ(Bitmap::lastError(), "memory: truncated header");
}

TEST_F(BitmapTest, RefusedFilesThrowMinusOneAndLeaveThePictureAlone) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        std::string reason;
    };
    auto with = [](auto change) {
        BmpFile file;
        file.data = Bytes{0, 0, 0, 0};
        change(file);
        return file.bytes();
    };
    std::vector<std::uint8_t> header12 = with([](BmpFile&) {});
    header12[14] = 12;
    const std::vector<Case> cases = {
        {"empty.bmp", {}, "not a BMP file"},
        {"signature.bmp", with([](BmpFile& f) { f.signature = "MB"; }), "not a BMP file"},
        {"truncated.bmp", {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0}, "truncated header"},
        {"header12.bmp", header12, "unsupported header size 12"},
        {"width0.bmp", with([](BmpFile& f) { f.width = 0, f.height = 5; }), "bad size 0 x 5"},
        {"widthneg.bmp", with([](BmpFile& f) { f.width = -3; }), "bad size -3 x 1"},
        {"height0.bmp", with([](BmpFile& f) { f.height = 0; }), "bad size 1 x 0"},
        {"wide.bmp", with([](BmpFile& f) { f.width = 20000; }), "picture too large 20000 x 1"},
        {"tall.bmp", with([](BmpFile& f) { f.height = -20000; }), "picture too large 1 x -20000"},
        {"lowest.bmp", with([](BmpFile& f) { f.height = INT32_MIN; }),
         "picture too large 1 x -2147483648"},
        {"area.bmp", with([](BmpFile& f) { f.width = f.height = 16384; }),
         "picture too large 16384 x 16384"},
        {"rle.bmp", with([](BmpFile& f) { f.bitCount = 8, f.compression = 1; }),
         "compressed pixel data"},
        {"bitfields.bmp", with([](BmpFile& f) { f.compression = 3; }), "compressed pixel data"},
        {"bits16.bmp", with([](BmpFile& f) { f.bitCount = 16; }), "unsupported bit count 16"},
        {"bits32.bmp", with([](BmpFile& f) { f.bitCount = 32; }), "unsupported bit count 32"},
        {"bits1.bmp", with([](BmpFile& f) { f.bitCount = 1; }), "unsupported bit count 1"},
    };

    Bitmap bitmap;
    bitmap.load(write("good.bmp", twoPixels()));
    const unsigned char* const before = bitmap.pixels.data();
    const std::vector<std::uint8_t> beforePixels = pixelsOf(bitmap);

    auto expectUntouched = [&] {
        EXPECT_EQ(bitmap.width, 2);
        EXPECT_EQ(bitmap.height, 1);
        EXPECT_EQ(bitmap.pixels.data(), before);
        EXPECT_EQ(pixelsOf(bitmap), beforePixels);
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = write(c.name, c.bytes);
        EXPECT_EQ(loadFails(bitmap, path), -1);
        EXPECT_EQ(Bitmap::lastError(), path + ": " + c.reason);
        expectUntouched();
    }

    const std::string missing = dir.filePath("missing.bmp").toStdString();
    EXPECT_EQ(loadFails(bitmap, missing), -1);
    EXPECT_EQ(Bitmap::lastError(), missing + ": cannot open file");
    expectUntouched();

    // A folder opens on some systems but never reads as a picture.
    const std::string folder = dir.path().toStdString();
    EXPECT_EQ(loadFails(bitmap, folder), -1);
    EXPECT_EQ(Bitmap::lastError().rfind(folder + ": ", 0), 0u) << Bitmap::lastError();
    expectUntouched();

    // A later good load clears the reason again.
    bitmap.load(write("again.bmp", twoPixels()));
    EXPECT_EQ(Bitmap::lastError(), "");
    EXPECT_EQ(Bitmap::lastFailure().fault, Bitmap::Fault::None);
}
