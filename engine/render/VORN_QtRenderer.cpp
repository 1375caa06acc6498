// Qt widget glue of the renderer.
#include "engine/render/VORN_QtRenderer.h"

#include <QKeyEvent>
#include <QOpenGLContext>
#include <QShowEvent>
#include <QSurfaceFormat>

namespace VORN_LIB {

VORN_QtRenderer::VORN_QtRenderer() : VORN_Renderer(), QOpenGLWidget(nullptr, Qt::WindowFlags()) {
    QSurfaceFormat wanted = format();
    wanted.setDepthBufferSize(24);
    wanted.setStencilBufferSize(8); // the overlay's rounded panels clip by the stencil
    wanted.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    setFormat(wanted);
    setAttribute(Qt::WA_NoSystemBackground, true);
    // The widget makes its GL context when it is first shown; the world of the window that
    // derives from this one is built with display lists and textures in its constructor. The
    // native window is made now and told it is shown, which makes the context and the frame
    // buffer (Qt's own first showing later keeps them).
    create();
    QShowEvent shown;
    QOpenGLWidget::event(&shown);
    makeCurrent();
}

VORN_QtRenderer::~VORN_QtRenderer() = default;

bool VORN_QtRenderer::doubleBuffered() const {
    const QOpenGLContext* gl = context();
    return gl && gl->isValid() && gl->format().swapBehavior() != QSurfaceFormat::SingleBuffer;
}

void VORN_QtRenderer::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();
}

void VORN_QtRenderer::initializeGL() {
    initialize();
}

void VORN_QtRenderer::resizeGL(int width, int height) {
    VORN_Renderer::resize(width, height);
}

void VORN_QtRenderer::paintGL() {
    VORN_Renderer::render();
}

} // namespace VORN_LIB
