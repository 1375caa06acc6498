// Test fixture with a real OpenGL context: one hidden QGLWidget per test process, made current
// before every test. Runs under Xvfb with Mesa's software renderer; nothing is mocked.
#pragma once

#include <QGLWidget>
#include <QImage>
#include <gtest/gtest.h>

class GLTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The process-wide test widget (created on first use, 256 × 256 pixels).
    static QGLWidget* widget();

    // Reads the current back buffer as an image (top row first).
    static QImage grabBuffer();

    // Reads the current model-view or projection matrix, column-major.
    static void modelView(double m[16]);
};
