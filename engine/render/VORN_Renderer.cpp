// The renderer's fixed GL state and frame loop.
#include "engine/render/VORN_Renderer.h"

#include "engine/render/VORN_Viewport.h"

#include <GL/gl.h>

namespace VORN_LIB {

VORN_Renderer::~VORN_Renderer() {
    viewports.clear();
}

void VORN_Renderer::addViewport(VORN_Viewport* viewport) {
    viewports.push_back(viewport);
}

void VORN_Renderer::initialize() {
    glEnable(GL_DEPTH_TEST);
    glShadeModel(GL_SMOOTH);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA); // blending itself stays off
    glEnable(GL_CULL_FACE);                            // culls back faces
    glEnable(GL_NORMALIZE);
    glPolygonMode(GL_BACK, GL_LINE); // back faces as lines: the base of the outline pass
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);
    glHint(GL_LINE_SMOOTH_HINT, GL_FASTEST);
    glColor4d(1, 1, 1, 1);
}

void VORN_Renderer::resize(int width, int height) {
    for (VORN_Viewport* viewport : viewports)
        viewport->resize(width, height);
}

void VORN_Renderer::render() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST); // after the clear, so the clear covers the whole surface
    for (VORN_Viewport* viewport : viewports)
        viewport->render();
    glDisable(GL_SCISSOR_TEST);
}

} // namespace VORN_LIB
