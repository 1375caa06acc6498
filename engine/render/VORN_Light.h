// A scene object owning one fixed-function GL light. The position is homogeneous in the object's
// own frame (w = 1 positional, w = 0 directional) and is re-sent whenever the object is painted,
// so the light moves and turns with the object's transform.
#pragma once

#include "engine/scene/VORN_Object.h"

namespace VORN_LIB {

class VORN_Light : public VORN_Object {
    Q_OBJECT

public:
    // Takes the next GL light name (GL_LIGHT0 + lights created so far) and is created switched
    // off. Throws once the implementation's GL_MAX_LIGHTS names are used up.
    VORN_Light(const VORN_Vector& position, const VORN_Vector& rotation, const VORN_Vector& scale,
               const VORN_Color& color, const float ambient[4], const float diffuse[4],
               const float specular[4], const float lightPosition[4]);
    ~VORN_Light() override; // switches the GL light off; its name is not given back

    // Each setter keeps a copy and sends it to OpenGL at once.
    void setColors(const float* ambient, const float* diffuse, const float* specular);
    void setLightPosition(const float* position);  // 4 floats, object frame
    void setSpotDirection(const float* direction); // 3 floats, object frame
    void setSpot(float exponent, float cutoff);    // cutoff 180 = no spot
    void setAttenuation(float constant, float linear, float quadratic);
    void toggle(); // on ↔ off, with glEnable/glDisable of the light

    // When on, re-sends position and spot direction under the current model-view matrix first.
    void paint(bool geometryOnly, const VORN_OcclusionCone* cone) override;

    float ambient[4] = {0, 0, 0, 0};
    float diffuse[4] = {0, 0, 0, 0};
    float specular[4] = {0, 0, 0, 0};
    float lightPosition[4] = {0, 0, 0, 0};
    float spotDirection[3] = {0, 0, -1};
    float spotExponent = 0;
    float spotCutoff = 180;
    float attenuation[3] = {1, 0, 0}; // constant, linear, quadratic
    GLenum lightId = GL_LIGHT0;
    bool enabled = false;

    // Lights created so far in this process; never decreased, so names are never reused.
    static int lightCount;
};

} // namespace VORN_LIB
