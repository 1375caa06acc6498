// The tortoise and grenade models, captured with GL feedback: what they are built of, the quadric
// settings, where the geometry lies (y up, head towards −z). Feedback runs the models' draw()
// directly, because Mesa's software drivers crash when a display list is called in feedback mode;
// the compiled lists are checked on the framebuffer instead.
#include "engine/scene/VORN_Shapes.h"
#include "game/world/Grenade.h"
#include "game/world/Tortoise.h"
#include "tests/support/GLTest.h"

#include <GL/glu.h>
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <tuple>
#include <vector>

using namespace VORN_LIB;

namespace {

// One vertex of the feedback buffer, position turned back into eye coordinates.
struct FeedbackVertex {
    double x, y, z;
    float color[4];
    float tex[4];
};

struct FeedbackPrimitive {
    GLint token;
    std::vector<FeedbackVertex> vertices;
};

struct Box {
    double min[3] = {1e9, 1e9, 1e9};
    double max[3] = {-1e9, -1e9, -1e9};
};

// Orthographic box of ±2 units around the eye: big enough that none of the models is clipped.
const double viewHalf = 2.0;

class FiguresTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-viewHalf, viewHalf, -viewHalf, viewHalf, -viewHalf, viewHalf);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }

    // Runs drawCall in feedback mode and returns every primitive GL produced.
    static std::vector<FeedbackPrimitive> capture(const std::function<void()>& drawCall) {
        std::vector<GLfloat> buffer(1 << 20);
        glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
        glRenderMode(GL_FEEDBACK);
        drawCall();
        const GLint used = glRenderMode(GL_RENDER);
        EXPECT_GE(used, 0) << "feedback buffer too small";

        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        std::vector<FeedbackPrimitive> result;
        GLint i = 0;
        auto readVertex = [&]() {
            FeedbackVertex v;
            v.x = (buffer[i] - viewport[0]) / viewport[2] * 2 * viewHalf - viewHalf;
            v.y = (buffer[i + 1] - viewport[1]) / viewport[3] * 2 * viewHalf - viewHalf;
            v.z = -(buffer[i + 2] * 2 - 1) * viewHalf;
            std::copy(&buffer[i + 3], &buffer[i + 7], v.color);
            std::copy(&buffer[i + 7], &buffer[i + 11], v.tex);
            i += 11;
            return v;
        };
        while (i < used) {
            FeedbackPrimitive p;
            p.token = static_cast<GLint>(buffer[i++]);
            int vertices = 0;
            if (p.token == GL_POLYGON_TOKEN)
                vertices = static_cast<int>(buffer[i++]);
            else if (p.token == GL_LINE_TOKEN || p.token == GL_LINE_RESET_TOKEN)
                vertices = 2;
            else if (p.token == GL_PASS_THROUGH_TOKEN) {
                ++i;
                continue;
            } else
                vertices = 1; // points, bitmaps and pixel rectangles
            for (int k = 0; k < vertices; ++k)
                p.vertices.push_back(readVertex());
            result.push_back(p);
        }
        return result;
    }

    static std::vector<FeedbackPrimitive> captureModel(VORN_Object& model) {
        return capture([&model] { model.draw(nullptr); });
    }

    static Box bounds(const std::vector<FeedbackPrimitive>& primitives) {
        Box box;
        for (const FeedbackPrimitive& p : primitives)
            for (const FeedbackVertex& v : p.vertices) {
                const double c[3] = {v.x, v.y, v.z};
                for (int k = 0; k < 3; ++k) {
                    box.min[k] = std::min(box.min[k], c[k]);
                    box.max[k] = std::max(box.max[k], c[k]);
                }
            }
        return box;
    }

    // Polygons of one GLU sphere drawn with the settings the models are meant to use.
    static size_t sphereCount(int detail) {
        GLUquadric* q = gluNewQuadric();
        gluQuadricDrawStyle(q, GLU_FILL);
        gluQuadricNormals(q, GLU_SMOOTH);
        gluQuadricTexture(q, GL_TRUE);
        const size_t n = capture([q, detail] { gluSphere(q, 1, detail, detail); }).size();
        gluDeleteQuadric(q);
        return n;
    }

    static size_t cylinderCount() {
        return capture([] { drawCylinder(0.1, 0.3, 1); }).size();
    }

    // The first polygons of a model come from its first sphere (of detail × detail). Filled means
    // polygons only; texture coordinates must be generated (not the sentinel left current before
    // drawing); smooth normals light the sphere unevenly, but a point shared by neighbouring
    // facets the same in each of them.
    static void expectFilledSmoothTexturedSphere(const std::function<void()>& drawCall,
                                                 int detail) {
        const size_t polygons = sphereCount(detail);
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        glEnable(GL_NORMALIZE); // the shell is a scaled sphere
        const GLfloat direction[4] = {0.3f, 0.5f, 1.0f, 0.0f};
        glLightfv(GL_LIGHT0, GL_POSITION, direction);
        glTexCoord4f(-5, -5, -5, 1);
        const std::vector<FeedbackPrimitive> primitives = capture(drawCall);
        glDisable(GL_LIGHTING);
        glDisable(GL_LIGHT0);
        glDisable(GL_NORMALIZE);

        ASSERT_GE(primitives.size(), polygons);
        std::map<std::tuple<long, long, long>, float> shadeAt;
        float darkest = 1;
        float brightest = 0;
        for (size_t k = 0; k < polygons; ++k) {
            const FeedbackPrimitive& p = primitives[k];
            ASSERT_EQ(p.token, GL_POLYGON_TOKEN) << "primitive " << k;
            for (const FeedbackVertex& v : p.vertices) {
                ASSERT_GE(v.tex[0], 0.0f) << "primitive " << k;
                ASSERT_LE(v.tex[0], 1.0f) << "primitive " << k;
                ASSERT_GE(v.tex[1], 0.0f) << "primitive " << k;
                ASSERT_LE(v.tex[1], 1.0f) << "primitive " << k;
                darkest = std::min(darkest, v.color[0]);
                brightest = std::max(brightest, v.color[0]);
                const auto key = std::make_tuple(std::lround(v.x * 1e4), std::lround(v.y * 1e4),
                                                 std::lround(v.z * 1e4));
                const auto seen = shadeAt.emplace(key, v.color[0]);
                ASSERT_NEAR(seen.first->second, v.color[0], 2e-3f)
                    << "a point is lit differently in neighbouring facets: normals are not smooth";
            }
        }
        EXPECT_GT(brightest - darkest, 0.3f) << "the sphere is lit evenly: it has no normals";
    }
};

