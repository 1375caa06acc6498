// Texture upload of the terrain picture through GLU's mipmap builder, which also scales pictures
// whose sides are not powers of two.
#include "engine/terrain/TerrainTexture.h"

#include "engine/terrain/Bitmap.h"

#include <GL/glu.h>

namespace VORN_LIB {

void uploadTexture(GLuint& textureName, const unsigned char* pixels, int width, int height) {
    if (!pixels || width <= 0 || height <= 0)
        throw "uploadTexture(): no picture to upload";
    if (textureName != 0)
        glDeleteTextures(1, &textureName);
    // Rows are tightly packed; the caller's pixel-store state (Qt's text drawing relies on it) is
    // given back afterwards.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glGenTextures(1, &textureName);
    glBindTexture(GL_TEXTURE_2D, textureName);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    glPopClientAttrib();
    glBindTexture(GL_TEXTURE_2D, 0);
}

void loadTerrainTexture(GLuint& textureName, const std::string& path) {
    Bitmap picture;
    picture.load(path);
    uploadTexture(textureName, picture.pixels.data(), picture.width, picture.height);
}

} // namespace VORN_LIB
