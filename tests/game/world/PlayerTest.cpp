// The player record: random placement of the figures, their setup, the turn order, removals with
// their bookkeeping, and what registration with the scene, collisions and gravity leaves behind.
#include "game/world/Player.h"
#include "engine/physics/VORN_BoundingSphere.h"
#include "engine/physics/VORN_CollisionHandler.h"
#include "engine/physics/VORN_CollisionManger.h"
#include "engine/physics/VORN_PhysicsContainer.h"
#include "engine/physics/VORN_PhysicsGroup.h"
#include "engine/scene/VORN_Material.h"
#include "game/rules/GameRandom.h"
#include "game/world/Tortoise.h"
#include "tests/support/GLTest.h"

#include <algorithm>
#include <cstdlib>
#include <list>
#include <vector>

using namespace VORN_LIB;

namespace {

class IgnoringHandler : public VORN_CollisionHandler {
public:
    void handleCollision(VORN_Object*, VORN_Object*, VORN_Contact*) override {}
};

template <typename T> bool contains(const std::list<T*>& list, T* item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

// A scene, a collision manager and a gravity group that already hold one entry each of something
// else, which no player may touch.
class PlayerTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        other = new VORN_Object(VORN_Vector(0, 0, 0), VORN_Vector(0, 0, 0), VORN_Vector(1, 1, 1),
                                VORN_Color(1, 1, 1, 1));
        scene = new VORN_Object(VORN_Vector(0, 0, 0), VORN_Vector(0, 0, 0), VORN_Vector(1, 1, 1),
                                VORN_Color(1, 1, 1, 1));
        otherBody = new VORN_PhysicsContainer(1.0, other, VORN_Vector(0, 0, 0));
        otherSphere = new VORN_BoundingSphere(0.1, other);
        manager = new VORN_CollisionManger(&handler);
        scene->children.append(other);
        manager->addVolume(otherSphere);
        group.add(otherBody);
        group.gravity = VORN_Vector(0, -0.9, 0);
    }

    void TearDown() override {
        delete manager;
        delete otherSphere;
        delete otherBody;
        delete scene;
        delete other;
        GLTest::TearDown();
    }

    void expectOnlyOthersListed() {
        EXPECT_EQ(scene->children, QList<VORN_Object*>{other});
        EXPECT_EQ(manager->volumes, std::list<VORN_BoundingVolume*>{otherSphere});
        EXPECT_EQ(group.containers, std::list<VORN_PhysicsContainer*>{otherBody});
    }

    // Counts the destruction of the player's figures and containers as they happen.
    void watchDestruction(Player& p) {
        for (unsigned i = 0; i < p.count; ++i) {
            if (p.figure(i))
                QObject::connect(p.figure(i), &QObject::destroyed, [this] { ++figuresGone; });
            if (p.body(i))
                QObject::connect(p.body(i), &QObject::destroyed, [this] { ++bodiesGone; });
        }
    }

    // The slots handed out by the next n calls of nextFigure().
    static std::vector<int> turnOrder(Player& p, int n) {
        std::vector<int> order;
        for (int k = 0; k < n; ++k) {
            Tortoise* figure = p.nextFigure();
            order.push_back(figure == p.figure(p.current) ? p.current : -2);
        }
        return order;
    }

    IgnoringHandler handler;
    VORN_Object* scene = nullptr;
    VORN_Object* other = nullptr;
    VORN_PhysicsContainer* otherBody = nullptr;
    VORN_BoundingSphere* otherSphere = nullptr;
    VORN_CollisionManger* manager = nullptr;
    VORN_PhysicsGroup group;
    int figuresGone = 0;
    int bodiesGone = 0;
};

const VORN_Color orange(1.0, 0.5, 0.25, 0.8);

} // namespace

