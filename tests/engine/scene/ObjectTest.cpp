// Scene objects on a real GL context: world transforms computed on the processor against the
// model-view matrix GL builds from the same calls, the surface state and geometry that reach GL,
// the culled traversal, display lists and signals.
#include "engine/scene/RenderQueueEntry.h"
#include "engine/scene/VORN_Material.h"
#include "engine/scene/VORN_Object.h"
#include "engine/scene/VORN_OcclusionCone.h"
#include "tests/engine/scene/GLCapture.h"
#include "tests/support/GLTest.h"

#include <QSignalSpy>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

using namespace VORN_LIB;

namespace {

const double quarterPi = std::atan(1.0);
const double eps = 1e-5;

void expectNear(const VORN_Vector& actual, double x, double y, double z, double tolerance = eps) {
    EXPECT_NEAR(actual.x(), x, tolerance);
    EXPECT_NEAR(actual.y(), y, tolerance);
    EXPECT_NEAR(actual.z(), z, tolerance);
}

VORN_Vector translationOf(const GLdouble* m) {
    return VORN_Vector(m[12], m[13], m[14]);
}

GLint boundTexture() {
    GLint name = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
    return name;
}

GLint stackDepth() {
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    return depth;
}

// Colour of the single point an object draws, as GL received it.
std::vector<float> pointColor(const std::function<void()>& draw) {
    const std::vector<FeedbackPrimitive> primitives = captureFeedback(4, draw);
    if (primitives.size() != 1 || primitives[0].token != GL_POINT_TOKEN) {
        ADD_FAILURE() << "expected exactly one point, got " << primitives.size() << " primitives";
        return {};
    }
    const float* c = primitives[0].vertices[0].color;
    return {c[0], c[1], c[2], c[3]};
}

std::vector<float> rgba(float r, float g, float b, float a) {
    return {r, g, b, a};
}

void expectExactly(const VORN_Vector& actual, double x, double y, double z) {
    EXPECT_EQ(actual.x(), x);
    EXPECT_EQ(actual.y(), y);
    EXPECT_EQ(actual.z(), z);
}

// The processor's matrix against GL's single-precision one: within 1e-6 of each entry's size.
void expectSameMatrix(const VORN_Matrix4& cpu, const GLdouble* gl) {
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(cpu.data()[i], gl[i], 1e-6 * std::max(1.0, std::fabs(gl[i])))
            << "entry " << i << " (row " << i % 4 << ", column " << i / 4 << ")";
}

// One level of a parent chain: local position, rotation (degrees) and scale.
struct Level {
    VORN_Vector position, rotation, scale;
};

struct ChainCase {
    const char* name;
    std::vector<Level> levels; // root first
};

const VORN_Vector none(0, 0, 0);
const VORN_Vector unit(1, 1, 1);

const ChainCase chainCases[] = {
    {"translation", {{VORN_Vector(0.1, -2.5, 3.75), none, unit}}},
    {"turn about x", {{VORN_Vector(1, 2, 3), VORN_Vector(33, 0, 0), unit}}},
    {"turn about y", {{VORN_Vector(1, 2, 3), VORN_Vector(0, -71.5, 0), unit}}},
    {"turn about z", {{VORN_Vector(1, 2, 3), VORN_Vector(0, 0, 212), unit}}},
    {"three turns, non-uniform scale",
     {{VORN_Vector(0.3, -1.7, 2.2), VORN_Vector(10, 20, 30), VORN_Vector(2, 0.5, 3)}}},
    {"quarter turns", {{VORN_Vector(1, 0, 0), VORN_Vector(90, 180, 270), unit}}},
    {"turned parent, moved child",
     {{VORN_Vector(4, 0, 0), VORN_Vector(0, 90, 0), unit}, {VORN_Vector(0, 0, -4), none, unit}}},
    {"scaled parent, turned child",
     {{VORN_Vector(0, 1, 0), none, VORN_Vector(1, 3, 0.25)},
      {VORN_Vector(2, 2, 2), VORN_Vector(45, 0, -30), unit}}},
    {"mirrored parent",
     {{none, VORN_Vector(0, 0, 15), VORN_Vector(-1, 1, 1)},
      {VORN_Vector(1, 1, 0), VORN_Vector(0, 40, 0), unit}}},
    {"three levels",
     {{VORN_Vector(2, 1, -3), VORN_Vector(15, -40, 70), VORN_Vector(1.5, 1, 0.5)},
      {VORN_Vector(-2, 0.5, 1), VORN_Vector(-90, 30, 0), VORN_Vector(0.2, 2, 1)},
      {VORN_Vector(0.25, 0.125, -1), VORN_Vector(0, 0, 137.5), VORN_Vector(3, 3, 3)}}},
};

} // namespace

