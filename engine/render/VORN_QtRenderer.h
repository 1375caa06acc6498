// The renderer bound to a Qt OpenGL widget: Qt's GL callbacks call the renderer, Escape closes.
// The widget's GL context is current when a subclass constructor body runs.
#pragma once

#include "engine/render/VORN_Renderer.h"

#include <QGLWidget>

namespace VORN_LIB {

class VORN_QtRenderer : public VORN_Renderer, public QGLWidget {
public:
    VORN_QtRenderer();
    ~VORN_QtRenderer() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;
};

} // namespace VORN_LIB
