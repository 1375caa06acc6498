// The camera on a real GL context: pitch limits, its basis and the view matrix it leaves, the
// pixel rectangle, the per-frame state, the passes it runs, and following an object.
#include "engine/render/VORN_Viewport.h"
#include "engine/scene/VORN_OcclusionCone.h"
#include "engine/scene/VORN_Scene.h"
#include "tests/engine/render/TestObjects.h"
#include "tests/support/GLTest.h"

#include <GL/gl.h>
#include <cmath>
#include <memory>

using namespace VORN_LIB;
using testobjects::RecordingObject;

namespace {

// Column-major matrix times the point p (w = 1). GL keeps its matrices in floats: compare loosely.
VORN_Vector transformPoint(const double m[16], const VORN_Vector& p) {
    return VORN_Vector(m[0] * p.x() + m[4] * p.y() + m[8] * p.z() + m[12],
                       m[1] * p.x() + m[5] * p.y() + m[9] * p.z() + m[13],
                       m[2] * p.x() + m[6] * p.y() + m[10] * p.z() + m[14]);
}

// Column-major matrix times the direction d (w = 0).
VORN_Vector transformDirection(const double m[16], const VORN_Vector& d) {
    return VORN_Vector(m[0] * d.x() + m[4] * d.y() + m[8] * d.z(),
                       m[1] * d.x() + m[5] * d.y() + m[9] * d.z(),
                       m[2] * d.x() + m[6] * d.y() + m[10] * d.z());
}

void expectNear(const VORN_Vector& actual, const VORN_Vector& expected, double tolerance = 1e-5) {
    EXPECT_NEAR(actual.x(), expected.x(), tolerance);
    EXPECT_NEAR(actual.y(), expected.y(), tolerance);
    EXPECT_NEAR(actual.z(), expected.z(), tolerance);
}

VORN_Object* newObject() {
    return new VORN_Object(VORN_Vector(0, 0, 0), VORN_Vector(0, 0, 0), VORN_Vector(1, 1, 1),
                           VORN_Color(1, 1, 1, 1));
}

} // namespace

class ViewportTest : public GLTest {};

// --- Orientation -------------------------------------------------------------------------------

TEST_F(ViewportTest, PitchIsNormalisedThenClampedAndYawNeverWraps) {
    VORN_Viewport viewport(nullptr);
    const struct {
        double given, stored;
    } rows[] = {{200, -90}, {-250, 90}, {100, 90}, {-100, -90}, {45, 45}, {-30, -30}};
    for (const auto& row : rows) {
        viewport.setView(VORN_Vector(1, 2, 3), 10, row.given, -4);
        EXPECT_DOUBLE_EQ(viewport.pitch, row.stored) << "pitch " << row.given;
    }
    expectNear(viewport.position, VORN_Vector(1, 2, 3));
    EXPECT_DOUBLE_EQ(viewport.yaw, 10);
    EXPECT_DOUBLE_EQ(viewport.distance, -4);

    // Narrower limits apply to rotate as well: 50 + 40 = 90 is clamped to 60.
    viewport.pitchMin = -20;
    viewport.pitchMax = 60;
    viewport.setView(VORN_Vector(0, 0, 0), 0, 50, 0);
    viewport.rotate(0, 40);
    EXPECT_DOUBLE_EQ(viewport.pitch, 60);
    viewport.rotate(0, -100);
    EXPECT_DOUBLE_EQ(viewport.pitch, -20);

    viewport.setView(VORN_Vector(0, 0, 0), 0, 0, 0);
    viewport.rotate(370, 0);
    viewport.rotate(370, 0);
    EXPECT_DOUBLE_EQ(viewport.yaw, 740);
}