class ObjectTest : public GLTest {
protected:
    std::vector<DrawRecord> log;

    // Owned by the test; destroyed with the GL context still current.
    RecordingObject* make(double x = 0, double y = 0, double z = 0) {
        objects.push_back(std::make_unique<RecordingObject>(&log));
        RecordingObject* o = objects.back().get();
        o->setPosition(x, y, z);
        return o;
    }

    void TearDown() override {
        objects.clear();
        renderQueue().clear();
        GLTest::TearDown();
    }

private:
    std::vector<std::unique_ptr<RecordingObject>> objects;
};

// --- local transform and world cache -------------------------------------------------------

TEST_F(ObjectTest, WorldPositionOfTheLocalOrigin) {
    // Worked out in double precision: what is set is what comes back, and quarter turns are
    // exact.
    RecordingObject* plain = make(0.1, -0.2, 0.3);
    expectExactly(plain->worldPosition, 0.1, -0.2, 0.3);

    RecordingObject* turned = make();
    turned->setRotation(90, 0, 0);
    turned->setPosition(0, 5, 0); // the rotation about x carries the translation along
    expectExactly(turned->worldPosition, 0, 0, 5);

    RecordingObject* scaled = make();
    scaled->scale = VORN_Vector(2, 2, 2);
    scaled->setPosition(1, 0, 0); // the translation happens inside the scaled frame
    expectExactly(scaled->worldPosition, 2, 0, 0);

    RecordingObject* both = make();
    both->setPosition(1, 0, 0);
    both->setRotation(90, 90, 0); // Rx · Ry: turned about y first, then about x
    expectExactly(both->worldPosition, 0, 1, 0);
}

TEST_F(ObjectTest, WorldOrientationRowsAreTheImagesOfTheLocalAxes) {
    RecordingObject* o = make(3, 0, 0);
    o->setRotation(0, 0, 90);
    expectExactly(o->worldOrientation[0], 0, 1, 0);
    expectExactly(o->worldOrientation[1], -1, 0, 0);
    expectExactly(o->worldOrientation[2], 0, 0, 1);
    expectExactly(o->worldPosition, 0, 3, 0);
}

TEST_F(ObjectTest, WorldMatrixIsTheOneGLBuildsFromTheSameCalls) {
    for (const ChainCase& c : chainCases) {
        SCOPED_TRACE(c.name);
        std::vector<RecordingObject*> chain;
        for (const Level& level : c.levels) {
            RecordingObject* o = make();
            o->position = level.position;
            o->rotation = level.rotation;
            o->scale = level.scale;
            if (!chain.empty()) {
                o->parent = chain.back();
                chain.back()->children.append(o);
            }
            chain.push_back(o);
        }
        RecordingObject* leaf = chain.back();

        // From the root: the parent chain's calls, root first, then the leaf's own.
        leaf->updateTransform(true);
        GLdouble gl[16];
        glLoadIdentity();
        leaf->applyTransform(true);
        modelView(gl);
        expectSameMatrix(leaf->worldMatrix, gl);
        EXPECT_EQ(leaf->worldPosition.x(), leaf->worldMatrix(0, 3));
        EXPECT_EQ(leaf->worldOrientation[2][1], leaf->worldMatrix(1, 2)); // row k: column k

        // Through the tracked children of the root: each level on top of the one above.
        if (chain.size() > 1) {
            chain[chain.size() - 2]->trackChildren(+1);
            leaf->worldMatrix = VORN_Matrix4();
            chain.front()->updateTransform(true);
            expectSameMatrix(leaf->worldMatrix, gl);
        }
        glLoadIdentity();
    }
}

