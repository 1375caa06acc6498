// The collision manager's passes: pair order, sides, duplicates, removal, contact ownership.
#include "engine/physics/VORN_BoundingSphere.h"
#include "engine/physics/VORN_CollisionHandler.h"
#include "engine/physics/VORN_CollisionManger.h"
#include "tests/engine/physics/PhysicsTestSupport.h"
#include "tests/support/GLTest.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

using namespace VORN_LIB;

// Live heap blocks of this test program, so a pass can be checked for leaked contacts. Under
// AddressSanitizer its own allocator and leak checker take over that job.
#if !defined(__SANITIZE_ADDRESS__)
namespace {
std::atomic<long> liveBlocks{0};
}
void* operator new(std::size_t size) {
    void* p = std::malloc(size ? size : 1);
    if (!p)
        throw std::bad_alloc();
    ++liveBlocks;
    return p;
}
void operator delete(void* p) noexcept {
    if (p)
        --liveBlocks;
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}
#define TV_COUNTS_BLOCKS 1
#endif

namespace {

// Records every test it is asked for and, when told to, reports a hit whose record names the
// two volumes: positionA.x is the id of the tested volume, positionB.x that of the argument.
class ProbeVolume : public VORN_BoundingVolume {
public:
    ProbeVolume(VORN_Object* owner, int id, std::vector<std::pair<int, int>>* log)
        : VORN_BoundingVolume(1, owner), id(id), log(log) {}

    VORN_Contact* intersect(VORN_BoundingVolume* other) override {
        const ProbeVolume* probe = static_cast<ProbeVolume*>(other);
        log->emplace_back(id, probe->id);
        if (!hits || other == this)
            return nullptr;
        VORN_Contact* contact = new VORN_Contact;
        contact->positionA = VORN_Vector(id, 0, 0);
        contact->positionB = VORN_Vector(probe->id, 0, 0);
        return contact;
    }

    int id;
    bool hits = true;
    std::vector<std::pair<int, int>>* log;
};

struct Hit {
    VORN_Object* a;
    VORN_Object* b;
    double idA, idB;
};

class RecordingHandler : public VORN_CollisionHandler {
public:
    RecordingHandler() { hits.reserve(16); } // no allocation inside a pass

    void handleCollision(VORN_Object* a, VORN_Object* b, VORN_Contact* contact) override {
        hits.push_back({a, b, contact->positionA.x(), contact->positionB.x()});
    }

    std::vector<Hit> hits;
};

// Applies a hit the way the game does: stop both objects and move them where the record says.
class ApplyingHandler : public VORN_CollisionHandler {
public:
    void handleCollision(VORN_Object* a, VORN_Object* b, VORN_Contact* contact) override {
        emit a->collisionDetected();
        emit b->collisionDetected();
        a->setWorldPosition(contact->positionA);
        b->setWorldPosition(contact->positionB);
        ++count;
    }

    int count = 0;
};

class CollisionMangerTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        log.reserve(16);
        for (int i = 0; i < 3; ++i)
            owners[i] = makeObjectAt(i, 0, 0);
    }

    using Pairs = std::vector<std::pair<int, int>>;

    std::vector<std::pair<int, int>> log;
    std::unique_ptr<VORN_Object> owners[3];
    RecordingHandler handler;
    VORN_CollisionManger manager{&handler};
};

} // namespace

TEST_F(CollisionMangerTest, ANullHandlerIsRefused) {
    try {
        VORN_CollisionManger broken(nullptr);
        FAIL() << "no exception";
    } catch (const char* message) {
        EXPECT_STREQ(message, "VORN_CollisionManger::VORN_CollisionManger:bad pointer");
    }
}

TEST_F(CollisionMangerTest, EveryPairOnceInListOrderWithTheEarlierVolumeAsA) {
    ProbeVolume x(owners[0].get(), 1, &log), y(owners[1].get(), 2, &log),
        z(owners[2].get(), 3, &log);
    manager.addVolume(&x);
    manager.addVolume(&y);
    manager.addVolume(&z);

    manager.checkCollisions();

    EXPECT_EQ(log, (Pairs{{1, 2}, {1, 3}, {2, 3}}));
    ASSERT_EQ(handler.hits.size(), 3u);
    const VORN_Object* expected[3][2] = {{owners[0].get(), owners[1].get()},
                                         {owners[0].get(), owners[2].get()},
                                         {owners[1].get(), owners[2].get()}};
    for (unsigned k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(handler.hits[k].a, expected[k][0]);
        EXPECT_EQ(handler.hits[k].b, expected[k][1]);
        EXPECT_EQ(handler.hits[k].idA, log[k].first) << "the tested volume's record, not swapped";
        EXPECT_EQ(handler.hits[k].idB, log[k].second);
    }
}

