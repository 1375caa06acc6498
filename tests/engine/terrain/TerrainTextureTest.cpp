// Texture upload on a real GL context: mipmaps, wrap and filter state, tight rows, replacement of
// the old texture, and the terrain texture read from the data folder.
#include "engine/terrain/TerrainTexture.h"
#include "engine/terrain/Bitmap.h"
#include "tests/support/GLTest.h"

#include <QColor>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <cstdint>
#include <vector>

using namespace VORN_LIB;

namespace {

class TerrainTextureTest : public GLTest {
protected:
    void TearDown() override {
        if (name != 0)
            glDeleteTextures(1, &name);
        GLTest::TearDown();
    }

    static GLint parameter(GLenum which) {
        GLint value = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, which, &value);
        return value;
    }

    static GLint levelWidth(GLint level) {
        GLint value = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &value);
        return value;
    }

    static GLint boundTexture() {
        GLint value = -1;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &value);
        return value;
    }

    GLuint name = 0;
};

} // namespace

TEST_F(TerrainTextureTest, UploadMakesAMipmappedRepeatingTextureAndUnbinds) {
    // Two pixels a row: six bytes, so a four-byte unpack alignment would shear the second row.
    const std::vector<std::uint8_t> pixels = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120};
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    uploadTexture(name, pixels.data(), 2, 2);
    ASSERT_NE(name, 0u);
    EXPECT_TRUE(glIsTexture(name));
    EXPECT_EQ(boundTexture(), 0);
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 4); // the caller's pixel-store state is given back

    glBindTexture(GL_TEXTURE_2D, name);
    EXPECT_EQ(parameter(GL_TEXTURE_WRAP_S), GL_REPEAT);
    EXPECT_EQ(parameter(GL_TEXTURE_WRAP_T), GL_REPEAT);
    EXPECT_EQ(parameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(parameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(levelWidth(0), 2);
    EXPECT_EQ(levelWidth(1), 1);
    GLint components = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_ALPHA_SIZE, &components);
    EXPECT_GT(components, 0) << "four components requested";

    std::vector<std::uint8_t> back(12, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, back.data());
    EXPECT_EQ(back, pixels);
    glBindTexture(GL_TEXTURE_2D, 0);
}

TEST_F(TerrainTextureTest, UploadReplacesTheOldTexture) {
    const std::vector<std::uint8_t> small(4 * 4 * 3, 50);
    const std::vector<std::uint8_t> large(16 * 8 * 3, 90);
    uploadTexture(name, small.data(), 4, 4);
    const GLuint first = name;
    GLuint other = 0;
    uploadTexture(other, small.data(), 4, 4); // keeps a name taken, so reuse is visible
    uploadTexture(name, large.data(), 16, 8);
    ASSERT_NE(name, 0u);
    // The old texture is gone: either its name was freed and handed out again, or it is unused.
    EXPECT_TRUE(name == first || !glIsTexture(first));
    EXPECT_TRUE(glIsTexture(other));
    glBindTexture(GL_TEXTURE_2D, name);
    EXPECT_EQ(levelWidth(0), 16);
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(boundTexture(), 0);
    glDeleteTextures(1, &other);
}

TEST_F(TerrainTextureTest, NoPicturesAreRefusedWithoutTouchingTheOldTexture) {
    const std::vector<std::uint8_t> pixels(4 * 4 * 3, 50);
    uploadTexture(name, pixels.data(), 4, 4);
    const GLuint before = name;
    const char* message = nullptr;
    try {
        uploadTexture(name, nullptr, 4, 4);
    } catch (const char* thrown) {
        message = thrown;
    }
    ASSERT_NE(message, nullptr);
    EXPECT_STREQ(message, "uploadTexture(): no picture to upload");
    EXPECT_THROW(uploadTexture(name, pixels.data(), 0, 4), const char*);
    EXPECT_THROW(uploadTexture(name, pixels.data(), 4, -1), const char*);
    EXPECT_EQ(name, before);
    EXPECT_TRUE(glIsTexture(name));
}

TEST_F(TerrainTextureTest, TerrainTextureComesFromTheDataFolderTwoLevelsUp) {
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath("data"));
    ASSERT_TRUE(QDir(root.path()).mkpath("build/bin"));
    struct RestoreFolder {
        QString path = QDir::currentPath();
        ~RestoreFolder() { QDir::setCurrent(path); }
    } restore;
    ASSERT_TRUE(QDir::setCurrent(root.filePath("build/bin")));

    // Missing file: the load error passes through and the caller's texture stays.
    const std::vector<std::uint8_t> pixels(4 * 4 * 3, 50);
    uploadTexture(name, pixels.data(), 4, 4);
    const GLuint before = name;
    int code = 0;
    try {
        loadTerrainTexture(name);
    } catch (int thrown) {
        code = thrown;
    }
    EXPECT_EQ(code, -1);
    EXPECT_EQ(Bitmap::lastError(), "../../data/valleyTex.bmp: cannot open file");
    EXPECT_EQ(name, before);
    EXPECT_TRUE(glIsTexture(name));

    QImage picture(8, 4, QImage::Format_RGB32); // Qt writes this as a 24-bit BMP
    picture.fill(QColor(30, 60, 90));
    ASSERT_TRUE(picture.save(root.filePath("data/valleyTex.bmp"), "BMP"));
    loadTerrainTexture(name);
    EXPECT_TRUE(glIsTexture(name));
    glBindTexture(GL_TEXTURE_2D, name);
    EXPECT_EQ(levelWidth(0), 8);
    std::vector<std::uint8_t> back(8 * 4 * 3, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, back.data());
    EXPECT_EQ(back[0], 30);
    EXPECT_EQ(back[1], 60);
    EXPECT_EQ(back[2], 90);
    glBindTexture(GL_TEXTURE_2D, 0);
}