TEST_F(ObjectTest, MatrixCallsGiveWhatTheSameGLCallsGive) {
    VORN_Matrix4 cpu;
    cpu.translate(1.5, -2, 0.25)
        .rotate(37, 1, 2, -3) // any axis, normalised first
        .scale(2, -1, 0.5)
        .rotate(-400, 0, 0, 5) // a long axis and more than a full turn back
        .rotate(12.5, 0, -1, 0)
        .translate(-0.75, 3, 1);
    glLoadIdentity();
    glTranslated(1.5, -2, 0.25);
    glRotated(37, 1, 2, -3);
    glScaled(2, -1, 0.5);
    glRotated(-400, 0, 0, 5);
    glRotated(12.5, 0, -1, 0);
    glTranslated(-0.75, 3, 1);
    GLdouble gl[16];
    modelView(gl);
    expectSameMatrix(cpu, gl);

    // The product is the one glMultMatrixd makes.
    VORN_Matrix4 other;
    other.rotate(-64, 3, 0.5, 1).translate(0.5, 0, -2);
    glMultMatrixd(other.data());
    modelView(gl);
    expectSameMatrix(cpu * other, gl);
    glLoadIdentity();

    // Quarter turns leave no trace of the cosine; a zero axis turns nothing.
    VORN_Matrix4 quarter;
    quarter.rotate(-270, 0, 2, 0);
    EXPECT_EQ(quarter(0, 0), 0.0);
    EXPECT_EQ(quarter(0, 2), 1.0);
    EXPECT_EQ(quarter(2, 0), -1.0);
    VORN_Matrix4 still;
    still.rotate(30, 0, 0, 0);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(still.data()[i], VORN_Matrix4().data()[i]);
}

TEST_F(ObjectTest, SetWorldPositionAfterTurningLandsOnTheTarget) {
    RecordingObject* lamp = make();
    lamp->setRotation(270, 0, 0);
    lamp->setWorldPosition(20, 7, 20);
    EXPECT_DOUBLE_EQ(lamp->worldPosition.x(), 20);
    EXPECT_DOUBLE_EQ(lamp->worldPosition.y(), 7);
    EXPECT_DOUBLE_EQ(lamp->worldPosition.z(), 20);

    RecordingObject* skewed = make(1, 2, 3);
    skewed->setRotation(30, 45, 60);
    skewed->setWorldPosition(VORN_Vector(-4, 5, 6));
    expectNear(skewed->worldPosition, -4, 5, 6);
}

TEST_F(ObjectTest, SetWorldPositionHonoursTheScale) {
    RecordingObject* o = make();
    o->scale = VORN_Vector(2, 0.5, 3);
    o->setRotation(0, 90, 0);
    o->setWorldPosition(3, 4, 5);
    expectNear(o->worldPosition, 3, 4, 5);
}

TEST_F(ObjectTest, SetWorldPositionIsRelativeToTheParentsFrame) {
    RecordingObject* base = make(10, 0, 0);
    base->setRotation(0, 90, 0);
    RecordingObject* o = make();
    o->parent = base;
    o->updateTransform(true); // the cached orientation now includes the parent's turn
    o->setWorldPosition(12, 3, 4);
    expectNear(o->worldPosition, 12, 3, 4);
    // The local position is expressed in the parent's turned frame, not as the world offset.
    EXPECT_GT(std::fabs(o->position.x() - (12 - base->worldPosition.x())), 0.1);
}

TEST_F(ObjectTest, ParentChainIsAppliedRootFirst) {
    RecordingObject* root = make(1, 0, 0);
    root->setRotation(0, 0, 90);
    RecordingObject* middle = make(1, 0, 0);
    middle->parent = root;
    RecordingObject* leaf = make();
    leaf->parent = middle;
    leaf->setPosition(0, 1, 0);
    expectExactly(leaf->worldPosition, -1, 2, 0); // Rz(90) · (2, 1, 0)
}

