// Scene objects: local transform S·Rx·Ry·Rz·T (degrees), display lists, surface state, the culled
// render traversal and the world-transform cache, computed on the processor.
#include "engine/scene/VORN_Object.h"

#include "engine/scene/RenderQueueEntry.h"
#include "engine/scene/VORN_Frustum.h"
#include "engine/scene/VORN_Material.h"
#include "engine/scene/VORN_OcclusionCone.h"

#include <QVarLengthArray>

#include <algorithm>
#include <cmath>

namespace VORN_LIB {

namespace {

// Solves o^T · p = d for p, where the rows of o are the world images of the local axes. For a pure
// rotation this is o · d; the general solution also holds for scaled frames.
VORN_Vector localOffset(const VORN_Matrix& o, const VORN_Vector& d) {
    const VORN_Vector& a = o[0];
    const VORN_Vector& b = o[1];
    const VORN_Vector& c = o[2];
    const VORN_Vector bc = cross(b, c);
    const double det = dot(a, bc);
    if (det == 0 || !std::isfinite(det))
        return o * d; // degenerate frame: no exact answer, keep the rotation's inverse
    return VORN_Vector(dot(d, bc), dot(d, cross(c, a)), dot(d, cross(a, b))) * (1.0 / det);
}

} // namespace

VORN_Object::VORN_Object(const VORN_Vector& position, const VORN_Vector& rotation,
                         const VORN_Vector& scale, const VORN_Color& color)
    : position(position), rotation(rotation), scale(scale), color(color) {}

VORN_Object::~VORN_Object() {
    if (!sharedLists) {
        if (displayList != 0)
            glDeleteLists(displayList, 1);
        if (geometryList != 0)
            glDeleteLists(geometryList, 1);
    }
    children.clear();
    if (observed)
        emit deleted();
}

void VORN_Object::compile() {
    compilePending = false;
    if (!sharedLists) {
        if (displayList != 0)
            glDeleteLists(displayList, 1);
        if (geometryList != 0)
            glDeleteLists(geometryList, 1);
    }
    displayList = 0;
    geometryList = 0;

    const GLuint base = glGenLists(2);
    if (base == 0)
        throw "VORN_Object::compile(): could not create displaylist";
    displayList = base;
    geometryList = base + 1;

    glNewList(geometryList, GL_COMPILE);
    draw(nullptr);
    glEndList();

    glNewList(displayList, GL_COMPILE);
    applySurfaceState();
    glCallList(geometryList);
    glEndList();
}

void VORN_Object::compileAtFirstPaint() {
    compilePending = true;
}

void VORN_Object::compileIfPending() {
    GLint recording = 0;
    glGetIntegerv(GL_LIST_INDEX, &recording);
    if (recording != 0)
        return; // lists cannot be recorded inside another one: draw directly this time
    try {
        compile();
    } catch (const char*) {
        // No list to be had: compile() left both names at 0, so the object draws directly.
        compilePending = false;
    }
}

void VORN_Object::paint(bool geometryOnly, const VORN_OcclusionCone* cone) {
    if (compilePending)
        compileIfPending();
    if (geometryOnly) {
        if (geometryList != 0)
            glCallList(geometryList);
        else
            draw(cone);
        return;
    }
    if (displayList != 0) {
        glCallList(displayList);
    } else {
        applySurfaceState();
        draw(cone);
    }
}

void VORN_Object::draw(const VORN_OcclusionCone*) {}

void VORN_Object::applySurfaceState() {
    if (material)
        material->apply();
    if (!texture)
        glBindTexture(GL_TEXTURE_2D, 0);
    else if (*texture != 0)
        glBindTexture(GL_TEXTURE_2D, *texture);
    glColor4dv(color.data());
}

void VORN_Object::setPosition(double x, double y, double z) {
    position = VORN_Vector(x, y, z);
    updateTransform(true);
}

void VORN_Object::setWorldPosition(double x, double y, double z) {
    setWorldPosition(VORN_Vector(x, y, z));
}

void VORN_Object::setWorldPosition(const VORN_Vector& world) {
    const VORN_Vector d = parent ? world - parent->worldPosition : world;
    position = localOffset(worldOrientation, d);
    updateTransform(true);
}

void VORN_Object::setRotation(double x, double y, double z) {
    rotation = VORN_Vector(x, y, z);
    updateTransform(true);
}

void VORN_Object::setColor(double r, double g, double b, double a) {
    color = VORN_Color(r, g, b, a);
}

void VORN_Object::applyTransform(bool withParents) {
    if (withParents && parent)
        parent->applyTransform(true);
    glScaled(scale[0], scale[1], scale[2]);
    glRotated(rotation[0], 1, 0, 0);
    glRotated(rotation[1], 0, 1, 0);
    glRotated(rotation[2], 0, 0, 1);
    glTranslated(position[0], position[1], position[2]);
}

VORN_Matrix4 VORN_Object::localMatrix() const {
    VORN_Matrix4 m;
    multiplyLocal(m);
    return m;
}

void VORN_Object::multiplyLocal(VORN_Matrix4& m) const {
    // Step by step onto m, in applyTransform's order, so that every rounding is the one the
    // same calls on the GL matrix would make in double precision.
    m.scale(scale[0], scale[1], scale[2]);
    m.rotate(rotation[0], 1, 0, 0);
    m.rotate(rotation[1], 0, 1, 0);
    m.rotate(rotation[2], 0, 0, 1);
    m.translate(position[0], position[1], position[2]);
}

void VORN_Object::updateTransform(bool fromRoot) {
    if (!fromRoot) {
        updateTransformOn(parent ? parent->worldMatrix : VORN_Matrix4());
        return;
    }
    // The chain from the root down to the parent, each on top of the one above it.
    QVarLengthArray<const VORN_Object*, 8> chain;
    for (const VORN_Object* p = parent; p; p = p->parent)
        chain.append(p);
    VORN_Matrix4 base;
    for (int i = chain.size() - 1; i >= 0; --i)
        chain[i]->multiplyLocal(base);
    updateTransformOn(base);
}

void VORN_Object::updateTransformOn(const VORN_Matrix4& base) {
    worldMatrix = base;
    multiplyLocal(worldMatrix);
    worldPosition = worldMatrix.translation();
    worldOrientation = worldMatrix.orientation();
    if (observed)
        emit positionUpdate(worldPosition);
    if (trackedChildren != 0) {
        // A copy: a slot of positionUpdate may move this object again.
        const VORN_Matrix4 world = worldMatrix;
        for (VORN_Object* child : children)
            if (child)
                child->updateTransformOn(world);
    }
}

void VORN_Object::trackChildren(signed char delta) {
    if (trackedChildren == 0 && delta > 0 && parent)
        parent->trackChildren(+1);
    if (trackedChildren == 1 && delta == -1 && parent)
        parent->trackChildren(-1);
    trackedChildren = static_cast<signed char>(trackedChildren + delta);
}

void VORN_Object::render(char mode, const VORN_OcclusionCone* cone) {
    glPushMatrix();
    applyTransform(false);
    if (!cone || cone->isVisible(VORN_Vector(0, 0, 0), radius) != 0) {
        // Outside the picture only the object itself is left out: its children have spheres of
        // their own.
        if (!outsideView(cone)) {
            switch (mode) {
            case 0:
                paint(false, cone);
                break;
            case 1:
                if (!transparent) {
                    paint(false, cone);
                } else {
                    RenderQueueEntry entry;
                    entry.object = this;
                    glGetDoublev(GL_MODELVIEW_MATRIX, entry.matrix);
                    entry.key = entry.matrix[12] * entry.matrix[12] +
                                entry.matrix[13] * entry.matrix[13] +
                                entry.matrix[14] * entry.matrix[14] - radius;
                    renderQueue().push_back(entry);
                }
                break;
            case 2:
                if (outlined)
                    paint(true, cone);
                break;
            default:
                break;
            }
        }
        for (VORN_Object* child : children)
            if (child)
                child->render(mode, cone);
    }
    glPopMatrix();
}

bool VORN_Object::outsideView(const VORN_OcclusionCone* cone) const {
    const VORN_Frustum* view = VORN_Frustum::drawing();
    if (!cone || !view || !(boundingRadius > 0))
        return false;
    GLdouble m[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    return view->excludesObject(m, boundingRadius);
}

} // namespace VORN_LIB

// The meta-object code of this class is compiled with it, not in the library's shared moc unit.
#include "moc_VORN_Object.cpp"
