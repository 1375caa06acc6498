// One transparent object waiting for the sorted pass, with the model-view matrix (column-major) it
// was met with, and the process-wide queue those entries collect in.
#pragma once

#include <vector>

namespace VORN_LIB {

class VORN_Object;

struct RenderQueueEntry {
    VORN_Object* object; // not owned; must outlive the pass that draws it
    double key;          // squared eye distance of the origin minus the object's radius
    double matrix[16];   // as read with glGetDoublev(GL_MODELVIEW_MATRIX)
};

// The queue shared by every scene and viewport. Filled by render mode 1, sorted, drawn and emptied
// by the scene's pass 2; emptying keeps the capacity.
std::vector<RenderQueueEntry>& renderQueue();

} // namespace VORN_LIB
