// Reading and scaling one's own valley pictures. Scaling works in whole numbers, so that a picture
// gives the same heights wherever it is read.
#include "game/files/ValleyPicture.h"

#include "engine/terrain/Bitmap.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <cstdint>

namespace {

const QString bmp = QStringLiteral(".bmp");
const QString textureSuffix = QStringLiteral("-tex.bmp");

// The picture scaled to width × height: each new pixel between the four nearest old ones, its
// place in 1/65536 of a pixel. grey takes the largest channel for every colour.
void scale(const Bitmap& from, Bitmap& to, int width, int height, bool grey) {
    to.resize(width, height);
    const std::int64_t one = 65536;
    for (int r = 0; r < height; ++r) {
        const std::int64_t y =
            height > 1 ? std::int64_t(r) * (from.height - 1) * one / (height - 1) : 0;
        const int r0 = int(y / one);
        const int r1 = std::min(r0 + 1, from.height - 1);
        const std::int64_t fy = y % one;
        for (int c = 0; c < width; ++c) {
            const std::int64_t x =
                width > 1 ? std::int64_t(c) * (from.width - 1) * one / (width - 1) : 0;
            const int c0 = int(x / one);
            const int c1 = std::min(c0 + 1, from.width - 1);
            const std::int64_t fx = x % one;
            auto value = [&](int row, int column, int channel) -> std::int64_t {
                const unsigned char* p =
                    from.pixels.data() + 3 * (std::size_t(row) * from.width + column);
                return grey ? std::max({p[0], p[1], p[2]}) : p[channel];
            };
            unsigned char* out = to.pixels.data() + 3 * (std::size_t(r) * width + c);
            for (int channel = 0; channel < 3; ++channel) {
                const std::int64_t top =
                    value(r0, c0, channel) * (one - fx) + value(r0, c1, channel) * fx;
                const std::int64_t bottom =
                    value(r1, c0, channel) * (one - fx) + value(r1, c1, channel) * fx;
                out[channel] = static_cast<unsigned char>(
                    (top * (one - fy) + bottom * fy + one * one / 2) / (one * one));
            }
        }
    }
}

} // namespace

QString ValleyPicture::folder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/tortoise-valley/valleys");
}

QStringList ValleyPicture::listed(const QString& folder) {
    QStringList found;
    const QFileInfoList files =
        QDir(folder).entryInfoList({QStringLiteral("*.bmp"), QStringLiteral("*.BMP")},
                                   QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo& file : files)
        if (!file.fileName().endsWith(textureSuffix, Qt::CaseInsensitive))
            found << file.filePath();
    return found;
}

QString ValleyPicture::nameOf(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    return name.endsWith(bmp, Qt::CaseInsensitive) ? name.left(name.size() - bmp.size()) : name;
}

QString ValleyPicture::texturePath(const QString& heightsPath) {
    const QString stem = heightsPath.endsWith(bmp, Qt::CaseInsensitive)
                             ? heightsPath.left(heightsPath.size() - bmp.size())
                             : heightsPath;
    return stem + textureSuffix;
}

void ValleyPicture::loadHeights(const QString& path, Bitmap& heights, int columns, int rows) {
    Bitmap read;
    read.load(QFile::encodeName(path).toStdString());
    scale(read, heights, columns, rows, true);
}

bool ValleyPicture::loadTexture(const QString& heightsPath, Bitmap& texture, int width,
                                int height) {
    const QString path = texturePath(heightsPath);
    if (!QFileInfo::exists(path))
        return false;
    Bitmap read;
    read.load(QFile::encodeName(path).toStdString());
    scale(read, texture, width, height, false);
    return true;
}
