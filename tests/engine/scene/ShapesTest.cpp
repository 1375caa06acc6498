// The capped cylinder and the arrow as OpenGL receives them: primitives captured in feedback mode,
// positions back in eye coordinates, colours after lighting.
#include "engine/scene/VORN_Shapes.h"
#include "tests/engine/scene/GLCapture.h"
#include "tests/support/GLTest.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

using namespace VORN_LIB;

namespace {

const double pi = 4.0 * std::atan(1.0);
const double eps = 1e-4;

// Polygons of the cylinder sorted by where they lie along one eye axis.
struct CylinderParts {
    std::vector<FeedbackPrimitive> top, bottom, side;
};

CylinderParts split(const std::vector<FeedbackPrimitive>& primitives, unsigned axis, double half) {
    CylinderParts parts;
    for (const FeedbackPrimitive& p : primitives) {
        EXPECT_EQ(p.token, static_cast<GLenum>(GL_POLYGON_TOKEN));
        const bool allTop = std::all_of(p.vertices.begin(), p.vertices.end(), [&](auto& v) {
            return std::fabs(v.position[axis] - half) < eps;
        });
        const bool allBottom = std::all_of(p.vertices.begin(), p.vertices.end(), [&](auto& v) {
            return std::fabs(v.position[axis] + half) < eps;
        });
        (allTop ? parts.top : allBottom ? parts.bottom : parts.side).push_back(p);
    }
    return parts;
}

// Triangles a run of polygons stands for: a fan or strip of n vertices gives n - 2 of them.
int triangles(const std::vector<FeedbackPrimitive>& polygons) {
    int count = 0;
    for (const FeedbackPrimitive& p : polygons)
        count += static_cast<int>(p.vertices.size()) - 2;
    return count;
}

bool near(const VORN_Vector& a, const VORN_Vector& b) {
    return std::fabs(a[0] - b[0]) < eps && std::fabs(a[1] - b[1]) < eps &&
           std::fabs(a[2] - b[2]) < eps;
}

// Whether some vertex of the polygons lies at position with texture coordinates (s, t).
bool hasVertex(const std::vector<FeedbackPrimitive>& polygons, const VORN_Vector& position,
               double s, double t) {
    for (const FeedbackPrimitive& p : polygons)
        for (const FeedbackVertex& v : p.vertices)
            if (near(v.position, position) && std::fabs(v.tex[0] - s) < eps &&
                std::fabs(v.tex[1] - t) < eps)
                return true;
    return false;
}

// One white directional light from direction, on a white diffuse-only material.
void lightFrom(double x, double y, double z) {
    const GLfloat zero[4] = {0, 0, 0, 1};
    const GLfloat white[4] = {1, 1, 1, 1};
    const GLfloat direction[4] = {GLfloat(x), GLfloat(y), GLfloat(z), 0};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, zero);
    glLightfv(GL_LIGHT0, GL_AMBIENT, zero);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT0, GL_SPECULAR, zero);
    glLightfv(GL_LIGHT0, GL_POSITION, direction);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, zero);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, white);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, zero);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
}

} // namespace

using ShapesTest = GLTest;

TEST_F(ShapesTest, CylinderHasTwoFourteenVertexFansAndATwentySixVertexStrip) {
    const CylinderParts parts = split(captureFeedback(4, [] { drawCylinder(1, 2, 1); }), 1, 1.0);
    EXPECT_EQ(triangles(parts.top), 12);
    EXPECT_EQ(triangles(parts.bottom), 12);
    EXPECT_EQ(triangles(parts.side), 24);
    for (const std::vector<FeedbackPrimitive>* group : {&parts.top, &parts.bottom, &parts.side})
        for (const FeedbackPrimitive& p : *group)
            for (const FeedbackVertex& v : p.vertices) {
                const double r = std::hypot(v.position[0], v.position[2]);
                EXPECT_TRUE(r < eps || std::fabs(r - 1) < eps) << "off the rim: " << r;
            }
}

TEST_F(ShapesTest, CylinderVerticesAndTextureCoordinates) {
    // Radius 0.5, height 3, texture scale 2: cap coordinates are t·r·(cos, -sin), the side's s
    // advances by t·2π·r/12 per segment.
    const CylinderParts parts = split(captureFeedback(4, [] { drawCylinder(0.5, 3, 2); }), 1, 1.5);
    ASSERT_EQ(triangles(parts.top), 12);

    // The vertex of i = 3 lies a quarter turn on, at -z.
    EXPECT_TRUE(hasVertex(parts.top, VORN_Vector(0, 1.5, -0.5), 0, -1));
    EXPECT_TRUE(hasVertex(parts.bottom, VORN_Vector(0, -1.5, -0.5), 0, -1));
    EXPECT_TRUE(hasVertex(parts.top, VORN_Vector(0, 1.5, 0), 0, 0));
    // The top fan closes at (r, y, 0) with (0, t); the first rim vertex there has (t·r, 0).
    EXPECT_TRUE(hasVertex(parts.top, VORN_Vector(0.5, 1.5, 0), 0, 2));
    EXPECT_TRUE(hasVertex(parts.top, VORN_Vector(0.5, 1.5, 0), 1, 0));
    // The bottom fan runs 11 … 0 and closes on the pair of i = 11.
    const double c11 = std::cos(11 * pi / 6), s11 = -std::sin(11 * pi / 6);
    EXPECT_TRUE(hasVertex(parts.bottom, VORN_Vector(0.5 * c11, -1.5, 0.5 * s11), c11, s11));

    const double step = 2 * 2 * pi * 0.5 / 12;
    EXPECT_TRUE(hasVertex(parts.side, VORN_Vector(0, 1.5, -0.5), 3 * step, 1));
    EXPECT_TRUE(hasVertex(parts.side, VORN_Vector(0, -1.5, -0.5), 3 * step, 0));
    EXPECT_TRUE(hasVertex(parts.side, VORN_Vector(0.5 * c11, 1.5, 0.5 * s11), 11 * step, 1));
    EXPECT_TRUE(hasVertex(parts.side, VORN_Vector(0.5, 1.5, 0), 0, 2)); // closing pair
    EXPECT_TRUE(hasVertex(parts.side, VORN_Vector(0.5, -1.5, 0), 0, 0));
}

