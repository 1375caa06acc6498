// Front-face materials and the shared reset list that puts the default material (black colours,
// shininess 0) back into effect. Every GL call here needs the game window's context; a material
// made without one (a player's, built by the rules) issues none until it is applied or compiled.
#include "engine/scene/VORN_Material.h"

#include <QOpenGLContext>

namespace VORN_LIB {

namespace {

// The reset list is created once per process by the first material built or compiled with a
// current context.
GLuint resetList = 0;
bool resetListCreated = false;

// The default front material: colour material drives the three colours to opaque black.
// NOTE: the current colour is made black before colour material is switched on. Some drivers
// (Mesa) apply a pending glColor only at the next glColorMaterial, under the new mode, which would
// leave the ambient colour at whatever colour was current when the reset began.
void issueResetCommands() {
    glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
    glEnable(GL_COLOR_MATERIAL);
    const GLenum parameters[3] = {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR};
    for (GLenum parameter : parameters) {
        glColorMaterial(GL_FRONT, parameter);
        glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
    }
    glDisable(GL_COLOR_MATERIAL);
    const float none[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glMaterialfv(GL_FRONT, GL_EMISSION, none);
    glMaterialf(GL_FRONT, GL_SHININESS, 0.0f);
}

void issueMaterialCommands(const VORN_Material& m) {
    glMaterialfv(GL_FRONT, GL_AMBIENT, m.ambient.data());
    glMaterialfv(GL_FRONT, GL_DIFFUSE, m.diffuse.data());
    glMaterialfv(GL_FRONT, GL_SPECULAR, m.specular.data());
    glMaterialfv(GL_FRONT, GL_EMISSION, m.emission.data());
    glMaterialf(GL_FRONT, GL_SHININESS, m.shininess);
}

// Records the reset list and runs it once, unless it exists or a list is being recorded. Needs
// the context.
void createResetList() {
    if (resetListCreated)
        return;
    GLint recording = 0;
    glGetIntegerv(GL_LIST_INDEX, &recording);
    if (recording != 0)
        return; // retried later
    const GLuint name = glGenLists(1);
    if (name == 0)
        return; // retried by the next material
    resetList = name;
    resetListCreated = true;
    glNewList(resetList, GL_COMPILE);
    issueResetCommands();
    glEndList();
    glCallList(resetList);
}

} // namespace

VORN_Material::VORN_Material(const Vector<float, 4>& ambient, const Vector<float, 4>& diffuse,
                             const Vector<float, 4>& specular, float shininess)
    : ambient(ambient), diffuse(diffuse), specular(specular), shininess(shininess) {
    if (!resetListCreated && QOpenGLContext::currentContext())
        createResetList();
}

VORN_Material::~VORN_Material() {
    if (listName != 0)
        glDeleteLists(listName, 1);
}

void VORN_Material::apply() {
    if (listName != 0)
        glCallList(listName);
    else
        issueMaterialCommands(*this);
}

void VORN_Material::compile() {
    createResetList();
    if (listName == 0)
        listName = glGenLists(1);
    if (listName == 0)
        return; // stays uncompiled; apply() issues the calls itself
    glNewList(listName, GL_COMPILE);
    issueMaterialCommands(*this);
    glEndList();
    resetMaterial();
}

void VORN_Material::resetMaterial() {
    if (resetListCreated)
        glCallList(resetList);
    else
        issueResetCommands();
}

GLuint VORN_Material::resetListName() {
    return resetList;
}

} // namespace VORN_LIB
