// Base of everything placed and drawn: a local transform (scale, rotations in degrees about x, y,
// z, translation inside the rotated frame), a surface state, children drawn in its frame, two
// display lists, and a cached world transform. The world transform is worked out on the
// processor in double precision, so placing, moving and colliding need no GL context; only
// drawing and recording lists do.
#pragma once

#include "engine/math/VORN_Color.h"
#include "engine/math/VORN_Matrix.h"
#include "engine/math/VORN_Matrix4.h"
#include "engine/math/VORN_Vector.h"

#include <GL/gl.h>
#include <QList>
#include <QObject>

namespace VORN_LIB {

class VORN_Material;
class VORN_OcclusionCone;

class VORN_Object : public QObject {
    Q_OBJECT

public:
    VORN_Object(const VORN_Vector& position, const VORN_Vector& rotation, const VORN_Vector& scale,
                const VORN_Color& color);
    // Deletes its lists (unless shared), empties children, emits deleted() when observed.
    ~VORN_Object() override;

    virtual void compile(); // fresh displayList/geometryList pair; throws when none can be made
    // Leaves the lists to the first paint(), which records them with its context current (or,
    // when no list can be had or a list is being recorded, draws directly). Needs no context:
    // figures are built by the rules, before any window shows them.
    void compileAtFirstPaint();
    virtual void paint(bool geometryOnly, const VORN_OcclusionCone* cone);
    virtual void draw(const VORN_OcclusionCone* cone); // own geometry in model space; empty here

    void setPosition(double x, double y, double z);
    void setWorldPosition(double x, double y, double z);
    void setWorldPosition(const VORN_Vector& world);
    void setRotation(double x, double y, double z); // degrees; position is not re-expressed
    void setColor(double r, double g, double b, double a);

    void applyTransform(bool withParents); // multiplies S·Rx·Ry·Rz·T onto the current GL matrix
    VORN_Matrix4 localMatrix() const; // S·Rx·Ry·Rz·T, the matrix applyTransform(false) applies
    // Refreshes worldMatrix, worldPosition and worldOrientation without GL. From the root: the
    // parent chain's local matrices, root first, then the own one. Otherwise on top of the
    // parent's cached world matrix (the identity without a parent). Tracked children follow, each
    // on top of this object's new world matrix.
    void updateTransform(bool fromRoot);
    void trackChildren(signed char delta);
    // 0 all, 1 queue transparent, 2 geometry. With a cone, during a viewport's frame that culls
    // exactly, an object whose boundingRadius sphere lies outside the view's frustum is not drawn
    // (nor queued); its children are still visited.
    void render(char mode, const VORN_OcclusionCone* cone);

    QList<VORN_Object*> children; // drawn in this frame; not owned
    GLuint displayList = 0;       // surface state + geometryList; 0 = not compiled
    GLuint geometryList = 0;      // what draw() emits; displayList + 1
    VORN_Vector position;
    VORN_Vector rotation;
    VORN_Vector scale;
    VORN_Color color;
    VORN_Material* material = nullptr; // not owned
    GLuint* texture = nullptr;         // not owned; null unbinds, a pointer to 0 leaves the binding
    bool transparent = false;
    bool outlined = true; // drawn in the geometry pass (mode 2), the outline pass of a viewport
    double radius = 0;
    // Sphere about the local origin holding everything draw() emits, for the exact view test; 0
    // means not known: the object is never skipped by that test.
    double boundingRadius = 0;
    bool sharedLists = false;
    bool observed = false;
    signed char trackedChildren = 0;
    VORN_Object* parent = nullptr; // world-cache hierarchy, independent of children
    bool compilePending = false;   // compileAtFirstPaint() asked for lists not yet recorded
    VORN_Matrix4 worldMatrix;      // what applyTransform(true) gives on an identity matrix
    VORN_Matrix worldOrientation;  // worldMatrix's upper 3 × 3, row k the image of local axis k
    VORN_Vector worldPosition;     // worldMatrix's translation

signals:
    void positionUpdate(VORN_LIB::VORN_Vector pos);
    void deleted();
    void collisionDetected();

protected:
    void applySurfaceState();

private:
    void multiplyLocal(VORN_Matrix4& m) const; // m = m · S·Rx·Ry·Rz·T
    void updateTransformOn(const VORN_Matrix4& base);
    // Records the lists compileAtFirstPaint() asked for, unless a list is being recorded now.
    void compileIfPending();
    // Whether the view's frustum shows that nothing of this object reaches the picture.
    bool outsideView(const VORN_OcclusionCone* cone) const;
};

} // namespace VORN_LIB