TEST_F(ViewportTest, BasisFollowsYawAndPitch) {
    VORN_Viewport viewport(nullptr);
    // Fresh camera: axes are the world axes.
    expectNear(viewport.right, VORN_Vector(1, 0, 0));
    expectNear(viewport.up, VORN_Vector(0, 1, 0));
    expectNear(viewport.back, VORN_Vector(0, 0, 1));

    // Turned 90° left about y: looking along −x.
    viewport.setView(VORN_Vector(0, 0, 0), 90, 0, 0);
    expectNear(viewport.right, VORN_Vector(0, 0, -1));
    expectNear(viewport.up, VORN_Vector(0, 1, 0));
    expectNear(viewport.back, VORN_Vector(1, 0, 0));

    // Positive pitch looks up: straight up at 90°.
    viewport.setView(VORN_Vector(0, 0, 0), 0, 90, 0);
    expectNear(viewport.back, VORN_Vector(0, -1, 0));
    expectNear(viewport.up, VORN_Vector(0, 0, 1));

    // A full extra turn of yaw gives the same basis.
    viewport.setView(VORN_Vector(0, 0, 0), 30, 20, 0);
    const VORN_Vector back = viewport.back;
    viewport.rotate(360, 0);
    expectNear(viewport.back, back);

    // Turning the camera leaves the GL state alone: the matrix mode selected and both matrices
    // stay as they were.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glTranslated(1, 2, 3);
    viewport.setView(VORN_Vector(0, 0, 0), 90, 0, 0);
    expectNear(viewport.back, VORN_Vector(1, 0, 0));
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_PROJECTION);
    double p[16];
    glGetDoublev(GL_PROJECTION_MATRIX, p);
    EXPECT_DOUBLE_EQ(p[12], 1);
    glMatrixMode(GL_MODELVIEW);
    double m[16];
    modelView(m);
    EXPECT_DOUBLE_EQ(m[0], 1);
    EXPECT_DOUBLE_EQ(m[12], 0);
}

// --- Rectangle ---------------------------------------------------------------------------------

TEST_F(ViewportTest, ResizeTruncatesTheRelativeRectangle) {
    VORN_Viewport viewport(nullptr);
    EXPECT_EQ(viewport.width, 640);
    EXPECT_EQ(viewport.height, 480);

    viewport.setRelativeRect(0.5, 0.5, 0.5, 0.5);
    EXPECT_EQ(viewport.width, 640) << "the pixel rectangle waits for the next resize";
    viewport.resize(801, 601);
    EXPECT_EQ(viewport.x, 400);
    EXPECT_EQ(viewport.y, 300);
    EXPECT_EQ(viewport.width, 400);
    EXPECT_EQ(viewport.height, 300);
    EXPECT_EQ(viewport.surfaceWidth, 801);
    EXPECT_EQ(viewport.surfaceHeight, 601);
}

// --- Frames ------------------------------------------------------------------------------------

TEST_F(ViewportTest, WithoutASceneAFrameTouchesNoGLState) {
    VORN_Viewport viewport(nullptr);
    viewport.resize(100, 50);
    glViewport(3, 4, 50, 60);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslated(7, 8, 9);

    viewport.render();

    GLint rect[4];
    glGetIntegerv(GL_VIEWPORT, rect);
    EXPECT_EQ(rect[0], 3);
    EXPECT_EQ(rect[1], 4);
    EXPECT_EQ(rect[2], 50);
    EXPECT_EQ(rect[3], 60);
    double p[16];
    glGetDoublev(GL_PROJECTION_MATRIX, p);
    EXPECT_DOUBLE_EQ(p[0], 1);
    EXPECT_DOUBLE_EQ(p[11], 0);
    double m[16];
    modelView(m);
    EXPECT_DOUBLE_EQ(m[12], 7);
    EXPECT_EQ(viewport.cone, nullptr);
}

TEST_F(ViewportTest, EyeSitsBehindTheLookAtPoint) {
    VORN_Scene scene;
    VORN_Viewport viewport(&scene);
    viewport.resize(256, 256);
    viewport.setView(VORN_Vector(0, 4, 2), 0, 0, 0);
    viewport.distance = -5;
    viewport.render();

    // The frame leaves the view matrix: the eye (0, 4, 7) at the origin, looking along −z.
    double m[16];
    modelView(m);
    expectNear(transformPoint(m, VORN_Vector(0, 4, 7)), VORN_Vector(0, 0, 0));
    expectNear(transformPoint(m, VORN_Vector(0, 4, 2)), VORN_Vector(0, 0, -5));
    expectNear(transformDirection(m, VORN_Vector(1, 0, 0)), VORN_Vector(1, 0, 0));
    expectNear(transformDirection(m, VORN_Vector(0, 1, 0)), VORN_Vector(0, 1, 0));
}