// A steady, unremarkable viewing angle, so that no part of a model is seen edge-on.
void obliqueView() {
    glLoadIdentity();
    glRotated(17, 1, 0, 0);
    glRotated(29, 0, 1, 0);
    glRotated(7, 0, 0, 1);
}

} // namespace

TEST_F(FiguresTest, TortoiseIsBuiltOfFourSpheresAndSixCylinders) {
    Tortoise t;
    EXPECT_EQ(t.health, 100);
    ASSERT_TRUE(t.quadric.made());

    obliqueView();
    const size_t expected =
        sphereCount(10) + sphereCount(8) + 2 * sphereCount(6) + 6 * cylinderCount();
    const std::vector<FeedbackPrimitive> model = captureModel(t);
    EXPECT_EQ(model.size(), expected);
    for (const FeedbackPrimitive& p : model)
        ASSERT_EQ(p.token, GL_POLYGON_TOKEN);
}

TEST_F(FiguresTest, GrenadeIsOneSphereWith122Studs) {
    Grenade g;
    EXPECT_EQ(g.size, 1.0);
    ASSERT_TRUE(g.quadric.made());

    obliqueView();
    EXPECT_EQ(captureModel(g).size(), sphereCount(15) + 122 * cylinderCount());
}

TEST_F(FiguresTest, QuadricsDrawFilledSmoothAndTextured) {
    {
        SCOPED_TRACE("tortoise");
        Tortoise t;
        expectFilledSmoothTexturedSphere([&t] { t.draw(nullptr); }, 10);
    }
    {
        SCOPED_TRACE("grenade");
        Grenade g;
        expectFilledSmoothTexturedSphere([&g] { g.draw(nullptr); }, 15);
    }
}

TEST_F(FiguresTest, FigureModelFitsAroundItsOriginAndScalesWithSize) {
    Tortoise t;
    t.size = 0.3;
    const Box small = bounds(captureModel(t));
    // About the size of the figure's collision sphere (radius 0.3), in every direction.
    for (int k = 0; k < 3; ++k) {
        EXPECT_GT(small.min[k], -0.3) << "axis " << k;
        EXPECT_LT(small.max[k], 0.3) << "axis " << k;
        EXPECT_GT(small.max[k] - small.min[k], 0.1) << "axis " << k;
    }

    // Every length of the model is a multiple of size.
    t.size = 0.6;
    const Box large = bounds(captureModel(t));
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(large.min[k], 2 * small.min[k], 1e-3) << "axis " << k;
        EXPECT_NEAR(large.max[k], 2 * small.max[k], 1e-3) << "axis " << k;
    }
}

