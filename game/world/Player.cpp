// Players: figure creation at random places, registration with the scene, collisions and gravity,
// the turn order of figures and the removal of killed figures.
#include "game/world/Player.h"

#include "engine/physics/VORN_BoundingSphere.h"
#include "engine/physics/VORN_CollisionManger.h"
#include "engine/physics/VORN_PhysicsContainer.h"
#include "engine/physics/VORN_PhysicsGroup.h"
#include "engine/scene/VORN_Material.h"
#include "game/rules/GameRandom.h"
#include "game/rules/Rules.h"
#include "game/world/Tortoise.h"

using namespace VORN_LIB;

namespace {

const double figureSize = 0.3;
const double startHeight = 5.0; // figures fall from here onto the terrain

} // namespace

Player::Player(const VORN_Color& color) : color(color) {
    const Vector<float, 4> diffuse =
        floatColor(static_cast<float>(color[0]), static_cast<float>(color[1]),
                   static_cast<float>(color[2]), static_cast<float>(color[3]));
    material = new VORN_Material(diffuse * 0.1f, diffuse, floatColor(1, 1, 1, 1), 30);
}

Player::~Player() {
    delete material; // its destructor deletes its display list, if it has one
    material = nullptr;
    releaseFigures();
}

void Player::createFigures(unsigned count, double xMin, double xMax, double zMin, double zMax) {
    releaseFigures();
    this->count = alive = count;
    figures.reset(new Tortoise*[count]());
    spheres.reset(new VORN_BoundingSphere*[count]());
    bodies.reset(new VORN_PhysicsContainer*[count]());

    for (unsigned i = 0; i < count; ++i) {
        const double x = drawInRange(randomDraw(), xMin, xMax);
        const double z = drawInRange(randomDraw(), zMin, zMax);

        Tortoise* figure = new Tortoise();
        figures[i] = figure;
        figure->size = figureSize;
        figure->boundingRadius = Tortoise::reach * figureSize;
        figure->color = color;
        figure->material = material;
        figure->setWorldPosition(x, startHeight, z);
        figure->compileAtFirstPaint(); // the rules build figures before any window draws them
        figure->health = Rules::startHealth;

        bodies[i] = new VORN_PhysicsContainer(1.0, figure, VORN_Vector(0, 0, 0));
        spheres[i] = new VORN_BoundingSphere(Rules::figureRadius, bodies[i]);
        spheres[i]->ownerIsContainer = true;
        spheres[i]->movable = true;
    }

    current = -1;
    totalHealth = static_cast<int>(count) * Rules::startHealth;
}

void Player::registerWith(VORN_Object* scene, VORN_CollisionManger* collisionManager,
                          VORN_PhysicsGroup* physicsGroup) {
    for (unsigned i = 0; figures && i < count; ++i) {
        if (!figures[i])
            continue;
        if (scene)
            scene->children.append(figures[i]);
        if (collisionManager && spheres[i])
            collisionManager->addVolume(spheres[i]);
        if (physicsGroup && bodies[i])
            physicsGroup->add(bodies[i]);
    }
    this->scene = scene;
    this->collisionManager = collisionManager;
    this->physicsGroup = physicsGroup;
}

Tortoise* Player::nextFigure() {
    current += 1;
    if (static_cast<unsigned>(current) >= count)
        current = 0;
    if (!figures || alive == 0)
        return nullptr;
    // alive > 0 guarantees a present slot, so the search ends.
    while (!figures[current]) {
        current += 1;
        if (static_cast<unsigned>(current) >= count)
            current = 0;
    }
    return figures[current];
}

void Player::removeFigure(unsigned index) {
    if (!figures || alive == 0 || index >= count || !figures[index])
        return;
    alive -= 1;

    // The figure goes whether or not it was registered, so that a slot is removed only once.
    Tortoise* figure = figures[index];
    if (scene)
        scene->children.removeAll(figure);
    totalHealth -= figure->health;
    delete figure;
    figures[index] = nullptr;

    if (spheres[index]) {
        if (collisionManager)
            collisionManager->removeVolume(spheres[index]);
        delete spheres[index];
        spheres[index] = nullptr;
    }
    if (bodies[index]) {
        if (physicsGroup)
            physicsGroup->remove(bodies[index]);
        delete bodies[index];
        bodies[index] = nullptr;
    }
}

void Player::releaseFigures() {
    for (unsigned i = 0; figures && i < count; ++i) {
        if (figures[i]) {
            if (scene)
                scene->children.removeAll(figures[i]);
            delete figures[i];
            figures[i] = nullptr;
        }
        if (spheres[i]) {
            if (collisionManager)
                collisionManager->removeVolume(spheres[i]);
            delete spheres[i];
            spheres[i] = nullptr;
        }
        if (bodies[i]) {
            if (physicsGroup)
                physicsGroup->remove(bodies[i]);
            delete bodies[i];
            bodies[i] = nullptr;
        }
    }
    figures.reset();
    spheres.reset();
    bodies.reset();
    count = alive = 0;
}
