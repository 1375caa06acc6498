// Storage of the process-wide render queue; released when the process exits.
#include "engine/scene/RenderQueueEntry.h"

namespace VORN_LIB {

std::vector<RenderQueueEntry>& renderQueue() {
    static std::vector<RenderQueueEntry> queue;
    return queue;
}

} // namespace VORN_LIB
