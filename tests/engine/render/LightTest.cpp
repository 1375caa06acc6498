// Lights on a real GL context: names, the implementation's limit, switching, what painting sends,
// and the flashlight's lamp body captured in feedback mode. Light names are never given back, so
// these tests rely on running each in a process of its own (as ctest runs them).
#include "engine/render/VORN_Flashlight.h"
#include "engine/render/VORN_Light.h"
#include "tests/support/GLTest.h"

#include <GL/gl.h>
#include <cmath>
#include <memory>
#include <vector>

using namespace VORN_LIB;

namespace {

const float grey[4] = {0.2f, 0.2f, 0.2f, 1};
const float white[4] = {1, 1, 1, 1};
const float origin[4] = {0, 0, 0, 1};

std::unique_ptr<VORN_Light> newLight(const float* position = origin) {
    return std::make_unique<VORN_Light>(VORN_Vector(0, 0, 0), VORN_Vector(0, 0, 0),
                                        VORN_Vector(1, 1, 1), VORN_Color(1, 1, 1, 1), grey, white,
                                        white, position);
}

GLint maxLights() {
    GLint n = 0;
    glGetIntegerv(GL_MAX_LIGHTS, &n);
    return n;
}

void expectLight(GLenum light, GLenum parameter, std::vector<float> expected) {
    float value[4] = {-99, -99, -99, -99};
    glGetLightfv(light, parameter, value);
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(value[i], expected[i], 1e-5) << "component " << i;
}

} // namespace

class LightTest : public GLTest {};

// --- Names -------------------------------------------------------------------------------------

TEST_F(LightTest, NamesFollowCreationOrderAndAreNeverReused) {
    const int before = VORN_Light::lightCount;
    ASSERT_LE(before + 3, maxLights());
    auto first = newLight();
    auto second = newLight();
    EXPECT_EQ(first->lightId, GLenum(GL_LIGHT0 + before));
    EXPECT_EQ(second->lightId, GLenum(GL_LIGHT0 + before + 1));
    second.reset();
    auto third = newLight();
    EXPECT_EQ(third->lightId, GLenum(GL_LIGHT0 + before + 2));
    EXPECT_EQ(VORN_Light::lightCount, before + 3);
}

TEST_F(LightTest, OneLightMoreThanTheImplementationHasThrows) {
    ASSERT_LT(VORN_Light::lightCount, maxLights());
    std::vector<std::unique_ptr<VORN_Light>> lights;
    while (VORN_Light::lightCount < maxLights())
        lights.push_back(newLight());
    EXPECT_EQ(lights.back()->lightId, GLenum(GL_LIGHT0 + maxLights() - 1));

    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            newLight();
            ADD_FAILURE() << "no exception";
        } catch (const char* message) {
            EXPECT_STREQ(message, "VORN_Light::VORN_Light(): no lights can be created");
        }
    }
    // Freeing a light does not free a name.
    lights.pop_back();
    EXPECT_THROW(newLight(), const char*);
    EXPECT_EQ(VORN_Light::lightCount, maxLights() + 3);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// --- Parameters --------------------------------------------------------------------------------

TEST_F(LightTest, ConstructionSendsEveryParameterAndLeavesTheLightOff) {
    const float position[4] = {1, 2, 3, 0};
    auto light = newLight(position);
    const GLenum id = light->lightId;
    EXPECT_FALSE(light->enabled);
    EXPECT_FALSE(glIsEnabled(id));
    expectLight(id, GL_AMBIENT, {0.2f, 0.2f, 0.2f, 1});
    expectLight(id, GL_DIFFUSE, {1, 1, 1, 1});
    expectLight(id, GL_SPECULAR, {1, 1, 1, 1});
    expectLight(id, GL_POSITION, {1, 2, 3, 0}); // identity model-view: eye = object frame
    expectLight(id, GL_SPOT_DIRECTION, {0, 0, -1});
    expectLight(id, GL_SPOT_EXPONENT, {0});
    expectLight(id, GL_SPOT_CUTOFF, {180});
    expectLight(id, GL_CONSTANT_ATTENUATION, {1});
    expectLight(id, GL_LINEAR_ATTENUATION, {0});
    expectLight(id, GL_QUADRATIC_ATTENUATION, {0});
}