TEST_F(ViewportTest, ViewMatrixAgreesWithTheBasisForAnyOrientation) {
    VORN_Scene scene;
    VORN_Viewport viewport(&scene);
    viewport.resize(256, 256);
    const struct {
        double yaw, pitch, distance;
    } rows[] = {{90, 0, -5}, {-45, 30, -3}, {200, -60, -10}, {30, 89, 2}};
    for (const auto& row : rows) {
        const VORN_Vector lookAt(1, -2, 3);
        viewport.setView(lookAt, row.yaw, row.pitch, row.distance);
        viewport.render();
        double m[16];
        modelView(m);
        SCOPED_TRACE(testing::Message() << "yaw " << row.yaw << " pitch " << row.pitch);
        // The eye at position − distance × back sits at the origin of eye space ...
        expectNear(transformPoint(m, lookAt - viewport.back * row.distance), VORN_Vector(0, 0, 0));
        // ... and the camera axes are eye space's axes.
        expectNear(transformDirection(m, viewport.right), VORN_Vector(1, 0, 0));
        expectNear(transformDirection(m, viewport.up), VORN_Vector(0, 1, 0));
        expectNear(transformDirection(m, viewport.back), VORN_Vector(0, 0, 1));
    }
}

TEST_F(ViewportTest, FrameSetsRectangleProjectionAndCone) {
    VORN_Scene scene;
    VORN_Viewport viewport(&scene);
    viewport.setRelativeRect(0.25, 0.5, 0.5, 0.5);
    viewport.resize(256, 128);
    viewport.fieldOfView = 90;
    viewport.nearPlane = 1;
    viewport.farPlane = 20;
    viewport.render();

    GLint rect[4];
    glGetIntegerv(GL_VIEWPORT, rect);
    EXPECT_EQ(rect[0], 64);
    EXPECT_EQ(rect[1], 64);
    EXPECT_EQ(rect[2], 128);
    EXPECT_EQ(rect[3], 64);
    glGetIntegerv(GL_SCISSOR_BOX, rect);
    EXPECT_EQ(rect[0], 64);
    EXPECT_EQ(rect[1], 64);
    EXPECT_EQ(rect[2], 128);
    EXPECT_EQ(rect[3], 64);

    // gluPerspective(90, 2, 1, 20): cot(45°) / aspect and cot(45°) on the diagonal.
    double p[16];
    glGetDoublev(GL_PROJECTION_MATRIX, p);
    EXPECT_NEAR(p[0], 0.5, 1e-6);
    EXPECT_NEAR(p[5], 1.0, 1e-6);
    EXPECT_NEAR(p[10], -21.0 / 19.0, 1e-6);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);

    // The cone runs through the near rectangle's corners: half height 1, half width 2.
    ASSERT_NE(viewport.cone, nullptr);
    EXPECT_NEAR(viewport.cone->tanAngle, std::sqrt(5.0), 1e-12);
    EXPECT_DOUBLE_EQ(viewport.cone->nearPlane, 1);
    EXPECT_DOUBLE_EQ(viewport.cone->farPlane, 20);

    // A fresh cone every frame.
    viewport.farPlane = 30;
    viewport.render();
    EXPECT_DOUBLE_EQ(viewport.cone->farPlane, 30);
}

TEST_F(ViewportTest, SenselessClippingPlanesAbandonTheFrame) {
    VORN_Scene scene;
    auto* object = new RecordingObject;
    scene.children.append(object);
    VORN_Viewport viewport(&scene);
    viewport.resize(256, 256);
    viewport.render();
    ASSERT_NE(viewport.cone, nullptr);
    object->records.clear();

    viewport.nearPlane = 0;
    try {
        viewport.render();
        ADD_FAILURE() << "no exception";
    } catch (const char* message) {
        EXPECT_STREQ(message, "VORN_OcclusionCone::VORN_OcclusionCone: senseless parameters");
    }
    EXPECT_EQ(viewport.cone, nullptr);
    EXPECT_TRUE(object->records.empty());
    scene.children.clear();
    delete object;
}

TEST_F(ViewportTest, EmptyRectangleDrawsNothing) {
    VORN_Scene scene;
    RecordingObject object;
    scene.children.append(&object);
    VORN_Viewport viewport(&scene);
    viewport.setRelativeRect(0, 0, 1, 0.001);
    viewport.resize(256, 256);
    ASSERT_EQ(viewport.height, 0);
    glViewport(1, 2, 30, 40);
    viewport.render();
    EXPECT_TRUE(object.records.empty());
    GLint rect[4];
    glGetIntegerv(GL_VIEWPORT, rect);
    EXPECT_EQ(rect[2], 30);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    scene.children.clear();
}

// --- Per-frame state ---------------------------------------------------------------------------