TEST_F(ObjectTest, UpdateTransformNeitherReadsNorChangesTheGLMatrix) {
    glTranslated(5, 0, 0);
    double before[16];
    modelView(before);
    const GLint depth = stackDepth();

    RecordingObject* o = make(1, 0, 0);
    expectExactly(o->worldPosition, 1, 0, 0); // from the root
    o->updateTransform(false);                // without a parent: on top of the identity
    expectExactly(o->worldPosition, 1, 0, 0);
    // Not from the root: on top of the parent's cached world matrix, even a stale one.
    RecordingObject* base = make(0, 2, 0);
    o->parent = base;
    base->position = VORN_Vector(0, 7, 0);
    o->updateTransform(false);
    expectExactly(o->worldPosition, 1, 2, 0);
    o->updateTransform(true);
    expectExactly(o->worldPosition, 1, 7, 0);

    double after[16];
    modelView(after);
    EXPECT_EQ(std::memcmp(before, after, sizeof before), 0);
    EXPECT_EQ(stackDepth(), depth);
}

// --- surface state ----------------------------------------------------------------------------

TEST_F(ObjectTest, ColourShowsAtOnceBeforeCompileAndOnlyAfterRecompileLater) {
    RecordingObject* o = make();
    o->setColor(1, 0, 0, 1);
    EXPECT_EQ(pointColor([&] { o->paint(false, nullptr); }), rgba(1, 0, 0, 1));
    o->setColor(0, 0, 1, 1);
    EXPECT_EQ(pointColor([&] { o->paint(false, nullptr); }), rgba(0, 0, 1, 1));

    o->compile();
    o->setColor(0, 1, 0, 1);
    glColor4f(1, 1, 0, 1);
    EXPECT_EQ(pointColor([&] { o->paint(false, nullptr); }), rgba(0, 0, 1, 1));
    o->compile();
    EXPECT_EQ(pointColor([&] { o->paint(false, nullptr); }), rgba(0, 1, 0, 1));
}

TEST_F(ObjectTest, TexturePointerNullUnbindsZeroNameKeepsTheBinding) {
    GLuint names[2];
    glGenTextures(2, names);
    RecordingObject* o = make();

    glBindTexture(GL_TEXTURE_2D, names[0]);
    o->paint(false, nullptr); // no texture pointer
    EXPECT_EQ(log.back().texture, 0);

    GLuint pending = 0; // a texture that has not been created yet
    o->texture = &pending;
    glBindTexture(GL_TEXTURE_2D, names[0]);
    o->paint(false, nullptr);
    EXPECT_EQ(log.back().texture, GLint(names[0]));

    pending = names[1]; // read when the state is set, not when the pointer was stored
    o->paint(false, nullptr);
    EXPECT_EQ(log.back().texture, GLint(names[1]));

    // A compiled object keeps the name of the moment of compilation.
    o->compile();
    pending = names[0];
    glBindTexture(GL_TEXTURE_2D, 0);
    o->paint(false, nullptr);
    EXPECT_EQ(boundTexture(), GLint(names[1]));
    glDeleteTextures(2, names);
}

TEST_F(ObjectTest, MaterialIsAppliedBeforeTheGeometryAndFrozenByCompile) {
    VORN_Material m(floatColor(0.1f, 0.1f, 0.1f, 1), floatColor(0.25f, 0.5f, 0.75f, 1),
                    floatColor(0, 0, 0, 1), 8);
    RecordingObject* o = make();
    o->material = &m;
    GLfloat diffuse[4];

    o->paint(false, nullptr);
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    EXPECT_FLOAT_EQ(diffuse[2], 0.75f);

    // The uncompiled material's calls are recorded into the object's own list.
    o->compile();
    m.diffuse = floatColor(1, 0, 0, 1);
    VORN_Material::resetMaterial();
    o->paint(false, nullptr);
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    EXPECT_FLOAT_EQ(diffuse[0], 0.25f);
    EXPECT_FLOAT_EQ(diffuse[2], 0.75f);
}

