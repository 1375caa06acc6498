// Whole frames of a small lit scene, grabbed from the GL buffer: the object shows lit where it is,
// background elsewhere, black outlines at its silhouette; texture and fog change what they should.
// With TV_PICTURE_DIR set, the fogged and textured frame is also saved there as scene.png.
#include "engine/render/VORN_Flashlight.h"
#include "engine/render/VORN_Light.h"
#include "engine/render/VORN_Renderer.h"
#include "engine/render/VORN_Viewport.h"
#include "engine/scene/VORN_Material.h"
#include "engine/scene/VORN_Scene.h"
#include "tests/engine/render/TestObjects.h"
#include "tests/support/GLTest.h"

#include <GL/gl.h>
#include <QDir>
#include <algorithm>
#include <memory>

using namespace VORN_LIB;
using testobjects::Cube;

namespace {

const QColor background(25, 25, 76);

bool isBackground(const QColor& c) {
    return std::abs(c.red() - background.red()) <= 2 &&
           std::abs(c.green() - background.green()) <= 2 &&
           std::abs(c.blue() - background.blue()) <= 2;
}

int brightest(const QColor& c) {
    return std::max({c.red(), c.green(), c.blue()});
}

// A turned cube five units in front of the camera, lit by a light from behind the camera.
class PictureTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        renderer.initialize();
        glClearColor(background.redF(), background.greenF(), background.blueF(), 1);

        scene.lighting = true;
        const float ambient[4] = {0.2f, 0.2f, 0.2f, 1};
        const float diffuse[4] = {1, 1, 1, 1};
        const float towardsCamera[4] = {0.3f, 0.5f, 1, 0};
        light = std::make_unique<VORN_Light>(VORN_Vector(0, 0, 0), VORN_Vector(0, 0, 0),
                                             VORN_Vector(1, 1, 1), VORN_Color(1, 1, 1, 1), ambient,
                                             diffuse, diffuse, towardsCamera);
        light->toggle();
        scene.children.append(light.get());

        material = std::make_unique<VORN_Material>(floatColor(0.8f, 0.6f, 0.2f, 1),
                                                   floatColor(0.8f, 0.6f, 0.2f, 1),
                                                   floatColor(0.2f, 0.2f, 0.2f, 1), 10);
        material->compile();
        cube.material = material.get();
        cube.radius = 1.8;
        cube.setRotation(25, 35, 0);
        scene.children.append(&cube);

        viewport = std::make_unique<VORN_Viewport>(&scene);
        viewport->setView(VORN_Vector(0, 0, 0), 0, 0, -5);
        viewport->fieldOfView = 45;
        renderer.addViewport(viewport.get());
        renderer.resize(256, 256);
    }

    void TearDown() override {
        scene.children.clear();
        viewport.reset();
        GLTest::TearDown();
    }

    QImage frame() {
        renderer.render();
        return grabBuffer();
    }

    // The first pixels met on row y coming in from the left edge, up to n of them.
    static std::vector<QColor> edgeFromLeft(const QImage& image, int y, int n) {
        std::vector<QColor> edge;
        for (int x = 0; x < image.width() && int(edge.size()) < n; ++x)
            if (!edge.empty() || !isBackground(image.pixelColor(x, y)))
                edge.push_back(image.pixelColor(x, y));
        return edge;
    }

    VORN_Renderer renderer;
    VORN_Scene scene;
    std::unique_ptr<VORN_Light> light;
    std::unique_ptr<VORN_Material> material;
    Cube cube{1.0};
    std::unique_ptr<VORN_Viewport> viewport;
};

} // namespace

TEST_F(PictureTest, LitObjectWithBlackOutlineOverBackground) {
    cube.compile();
    viewport->toggleOutlines();
    const QImage image = frame();

    // Background in the corners, the lit cube in the middle.
    EXPECT_TRUE(isBackground(image.pixelColor(2, 2)));
    EXPECT_TRUE(isBackground(image.pixelColor(253, 253)));
    const QColor middle = image.pixelColor(128, 128);
    EXPECT_GT(middle.red(), 120);
    EXPECT_GT(middle.red(), middle.blue()) << "the material's orange, not grey";

    // The silhouette, coming in from the left: a black outline pixel before the lit surface,
    // darker than the background even where the smoothed line only partly covers it.
    const std::vector<QColor> edge = edgeFromLeft(image, 128, 8);
    ASSERT_EQ(edge.size(), 8u);
    const int darkest = brightest(
        *std::min_element(edge.begin(), edge.begin() + 3, [](const QColor& a, const QColor& b) {
            return brightest(a) < brightest(b);
        }));
    EXPECT_LT(darkest, brightest(background) / 2);
    EXPECT_GT(edge.back().red(), 60) << "lit surface behind the outline";

    // The outline is drawn by the outline pass: without it the silhouette goes straight from
    // background to lit surface.
    viewport->toggleOutlines();
    const std::vector<QColor> plain = edgeFromLeft(frame(), 128, 3);
    ASSERT_EQ(plain.size(), 3u);
    for (const QColor& c : plain)
        EXPECT_GT(brightest(c), 40);
}