TEST_F(ViewportTest, FrameAppliesFogTexturingAndLineWidth) {
    VORN_Scene scene;
    VORN_Viewport viewport(&scene);
    viewport.resize(256, 256);
    viewport.toggleFog();
    viewport.toggleTexturing();
    viewport.fogColor[0] = 0.25f;
    viewport.fogColor[2] = 0.5f;
    viewport.fogColor[3] = 1;
    viewport.fogDensity = 0.04f;
    viewport.lineWidth = 3;
    viewport.render();

    EXPECT_TRUE(glIsEnabled(GL_FOG));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    float color[4];
    glGetFloatv(GL_FOG_COLOR, color);
    EXPECT_FLOAT_EQ(color[0], 0.25f);
    EXPECT_FLOAT_EQ(color[2], 0.5f);
    float value = 0;
    glGetFloatv(GL_FOG_DENSITY, &value);
    EXPECT_FLOAT_EQ(value, 0.04f);
    GLint mode = 0;
    glGetIntegerv(GL_FOG_MODE, &mode);
    EXPECT_EQ(mode, GL_EXP);
    glGetFloatv(GL_LINE_WIDTH, &value);
    EXPECT_FLOAT_EQ(value, 3);

    viewport.toggleFog();
    viewport.toggleTexturing();
    viewport.render();
    EXPECT_FALSE(glIsEnabled(GL_FOG));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(ViewportTest, CompiledStateFreezesFogUntilRecompiled) {
    VORN_Scene scene;
    VORN_Viewport viewport(&scene);
    viewport.resize(256, 256);
    viewport.toggleFog();
    viewport.fogDensity = 0.1f;
    viewport.compile();
    const GLuint first = viewport.displayList;
    ASSERT_NE(first, 0u);
    EXPECT_TRUE(glIsList(first));

    // Written directly, the density waits for the next compile.
    viewport.fogDensity = 0.3f;
    viewport.render();
    float density = 0;
    glGetFloatv(GL_FOG_DENSITY, &density);
    EXPECT_FLOAT_EQ(density, 0.1f);

    // Toggling recompiles: a new list with the state of that moment, the old one gone.
    viewport.toggleTexturing();
    EXPECT_NE(viewport.displayList, 0u);
    EXPECT_TRUE(glIsList(viewport.displayList));
    if (viewport.displayList != first) {
        EXPECT_FALSE(glIsList(first));
    }
    viewport.render();
    glGetFloatv(GL_FOG_DENSITY, &density);
    EXPECT_FLOAT_EQ(density, 0.3f);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));

    viewport.toggleFog();
    viewport.render();
    EXPECT_FALSE(glIsEnabled(GL_FOG));
}

// --- Passes ------------------------------------------------------------------------------------

TEST_F(ViewportTest, PlainFrameRunsOnePassAndOutlinesAddAGeometryPass) {
    VORN_Scene scene;
    RecordingObject object;
    scene.children.append(&object);
    VORN_Viewport viewport(&scene);
    viewport.resize(256, 256);

    viewport.render();
    ASSERT_EQ(object.records.size(), 1u);
    EXPECT_FALSE(object.records[0].geometryOnly);
    EXPECT_EQ(object.records[0].cone, viewport.cone);

    object.records.clear();
    viewport.toggleOutlines();
    viewport.render();
    ASSERT_EQ(object.records.size(), 2u);
    EXPECT_FALSE(object.records[0].geometryOnly);
    EXPECT_EQ(object.records[0].cullFace, GL_BACK);
    EXPECT_FALSE(object.records[0].lineSmooth);
    // The outline pass: geometry only, front faces culled, smoothed blended lines in black.
    const auto& outline = object.records[1];
    EXPECT_TRUE(outline.geometryOnly);
    EXPECT_EQ(outline.cullFace, GL_FRONT);
    EXPECT_TRUE(outline.lineSmooth);
    EXPECT_TRUE(outline.blend);

    // Afterwards the ordinary state is back.
    GLint cull = 0;
    glGetIntegerv(GL_CULL_FACE_MODE, &cull);
    EXPECT_EQ(cull, GL_BACK);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_LINE_SMOOTH));
    double color[4];
    glGetDoublev(GL_CURRENT_COLOR, color);
    EXPECT_DOUBLE_EQ(color[0], 1);
    EXPECT_DOUBLE_EQ(color[3], 1);
    scene.children.clear();
}

