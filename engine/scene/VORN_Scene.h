// The root object of the world: switches lighting and draws its tree in one of four passes, with
// transparent objects collected in the render queue and drawn farthest first.
#pragma once

#include "engine/scene/RenderQueueEntry.h"
#include "engine/scene/VORN_Object.h"

namespace VORN_LIB {

class VORN_Scene : public VORN_Object {
    Q_OBJECT

public:
    VORN_Scene(); // identity transform, white, lighting off

    // Pass 0: everything in tree order. 1: opaque objects, transparent ones queued. 2: the queue,
    // sorted by key (largest first), each entry with its own matrix, then emptied. 3: geometry
    // only. The cone may be null (nothing is culled).
    void renderPass(char pass, const VORN_OcclusionCone* cone);

    bool lighting = false; // GL_LIGHTING on for this scene's passes, else off
};

} // namespace VORN_LIB
