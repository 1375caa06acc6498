// Test fixture with a real OpenGL context: one hidden context per test process, drawing into a
// 256 × 256 frame buffer (colour, depth and stencil), made current before every test. Runs under
// Xvfb with Mesa's software renderer; nothing is mocked.
#pragma once

#include <QImage>
#include <gtest/gtest.h>

class QOpenGLContext;

class GLTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes the process-wide test context current (created on first use) with its 256 × 256
    // frame buffer bound.
    static void makeCurrent();
    static QOpenGLContext* context();

public:
    // Lets go of every GL context before the application ends: the test context and its buffer
    // are destroyed, and no context (a game window's neither) stays current. GL calls after this,
    // as destructors of static objects may make at exit, reach no context and do nothing; with a
    // context still current they would reach a driver whose X display is already closed.
    static void release();

    // Reads the current frame buffer as an image (top row first).
    static QImage grabBuffer();

    // Reads the current model-view or projection matrix, column-major.
    static void modelView(double m[16]);
};
