// The GLU quadric of the game's models: filled, smooth normals, texture coordinates on.
#pragma once

#include <GL/glu.h>

// A new quadric set up for the models, or null when GLU cannot make one. The caller owns it and
// releases it with gluDeleteQuadric.
inline GLUquadric* newModelQuadric() {
    GLUquadric* quadric = gluNewQuadric();
    if (quadric) {
        gluQuadricDrawStyle(quadric, GLU_FILL);
        gluQuadricNormals(quadric, GLU_SMOOTH);
        gluQuadricTexture(quadric, GL_TRUE);
    }
    return quadric;
}
