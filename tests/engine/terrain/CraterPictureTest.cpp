// A crater records only the blocks it touches again; the frames after it must not tell: every
// picture equals, pixel for pixel, the one drawn after recording every list. Frames are whole
// renderer frames (lit, textured, fogged, outlined) of a 32 × 16 unit valley in 16 blocks, seen
// from above at a slant.
#include "engine/render/VORN_Light.h"
#include "engine/render/VORN_Renderer.h"
#include "engine/render/VORN_Viewport.h"
#include "engine/scene/VORN_Material.h"
#include "engine/scene/VORN_Scene.h"
#include "tests/engine/terrain/TerrainTestSupport.h"
#include "tests/support/GLTest.h"

#include <GL/glu.h>
#include <cmath>
#include <memory>

using namespace VORN_LIB;
using namespace terrain_test;

namespace {

class CraterPictureTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        renderer.initialize();
        glClearColor(0, 0, 0.2f, 1);

        // Rolling hills over 129 × 65 points: one quadtree level, 4 × 4 blocks whose borders lie
        // at x = -8, 0, 8 and z = -4, 0, 4.
        land = makeLandscape(129, 65, 32, 16, 3, [](int r, int c) {
            const double h =
                0.5 + 0.3 * std::sin(c * 0.11) * std::cos(r * 0.17) + 0.1 * ((r + c) % 3);
            return static_cast<unsigned char>(std::lround(std::min(1.0, h) * 255));
        });
        EXPECT_EQ(shellsOf(*land).size(), 16u);

        // A checker texture, so that a block recorded with wrong texture coordinates would show.
        unsigned char texels[8 * 8 * 3];
        for (int i = 0; i < 64; ++i) {
            const unsigned char v = ((i % 8) + (i / 8)) % 2 ? 255 : 120;
            texels[3 * i] = v;
            texels[3 * i + 1] = 200;
            texels[3 * i + 2] = 255 - v;
        }
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 8, 8, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
        glBindTexture(GL_TEXTURE_2D, 0);
        land->texture = &texture;

        material = std::make_unique<VORN_Material>(floatColor(0.7f, 0.5f, 0.3f, 1),
                                                   floatColor(0.7f, 0.5f, 0.3f, 1),
                                                   floatColor(0, 0, 0, 1), 0);
        land->material = material.get();

        const float ambient[4] = {0.2f, 0.2f, 0.2f, 1};
        const float diffuse[4] = {1, 1, 1, 1};
        const float slanted[4] = {0.4f, 1, 0.3f, 0};
        light = std::make_unique<VORN_Light>(VORN_Vector(0, 0, 0), VORN_Vector(0, 0, 0),
                                             VORN_Vector(1, 1, 1), VORN_Color(1, 1, 1, 1), ambient,
                                             diffuse, diffuse, slanted);
        light->toggle();

        scene.lighting = true;
        scene.children.append(light.get());
        scene.children.append(land.get());

        viewport = std::make_unique<VORN_Viewport>(&scene);
        viewport->setView(VORN_Vector(0, 0, 0), 20, -55, -38);
        viewport->fieldOfView = 45;
        viewport->toggleOutlines();
        viewport->toggleTexturing();
        viewport->toggleFog();
        const float fogColor[4] = {0, 0, 0.2f, 0.5f};
        std::copy(fogColor, fogColor + 4, viewport->fogColor);
        viewport->fogDensity = 0.01f;
        renderer.addViewport(viewport.get());
        renderer.resize(256, 256);
    }

    void TearDown() override {
        scene.children.clear();
        viewport.reset();
        land.reset();
        glDeleteTextures(1, &texture);
        GLTest::TearDown();
    }

    QImage frame() {
        renderer.render();
        return grabBuffer();
    }

    VORN_Renderer renderer;
    VORN_Scene scene;
    std::unique_ptr<VORN_Landscape> land;
    std::unique_ptr<VORN_Material> material;
    std::unique_ptr<VORN_Light> light;
    std::unique_ptr<VORN_Viewport> viewport;
    GLuint texture = 0;
};

TEST_F(CraterPictureTest, FramesAfterCratersEqualFramesAfterAFullRecord) {
    // World points (y = 0; the height plays no part): where four blocks meet, on the border of
    // two, on a plain block, over the corner of the grid, and over the rim of an earlier crater,
    // whose ring of points kept its former normals.
    const VORN_Vector places[] = {VORN_Vector(0, 0, 0),      VORN_Vector(-8, 0, 1.5),
                                  VORN_Vector(4.2, 0, -6.1), VORN_Vector(15.6, 0, 7.7),
                                  VORN_Vector(2.5, 0, 0.4),  VORN_Vector(8, 0, 4)};
    QImage before = frame();
    for (const VORN_Vector& place : places) {
        SCOPED_TRACE(testing::Message() << "crater at " << place.x() << ", " << place.z());
        land->createCrater(place, 3.0);
        const QImage afterCrater = frame();
        EXPECT_NE(afterCrater, before) << "the crater must show in the picture";

        land->compile(); // every list recorded again from the same grid
        const QImage afterFullRecord = frame();
        ASSERT_EQ(afterCrater.size(), afterFullRecord.size());
        EXPECT_TRUE(afterCrater == afterFullRecord);
        before = afterFullRecord;
    }
}

TEST_F(CraterPictureTest, WholeGridListDrawsWhatTheBlocksDraw) {
    land->createCrater(VORN_Vector(0, 0, 0), 3.0);
    land->createCrater(VORN_Vector(-8, 0, 4), 3.0);

    // The terrain alone, lit, without culling: through the blocks, then through the whole-grid
    // list that is drawn when there is no quadtree.
    const auto picture = [&] {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(45, 1, 0.1, 100);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glTranslated(0, 0, -30);
        glRotated(55, 1, 0, 0);
        glEnable(GL_LIGHTING);
        light->render(0, nullptr);
        land->render(0, nullptr);
        glDisable(GL_LIGHTING);
        return grabBuffer();
    };
    const QImage blocks = picture();
    land->quadTreeBuilt = false;
    const QImage whole = picture();
    land->quadTreeBuilt = true;
    EXPECT_NE(blocks.pixelColor(128, 128), QColor(0, 0, 51)) << "the valley fills the middle";
    EXPECT_TRUE(blocks == whole);
}

} // namespace
