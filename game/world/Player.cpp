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
    material = std::make_unique<VORN_Material>(diffuse * 0.1f, diffuse, floatColor(1, 1, 1, 1), 30);
}

Player::~Player() {
    for (Slot& slot : places)
        release(slot);
}

Tortoise* Player::figure(unsigned slot) const {
    return slot < places.size() ? places[slot].figure.get() : nullptr;
}

VORN_PhysicsContainer* Player::body(unsigned slot) const {
    return slot < places.size() ? places[slot].body.get() : nullptr;
}

VORN_BoundingSphere* Player::sphere(unsigned slot) const {
    return slot < places.size() ? places[slot].sphere.get() : nullptr;
}

void Player::createFigures(unsigned count, double xMin, double xMax, double zMin, double zMax) {
    for (Slot& slot : places)
        release(slot);
    places.clear();
    places.resize(count);
    this->count = alive = count;

    for (Slot& slot : places) {
        const double x = drawInRange(randomDraw(), xMin, xMax);
        const double z = drawInRange(randomDraw(), zMin, zMax);

        slot.figure = std::make_unique<Tortoise>();
        Tortoise* figure = slot.figure.get();
        figure->size = figureSize;
        figure->boundingRadius = Tortoise::reach * figureSize;
        figure->color = color;
        figure->material = material.get();
        figure->setWorldPosition(x, startHeight, z);
        figure->compileAtFirstPaint(); // the rules build figures before any window draws them
        figure->health = Rules::startHealth;

        slot.body = std::make_unique<VORN_PhysicsContainer>(1.0, figure, VORN_Vector(0, 0, 0));
        slot.sphere = std::make_unique<VORN_BoundingSphere>(Rules::figureRadius, slot.body.get());
        slot.sphere->ownerIsContainer = true;
        slot.sphere->movable = true;
    }

    current = -1;
    totalHealth = static_cast<int>(count) * Rules::startHealth;
}

void Player::registerWith(VORN_Object* scene, VORN_CollisionManger* collisionManager,
                          VORN_PhysicsGroup* physicsGroup) {
    for (Slot& slot : places) {
        if (!slot.figure)
            continue;
        if (scene)
            scene->children.append(slot.figure.get());
        if (collisionManager)
            collisionManager->addVolume(slot.sphere.get());
        if (physicsGroup)
            physicsGroup->add(slot.body.get());
    }
    this->scene = scene;
    this->collisionManager = collisionManager;
    this->physicsGroup = physicsGroup;
}

Tortoise* Player::nextFigure() {
    current += 1;
    if (static_cast<unsigned>(current) >= count)
        current = 0;
    if (places.empty() || alive == 0)
        return nullptr;
    // alive > 0 guarantees a present slot, so the search ends.
    while (!places[current].figure) {
        current += 1;
        if (static_cast<unsigned>(current) >= count)
            current = 0;
    }
    return places[current].figure.get();
}

void Player::removeFigure(unsigned index) {
    if (alive == 0 || index >= places.size() || !places[index].figure)
        return;
    alive -= 1;
    totalHealth -= places[index].figure->health;
    release(places[index]);
}

void Player::release(Slot& slot) {
    if (slot.figure && scene)
        scene->children.removeAll(slot.figure.get());
    if (slot.sphere && collisionManager)
        collisionManager->removeVolume(slot.sphere.get());
    if (slot.body && physicsGroup)
        physicsGroup->remove(slot.body.get());
    slot.sphere.reset();
    slot.body.reset();
    slot.figure.reset();
}
