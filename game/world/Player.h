// One player of a round: a colour, the material made from it, and the player's figures with their
// bounding spheres and physics containers, slot by slot. Figures are placed in world units, y up.
#pragma once

#include "engine/math/VORN_Color.h"

#include <memory>
#include <vector>

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

    // The figure of a slot, its body and its sphere; null once removed, or for an unknown slot.
    Tortoise* figure(unsigned slot) const;
    VORN_LIB::VORN_PhysicsContainer* body(unsigned slot) const;
    VORN_LIB::VORN_BoundingSphere* sphere(unsigned slot) const;

    int totalHealth = 0; // health of the figures still present
    VORN_LIB::VORN_Color color;
    std::unique_ptr<VORN_LIB::VORN_Material> material; // shared by every figure
    unsigned count = 0;                                // figure places
    unsigned alive = 0;                                // figures still present
    int current = -1;                                  // slot on turn; −1 before the first turn
    VORN_LIB::VORN_Object* scene = nullptr;            // receives the figures
    VORN_LIB::VORN_CollisionManger* collisionManager = nullptr; // receives the spheres
    VORN_LIB::VORN_PhysicsGroup* physicsGroup = nullptr;        // receives the containers

private:
    // A figure with the body that moves it and the sphere that collides for it (owned by the
    // body); all three empty once the figure is gone.
    struct Slot {
        std::unique_ptr<Tortoise> figure;
        std::unique_ptr<VORN_LIB::VORN_PhysicsContainer> body;
        std::unique_ptr<VORN_LIB::VORN_BoundingSphere> sphere;
    };

    void release(Slot& slot); // out of the registered lists, then destroyed
    std::vector<Slot> places;
};
