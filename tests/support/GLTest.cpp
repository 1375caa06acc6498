// Shared GL widget for the tests; the GL state is reset to the defaults the tests expect.
#include "tests/support/GLTest.h"

#include "engine/scene/VORN_Clock.h"

#include <GL/gl.h>

namespace {
QGLWidget* testWidget = nullptr;
}

QGLWidget* GLTest::widget() {
    if (!testWidget) {
        QGLFormat format;
        format.setDoubleBuffer(true);
        format.setDepth(true);
        testWidget = new QGLWidget(format);
        testWidget->setAttribute(Qt::WA_DontShowOnScreen);
        testWidget->resize(256, 256);
        testWidget->show();
    }
    return testWidget;
}

void GLTest::SetUp() {
    widget()->makeCurrent();
    glViewport(0, 0, 256, 256);
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
