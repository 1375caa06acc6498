// The models' GLU quadric, made once for each model and freed with it.
#include "game/world/ModelQuadric.h"

#include <GL/glu.h>

ModelQuadric::ModelQuadric() : quadric(gluNewQuadric()) {
    if (quadric) {
        gluQuadricDrawStyle(quadric, GLU_FILL);
        gluQuadricNormals(quadric, GLU_SMOOTH);
        gluQuadricTexture(quadric, GL_TRUE);
    }
}

ModelQuadric::~ModelQuadric() {
    release();
}

void ModelQuadric::sphere(double radius, int slices, int stacks) const {
    if (quadric)
        gluSphere(quadric, radius, slices, stacks);
}

void ModelQuadric::release() {
    if (quadric)
        gluDeleteQuadric(quadric);
    quadric = nullptr;
}