TEST_F(ObjectTest, GeometryOnlyPaintSetsNoSurfaceState) {
    VORN_Material m(floatColor(1, 1, 1, 1), floatColor(1, 1, 1, 1), floatColor(1, 1, 1, 1), 50);
    GLuint name = 0;
    glGenTextures(1, &name);
    RecordingObject* o = make();
    o->setColor(1, 0, 0, 1);
    o->material = &m; // the object's texture pointer stays null, which would unbind

    for (bool compiled : {false, true}) {
        SCOPED_TRACE(compiled ? "compiled" : "immediate");
        if (compiled)
            o->compile();
        VORN_Material::resetMaterial();
        glBindTexture(GL_TEXTURE_2D, name);
        glColor4f(0, 1, 0, 1);
        EXPECT_EQ(pointColor([&] { o->paint(true, nullptr); }), rgba(0, 1, 0, 1));
        EXPECT_EQ(boundTexture(), GLint(name));
        GLfloat shininess = -1;
        glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
        EXPECT_FLOAT_EQ(shininess, 0);
    }
    glDeleteTextures(1, &name);
}

// --- display lists ----------------------------------------------------------------------------

TEST_F(ObjectTest, CompileBuildsAPairOfListsFromOneConelessDraw) {
    RecordingObject* o = make();
    o->compile();
    ASSERT_NE(o->displayList, 0u);
    EXPECT_EQ(o->geometryList, o->displayList + 1);
    EXPECT_TRUE(glIsList(o->displayList));
    EXPECT_TRUE(glIsList(o->geometryList));
    ASSERT_EQ(o->draws, 1);
    EXPECT_EQ(log.back().cone, nullptr);

    // Painting now replays the lists; the geometry still arrives.
    const VORN_OcclusionCone cone(quarterPi, 1, 100);
    EXPECT_EQ(captureFeedback(4, [&] { o->paint(false, &cone); }).size(), 1u);
    EXPECT_EQ(captureFeedback(4, [&] { o->paint(true, &cone); }).size(), 1u);
    EXPECT_EQ(o->draws, 1);

    // A second compile replaces the pair and deletes the old one.
    const GLuint old = o->displayList;
    o->compile();
    EXPECT_EQ(o->geometryList, o->displayList + 1);
    EXPECT_TRUE(glIsList(o->displayList));
    if (o->displayList != old) {
        EXPECT_FALSE(glIsList(old));
        EXPECT_FALSE(glIsList(old + 1));
    }
}

TEST_F(ObjectTest, CompileAtFirstPaintRecordsTheListsThenAndOnlyOnce) {
    RecordingObject* o = make();
    o->setColor(1, 0, 0, 1);
    o->compileAtFirstPaint();
    EXPECT_EQ(o->displayList, 0u);
    EXPECT_EQ(o->draws, 0);

    // Painted inside a list being recorded: drawn directly, still waiting.
    const GLuint outer = glGenLists(1);
    glNewList(outer, GL_COMPILE);
    o->paint(true, nullptr);
    glEndList();
    EXPECT_EQ(o->displayList, 0u);
    EXPECT_TRUE(o->compilePending);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    glDeleteLists(outer, 1);

    // The first paint of its own, geometry only, records both lists from a coneless draw.
    const int drawsBefore = o->draws;
    const VORN_OcclusionCone cone(quarterPi, 1, 100);
    EXPECT_EQ(captureFeedback(4, [&] { o->paint(true, &cone); }).size(), 1u);
    ASSERT_NE(o->displayList, 0u);
    EXPECT_TRUE(glIsList(o->displayList));
    EXPECT_FALSE(o->compilePending);
    EXPECT_EQ(o->draws, drawsBefore + 1);
    EXPECT_EQ(log.back().cone, nullptr);

    // From then on the lists are replayed, with the colour of the moment they were recorded.
    o->setColor(0, 1, 0, 1);
    EXPECT_EQ(pointColor([&] { o->paint(false, nullptr); }), rgba(1, 0, 0, 1));
    EXPECT_EQ(o->draws, drawsBefore + 1);
}

