// Valleys of one's own: a greyscale heightmap (any uncompressed 8- or 24-bit BMP; the largest of
// its channels is the height, white the full 5 units) and, optionally, a texture beside it named
// like it with "-tex" before ".bmp" ("bergsee.bmp" and "bergsee-tex.bmp"). They are given on the
// command line or kept in the folder of one's own valleys, $XDG_DATA_HOME/tortoise-valley/valleys
// (~/.local/share/tortoise-valley/valleys unless the desktop says otherwise). A picture of another
// size is scaled to the valley's grid. A file that cannot be read throws the integer -1 as
// Bitmap::load does, its fault in Bitmap::lastFailure(), for the message of a broken data file.
#pragma once

#include <QString>
#include <QStringList>

class Bitmap;

class ValleyPicture {
public:
    // The folder of one's own valleys.
    static QString folder();
    // The heightmaps in a folder, by name: every .bmp file but the textures.
    static QStringList listed(const QString& folder);
    // What the settings screen and the message panel call a valley: its file name without
    // ".bmp" ("bergsee").
    static QString nameOf(const QString& path);
    // The texture that goes with a heightmap: the same path with "-tex" before ".bmp".
    static QString texturePath(const QString& heightsPath);

    // Reads the heightmap at path into a grey picture of columns × rows (row 0 first, as the
    // file's bottom row), scaled between the nearest four pixels when its size differs.
    static void loadHeights(const QString& path, Bitmap& heights, int columns, int rows);
    // Reads the texture beside a heightmap, scaled to width × height; false when there is none.
    // One that is there but cannot be read throws as loadHeights does.
    static bool loadTexture(const QString& heightsPath, Bitmap& texture, int width, int height);
};
