// The scene's passes on a real GL context: lighting per pass, the transparent queue drawn farthest
// first with the matrices it was filled with, and geometry-only drawing.
#include "engine/scene/VORN_OcclusionCone.h"
#include "engine/scene/VORN_Scene.h"
#include "tests/engine/scene/GLCapture.h"
#include "tests/support/GLTest.h"

#include <cmath>
#include <cstring>
#include <memory>

using namespace VORN_LIB;

namespace {
const double quarterPi = std::atan(1.0);
}

class SceneTest : public GLTest {
protected:
    std::vector<DrawRecord> log;
    VORN_Scene scene;

    // A child of the scene (or of parent), owned by the test.
    RecordingObject* add(double x, double y, double z, bool transparent = false,
                         VORN_Object* parent = nullptr) {
        objects.push_back(std::make_unique<RecordingObject>(&log));
        RecordingObject* o = objects.back().get();
        o->setPosition(x, y, z);
        o->transparent = transparent;
        (parent ? parent : &scene)->children.append(o);
        return o;
    }

    double drawnZ(size_t i) const { return log.at(i).modelView[14]; }

    void TearDown() override {
        renderQueue().clear();
        objects.clear();
        GLTest::TearDown();
    }

private:
    std::vector<std::unique_ptr<RecordingObject>> objects;
};

TEST_F(SceneTest, LightingFollowsTheSceneInEveryPass) {
    add(0, 0, -3, false);
    RecordingObject* glass = add(0, 0, -4, true);
    for (bool lit : {false, true}) {
        scene.lighting = lit;
        for (char pass : {0, 1, 2, 3}) {
            SCOPED_TRACE(testing::Message() << "lighting " << lit << ", pass " << int(pass));
            if (lit)
                glDisable(GL_LIGHTING);
            else
                glEnable(GL_LIGHTING);
            log.clear();
            scene.renderPass(pass, nullptr);
            EXPECT_EQ(bool(glIsEnabled(GL_LIGHTING)), lit);
            ASSERT_FALSE(log.empty());
            for (const DrawRecord& r : log)
                EXPECT_EQ(bool(r.lighting), lit);
            if (pass == 2) {
                EXPECT_EQ(log[0].object, glass);
            }
        }
    }
}

TEST_F(SceneTest, TransparentObjectsAreDrawnFarthestFirstWithTheirQueuedMatrices) {
    const double depths[3] = {-10, -2, -5};
    for (double z : depths)
        add(0, 0, z, true)->setColor(0, 0, -z / 10, 0.5);
    add(1, 0, -7, false); // opaque: drawn at once in pass 1

    scene.renderPass(1, nullptr);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_FALSE(log[0].object->transparent);
    ASSERT_EQ(renderQueue().size(), 3u);

    // The caller's matrix may have moved on: queued objects are drawn where they were met.
    log.clear();
    glTranslated(100, 0, 0);
    double before[16];
    modelView(before);
    GLint depthBefore = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthBefore);
    const VORN_OcclusionCone cone(quarterPi, 1, 100);
    scene.renderPass(2, &cone);

    ASSERT_EQ(log.size(), 3u);
    EXPECT_DOUBLE_EQ(drawnZ(0), -10);
    EXPECT_DOUBLE_EQ(drawnZ(1), -5);
    EXPECT_DOUBLE_EQ(drawnZ(2), -2);
    for (const DrawRecord& r : log) {
        EXPECT_DOUBLE_EQ(r.modelView[12], 0);
        EXPECT_NEAR(r.color[2], -r.modelView[14] / 10, 1e-6); // with its own surface state
        EXPECT_EQ(r.cone, &cone);
    }
    EXPECT_TRUE(renderQueue().empty());
    EXPECT_GE(renderQueue().capacity(), 3u); // kept for the next frame

    double after[16];
    modelView(after);
    EXPECT_EQ(std::memcmp(before, after, sizeof before), 0);
    GLint depthAfter = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthAfter);
    EXPECT_EQ(depthAfter, depthBefore);
}

TEST_F(SceneTest, AtEqualDistanceTheSmallerRadiusHasTheLargerKey) {
    for (bool smallFirst : {false, true}) {
        SCOPED_TRACE(smallFirst ? "small radius listed first" : "large radius listed first");
        scene.children.clear();
        log.clear();
        RecordingObject* a = add(0, 0, -5, true);
        RecordingObject* b = add(0, 5, 0, true);
        RecordingObject* small = smallFirst ? a : b;
        RecordingObject* large = smallFirst ? b : a;
        small->radius = 0.5;
        large->radius = 1;
        scene.renderPass(1, nullptr);
        scene.renderPass(2, nullptr);
        ASSERT_EQ(log.size(), 2u);
        EXPECT_EQ(log[0].object, small);
        EXPECT_EQ(log[1].object, large);
    }
}

TEST_F(SceneTest, PassTwoWithAnEmptyQueueDrawsNothingAndKeepsTheMatrix) {
    add(0, 0, -3, false);
    glTranslated(1, 2, 3);
    double before[16];
    modelView(before);
    scene.renderPass(2, nullptr);
    EXPECT_TRUE(log.empty());
    double after[16];
    modelView(after);
    EXPECT_EQ(std::memcmp(before, after, sizeof before), 0);
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
}

TEST_F(SceneTest, PassZeroDrawsTransparentObjectsInTreeOrderWithoutQueuing) {
    add(0, 0, -2, true);
    add(0, 0, -9, true);
    add(0, 0, -5, false);
    scene.renderPass(0, nullptr);
    ASSERT_EQ(log.size(), 3u);
    EXPECT_DOUBLE_EQ(drawnZ(0), -2);
    EXPECT_DOUBLE_EQ(drawnZ(1), -9);
    EXPECT_DOUBLE_EQ(drawnZ(2), -5);
    EXPECT_TRUE(renderQueue().empty());
}

TEST_F(SceneTest, PassThreeDrawsEverythingAsGeometryOnly) {
    add(0, 0, -2, true)->setColor(1, 0, 0, 1);
    add(0, 0, -5, false)->setColor(1, 0, 0, 1);
    glColor4f(0, 1, 0, 1);
    scene.renderPass(3, nullptr);
    ASSERT_EQ(log.size(), 2u);
    for (const DrawRecord& r : log) {
        EXPECT_EQ(r.color[0], 0.0);
        EXPECT_EQ(r.color[1], 1.0);
    }
    EXPECT_TRUE(renderQueue().empty());
}

TEST_F(SceneTest, TransparentObjectUnderACulledParentIsNotQueued) {
    const VORN_OcclusionCone cone(quarterPi, 1, 100);
    RecordingObject* behind = add(0, 0, 10, false);
    behind->radius = 1;
    add(0, 0, -20, true, behind); // in view by itself
    scene.renderPass(1, &cone);
    EXPECT_TRUE(renderQueue().empty());
    EXPECT_TRUE(log.empty());
}

TEST_F(SceneTest, ChildrenOfAQueuedObjectAreDrawnOnlyInPassOne) {
    RecordingObject* glass = add(0, 0, -4, true);
    RecordingObject* inside = add(0, 1, 0, false, glass);
    scene.renderPass(1, nullptr);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].object, inside);
    log.clear();
    scene.renderPass(2, nullptr);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].object, glass);
}

TEST_F(SceneTest, TheQueueIsSharedByAllScenes) {
    add(0, 0, -3, true);
    scene.renderPass(1, nullptr);
    VORN_Scene other;
    other.renderPass(2, nullptr);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_DOUBLE_EQ(drawnZ(0), -3);
    EXPECT_TRUE(renderQueue().empty());
}
