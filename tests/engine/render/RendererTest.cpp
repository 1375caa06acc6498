// The renderer on a real GL context: its fixed state, an empty frame and the viewports it drives.
#include "engine/render/VORN_Renderer.h"
#include "engine/render/VORN_Viewport.h"
#include "engine/scene/VORN_Scene.h"
#include "tests/support/GLTest.h"

#include <GL/gl.h>
#include <vector>

using namespace VORN_LIB;

using RendererTest = GLTest;

TEST_F(RendererTest, InitializeSetsTheFixedState) {
    VORN_Renderer renderer;
    renderer.initialize();
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_TRUE(glIsEnabled(GL_NORMALIZE));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    GLint value = 0;
    glGetIntegerv(GL_SHADE_MODEL, &value);
    EXPECT_EQ(value, GL_SMOOTH);
    glGetIntegerv(GL_LIGHT_MODEL_LOCAL_VIEWER, &value);
    EXPECT_EQ(value, 1);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &value);
    EXPECT_EQ(value, GL_MODULATE);
    glGetIntegerv(GL_BLEND_SRC, &value);
    EXPECT_EQ(value, GL_SRC_ALPHA);
    glGetIntegerv(GL_BLEND_DST, &value);
    EXPECT_EQ(value, GL_ONE_MINUS_SRC_ALPHA);
    glGetIntegerv(GL_CULL_FACE_MODE, &value);
    EXPECT_EQ(value, GL_BACK);
    GLint modes[2] = {0, 0};
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], GL_FILL);
    EXPECT_EQ(modes[1], GL_LINE);
    glGetIntegerv(GL_PERSPECTIVE_CORRECTION_HINT, &value);
    EXPECT_EQ(value, GL_FASTEST);
    glGetIntegerv(GL_LINE_SMOOTH_HINT, &value);
    EXPECT_EQ(value, GL_FASTEST);
    GLdouble color[4];
    glGetDoublev(GL_CURRENT_COLOR, color);
    EXPECT_DOUBLE_EQ(color[0], 1);
    EXPECT_DOUBLE_EQ(color[3], 1);
}

TEST_F(RendererTest, EmptyFrameClearsColourAndDepth) {
    VORN_Renderer renderer;
    renderer.initialize();
    glClearColor(0, 0, 0.2f, 1);
    glClearDepth(1.0);
    // Dirty the buffers first, so the clear has something to undo.
    glDisable(GL_DEPTH_TEST);
    glColor3f(1, 0, 0);
    glBegin(GL_QUADS);
    glVertex3f(-1, -1, 0.5f);
    glVertex3f(1, -1, 0.5f);
    glVertex3f(1, 1, 0.5f);
    glVertex3f(-1, 1, 0.5f);
    glEnd();
    renderer.render();
    EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
    const QImage frame = grabBuffer();
    EXPECT_EQ(frame.pixelColor(128, 128), QColor(0, 0, 51));
    EXPECT_EQ(frame.pixelColor(0, 0), QColor(0, 0, 51));
    float depth = 0;
    glReadPixels(128, 128, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_FLOAT_EQ(depth, 1.0f);
}

// --- Driving viewports ---------------------------------------------------------------------------

namespace {

// Fills its whole viewport with its colour, over whatever is there, and notes when it was drawn.
class Backdrop : public VORN_Object {
public:
    Backdrop(const VORN_Color& color, std::vector<const Backdrop*>& log)
        : VORN_Object(VORN_Vector(0, 0, 0), VORN_Vector(0, 0, 0), VORN_Vector(1, 1, 1), color),
          log(log) {}
    void draw(const VORN_OcclusionCone*) override {
        log.push_back(this);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        glDisable(GL_DEPTH_TEST);
        glRectd(-1, -1, 1, 1);
        glEnable(GL_DEPTH_TEST);
        glPopMatrix();
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
    }
    std::vector<const Backdrop*>& log;
};

} // namespace

TEST_F(RendererTest, ResizeHandsTheSurfaceToEveryViewport) {
    VORN_Renderer renderer;
    VORN_Viewport whole(nullptr);
    VORN_Viewport corner(nullptr);
    corner.setRelativeRect(0.5, 0.5, 0.5, 0.5);
    VORN_Viewport strip(nullptr);
    strip.setRelativeRect(0, 0, 1.0 / 3.0, 0.25);
    renderer.addViewport(&whole);
    renderer.addViewport(&corner);
    renderer.addViewport(&strip);

    renderer.resize(801, 601);
    EXPECT_EQ(whole.width, 801);
    EXPECT_EQ(whole.height, 601);
    EXPECT_EQ(corner.x, 400);
    EXPECT_EQ(corner.y, 300);
    EXPECT_EQ(corner.width, 400);
    EXPECT_EQ(corner.height, 300);
    EXPECT_EQ(strip.width, 267);
    EXPECT_EQ(strip.height, 150);
    for (const VORN_Viewport* v : renderer.viewports) {
        EXPECT_EQ(v->surfaceWidth, 801);
        EXPECT_EQ(v->surfaceHeight, 601);
    }
}

TEST_F(RendererTest, ViewportsDrawInTheOrderAddedEachInsideItsRectangle) {
    std::vector<const Backdrop*> log;
    VORN_Scene redScene;
    Backdrop red(VORN_Color(1, 0, 0, 1), log);
    redScene.children.append(&red);
    VORN_Scene greenScene;
    Backdrop green(VORN_Color(0, 1, 0, 1), log);
    greenScene.children.append(&green);

    VORN_Renderer renderer;
    renderer.initialize();
    glClearColor(0, 0, 1, 1);
    VORN_Viewport left(&redScene); // left three quarters
    left.setRelativeRect(0, 0, 0.75, 1);
    VORN_Viewport right(&greenScene); // right half, over part of the left one
    right.setRelativeRect(0.5, 0, 0.5, 0.5);
    renderer.addViewport(&left);
    renderer.addViewport(&right);
    renderer.resize(256, 256);
    renderer.render();
    EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));

    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], &red);
    EXPECT_EQ(log[1], &green);

    // grabBuffer reads the last viewport's rectangle: read the whole surface instead.
    glViewport(0, 0, 256, 256);
    const QImage frame = grabBuffer();
    EXPECT_EQ(frame.pixelColor(20, 20), QColor(255, 0, 0));   // top left: only the first
    EXPECT_EQ(frame.pixelColor(150, 200), QColor(0, 255, 0)); // overlap: the later one
    EXPECT_EQ(frame.pixelColor(220, 200), QColor(0, 255, 0)); // only the second
    EXPECT_EQ(frame.pixelColor(220, 20), QColor(0, 0, 255));  // neither: the clear colour
    redScene.children.clear();
    greenScene.children.clear();
}
