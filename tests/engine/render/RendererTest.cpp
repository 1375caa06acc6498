// The renderer's fixed GL state and an empty frame, on a real GL context.
#include "engine/render/VORN_Renderer.h"
#include "tests/support/GLTest.h"

#include <GL/gl.h>

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