TEST_F(ShapesTest, CylinderFacesOutwardsEverywhere) {
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);

    // Turned so that one cap faces the eye (eye z = +1) and the other faces away (eye z = -1):
    // only the near cap may survive back-face culling, from above and from below alike.
    glRotated(90, 1, 0, 0); // model top towards the eye
    CylinderParts parts = split(captureFeedback(4, [] { drawCylinder(1, 2, 1); }), 2, 1.0);
    EXPECT_EQ(triangles(parts.top), 12);
    EXPECT_EQ(triangles(parts.bottom), 0);

    glLoadIdentity();
    glRotated(-90, 1, 0, 0); // model bottom towards the eye
    parts = split(captureFeedback(4, [] { drawCylinder(1, 2, 1); }), 2, 1.0);
    EXPECT_EQ(triangles(parts.top), 12);
    EXPECT_EQ(triangles(parts.bottom), 0);

    // Seen from the side, the six segments on the near half survive.
    glLoadIdentity();
    parts = split(captureFeedback(4, [] { drawCylinder(1, 2, 1); }), 1, 1.0);
    EXPECT_EQ(triangles(parts.side), 12);
    for (const FeedbackPrimitive& p : parts.side) {
        double z = 0;
        for (const FeedbackVertex& v : p.vertices)
            z += v.position[2];
        EXPECT_GT(z, 0) << "a far-side segment faces the eye";
    }
}

TEST_F(ShapesTest, CylinderNormalsAreUnitAndPointOutwards) {
    // Radius 2 without GL_NORMALIZE: scaled side normals would light every lit vertex fully.
    lightFrom(1, 0, 0);
    CylinderParts parts = split(captureFeedback(4, [] { drawCylinder(2, 2, 1); }), 1, 1.0);
    ASSERT_EQ(triangles(parts.side), 24);
    for (const FeedbackPrimitive& p : parts.side)
        for (const FeedbackVertex& v : p.vertices)
            EXPECT_NEAR(v.color[0], std::max(0.0, v.position[0] / 2), 1e-3);
    for (const FeedbackPrimitive& p : parts.top)
        for (const FeedbackVertex& v : p.vertices)
            EXPECT_NEAR(v.color[0], 0, 1e-3);

    lightFrom(0, 1, 0);
    parts = split(captureFeedback(4, [] { drawCylinder(2, 2, 1); }), 1, 1.0);
    ASSERT_EQ(triangles(parts.top), 12);
    for (const FeedbackPrimitive& p : parts.top)
        for (const FeedbackVertex& v : p.vertices)
            EXPECT_NEAR(v.color[0], 1, 1e-3);
    for (const FeedbackPrimitive& p : parts.bottom)
        for (const FeedbackVertex& v : p.vertices)
            EXPECT_NEAR(v.color[0], 0, 1e-3);
}

TEST_F(ShapesTest, ArrowPointsAlongMinusZWithShaftAndHead) {
    glTranslated(1, 0, 0); // drawn in the caller's frame
    double before[16];
    modelView(before);
    const std::vector<FeedbackPrimitive> primitives =
        captureFeedback(4, [] { drawArrow(2, 1); }); // L = 2, R = 1
    double after[16];
    modelView(after);
    for (int k = 0; k < 16; ++k)
        EXPECT_DOUBLE_EQ(after[k], before[k]);

    ASSERT_FALSE(primitives.empty());
    double minZ = 1e9, maxZ = -1e9, maxRadius = 0;
    bool tipFound = false, tailCapFound = false;
    std::vector<double> texS;
    for (const FeedbackPrimitive& p : primitives) {
        EXPECT_EQ(p.token, static_cast<GLenum>(GL_POLYGON_TOKEN)); // filled
        for (const FeedbackVertex& v : p.vertices) {
            const double z = v.position[2];
            const double r = std::hypot(v.position[0] - 1, v.position[1]);
            minZ = std::min(minZ, z);
            maxZ = std::max(maxZ, z);
            maxRadius = std::max(maxRadius, r);
            if (std::fabs(z + 1) < eps) // the tip
                tipFound = tipFound || r < eps;
            if (std::fabs(z - 1) < eps) // the tail cap
                tailCapFound = true;
            if (z > -0.5 + eps) {
                EXPECT_LE(r, 0.5 + eps) << "shaft or tail wider than R/2 at z " << z;
            }
            if (r > 0.5 + eps) {
                EXPECT_NEAR(z, -0.5, eps) << "only the head is wider than the shaft";
            }
            texS.push_back(v.tex[0]);
        }
    }
    EXPECT_NEAR(minZ, -1, eps);
    EXPECT_NEAR(maxZ, 1, eps);
    EXPECT_NEAR(maxRadius, 1, eps);
    EXPECT_TRUE(tipFound);
    EXPECT_TRUE(tailCapFound);
    const auto [lo, hi] = std::minmax_element(texS.begin(), texS.end());
    EXPECT_GT(*hi - *lo, 0.5) << "no texture coordinates generated";
}
