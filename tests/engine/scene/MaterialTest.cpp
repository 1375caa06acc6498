// Front-face materials on a real GL context: what arrives in GL's material state, the shared reset
// list and the material's own display list. Every test runs in a fresh process, so the reset list
// does not exist before the first material of a test is built.
#include "engine/scene/VORN_Material.h"
#include "tests/support/GLTest.h"

#include <GL/gl.h>

using namespace VORN_LIB;

namespace {

struct FrontMaterial {
    GLfloat ambient[4], diffuse[4], specular[4], shininess;
};

FrontMaterial frontMaterial(GLenum face = GL_FRONT) {
    FrontMaterial m;
    glGetMaterialfv(face, GL_AMBIENT, m.ambient);
    glGetMaterialfv(face, GL_DIFFUSE, m.diffuse);
    glGetMaterialfv(face, GL_SPECULAR, m.specular);
    glGetMaterialfv(face, GL_SHININESS, &m.shininess);
    return m;
}

void expectColor(const GLfloat* actual, const Vector<float, 4>& expected) {
    for (unsigned k = 0; k < 4; ++k)
        EXPECT_FLOAT_EQ(actual[k], expected[k]) << "component " << k;
}

void expectDefault(const FrontMaterial& m) {
    const Vector<float, 4> black = floatColor(0, 0, 0, 1);
    {
        SCOPED_TRACE("ambient");
        expectColor(m.ambient, black);
    }
    {
        SCOPED_TRACE("diffuse");
        expectColor(m.diffuse, black);
    }
    {
        SCOPED_TRACE("specular");
        expectColor(m.specular, black);
    }
    EXPECT_FLOAT_EQ(m.shininess, 0.0f);
}

// Puts some non-default values into the front material.
void dirtyFrontMaterial() {
    const GLfloat grey[4] = {0.3f, 0.4f, 0.5f, 0.6f};
    glMaterialfv(GL_FRONT, GL_AMBIENT, grey);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, grey);
    glMaterialfv(GL_FRONT, GL_SPECULAR, grey);
    glMaterialf(GL_FRONT, GL_SHININESS, 17.0f);
}

VORN_Material* makeGreen() {
    return new VORN_Material(floatColor(0.1f, 0.2f, 0.1f, 1), floatColor(0.2f, 0.8f, 0.3f, 0.9f),
                             floatColor(0.5f, 0.5f, 0.5f, 1), 32.0f);
}

} // namespace

using MaterialTest = GLTest;

TEST_F(MaterialTest, FirstMaterialCreatesAndRunsTheResetListSecondReusesIt) {
    ASSERT_EQ(VORN_Material::resetListName(), 0u);
    dirtyFrontMaterial();
    VORN_Material* first = makeGreen();
    const GLuint resetList = VORN_Material::resetListName();
    ASSERT_NE(resetList, 0u);
    EXPECT_TRUE(glIsList(resetList));
    expectDefault(frontMaterial()); // the new list ran once
    EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));

    dirtyFrontMaterial();
    VORN_Material* second = makeGreen();
    EXPECT_EQ(VORN_Material::resetListName(), resetList);
    EXPECT_FLOAT_EQ(frontMaterial().shininess, 17.0f); // no second list, nothing executed
    delete second;
    delete first;
    EXPECT_TRUE(glIsList(resetList)); // the reset list outlives the materials
}

TEST_F(MaterialTest, ResetWithoutAnyMaterialIssuesTheCommandsDirectly) {
    dirtyFrontMaterial();
    glEnable(GL_COLOR_MATERIAL);
    glColor4f(1, 1, 1, 1); // a bright current colour must not leak into the ambient colour
    VORN_Material::resetMaterial();
    EXPECT_EQ(VORN_Material::resetListName(), 0u);
    expectDefault(frontMaterial());
    EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
    GLfloat current[4];
    glGetFloatv(GL_CURRENT_COLOR, current);
    expectColor(current, floatColor(0, 0, 0, 1));
}

TEST_F(MaterialTest, UncompiledApplySendsTheFourValuesToTheFrontFaceOnly) {
    VORN_Material* m = makeGreen();
    dirtyFrontMaterial();
    const FrontMaterial backBefore = frontMaterial(GL_BACK);
    m->apply();
    const FrontMaterial front = frontMaterial();
    expectColor(front.ambient, m->ambient);
    expectColor(front.diffuse, m->diffuse);
    expectColor(front.specular, m->specular);
    EXPECT_FLOAT_EQ(front.shininess, 32.0f);
    const FrontMaterial back = frontMaterial(GL_BACK);
    EXPECT_FLOAT_EQ(back.diffuse[1], backBefore.diffuse[1]);
    EXPECT_FLOAT_EQ(back.shininess, backBefore.shininess);
    EXPECT_EQ(m->listName, 0u);
    delete m;
}

TEST_F(MaterialTest, CompileRecordsTheValuesAndLeavesTheDefaultInEffect) {
    VORN_Material* m = makeGreen();
    m->compile();
    ASSERT_NE(m->listName, 0u);
    EXPECT_TRUE(glIsList(m->listName));
    expectDefault(frontMaterial());

    // apply() now runs the list: values changed after compiling do not arrive.
    const Vector<float, 4> compiledDiffuse = m->diffuse;
    m->diffuse = floatColor(1, 0, 0, 1);
    m->apply();
    expectColor(frontMaterial().diffuse, compiledDiffuse);
    EXPECT_FLOAT_EQ(frontMaterial().shininess, 32.0f);

    // A second compile records into the same name.
    const GLuint name = m->listName;
    m->compile();
    EXPECT_EQ(m->listName, name);
    expectDefault(frontMaterial());
    m->apply();
    expectColor(frontMaterial().diffuse, floatColor(1, 0, 0, 1));
    delete m;
}

TEST_F(MaterialTest, DestroyingACompiledMaterialDeletesItsList) {
    VORN_Material* m = makeGreen();
    m->compile();
    const GLuint name = m->listName;
    ASSERT_TRUE(glIsList(name));
    delete m;
    EXPECT_FALSE(glIsList(name));
}