TEST_F(PictureTest, SwitchingTheLightOffLeavesOnlyAmbientLight) {
    cube.compile();
    const int lit = frame().pixelColor(128, 128).red();
    light->toggle();
    const int dark = frame().pixelColor(128, 128).red();
    EXPECT_GT(lit, dark + 60);
    EXPECT_GT(dark, 0) << "the global ambient light still shows the cube";
}

TEST_F(PictureTest, CubeOutsideTheViewConeIsCulled) {
    cube.compile();
    cube.setRotation(0, 0, 0);
    cube.setPosition(0, 0, 10); // behind the eye at z = 5
    viewport->setView(VORN_Vector(0, 0, 0), 0, 0, -5);
    viewport->farPlane = 100;
    const QImage image = frame();
    for (int y = 0; y < 256; y += 16)
        for (int x = 0; x < 256; x += 16)
            ASSERT_TRUE(isBackground(image.pixelColor(x, y))) << x << "," << y;
}

TEST_F(PictureTest, TextureAndFogShowInTheFrame) {
    // A 2 × 2 checker of white and dark grey, repeated over each face.
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    const unsigned char texels[] = {255, 255, 255, 60, 60, 60, 60, 60, 60, 255, 255, 255};
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    cube.texture = &texture;
    cube.compile();

    VORN_Flashlight lamp(VORN_Vector(0, 0, 0), VORN_Vector(0, 0, 0), VORN_Vector(1, 1, 1),
                         VORN_Color(1, 1, 1, 1));
    lamp.size = 0.8;
    lamp.bodyRadius = 0.2;
    lamp.material = material.get();
    lamp.setRotation(0, 30, 0);
    lamp.setWorldPosition(1.6, 1.2, 1.0);
    lamp.compile();
    lamp.toggle();
    scene.children.append(&lamp);
    viewport->toggleOutlines();

    // Untextured, unfogged reference of one spot on the cube's front.
    viewport->texturing = false;
    const QImage plain = frame();
    // Textured: the checker splits the cube's surface into clearly different brightnesses.
    viewport->toggleTexturing();
    const QImage textured = frame();
    int darkest = 255, lightest = 0;
    for (int y = 110; y < 150; y += 2)
        for (int x = 110; x < 150; x += 2) {
            darkest = std::min(darkest, textured.pixelColor(x, y).red());
            lightest = std::max(lightest, textured.pixelColor(x, y).red());
        }
    EXPECT_GT(lightest - darkest, 60);
    EXPECT_LE(lightest, plain.pixelColor(128, 128).red() + 40);

    // Fog in the background colour pulls the cube towards it, the background stays as it was.
    viewport->toggleFog();
    viewport->fogColor[0] = background.redF();
    viewport->fogColor[1] = background.greenF();
    viewport->fogColor[2] = background.blueF();
    viewport->fogColor[3] = 1;
    viewport->fogDensity = 0.15f;
    const QImage fogged = frame();
    const QColor before = textured.pixelColor(128, 100);
    const QColor after = fogged.pixelColor(128, 100);
    const auto towardsFog = [](const QColor& c) {
        return std::abs(c.red() - background.red()) + std::abs(c.green() - background.green()) +
               std::abs(c.blue() - background.blue());
    };
    EXPECT_LT(towardsFog(after), towardsFog(before) * 0.8);
    EXPECT_GT(towardsFog(after), 20) << "the cube still shows through the fog";
    EXPECT_TRUE(isBackground(fogged.pixelColor(2, 2)));

    if (const char* dir = getenv("TV_PICTURE_DIR")) {
        QDir().mkpath(dir);
        EXPECT_TRUE(fogged.save(QDir(dir).filePath("scene.png")));
        EXPECT_TRUE(plain.save(QDir(dir).filePath("scene-plain.png")));
    }
    scene.children.removeAll(&lamp);
    glDeleteTextures(1, &texture);
}