TEST_F(LightTest, SettersReachOpenGLAtOnce) {
    auto light = newLight();
    const GLenum id = light->lightId;
    const float ambient[4] = {0.1f, 0.2f, 0.3f, 1};
    const float diffuse[4] = {0.4f, 0.5f, 0.6f, 1};
    const float specular[4] = {0.7f, 0.8f, 0.9f, 1};
    light->setColors(ambient, diffuse, specular);
    expectLight(id, GL_AMBIENT, {0.1f, 0.2f, 0.3f, 1});
    expectLight(id, GL_DIFFUSE, {0.4f, 0.5f, 0.6f, 1});
    expectLight(id, GL_SPECULAR, {0.7f, 0.8f, 0.9f, 1});
    EXPECT_FLOAT_EQ(light->diffuse[1], 0.5f);

    light->setAttenuation(1, 0, 0.005f);
    expectLight(id, GL_QUADRATIC_ATTENUATION, {0.005f});
    light->setSpot(10, 45);
    expectLight(id, GL_SPOT_EXPONENT, {10});
    expectLight(id, GL_SPOT_CUTOFF, {45});
    const float direction[3] = {0, -1, 0};
    light->setSpotDirection(direction);
    expectLight(id, GL_SPOT_DIRECTION, {0, -1, 0});

    // Handing a field back to its own setter still sends it (here under a new matrix).
    glTranslated(0, 0, -4);
    light->setLightPosition(light->lightPosition);
    expectLight(id, GL_POSITION, {0, 0, -4, 1});
    light->setColors(light->ambient, light->diffuse, light->specular);
    expectLight(id, GL_SPECULAR, {0.7f, 0.8f, 0.9f, 1});
}

TEST_F(LightTest, ToggleSwitchesTheGLLightAndDestructionSwitchesItOff) {
    auto light = newLight();
    const GLenum id = light->lightId;
    light->toggle();
    EXPECT_TRUE(light->enabled);
    EXPECT_TRUE(glIsEnabled(id));
    light->toggle();
    EXPECT_FALSE(light->enabled);
    EXPECT_FALSE(glIsEnabled(id));

    light->toggle();
    light.reset();
    EXPECT_FALSE(glIsEnabled(id));
}

// --- Painting ----------------------------------------------------------------------------------

TEST_F(LightTest, SwitchedOffLightSendsNothingWhenPainted) {
    auto light = newLight();
    const GLenum id = light->lightId;
    const float sentinel[4] = {42, 43, 44, 1};
    const float sentinelDirection[3] = {1, 0, 0};
    glLightfv(id, GL_POSITION, sentinel);
    glLightfv(id, GL_SPOT_DIRECTION, sentinelDirection);

    glTranslated(5, 0, 0);
    light->paint(false, nullptr);
    expectLight(id, GL_POSITION, {42, 43, 44, 1});
    expectLight(id, GL_SPOT_DIRECTION, {1, 0, 0});

    light->toggle();
    light->paint(false, nullptr);
    expectLight(id, GL_POSITION, {5, 0, 0, 1});
    expectLight(id, GL_SPOT_DIRECTION, {0, 0, -1});
}