TEST_F(ObjectTest, SharedListsSurviveRecompileAndDestruction) {
    auto* o = new RecordingObject;
    o->sharedLists = true;
    o->compile();
    const GLuint first = o->displayList;
    o->compile();
    EXPECT_NE(o->displayList, first);
    EXPECT_TRUE(glIsList(first));
    EXPECT_TRUE(glIsList(first + 1));
    const GLuint second = o->displayList;
    delete o;
    EXPECT_TRUE(glIsList(second));

    auto* own = new RecordingObject;
    own->compile();
    const GLuint lists = own->displayList;
    delete own;
    EXPECT_FALSE(glIsList(lists));
    EXPECT_FALSE(glIsList(lists + 1));
    glDeleteLists(first, 2);
    glDeleteLists(second, 2);
}

TEST_F(ObjectTest, CompileWithoutListsThrowsAndLeavesTheObjectUncompiled) {
    RecordingObject* o = make();
    // GL hands out no list names between glBegin and glEnd.
    glBegin(GL_POINTS);
    const char* message = nullptr;
    try {
        o->compile();
    } catch (const char* m) {
        message = m;
    }
    glEnd();
    ASSERT_NE(message, nullptr);
    EXPECT_STREQ(message, "VORN_Object::compile(): could not create displaylist");
    EXPECT_EQ(o->displayList, 0u);
    EXPECT_EQ(o->geometryList, 0u);
}

// --- render traversal ---------------------------------------------------------------------------

TEST_F(ObjectTest, ChildrenAreDrawnInTheParentsFrameInListOrder) {
    RecordingObject* parent = make(5, 0, 0);
    RecordingObject* first = make(1, 0, 0);
    RecordingObject* second = make(0, 2, 0);
    parent->children = {first, nullptr, second};
    const GLint depth = stackDepth();

    parent->render(0, nullptr);
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].object, parent);
    EXPECT_EQ(log[1].object, first);
    EXPECT_EQ(log[2].object, second);
    expectNear(translationOf(log[1].modelView), 6, 0, 0);
    expectNear(translationOf(log[2].modelView), 5, 2, 0);
    EXPECT_EQ(stackDepth(), depth);
    double m[16];
    modelView(m);
    EXPECT_DOUBLE_EQ(m[12], 0);
}

TEST_F(ObjectTest, CulledObjectHidesItsWholeSubtree) {
    const VORN_OcclusionCone cone(quarterPi, 1, 100);
    RecordingObject* behind = make(0, 0, 10); // behind the eye
    behind->radius = 1;
    RecordingObject* child = make(0, 0, -20); // in view on its own, and never culled (radius 0)
    behind->children = {child};

    behind->render(0, &cone);
    EXPECT_TRUE(log.empty());

    behind->render(0, nullptr); // no cone: nothing is culled
    EXPECT_EQ(log.size(), 2u);

    log.clear();
    behind->setPosition(0, 0, -10); // in view: the same cone reaches both draws
    behind->render(0, &cone);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].cone, &cone);
    EXPECT_EQ(log[1].cone, &cone);
}

TEST_F(ObjectTest, RenderModes) {
    RecordingObject* glass = make(0, 0, -5);
    glass->transparent = true;
    glass->radius = 0.5;
    glass->setColor(0, 0, 1, 0.5);
    RecordingObject* opaque = make(1, 0, 0);
    opaque->setColor(1, 0, 0, 1);
    glass->children = {opaque};

    // 0: everything, with the surface state.
    glass->render(0, nullptr);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].color[2], 1.0);
    EXPECT_TRUE(renderQueue().empty());

    // 1: the transparent object is queued instead of drawn; its opaque child is drawn.
    log.clear();
    glTranslated(0, 3, 0);
    glass->render(1, nullptr);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].object, opaque);
    ASSERT_EQ(renderQueue().size(), 1u);
    const RenderQueueEntry& entry = renderQueue()[0];
    EXPECT_EQ(entry.object, glass);
    EXPECT_NEAR(entry.key, 3 * 3 + 5 * 5 - 0.5, eps); // squared distance minus the radius
    expectNear(translationOf(entry.matrix), 0, 3, -5);
    renderQueue().clear();

    // 2: geometry only, transparent or not; no colour is set.
    log.clear();
    glColor4f(0, 1, 0, 1);
    glass->render(2, nullptr);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].color[1], 1.0);
    EXPECT_EQ(log[1].color[1], 1.0);
    EXPECT_TRUE(renderQueue().empty());

    // Any other mode draws nothing.
    log.clear();
    glass->render(3, nullptr);
    EXPECT_TRUE(log.empty());
}

