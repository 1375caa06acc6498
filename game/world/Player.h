// One player of a round: a colour, the material made from it, and the player's figures with their
// bounding spheres and physics containers, slot by slot. Figures are placed in world units, y up.
#pragma once

#include "engine/math/VORN_Color.h"

#include <memory>

namespace VORN_LIB {
class VORN_BoundingSphere;
class VORN_CollisionManger;
class VORN_Material;
class VORN_Object;
class VORN_PhysicsContainer;
class VORN_PhysicsGroup;
} // namespace VORN_LIB

class Tortoise;

class Player {
public:
    // Makes the (uncompiled) material: ambient colour × 0.1, diffuse colour, white specular,
    // shininess 30. No figures yet.
    explicit Player(const VORN_LIB::VORN_Color& color);
    // Takes every remaining figure, sphere and container out of the lists it was registered with
    // and destroys them, and the material. Needs the GL context only when a figure or the
    // material has recorded lists.
    ~Player();
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    // Creates count figures at random x in [xMin, xMax], z in [zMin, zMax], 5 units up, each with
    // a sphere of radius 0.3 and a container of mass 1. Two draws per figure, x before z.
    // Figures of an earlier call are released first. Needs no GL context: each figure records
    // its lists at its first paint.
    void createFigures(unsigned count, double xMin, double xMax, double zMin, double zMax);

    // Appends the present figures to scene->children, their spheres to the collision manager and
    // their containers to the gravity group, slot by slot, and remembers the three for removals.
    void registerWith(VORN_LIB::VORN_Object* scene,
                      VORN_LIB::VORN_CollisionManger* collisionManager,
                      VORN_LIB::VORN_PhysicsGroup* physicsGroup);

    // The next present figure in slot order after the current one (slot 0 first), or null when
    // none is left.
    Tortoise* nextFigure();

    // Takes the figure of one slot out of the game: out of the registered lists, its remaining
    // health off totalHealth, figure, sphere and container destroyed. An empty or unknown slot
    // is ignored.
    void removeFigure(unsigned index);

    std::unique_ptr<Tortoise*[]> figures; // owned figures; a slot is null once removed
    int totalHealth = 0;                  // health of the figures still present
    VORN_LIB::VORN_Color color;
    VORN_LIB::VORN_Material* material = nullptr; // owned, shared by every figure
    unsigned count = 0;                          // figure slots
    unsigned alive = 0;                          // figures still present
    int current = -1;                            // slot on turn; −1 before the first turn
    std::unique_ptr<VORN_LIB::VORN_BoundingSphere*[]> spheres;  // owned, slot by slot
    std::unique_ptr<VORN_LIB::VORN_PhysicsContainer*[]> bodies; // owned, slot by slot
    VORN_LIB::VORN_Object* scene = nullptr;                     // receives the figures
    VORN_LIB::VORN_CollisionManger* collisionManager = nullptr; // receives the spheres
    VORN_LIB::VORN_PhysicsGroup* physicsGroup = nullptr;        // receives the containers

private:
    void releaseFigures(); // unlinks and destroys every slot, then drops the arrays
};
