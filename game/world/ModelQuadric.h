// The GLU quadric a model draws its spheres with: filled, smooth normals, texture coordinates on.
// Each model owns one; without one (GLU could not make it, or it was let go) the model draws no
// spheres and keeps the rest of its shape.
#pragma once

class GLUquadric; // GLU's own; its header stays out of the models' headers

class ModelQuadric {
public:
    ModelQuadric();
    ~ModelQuadric();
    ModelQuadric(const ModelQuadric&) = delete;
    ModelQuadric& operator=(const ModelQuadric&) = delete;

    bool made() const { return quadric != nullptr; }
    // A sphere round the current origin; nothing without a quadric.
    void sphere(double radius, int slices, int stacks) const;
    // Lets the quadric go now: from then on no sphere is drawn.
    void release();

private:
    GLUquadric* quadric = nullptr;
};