TEST_F(ViewportTest, SortedTransparencyDrawsTranslucentObjectsLastWithoutDepthWrites) {
    VORN_Scene scene;
    RecordingObject glass;
    glass.transparent = true;
    RecordingObject stone;
    scene.children.append(&glass);
    scene.children.append(&stone);
    VORN_Viewport viewport(&scene);
    viewport.resize(256, 256);
    viewport.sortedTransparency = true;
    viewport.render();

    ASSERT_EQ(stone.records.size(), 1u);
    EXPECT_FALSE(stone.records[0].blend);
    EXPECT_TRUE(stone.records[0].depthMask);
    ASSERT_EQ(glass.records.size(), 1u);
    EXPECT_FALSE(glass.records[0].geometryOnly);
    EXPECT_TRUE(glass.records[0].blend);
    EXPECT_FALSE(glass.records[0].depthMask);

    GLboolean mask = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
    EXPECT_EQ(mask, GL_TRUE);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    scene.children.clear();
}

// --- Following ---------------------------------------------------------------------------------

TEST_F(ViewportTest, AttachedObjectCarriesTheLookAtPoint) {
    VORN_Viewport viewport(nullptr);
    std::unique_ptr<VORN_Object> object(newObject());
    object->setPosition(1, 2, 3);
    viewport.setView(VORN_Vector(9, 9, 9), 30, 10, -5);
    const VORN_Vector back = viewport.back;

    viewport.attach(object.get());
    EXPECT_EQ(viewport.attached, object.get());
    EXPECT_TRUE(object->observed);
    expectNear(viewport.position, VORN_Vector(1, 2, 3));

    object->setPosition(4, 5, 6);
    expectNear(viewport.position, VORN_Vector(4, 5, 6));
    // Following moves the point only; the camera keeps its orientation and distance.
    expectNear(viewport.back, back);
    EXPECT_DOUBLE_EQ(viewport.distance, -5);

    // Destruction: the camera lets go and stays where it was.
    object.reset();
    EXPECT_EQ(viewport.attached, nullptr);
    expectNear(viewport.position, VORN_Vector(4, 5, 6));
}

TEST_F(ViewportTest, AttachingNullOnlyDetaches) {
    VORN_Viewport viewport(nullptr);
    std::unique_ptr<VORN_Object> object(newObject());
    object->setPosition(1, 2, 3);
    viewport.attach(object.get());
    viewport.attach(nullptr);
    EXPECT_EQ(viewport.attached, nullptr);
    EXPECT_FALSE(object->observed);
    expectNear(viewport.position, VORN_Vector(1, 2, 3));

    object->setPosition(7, 7, 7);
    expectNear(viewport.position, VORN_Vector(1, 2, 3));
    // The detached object no longer tells the camera about its end either.
    VORN_Object* other = newObject();
    viewport.attach(other);
    object.reset();
    EXPECT_EQ(viewport.attached, other);
    delete other;
    EXPECT_EQ(viewport.attached, nullptr);
}

TEST_F(ViewportTest, SwitchingTargetsReleasesTheFirst) {
    VORN_Viewport viewport(nullptr);
    std::unique_ptr<VORN_Object> first(newObject());
    std::unique_ptr<VORN_Object> second(newObject());
    first->setPosition(1, 0, 0);
    second->setPosition(0, 2, 0);
    viewport.attach(first.get());
    viewport.attach(second.get());
    EXPECT_FALSE(first->observed);
    EXPECT_TRUE(second->observed);
    expectNear(viewport.position, VORN_Vector(0, 2, 0));
    first->setPosition(5, 0, 0);
    expectNear(viewport.position, VORN_Vector(0, 2, 0));

    // Attaching the followed object again keeps it followed.
    viewport.attach(second.get());
    EXPECT_TRUE(second->observed);
    second->setPosition(0, 3, 0);
    expectNear(viewport.position, VORN_Vector(0, 3, 0));
    viewport.attach(nullptr);
}

TEST_F(ViewportTest, MovingTheParentOfTheAttachedObjectMovesTheCamera) {
    VORN_Viewport viewport(nullptr);
    std::unique_ptr<VORN_Object> parent(newObject());
    std::unique_ptr<VORN_Object> child(newObject());
    parent->children.append(child.get());
    child->parent = parent.get();
    child->setPosition(0, 1, 0);

    viewport.attach(child.get());
    EXPECT_EQ(parent->trackedChildren, 1);
    expectNear(viewport.position, VORN_Vector(0, 1, 0));

    parent->setPosition(10, 0, 0);
    expectNear(viewport.position, VORN_Vector(10, 1, 0));

    viewport.attach(nullptr);
    EXPECT_EQ(parent->trackedChildren, 0);
    parent->setPosition(20, 0, 0);
    expectNear(viewport.position, VORN_Vector(10, 1, 0));
    parent->children.clear();
}
