// Pictures as mipmapped GL textures: tightly packed red-green-blue rows, row 0 at texture t = 0.
// Every call needs the game window's GL context current.
#pragma once

#include <GL/gl.h>
#include <string>

namespace VORN_LIB {

// Replaces the texture held in textureName (0 = none) by a new mipmapped, repeating texture made
// from the picture; the old texture is deleted. Leaves GL_TEXTURE_2D unbound.
// Throws "uploadTexture(): no picture to upload" (and changes nothing) for null pixels or an
// empty size.
void uploadTexture(GLuint& textureName, const unsigned char* pixels, int width, int height);

// Loads the terrain picture, by default "../../data/valleyTex.bmp" (relative to the working
// directory), into textureName. A failed load throws the integer -1 (see Bitmap::lastError()) and
// leaves textureName as it was.
void loadTerrainTexture(GLuint& textureName, const std::string& path = "../../data/valleyTex.bmp");

} // namespace VORN_LIB
