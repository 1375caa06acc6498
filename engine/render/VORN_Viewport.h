// The camera: renders one scene into a rectangle of the drawing surface, orbiting a look-at point
// in world coordinates (y up, angles in degrees), and can follow a scene object.
#pragma once

#include "engine/math/VORN_Vector.h"
#include "engine/scene/VORN_Frustum.h"

#include <GL/gl.h>
#include <QObject>
#include <functional>

namespace VORN_LIB {

class VORN_Object;
class VORN_OcclusionCone;
class VORN_Scene;

class VORN_Viewport : public QObject {
    Q_OBJECT

public:
    // Creates the shared outline lists when they do not exist yet; needs the GL context current
    // and the model-view matrix mode selected.
    explicit VORN_Viewport(VORN_Scene* scene);
    ~VORN_Viewport() override; // deletes the cone; the state list is kept

    // Stores the view, clamps pitch into [pitchMin, pitchMax] and refreshes the basis.
    void setView(const VORN_Vector& position, double yaw, double pitch, double distance);
    // Adds to yaw (never wrapped) and pitch (normalised and clamped), then refreshes the basis.
    void rotate(double dYaw, double dPitch);
    // Camera axes in world coordinates from Ry(yaw)·Rx(pitch); no GL call.
    void updateBasis();

    // Keeps the eye groundClearance above the ground: a view whose eye would be below turns
    // toward the side where the eye rises (down for an eye behind the look-at point, up for one in
    // front) by as little as clears the ground. An eye that no pitch lifts (on the look-at point,
    // or a look-at point under the ground) raises the look-at point instead. Nothing without a
    // ground; tells whether the view changed. setView, rotate and render call it.
    bool keepAboveGround();

    // Pixel rectangle from the relative one, each value truncated toward zero.
    void resize(int w, int h);
    // Takes effect at the next resize.
    void setRelativeRect(double x, double y, double w, double h);

    void toggleFog();       // recompiles the state list if there is one
    void toggleTexturing(); // recompiles the state list if there is one
    void toggleOutlines();

    // Records texturing, fog (colour and density of this moment) and line width into a list.
    void compile();
    // One frame of the scene into the rectangle; nothing at all without a scene.
    void render();

    // Follows the object's world position from now on; null only detaches.
    void attach(VORN_Object* object);

    VORN_Vector position; // look-at point, world coordinates
    double yaw = 0;       // degrees about world y
    double pitch = 0;     // degrees about the camera x axis; positive looks up
    double distance = 0;  // eye at position − distance × back; negative puts it behind
    double pitchMin = -90;
    double pitchMax = 90;
    // Height of the ground under world x/z, which the eye stays above; none lets it go anywhere.
    std::function<double(double x, double z)> ground;
    double groundClearance = 0.25;
    VORN_Vector back;  // camera z axis
    VORN_Vector up;    // camera y axis
    VORN_Vector right; // camera x axis
    VORN_Scene* scene; // not owned; null draws nothing
    double relX = 0;
    double relY = 0;
    double relWidth = 1.0;
    double relHeight = 1.0;
    int width = 640;
    int height = 480;
    int x = 0; // lower-left corner in pixels
    int y = 0;
    int surfaceWidth = 640;
    int surfaceHeight = 480;
    double fieldOfView = 60.0; // vertical, degrees
    double nearPlane = 0.1;
    double farPlane = 100.0;
    VORN_OcclusionCone* cone = nullptr; // owned; rebuilt every frame
    bool texturing = false;
    bool sortedTransparency = false;
    bool outlines = false;
    // Behind the cone, skip terrain blocks and objects that the view's frustum shows to lie
    // outside the picture; off, only the cone culls.
    bool exactCulling = true;
    float lineWidth = 2.0f;
    // Pixels of the picture per pixel of the window it is shown in (the render scale): lines are
    // drawn lineWidth window pixels wide, at least one picture pixel.
    double pictureScale = 1.0;
    float drawnLineWidth() const;
    // The picture's planes as the passes of a frame cull by them: widened by the outline's line
    // width and two pixels more for smoothing, so that culling never takes away a pixel. For a
    // pass drawn after render() with its view.
    VORN_Frustum pictureFrustum() const;
    float fogColor[4] = {0, 0, 0, 0};
    float fogDensity = 0.5f;
    bool fog = false;
    GLuint displayList = 0;          // state list of compile(); 0 = none
    VORN_Object* attached = nullptr; // followed object; not owned

    // Shared by every viewport: made by the first one constructed, never deleted.
    static GLuint outlineBeginList;
    static GLuint outlineEndList;

public slots:
    void positionUpdate(VORN_LIB::VORN_Vector v); // moves the look-at point; the basis stays
    void attachedDeleted(); // forgets the object; the look-at point stays where it was

private:
    void normalizePitch();
    void applyState(); // the state calls shared by compile() and the direct path of render()
};

} // namespace VORN_LIB
