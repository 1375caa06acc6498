// The camera: perspective projection, view-cone culling, an orbit view transform, fog, texturing
// and the black outline pass. Angles in degrees; GL matrices are column-major.
#include "engine/render/VORN_Viewport.h"

#include "engine/scene/VORN_Frustum.h"
#include "engine/scene/VORN_Material.h"
#include "engine/scene/VORN_Object.h"
#include "engine/scene/VORN_OcclusionCone.h"
#include "engine/scene/VORN_Scene.h"

#include <GL/glu.h>
#include <algorithm>
#include <cmath>

namespace VORN_LIB {

GLuint VORN_Viewport::outlineBeginList = 0;
GLuint VORN_Viewport::outlineEndList = 0;

VORN_Viewport::VORN_Viewport(VORN_Scene* scene) : QObject(nullptr), scene(scene) {
    if (outlineBeginList == 0) {
        // A failed allocation leaves both at 0; the next viewport tries again, and calling
        // list 0 draws no outline state at all.
        const GLuint base = glGenLists(2);
        if (base != 0) {
            outlineBeginList = base;
            outlineEndList = base + 1;

            // Outline pass: back faces only, as smoothed black lines over the filled geometry.
            glNewList(outlineBeginList, GL_COMPILE);
            glEnable(GL_BLEND);
            glCullFace(GL_FRONT);
            glColor4d(0, 0, 0, 1);
            VORN_Material::resetMaterial();
            glEnable(GL_LINE_SMOOTH);
            glEndList();

            glNewList(outlineEndList, GL_COMPILE);
            glDisable(GL_LINE_SMOOTH);
            glCullFace(GL_BACK);
            glDisable(GL_BLEND);
            glColor4d(1, 1, 1, 1);
            glEndList();
        }
    }
    updateBasis();
}

VORN_Viewport::~VORN_Viewport() {
    delete cone;
}

void VORN_Viewport::setView(const VORN_Vector& position, double yaw, double pitch,
                            double distance) {
    this->position = position;
    this->yaw = yaw;
    this->pitch = pitch;
    this->distance = distance;
    normalizePitch();
    updateBasis();
    keepAboveGround();
}

void VORN_Viewport::rotate(double dYaw, double dPitch) {
    yaw += dYaw;
    pitch += dPitch;
    normalizePitch();
    updateBasis();
    keepAboveGround();
}

void VORN_Viewport::normalizePitch() {
    if (pitch > 180)
        pitch -= 360;
    if (pitch < -180)
        pitch += 360;
    if (pitch < pitchMin)
        pitch = pitchMin;
    if (pitch > pitchMax)
        pitch = pitchMax;
}

namespace {

// The camera's z axis, the last column of Ry(yaw)·Rx(pitch); angles in degrees.
VORN_Vector backOf(double yaw, double pitch) {
    const double y = yaw * M_PI / 180.0;
    const double p = pitch * M_PI / 180.0;
    return VORN_Vector(std::cos(p) * std::sin(y), -std::sin(p), std::cos(p) * std::cos(y));
}

} // namespace

// The columns of Ry(yaw)·Rx(pitch), worked out rather than read back from GL, so that the camera
// can be turned where no GL context is current (the match's events, the mouse).
void VORN_Viewport::updateBasis() {
    const double y = yaw * M_PI / 180.0;
    const double p = pitch * M_PI / 180.0;
    right = VORN_Vector(std::cos(y), 0, -std::sin(y));
    up = VORN_Vector(std::sin(p) * std::sin(y), std::cos(p), std::sin(p) * std::cos(y));
    back = backOf(yaw, pitch);
}

bool VORN_Viewport::keepAboveGround() {
    if (!ground)
        return false;
    const auto clearance = [this](double p) {
        const VORN_Vector e = position - backOf(yaw, p) * distance; // the eye at pitch p
        return e.y() - (ground(e.x(), e.z()) + groundClearance);
    };
    if (clearance(pitch) >= 0)
        return false;

    // The eye's height is position.y + distance × sin(pitch): it rises toward pitchMin for an eye
    // behind the look-at point, toward pitchMax for one in front. Degree steps find the first
    // pitch that clears the ground, halving then closes in on the ground from above.
    const double limit = distance < 0 ? pitchMin : pitchMax;
    const double step = limit < pitch ? -1.0 : 1.0;
    double blocked = pitch;
    for (int i = 1; distance != 0 && blocked != limit; ++i) {
        const double tried = step < 0 ? std::max(pitch - i, limit) : std::min(pitch + i, limit);
        if (clearance(tried) >= 0) {
            double clear = tried;
            for (int halving = 0; halving < 16; ++halving) {
                const double middle = (blocked + clear) / 2;
                if (clearance(middle) >= 0)
                    clear = middle;
                else
                    blocked = middle;
            }
            pitch = clear;
            updateBasis();
            return true;
        }
        blocked = tried;
    }
    position[1] -= clearance(pitch);
    return true;
}

void VORN_Viewport::resize(int w, int h) {
    width = (int)(w * relWidth);
    height = (int)(h * relHeight);
    x = (int)(w * relX);
    y = (int)(h * relY);
    surfaceWidth = w;
    surfaceHeight = h;
}

void VORN_Viewport::setRelativeRect(double x, double y, double w, double h) {
    relX = x;
    relY = y;
    relWidth = w;
    relHeight = h;
}

void VORN_Viewport::toggleFog() {
    fog = !fog;
    if (displayList != 0)
        compile();
}

void VORN_Viewport::toggleTexturing() {
    texturing = !texturing;
    if (displayList != 0)
        compile();
}

void VORN_Viewport::toggleOutlines() {
    outlines = !outlines;
}

void VORN_Viewport::applyState() {
    if (texturing)
        glEnable(GL_TEXTURE_2D);
    else
        glDisable(GL_TEXTURE_2D);
    if (fog) {
        glEnable(GL_FOG); // OpenGL's default mode, GL_EXP
        glFogfv(GL_FOG_COLOR, fogColor);
        glFogf(GL_FOG_DENSITY, fogDensity);
    } else {
        glDisable(GL_FOG);
    }
    glLineWidth(drawnLineWidth());
}

float VORN_Viewport::drawnLineWidth() const {
    return pictureScale == 1.0 ? lineWidth
                               : std::max(1.0f, static_cast<float>(lineWidth * pictureScale));
}

void VORN_Viewport::compile() {
    if (displayList != 0)
        glDeleteLists(displayList, 1);
    displayList = glGenLists(1);
    if (displayList == 0)
        throw "VORN_Viewport::compile(): could not create displaylist";
    glNewList(displayList, GL_COMPILE);
    applyState();
    glEndList();
}

VORN_Frustum VORN_Viewport::pictureFrustum() const {
    return VORN_Frustum(fieldOfView, double(width) / double(std::max(height, 1)), nearPlane,
                        farPlane, width, height, drawnLineWidth() + 2.0);
}

void VORN_Viewport::render() {
    // An empty rectangle has nothing to show (and no finite aspect): the frame is skipped whole.
    if (!scene || width <= 0 || height <= 0)
        return;

    glViewport(x, y, width, height);
    glScissor(x, y, width, height);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double aspect = (double)width / (double)height;
    gluPerspective(fieldOfView, aspect, nearPlane, farPlane);

    // The culling cone runs through the corners of the near rectangle.
    const double halfHeight = std::tan(fieldOfView * M_PI / 180.0 * 0.5) * nearPlane;
    const double halfWidth = halfHeight * aspect;
    const double halfAngle =
        std::atan(std::sqrt(halfWidth * halfWidth + halfHeight * halfHeight) / nearPlane);
    delete cone;
    cone = nullptr;
    cone = new VORN_OcclusionCone(halfAngle, nearPlane, farPlane);

    // Eye at position − distance × back, looking along −back, above the ground however the
    // followed object has moved or the ground has changed since the last frame.
    glMatrixMode(GL_MODELVIEW);
    keepAboveGround();
    glLoadIdentity();
    glTranslated(0, 0, distance);
    glRotated(pitch, -1, 0, 0);
    glRotated(yaw, 0, -1, 0);
    glTranslated(-position.x(), -position.y(), -position.z());

    if (displayList != 0)
        glCallList(displayList);
    else
        applyState();

    // The exact test behind the cone: the picture's own planes.
    const VORN_Frustum frustum = pictureFrustum();
    const VORN_Frustum::DrawingScope drawing(exactCulling ? &frustum : nullptr);

    glPushMatrix();
    if (sortedTransparency) {
        scene->renderPass(1, cone);
        glEnable(GL_BLEND);
        glDepthMask(GL_FALSE);
        scene->renderPass(2, cone);
        glDepthMask(GL_TRUE);
        glDisable(GL_BLEND);
    } else {
        scene->renderPass(0, cone);
    }
    if (outlines) {
        glCallList(outlineBeginList);
        scene->renderPass(3, cone);
        glCallList(outlineEndList);
    }
    glPopMatrix();
}

void VORN_Viewport::attach(VORN_Object* object) {
    if (attached) {
        attached->observed = !attached->observed;
        if (attached->parent)
            attached->parent->trackChildren(-1);
        attached->updateTransform(true);
        attached->disconnect(this);
    }
    if (object) {
        connect(object, &VORN_Object::positionUpdate, this, &VORN_Viewport::positionUpdate);
        connect(object, &VORN_Object::deleted, this, &VORN_Viewport::attachedDeleted);
        object->observed = !object->observed;
        if (object->parent)
            object->parent->trackChildren(+1);
        // Observed and connected now, so this moves the look-at point onto the object at once.
        object->updateTransform(true);
    }
    attached = object;
}

void VORN_Viewport::positionUpdate(VORN_LIB::VORN_Vector v) {
    position = v;
}

void VORN_Viewport::attachedDeleted() {
    if (attached)
        attached->disconnect(this);
    attached = nullptr;
}

} // namespace VORN_LIB