TEST_F(FiguresTest, FigureLooksTowardsMinusZ) {
    Tortoise t;
    const std::vector<FeedbackPrimitive> model = captureModel(t);
    ASSERT_FALSE(model.empty());
    // The head is the highest part and sits in front; the tail is the rearmost and hangs low.
    const FeedbackVertex* top = &model[0].vertices[0];
    const FeedbackVertex* back = top;
    for (const FeedbackPrimitive& p : model)
        for (const FeedbackVertex& v : p.vertices) {
            if (v.y > top->y)
                top = &v;
            if (v.z > back->z)
                back = &v;
        }
    EXPECT_LT(top->z, 0);
    EXPECT_GT(back->z, 0.5);
    EXPECT_LT(back->y, 0);
}

TEST_F(FiguresTest, GrenadeStudsSitOnTheBodyAtEightyFivePercentOfSize) {
    Grenade g;
    g.size = 0.1;
    // Body radius 0.07; the studs reach 0.85 · 0.1 + half their height 0.015, and their rims
    // stand off the axis by their radius 0.01.
    double farthest = 0;
    double nearest = 1;
    for (const FeedbackPrimitive& p : captureModel(g))
        for (const FeedbackVertex& v : p.vertices) {
            const double d = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
            farthest = std::max(farthest, d);
            nearest = std::min(nearest, d);
        }
    EXPECT_NEAR(farthest, std::sqrt(0.1 * 0.1 + 0.01 * 0.01), 1e-4);
    EXPECT_NEAR(nearest, 0.07, 1e-4);
}

TEST_F(FiguresTest, EveryPointOfAModelLiesWithinItsReach) {
    // The view test skips a model whose sphere of reach × size lies outside the picture; a point
    // beyond it would vanish at the picture's edge.
    Tortoise t;
    t.size = 0.3;
    Grenade g;
    g.size = 0.1;
    const std::pair<VORN_Object*, double> models[] = {{&t, Tortoise::reach * t.size},
                                                      {&g, Grenade::reach * g.size}};
    for (const auto& [model, reach] : models) {
        double farthest = 0;
        for (const FeedbackPrimitive& p : captureModel(*model))
            for (const FeedbackVertex& v : p.vertices)
                farthest = std::max(farthest, std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z));
        EXPECT_GT(farthest, 0.5 * reach);
        EXPECT_LE(farthest, reach);
    }
}

TEST_F(FiguresTest, ModelsWithoutQuadricKeepTheirCylinders) {
    Tortoise t;
    t.quadric.release();
    Grenade g;
    g.quadric.release();

    obliqueView();
    EXPECT_EQ(captureModel(t).size(), 6 * cylinderCount());
    EXPECT_EQ(captureModel(g).size(), 122 * cylinderCount());
    t.compile(); // the display list path copes as well
    EXPECT_NE(t.geometryList, 0u);
}

TEST_F(FiguresTest, CompiledFigureCoversTheSamePixelsAsItsModel) {
    Tortoise t;
    t.setColor(1, 0, 0, 1);
    t.compile();
    const Box box = bounds(captureModel(t));

    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glCallList(t.displayList);
    const QImage frame = grabBuffer();

    // Silhouette of the red figure, in eye units (the view is ±2 units over the buffer).
    int left = frame.width(), right = -1, top = frame.height(), bottom = -1;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x) {
            const QRgb pixel = frame.pixel(x, y);
            if (qRed(pixel) > 200 && qGreen(pixel) < 50 && qBlue(pixel) < 50) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    ASSERT_GE(right, left) << "nothing drawn";
    const double unitsPerPixel = 2 * viewHalf / frame.width();
    const double tolerance = 2 * unitsPerPixel;
    EXPECT_NEAR(left * unitsPerPixel - viewHalf, box.min[0], tolerance);
    EXPECT_NEAR((right + 1) * unitsPerPixel - viewHalf, box.max[0], tolerance);
    EXPECT_NEAR(viewHalf - (bottom + 1) * unitsPerPixel, box.min[1], tolerance);
    EXPECT_NEAR(viewHalf - top * unitsPerPixel, box.max[1], tolerance);
}
