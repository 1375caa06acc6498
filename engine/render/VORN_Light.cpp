// Fixed-function GL lights as scene objects; every parameter change reaches OpenGL at once.
#include "engine/render/VORN_Light.h"

#include <algorithm>

namespace VORN_LIB {

int VORN_Light::lightCount = 0;

namespace {
// Copies n floats unless source and target are the same array.
void copyFloats(float* target, const float* source, int n) {
    if (target != source)
        std::copy(source, source + n, target);
}
} // namespace

VORN_Light::VORN_Light(const VORN_Vector& position, const VORN_Vector& rotation,
                       const VORN_Vector& scale, const VORN_Color& color, const float ambient[4],
                       const float diffuse[4], const float specular[4],
                       const float lightPosition[4])
    : VORN_Object(position, rotation, scale, color) {
    lightId = GL_LIGHT0 + lightCount;
    lightCount += 1;
    GLint maxLights = 8;
    glGetIntegerv(GL_MAX_LIGHTS, &maxLights);
    if (lightCount > maxLights)
        throw "VORN_Light::VORN_Light(): no lights can be created";

    setColors(ambient, diffuse, specular);
    setLightPosition(lightPosition);
    const float down[3] = {0, 0, -1};
    setSpotDirection(down);
    spotExponent = 0;
    spotCutoff = 180;
    glLightf(lightId, GL_SPOT_EXPONENT, spotExponent);
    glLightf(lightId, GL_SPOT_CUTOFF, spotCutoff);
    setAttenuation(1, 0, 0);
}

VORN_Light::~VORN_Light() {
    glDisable(lightId);
}

void VORN_Light::setColors(const float* ambient, const float* diffuse, const float* specular) {
    copyFloats(this->ambient, ambient, 4);
    copyFloats(this->diffuse, diffuse, 4);
    copyFloats(this->specular, specular, 4);
    glLightfv(lightId, GL_AMBIENT, this->ambient);
    glLightfv(lightId, GL_DIFFUSE, this->diffuse);
    glLightfv(lightId, GL_SPECULAR, this->specular);
}

void VORN_Light::setLightPosition(const float* position) {
    copyFloats(lightPosition, position, 4);
    glLightfv(lightId, GL_POSITION, lightPosition);
}

void VORN_Light::setSpotDirection(const float* direction) {
    copyFloats(spotDirection, direction, 3);
    glLightfv(lightId, GL_SPOT_DIRECTION, spotDirection);
}

void VORN_Light::setSpot(float exponent, float cutoff) {
    spotExponent = exponent;
    spotCutoff = cutoff;
    glLightf(lightId, GL_SPOT_EXPONENT, spotExponent);
    glLightf(lightId, GL_SPOT_CUTOFF, spotCutoff);
}

void VORN_Light::setAttenuation(float constant, float linear, float quadratic) {
    attenuation[0] = constant;
    attenuation[1] = linear;
    attenuation[2] = quadratic;
    glLightf(lightId, GL_CONSTANT_ATTENUATION, attenuation[0]);
    glLightf(lightId, GL_LINEAR_ATTENUATION, attenuation[1]);
    glLightf(lightId, GL_QUADRATIC_ATTENUATION, attenuation[2]);
}

void VORN_Light::toggle() {
    if (enabled) {
        enabled = false;
        glDisable(lightId);
    } else {
        enabled = true;
        glEnable(lightId);
    }
}

void VORN_Light::paint(bool geometryOnly, const VORN_OcclusionCone* cone) {
    if (enabled) {
        // The model-view matrix holds the object's transform now: GL stores eye coordinates.
        glLightfv(lightId, GL_POSITION, lightPosition);
        glLightfv(lightId, GL_SPOT_DIRECTION, spotDirection);
    }
    VORN_Object::paint(geometryOnly, cone);
}

} // namespace VORN_LIB
