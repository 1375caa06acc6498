// Valleys of one's own: found in their folder, scaled to the valley's grid with their texture, and
// every hostile file refused with the message of a broken data file.
#include "game/files/ValleyPicture.h"
#include "game/files/DataFileFailure.h"

#include "engine/terrain/Bitmap.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray read(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

// A picture of width × height whose pixel (row, column) is colour(row, column).
template <typename Colour>
void makePicture(const QString& path, int width, int height, Colour colour) {
    Bitmap picture;
    picture.resize(width, height);
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c) {
            const auto [red, green, blue] = colour(r, c);
            unsigned char* p = picture.pixels.data() + 3 * (r * width + c);
            p[0] = static_cast<unsigned char>(red);
            p[1] = static_cast<unsigned char>(green);
            p[2] = static_cast<unsigned char>(blue);
        }
    ASSERT_TRUE(picture.save(path.toStdString()));
}

} // namespace

TEST(ValleyPicture, APictureOfAnotherSizeIsScaledToTheGridWithTheTextureBesideIt) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    // 5 × 3 heights rising to the right (the largest channel counts), a 2 × 2 texture.
    const QString see = folder.filePath("bergsee.bmp");
    makePicture(see, 5, 3, [](int, int c) { return std::tuple{c * 60, 0, c * 20}; });
    makePicture(folder.filePath("bergsee-tex.bmp"), 2, 2, [](int r, int c) {
        return std::tuple{200 * c, 100 * r, 50};
    });
    makePicture(folder.filePath("alm.BMP"), 2, 2, [](int, int) { return std::tuple{9, 9, 9}; });
    write(folder.filePath("notes.txt"), "not a valley");

    EXPECT_EQ(ValleyPicture::listed(folder.path()), QStringList({folder.filePath("alm.BMP"), see}));
    EXPECT_EQ(ValleyPicture::nameOf(see), "bergsee");
    EXPECT_TRUE(ValleyPicture::listed(folder.filePath("nowhere")).isEmpty());

    Bitmap heights;
    ValleyPicture::loadHeights(see, heights, 321, 161);
    ASSERT_EQ(heights.width, 321);
    ASSERT_EQ(heights.height, 161);
    auto grey = [&](int r, int c) { return int(heights.pixels[3 * (r * 321 + c)]); };
    EXPECT_EQ(grey(0, 0), 0);
    EXPECT_EQ(grey(160, 320), 240);
    EXPECT_EQ(grey(80, 80), 60);  // on a pixel of the picture
    EXPECT_EQ(grey(80, 120), 90); // halfway between two
    EXPECT_EQ(heights.pixels[3 * (80 * 321 + 120) + 2], 90) << "grey";

    Bitmap texture;
    ASSERT_TRUE(ValleyPicture::loadTexture(see, texture, 1024, 512));
    ASSERT_EQ(texture.width, 1024);
    ASSERT_EQ(texture.height, 512);
    EXPECT_EQ(texture.pixels[0], 0);
    EXPECT_EQ(texture.pixels[3 * (511 * 1024 + 1023)], 200);
    EXPECT_EQ(texture.pixels[3 * (511 * 1024 + 1023) + 1], 100);
    EXPECT_FALSE(ValleyPicture::loadTexture(folder.filePath("alm.BMP"), texture, 1024, 512));
}

TEST(ValleyPicture, EveryHostileFileIsRefusedWithTheMessageOfABrokenDataFile) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString good = folder.filePath("good.bmp");
    makePicture(good, 4, 4, [](int r, int c) { return std::tuple{r * 16 + c, 0, 0}; });
    const QByteArray bytes = read(good);

    QByteArray wrongHeader = bytes;
    wrongHeader[14] = 12; // an old OS/2 header of 12 bytes
    wrongHeader[15] = wrongHeader[16] = wrongHeader[17] = 0;
    QByteArray huge = bytes;
    huge[18] = huge[22] = char(0xA0); // 100000 × 100000 (0x186A0)
    huge[19] = huge[23] = char(0x86);
    huge[20] = huge[24] = 0x01;
    QByteArray sixteenBits = bytes;
    sixteenBits[28] = 16;
    QByteArray png = QByteArray::fromHex("89504e470d0a1a0a0000000d49484452");

    const struct {
        const char* name;
        QByteArray bytes;
        QString reason;
    } cases[] = {
        {"truncated.bmp", bytes.left(30), "dateikopf unvollstaendig"},
        {"header.bmp", wrongHeader, "dateikopf mit 12 bytes wird nicht unterstuetzt"},
        {"huge.bmp", huge, "bild zu gross (100000 x 100000)"},
        {"bits.bmp", sixteenBits, "16 bit pro pixel werden nicht unterstuetzt"},
        {"picture.bmp", png, "keine BMP-datei"},
        {"empty.bmp", QByteArray(), "keine BMP-datei"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = folder.filePath(c.name);
        write(path, c.bytes);
        Bitmap heights;
        EXPECT_THROW(ValleyPicture::loadHeights(path, heights, 321, 161), int);
        EXPECT_EQ(DataFileFailure::message(Bitmap::lastFailure()), path + ": " + c.reason);
        EXPECT_TRUE(heights.pixels.empty());

        // The same file as the texture beside a good heightmap.
        const QString heightsPath = folder.filePath(QString("for-") + c.name);
        QFile::copy(good, heightsPath);
        write(ValleyPicture::texturePath(heightsPath), c.bytes);
        ValleyPicture::loadHeights(heightsPath, heights, 321, 161);
        Bitmap texture;
        EXPECT_THROW(ValleyPicture::loadTexture(heightsPath, texture, 1024, 512), int);
        EXPECT_EQ(DataFileFailure::message(Bitmap::lastFailure()),
                  ValleyPicture::texturePath(heightsPath) + ": " + c.reason);
    }
    Bitmap heights;
    EXPECT_THROW(ValleyPicture::loadHeights(folder.filePath("gone.bmp"), heights, 321, 161), int);
    EXPECT_EQ(DataFileFailure::message(Bitmap::lastFailure()),
              folder.filePath("gone.bmp") + ": datei nicht lesbar");
}
