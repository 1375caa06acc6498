// Drives frames: the fixed GL state set once, the surface size handed to every viewport, and a
// frame that clears the surface and lets each viewport draw into its own rectangle.
#pragma once

#include <vector>

namespace VORN_LIB {

class VORN_Viewport;

class VORN_Renderer {
public:
    VORN_Renderer() = default;
    virtual ~VORN_Renderer();

    // Appends a viewport; the renderer never owns or deletes it.
    void addViewport(VORN_Viewport* viewport);

    void initialize();                  // fixed GL state; needs the GL context current
    void resize(int width, int height); // every viewport recomputes its pixel rectangle
    void render();                      // clear, then each viewport in the order added

    std::vector<VORN_Viewport*> viewports;
};

} // namespace VORN_LIB
