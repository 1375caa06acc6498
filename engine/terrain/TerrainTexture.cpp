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
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1); // rows are tightly packed
    glGenTextures(1, &textureName);
    glBindTexture(GL_TEXTURE_2D, textureName);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void loadTerrainTexture(GLuint& textureName) {
    Bitmap picture;
    picture.load("../../data/valleyTex.bmp");
    uploadTexture(textureName, picture.pixels, picture.width, picture.height);
}

} // namespace VORN_LIB
