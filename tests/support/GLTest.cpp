// Shared GL context for the tests; the GL state is reset to the defaults the tests expect.
#include "tests/support/GLTest.h"

#include "engine/scene/VORN_Clock.h"

#include <GL/gl.h>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QSurfaceFormat>
#include <cstdio>
#include <cstdlib>

namespace {
QOffscreenSurface* testSurface = nullptr;
QOpenGLContext* testContext = nullptr;
QOpenGLFramebufferObject* testBuffer = nullptr;
const int side = 256;
} // namespace

QOpenGLContext* GLTest::context() {
    if (!testContext) {
        QSurfaceFormat format;
        format.setDepthBufferSize(24);
        format.setStencilBufferSize(8);
        testContext = new QOpenGLContext();
        testContext->setFormat(format);
        if (!testContext->create()) {
            std::fprintf(stderr, "GLTest: no OpenGL context\n");
            std::abort();
        }
        testSurface = new QOffscreenSurface();
        testSurface->setFormat(testContext->format());
        testSurface->create();
        if (!testContext->makeCurrent(testSurface)) {
            std::fprintf(stderr, "GLTest: the OpenGL context cannot be made current\n");
            std::abort();
        }
        testBuffer = new QOpenGLFramebufferObject(side, side,
                                                  QOpenGLFramebufferObject::CombinedDepthStencil);
        if (!testBuffer->isValid()) {
            std::fprintf(stderr, "GLTest: no frame buffer object\n");
            std::abort();
        }
    }
    return testContext;
}

void GLTest::makeCurrent() {
    context()->makeCurrent(testSurface);
    testBuffer->bind();
}

void GLTest::release() {
    if (testContext) {
        testContext->makeCurrent(testSurface);
        delete testBuffer;
        testBuffer = nullptr;
        testContext->doneCurrent();
        delete testContext;
        testContext = nullptr;
        delete testSurface;
        testSurface = nullptr;
    }
    if (QOpenGLContext* current = QOpenGLContext::currentContext())
        current->doneCurrent();
}

void GLTest::SetUp() {
    makeCurrent();
    glViewport(0, 0, side, side);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void GLTest::TearDown() {
    VORN_LIB::VORN_Clock::useReal();
}

QImage GLTest::grabBuffer() {
    GLint vp[4];
    glGetIntegerv(GL_VIEWPORT, vp);
    QImage image(vp[2], vp[3], QImage::Format_RGBA8888);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(vp[0], vp[1], vp[2], vp[3], GL_RGBA, GL_UNSIGNED_BYTE, image.bits());
    return image.mirrored();
}

void GLTest::modelView(double m[16]) {
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
}