TEST(GameRandom, DrawsCoverZeroTo32767AndMapOntoTheirRange) {
    EXPECT_EQ(drawInRange(0, -75, 75), -75);
    EXPECT_EQ(drawInRange(randomDrawMax, -75, 75), 75);
    EXPECT_EQ(drawInRange(0, -35, 35), -35);
    EXPECT_EQ(drawInRange(randomDrawMax, -35, 35), 35);
    EXPECT_EQ(drawInRange(randomDrawMax, 0, 1), 1);
    EXPECT_DOUBLE_EQ(drawInRange(16384, -75, 75), 16384 * 150 / 32767.0 - 75);

    std::srand(7);
    int lowest = randomDrawMax;
    int highest = 0;
    for (int k = 0; k < 20000; ++k) {
        const int r = randomDraw();
        ASSERT_GE(r, 0);
        ASSERT_LE(r, randomDrawMax);
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    EXPECT_LT(lowest, 100);
    EXPECT_GT(highest, randomDrawMax - 100);
}

TEST_F(PlayerTest, NewPlayerHasAMaterialFromItsColourAndNoFigures) {
    Player p(orange);
    ASSERT_NE(p.material, nullptr);
    const float ambient[4] = {0.1f, 0.05f, 0.025f, 0.08f};
    const float diffuse[4] = {1.0f, 0.5f, 0.25f, 0.8f};
    for (unsigned k = 0; k < 4; ++k) {
        EXPECT_FLOAT_EQ(p.material->ambient[k], ambient[k]) << k;
        EXPECT_FLOAT_EQ(p.material->diffuse[k], diffuse[k]) << k;
        EXPECT_EQ(p.material->specular[k], 1.0f) << k;
        EXPECT_EQ(p.color[k], orange[k]) << k;
    }
    EXPECT_EQ(p.material->shininess, 30.0f);
    EXPECT_EQ(p.material->listName, 0u);

    EXPECT_EQ(p.figure(0), nullptr);
    EXPECT_EQ(p.count, 0u);
    EXPECT_EQ(p.alive, 0u);
    EXPECT_EQ(p.current, -1);
    EXPECT_EQ(p.nextFigure(), nullptr);
    p.removeFigure(0);
    EXPECT_EQ(p.alive, 0u);
}

TEST_F(PlayerTest, FiguresStartAtRandomPlacesFiveUnitsUp) {
    const unsigned n = 9;
    std::srand(1234);
    std::vector<double> xs, zs;
    for (unsigned i = 0; i < n; ++i) {
        xs.push_back(drawInRange(randomDraw(), -75, 75));
        zs.push_back(drawInRange(randomDraw(), -35, 35));
    }

    std::srand(1234);
    Player p(orange);
    p.createFigures(n, -75, 75, -35, 35);
    ASSERT_NE(p.figure(0), nullptr);
    EXPECT_EQ(p.count, n);
    EXPECT_EQ(p.alive, n);
    EXPECT_EQ(p.current, -1);
    EXPECT_EQ(p.totalHealth, 900);

    for (unsigned i = 0; i < n; ++i) {
        SCOPED_TRACE(i);
        Tortoise* f = p.figure(i);
        ASSERT_NE(f, nullptr);
        // Placed exactly where drawn: the transform is worked out in double precision.
        EXPECT_EQ(f->worldPosition.x(), xs[i]);
        EXPECT_EQ(f->worldPosition.y(), 5.0);
        EXPECT_EQ(f->worldPosition.z(), zs[i]);
        EXPECT_GE(f->worldPosition.x(), -75);
        EXPECT_LE(f->worldPosition.x(), 75);
        EXPECT_GE(f->worldPosition.z(), -35);
        EXPECT_LE(f->worldPosition.z(), 35);

        EXPECT_EQ(f->size, 0.3);
        EXPECT_EQ(f->health, 100);
        EXPECT_EQ(f->material, p.material.get());
        for (unsigned k = 0; k < 4; ++k)
            EXPECT_EQ(f->color[k], orange[k]);
        // The model is recorded at the figure's first paint, not here.
        EXPECT_EQ(f->displayList, 0u);
        EXPECT_TRUE(f->compilePending);

        ASSERT_NE(p.body(i), nullptr);
        EXPECT_EQ(p.body(i)->object, f);
        EXPECT_EQ(p.body(i)->mass, 1.0);
        EXPECT_EQ(p.body(i)->velocity.lengthSquared(), 0.0);

        ASSERT_NE(p.sphere(i), nullptr);
        EXPECT_EQ(p.sphere(i)->radius, 0.3);
        EXPECT_EQ(p.sphere(i)->owner, p.body(i));
        EXPECT_TRUE(p.sphere(i)->ownerIsContainer);
        EXPECT_TRUE(p.sphere(i)->movable);
        EXPECT_EQ(p.sphere(i)->ownerObject(), f);
    }
}

TEST_F(PlayerTest, NextFigureCyclesThroughThePresentSlots) {
    Player p(orange);
    p.createFigures(3, -1, 1, -1, 1);
    EXPECT_EQ(turnOrder(p, 4), (std::vector<int>{0, 1, 2, 0}));
    p.removeFigure(1);
    EXPECT_EQ(turnOrder(p, 4), (std::vector<int>{2, 0, 2, 0}));

    Player fresh(orange);
    fresh.createFigures(3, -1, 1, -1, 1);
    fresh.removeFigure(1);
    EXPECT_EQ(turnOrder(fresh, 4), (std::vector<int>{0, 2, 0, 2}));

    fresh.removeFigure(0);
    fresh.removeFigure(2);
    EXPECT_EQ(fresh.alive, 0u);
    EXPECT_EQ(fresh.nextFigure(), nullptr);
}

TEST_F(PlayerTest, RemovingAFigureTakesItsRemainingHealthOnce) {
    Player registered(orange);
    registered.createFigures(3, -1, 1, -1, 1);
    registered.registerWith(scene, manager, &group);
    Player loose(orange);
    loose.createFigures(3, -1, 1, -1, 1);

    for (Player* p : {&registered, &loose}) {
        SCOPED_TRACE(p == &loose ? "unregistered" : "registered");
        watchDestruction(*p);
        figuresGone = bodiesGone = 0;
        p->figure(1)->health = 40;
        p->removeFigure(1);
        EXPECT_EQ(p->totalHealth, 260);
        EXPECT_EQ(p->alive, 2u);
        EXPECT_EQ(p->figure(1), nullptr);
        EXPECT_EQ(p->sphere(1), nullptr);
        EXPECT_EQ(p->body(1), nullptr);
        EXPECT_EQ(figuresGone, 1);
        EXPECT_EQ(bodiesGone, 1);

        p->removeFigure(1);
        p->removeFigure(3); // no such slot
        EXPECT_EQ(p->totalHealth, 260);
        EXPECT_EQ(p->alive, 2u);
        EXPECT_EQ(figuresGone, 1);
        EXPECT_NE(p->figure(0), nullptr);
        EXPECT_NE(p->figure(2), nullptr);
    }
}

TEST_F(PlayerTest, RegisteredFiguresJoinTheSceneCollisionsAndGravity) {
    Player p(orange);
    p.createFigures(3, -10, 10, -10, 10);
    p.registerWith(scene, manager, &group);
    EXPECT_EQ(scene->children, (QList<VORN_Object*>{other, p.figure(0), p.figure(1), p.figure(2)}));
    EXPECT_EQ(manager->volumes, (std::list<VORN_BoundingVolume*>{otherSphere, p.sphere(0),
                                                                 p.sphere(1), p.sphere(2)}));
    EXPECT_EQ(group.containers,
              (std::list<VORN_PhysicsContainer*>{otherBody, p.body(0), p.body(1), p.body(2)}));

    // One second of gravity moves every figure through its own container.
    group.step(1.0);
    for (unsigned i = 0; i < 3; ++i)
        EXPECT_DOUBLE_EQ(p.figure(i)->worldPosition.y(), 5.0 - 0.9) << i;

    Tortoise* gone = p.figure(1);
    VORN_BoundingSphere* goneSphere = p.sphere(1);
    VORN_PhysicsContainer* goneBody = p.body(1);
    p.removeFigure(1);
    EXPECT_FALSE(scene->children.contains(gone));
    EXPECT_FALSE(contains<VORN_BoundingVolume>(manager->volumes, goneSphere));
    EXPECT_FALSE(contains(group.containers, goneBody));
    EXPECT_EQ(scene->children, (QList<VORN_Object*>{other, p.figure(0), p.figure(2)}));
    EXPECT_EQ(manager->volumes.size(), 3u);
    EXPECT_EQ(group.containers.size(), 3u);
    group.step(0.5); // would touch the destroyed figure if its container were still listed
}

TEST_F(PlayerTest, RegistrationSkipsRemovedSlots) {
    Player p(orange);
    p.createFigures(3, -1, 1, -1, 1);
    p.removeFigure(1);
    p.registerWith(scene, manager, &group);
    EXPECT_EQ(scene->children, (QList<VORN_Object*>{other, p.figure(0), p.figure(2)}));
    EXPECT_EQ(manager->volumes,
              (std::list<VORN_BoundingVolume*>{otherSphere, p.sphere(0), p.sphere(2)}));
    EXPECT_EQ(group.containers,
              (std::list<VORN_PhysicsContainer*>{otherBody, p.body(0), p.body(2)}));
}

TEST_F(PlayerTest, DestroyedPlayerTakesItsFiguresWithIt) {
    Player* registered = new Player(orange);
    registered->createFigures(3, -1, 1, -1, 1);
    registered->removeFigure(2);
    registered->registerWith(scene, manager, &group);
    watchDestruction(*registered);
    delete registered;
    EXPECT_EQ(figuresGone, 2);
    EXPECT_EQ(bodiesGone, 2);
    expectOnlyOthersListed();

    figuresGone = bodiesGone = 0;
    Player* loose = new Player(orange);
    loose->createFigures(4, -1, 1, -1, 1);
    watchDestruction(*loose);
    delete loose;
    EXPECT_EQ(figuresGone, 4);
    EXPECT_EQ(bodiesGone, 4);
    expectOnlyOthersListed();
}

TEST_F(PlayerTest, CreatingFiguresAgainReleasesTheEarlierOnes) {
    Player p(orange);
    p.createFigures(2, -1, 1, -1, 1);
    p.registerWith(scene, manager, &group);
    watchDestruction(p);
    p.figure(0)->health = 10;
    p.createFigures(3, -1, 1, -1, 1);
    EXPECT_EQ(figuresGone, 2);
    EXPECT_EQ(bodiesGone, 2);
    expectOnlyOthersListed();
    EXPECT_EQ(p.count, 3u);
    EXPECT_EQ(p.alive, 3u);
    EXPECT_EQ(p.totalHealth, 300);
}