// --- signals and cache tracking ---------------------------------------------------------------

TEST_F(ObjectTest, SignalsOnlyWhenObserved) {
    qRegisterMetaType<VORN_Vector>();
    auto* o = new RecordingObject;
    QSignalSpy moved(o, &VORN_Object::positionUpdate);
    QSignalSpy gone(o, &VORN_Object::deleted);
    o->setPosition(1, 2, 3);
    EXPECT_EQ(moved.count(), 0);

    o->observed = true;
    o->setRotation(0, 0, 90);
    ASSERT_EQ(moved.count(), 1);
    expectNear(moved[0][0].value<VORN_Vector>(), -2, 1, 3);

    QSignalSpy hit(o, &VORN_Object::collisionDetected);
    emit o->collisionDetected(); // raised by the game from outside
    EXPECT_EQ(hit.count(), 1);

    delete o;
    EXPECT_EQ(gone.count(), 1);

    auto* quiet = new RecordingObject;
    QSignalSpy quietGone(quiet, &VORN_Object::deleted);
    delete quiet;
    EXPECT_EQ(quietGone.count(), 0);
}

TEST_F(ObjectTest, DestructionReleasesChildrenWithoutDestroyingThem) {
    RecordingObject* child = make(1, 0, 0);
    auto* o = new RecordingObject;
    o->children = {child};
    o->observed = true;
    int childrenSeenAtDeleted = -1;
    QObject::connect(o, &VORN_Object::deleted,
                     [&] { childrenSeenAtDeleted = static_cast<int>(o->children.size()); });
    delete o;
    EXPECT_EQ(childrenSeenAtDeleted, 0);
    child->render(0, nullptr); // still alive and drawable
    EXPECT_EQ(log.size(), 1u);
}

TEST_F(ObjectTest, TrackChildrenCountsOncePerTrackedChild) {
    RecordingObject* root = make();
    RecordingObject* middle = make();
    RecordingObject* leaf = make();
    middle->parent = root;
    leaf->parent = middle;

    leaf->trackChildren(+1);
    leaf->trackChildren(+1);
    EXPECT_EQ(leaf->trackedChildren, 2);
    EXPECT_EQ(middle->trackedChildren, 1);
    EXPECT_EQ(root->trackedChildren, 1);

    leaf->trackChildren(-1);
    EXPECT_EQ(middle->trackedChildren, 1);
    leaf->trackChildren(-1);
    EXPECT_EQ(leaf->trackedChildren, 0);
    EXPECT_EQ(middle->trackedChildren, 0);
    EXPECT_EQ(root->trackedChildren, 0);

    middle->trackChildren(+1); // its own registration
    leaf->trackChildren(+1);
    EXPECT_EQ(middle->trackedChildren, 2);
    EXPECT_EQ(root->trackedChildren, 1);
}

TEST_F(ObjectTest, TrackedChildrenFollowTheirParentsMoves) {
    qRegisterMetaType<VORN_Vector>();
    RecordingObject* base = make();
    RecordingObject* rider = make();
    base->children = {rider};
    rider->parent = base;
    rider->setPosition(1, 0, 0);

    base->setPosition(5, 0, 0); // untracked: the rider's cache goes stale
    expectNear(rider->worldPosition, 1, 0, 0);

    rider->trackChildren(+1);
    rider->observed = true;
    QSignalSpy moved(rider, &VORN_Object::positionUpdate);
    base->setPosition(7, 0, 0);
    expectNear(rider->worldPosition, 8, 0, 0);
    ASSERT_EQ(moved.count(), 1);
    expectNear(moved[0][0].value<VORN_Vector>(), 8, 0, 0);
}
