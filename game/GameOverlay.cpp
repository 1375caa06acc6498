// The frame: the 3-D picture through the renderer, then the 2-D overlay.
#include "game/Game.h"

#include <QPainter>

void Game::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.beginNativePainting();
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();

    initializeGL();
    resizeGL(width(), height());
    glClearColor(0, 0, 0.2f, 1);
    paintGL();

    glPopAttrib();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glDisable(GL_LIGHTING);
    painter.endNativePainting();
    painter.end();
}
