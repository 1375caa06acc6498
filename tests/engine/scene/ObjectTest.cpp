// Scene objects on a real GL context: world transforms read back from the model-view matrix.
#include "engine/scene/VORN_Object.h"
#include "tests/support/GLTest.h"

using namespace VORN_LIB;

namespace {
VORN_Object* makeObject() {
    return new VORN_Object(VORN_Vector(0, 0, 0), VORN_Vector(0, 0, 0), VORN_Vector(1, 1, 1),
                           VORN_Color(1, 1, 1, 1));
}
} // namespace

using ObjectTest = GLTest;

TEST_F(ObjectTest, RotationCarriesTheTranslationAlong) {
    VORN_Object* o = makeObject();
    o->setRotation(90, 0, 0);
    o->setPosition(0, 5, 0);
    EXPECT_NEAR(o->worldPosition.x(), 0, 1e-5);
    EXPECT_NEAR(o->worldPosition.y(), 0, 1e-5);
    EXPECT_NEAR(o->worldPosition.z(), 5, 1e-5);
    delete o;
}