TEST_F(CollisionMangerTest, FewerThanTwoVolumesTestNothing) {
    manager.checkCollisions();
    ProbeVolume x(owners[0].get(), 1, &log);
    manager.addVolume(&x);
    manager.addVolume(nullptr);
    manager.checkCollisions();
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(handler.hits.empty());
}

TEST_F(CollisionMangerTest, AVolumeAddedTwiceMeetsItselfWithoutContact) {
    ProbeVolume probe(owners[0].get(), 1, &log);
    manager.addVolume(&probe);
    manager.addVolume(&probe);
    manager.checkCollisions();
    EXPECT_EQ(log, (Pairs{{1, 1}}));

    // A real sphere against itself is never a hit, whatever its flags.
    VORN_BoundingSphere sphere(1.0, owners[0].get());
    sphere.movable = true;
    manager.removeVolume(&probe);
    manager.addVolume(&sphere);
    manager.addVolume(&sphere);
    manager.checkCollisions();
    EXPECT_TRUE(handler.hits.empty());
}

TEST_F(CollisionMangerTest, RemovedVolumesAreNoLongerTested) {
    ProbeVolume x(owners[0].get(), 1, &log), y(owners[1].get(), 2, &log),
        z(owners[2].get(), 3, &log), stranger(owners[0].get(), 4, &log);
    manager.addVolume(&x);
    manager.addVolume(&y);
    manager.addVolume(&x);
    manager.addVolume(&z);

    manager.removeVolume(&stranger);
    manager.removeVolume(nullptr);
    EXPECT_EQ(manager.volumes, (std::list<VORN_BoundingVolume*>{&x, &y, &x, &z}));

    manager.removeVolume(&x);
    EXPECT_EQ(manager.volumes, (std::list<VORN_BoundingVolume*>{&y, &z}));
    manager.checkCollisions();
    EXPECT_EQ(log, (Pairs{{2, 3}}));
}

TEST_F(CollisionMangerTest, EveryContactIsDeletedAfterTheHandlerReturns) {
    ProbeVolume x(owners[0].get(), 1, &log), y(owners[1].get(), 2, &log),
        z(owners[2].get(), 3, &log);
    manager.addVolume(&x);
    manager.addVolume(&y);
    manager.addVolume(&z);
#ifdef TV_COUNTS_BLOCKS
    const long before = liveBlocks;
#endif

    manager.checkCollisions();
    manager.checkCollisions();

    EXPECT_EQ(handler.hits.size(), 6u);
#ifdef TV_COUNTS_BLOCKS
    EXPECT_EQ(liveBlocks, before) << "contacts left alive after the pass";
#endif
}

TEST_F(CollisionMangerTest, LaterTestsSeeCorrectionsOfTheSamePass) {
    // X rests, Y is pushed out of X onto Z, which only then overlaps it.
    ApplyingHandler applying;
    VORN_CollisionManger pass(&applying);
    owners[0]->setPosition(0, 0, 0);
    owners[1]->setPosition(1.5, 0, 0);
    owners[2]->setPosition(3.0, 0, 0);
    VORN_BoundingSphere x(1.0, owners[0].get()), y(1.0, owners[1].get()), z(0.4, owners[2].get());
    y.movable = true;
    pass.addVolume(&x);
    pass.addVolume(&y);
    pass.addVolume(&z);

    pass.checkCollisions();

    EXPECT_EQ(applying.count, 2);
    EXPECT_TRUE(vectorNear(owners[0]->worldPosition, 0, 0, 0));
    EXPECT_TRUE(vectorNear(owners[1]->worldPosition, 1.6, 0, 0));
    EXPECT_TRUE(vectorNear(owners[2]->worldPosition, 3.0, 0, 0));
}