TEST_F(LightTest, PaintedLightSitsInEyeCoordinatesAtTheObject) {
    const float local[4] = {0, 0, 1, 1}; // one unit along the object's own z axis
    auto light = newLight(local);
    const GLenum id = light->lightId;
    light->toggle();
    // A lamp turned to shine downwards, as the game turns its lamps.
    light->setRotation(270, 0, 0);

    // Camera: 10 units back.
    glLoadIdentity();
    glTranslated(0, 0, -10);
    light->render(0, nullptr);

    // Rx(270) carries the local z axis onto +y: the light sits one unit above the origin, and
    // its spot, along the local −z axis, points down.
    expectLight(id, GL_POSITION, {0, 1, -10, 1});
    expectLight(id, GL_SPOT_DIRECTION, {0, -1, 0});

    // A directional light keeps w = 0 and turns with the object: light from above.
    const float sun[4] = {0, 0, 1, 0};
    light->setLightPosition(sun);
    light->render(0, nullptr);
    expectLight(id, GL_POSITION, {0, 1, 0, 0});
}

// --- Flashlight ----------------------------------------------------------------------------------

namespace {

struct Vertex {
    float x, y, z;
};

// Captures the vertices of the flashlight body in object coordinates: identity matrices, so the
// window coordinates of a 256 × 256 viewport map straight back.
std::vector<Vertex> captureBody(VORN_Flashlight& lamp) {
    std::vector<GLfloat> buffer(20000);
    glDisable(GL_CULL_FACE);
    glDepthRange(0, 1);
    glFeedbackBuffer(GLsizei(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    lamp.draw(nullptr);
    const GLint size = glRenderMode(GL_RENDER);
    EXPECT_GT(size, 0);
    std::vector<Vertex> vertices;
    for (GLint i = 0; i < size;) {
        const GLint token = GLint(buffer[i++]);
        EXPECT_EQ(token, GL_POLYGON_TOKEN);
        const GLint count = GLint(buffer[i++]);
        for (GLint k = 0; k < count; ++k, i += 3)
            vertices.push_back(
                {buffer[i] / 128.0f - 1, buffer[i + 1] / 128.0f - 1, buffer[i + 2] * 2 - 1});
    }
    return vertices;
}

} // namespace

TEST_F(LightTest, FlashlightBodyIsAWideHeadAndANarrowHandleAlongZCentredOnTheLamp) {
    VORN_Flashlight lamp(VORN_Vector(0, 0, 0), VORN_Vector(0, 0, 0), VORN_Vector(1, 1, 1),
                         VORN_Color(1, 1, 1, 1));
    // The game's lamp size: the body scales with size and bodyRadius.
    lamp.size = 0.2;
    lamp.bodyRadius = 0.05;
    const std::vector<Vertex> vertices = captureBody(lamp);
    ASSERT_FALSE(vertices.empty());

    // Two rims: the head's at bodyRadius, the handle's narrower; anything else is a cap's centre.
    float headMin = 1, headMax = -1, handleMin = 1, handleMax = -1, handleRadius = 0;
    int head = 0, handle = 0;
    for (const Vertex& v : vertices) {
        const float z = v.z;
        const float r = std::sqrt(v.x * v.x + v.y * v.y);
        if (std::fabs(r - 0.05f) < 1e-3f) {
            ++head;
            headMin = std::min(headMin, z);
            headMax = std::max(headMax, z);
        } else if (r > 1e-4f && r < 0.05f - 1e-3f) {
            if (handle++ == 0)
                handleRadius = r;
            EXPECT_NEAR(r, handleRadius, 1e-4f) << "one handle radius";
            handleMin = std::min(handleMin, z);
            handleMax = std::max(handleMax, z);
        } else {
            EXPECT_LT(r, 1e-4f) << "only rim and cap-centre vertices";
        }
    }
    EXPECT_GT(head, 0);
    EXPECT_GT(handle, 0);
    // The head shines forwards (-z), the handle behind it joins it, and the whole body is as long
    // as the lamp's size, centred on the lamp.
    EXPECT_LT(headMin, handleMin);
    EXPECT_NEAR(headMax, handleMin, 1e-4f);
    EXPECT_NEAR(headMin, -0.1f, 1e-4f);
    EXPECT_NEAR(handleMax, 0.1f, 1e-4f);
    EXPECT_LT(headMax - headMin, handleMax - handleMin) << "a short head on a long handle";
}
