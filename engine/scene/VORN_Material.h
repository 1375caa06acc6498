// Front-face OpenGL material (ambient, diffuse, specular, shininess and the light it gives off
// itself), optionally recorded into a display list of its own.
#pragma once

#include "engine/math/Vector.h"

#include <GL/gl.h>

namespace VORN_LIB {

class VORN_Material {
public:
    // Without a current context no GL call is made; with one, the first material also records
    // the shared reset list and runs it once.
    VORN_Material(const Vector<float, 4>& ambient, const Vector<float, 4>& diffuse,
                  const Vector<float, 4>& specular, float shininess);
    ~VORN_Material(); // deletes listName when non-zero, so needs no context when never compiled
    VORN_Material(const VORN_Material&) = delete;
    VORN_Material& operator=(const VORN_Material&) = delete;

    void apply(); // the list call when compiled, else the five glMaterial calls
    // Records the five calls into listName (and the reset list, if no material has yet), then
    // resets the current material.
    void compile();

    // Front material back to the default: black colours, no light of its own, shininess 0.
    static void resetMaterial();
    // Name of the shared reset list; 0 until a material has been built with a current context or
    // compiled.
    static GLuint resetListName();

    Vector<float, 4> ambient;
    Vector<float, 4> diffuse;
    Vector<float, 4> specular;
    float shininess;
    Vector<float, 4> emission = floatColor(0, 0, 0, 1); // none unless set
    GLuint listName = 0;                                // 0 = not compiled
};

} // namespace VORN_LIB
