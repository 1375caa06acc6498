// Scene passes over the object tree and the sorted drawing of the process-wide render queue.
#include "engine/scene/VORN_Scene.h"

#include <algorithm>

namespace VORN_LIB {

VORN_Scene::VORN_Scene()
    : VORN_Object(VORN_Vector(0, 0, 0), VORN_Vector(0, 0, 0), VORN_Vector(1, 1, 1),
                  VORN_Color(1, 1, 1, 1)) {}

void VORN_Scene::renderPass(char pass, const VORN_OcclusionCone* cone) {
    if (lighting)
        glEnable(GL_LIGHTING);
    else
        glDisable(GL_LIGHTING);

    switch (pass) {
    case 0:
        render(0, cone);
        break;
    case 1:
        render(1, cone);
        break;
    case 2: {
        std::vector<RenderQueueEntry>& queue = renderQueue();
        std::sort(
            queue.begin(), queue.end(),
            [](const RenderQueueEntry& a, const RenderQueueEntry& b) { return a.key > b.key; });
        glPushMatrix();
        for (const RenderQueueEntry& entry : queue) {
            glLoadMatrixd(entry.matrix);
            entry.object->paint(false, cone);
        }
        glPopMatrix();
        queue.clear();
        break;
    }
    case 3:
        render(2, cone);
        break;
    default:
        break;
    }
}

} // namespace VORN_LIB

// The meta-object code of this class is compiled with it, not in the library's shared moc unit.
#include "moc_VORN_Scene.cpp"
