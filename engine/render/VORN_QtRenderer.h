// The renderer bound to a Qt OpenGL widget: Qt's GL callbacks call the renderer, Escape closes.
// The widget draws into its frame buffer, which Qt puts on the window; its GL context is made at
// construction and is current when a subclass constructor body runs.
#pragma once

#include "engine/render/VORN_Renderer.h"

#include <QOpenGLWidget>

namespace VORN_LIB {

class VORN_QtRenderer : public VORN_Renderer, public QOpenGLWidget {
public:
    VORN_QtRenderer();
    ~VORN_QtRenderer() override;

    // Whether the widget has a GL context and its frames reach the window whole (double-buffered).
    bool doubleBuffered() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;
};

} // namespace VORN_LIB
