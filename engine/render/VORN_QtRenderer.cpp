// Qt widget glue of the renderer.
#include "engine/render/VORN_QtRenderer.h"

#include <QKeyEvent>

namespace VORN_LIB {

VORN_QtRenderer::VORN_QtRenderer()
    : VORN_Renderer(), QGLWidget(nullptr, nullptr, Qt::WindowFlags()) {
    makeCurrent();
    setAttribute(Qt::WA_NoSystemBackground, true);
}

VORN_QtRenderer::~VORN_QtRenderer() = default;

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
