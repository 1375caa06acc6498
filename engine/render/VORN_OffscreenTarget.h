// Where the 3-D picture is drawn: straight into the window, or into an off-screen buffer (colour
// and depth) of a fraction of the window's size that is then scaled up onto the window, every
// pixel grown evenly where the window is a whole multiple of the picture, else filtered linearly.
// Depth reads between begin() and end() read the buffer's depth at the picture's own (scaled)
// pixels. Needs framebuffer objects; without them every picture goes straight into the window.
// Needs the GL context current for every call and for destruction.
#pragma once

#include <GL/gl.h>
#include <QSize>
#include <memory>

class QOpenGLFramebufferObject;

namespace VORN_LIB {

class VORN_OffscreenTarget {
public:
    VORN_OffscreenTarget();
    ~VORN_OffscreenTarget();
    VORN_OffscreenTarget(const VORN_OffscreenTarget&) = delete;
    VORN_OffscreenTarget& operator=(const VORN_OffscreenTarget&) = delete;

    // Whether the current GL context draws off screen and scales up.
    static bool supported();

    // The size of the picture of a window at a scale: each side rounded, at least one pixel.
    static QSize pictureSize(const QSize& window, double scale);

    // Starts the 3-D picture of a window of the given size at the scale and returns the size to
    // draw it at. Below scale 1 (or at 1 with throughBuffer) the buffer is made or resized as
    // needed and bound; otherwise, or where it is not supported or cannot be made, the window
    // stays bound and its own size is returned.
    QSize begin(const QSize& window, double scale);
    // Scales the picture up onto the whole window and binds the window again; nothing when
    // begin() left the window bound. The scissor test must be off.
    void end();
    // Between begin() and end(): the row of the drawing surface (for glReadPixels) that holds
    // the picture's row (counted from the bottom, as gluProject gives it).
    int pictureRow(int row) const;

    // Draws through the buffer at scale 1 too (to compare with the direct picture).
    bool throughBuffer = false;

private:
    std::unique_ptr<QOpenGLFramebufferObject> buffer;
    QSize window;
    bool active = false;
    bool failed = false;  // the buffer could not be made: the window from then on
    bool flipped = false; // drawn upside down (see begin())
    using ClipControl = void (*)(GLenum, GLenum);
    ClipControl clipControl = nullptr;
};

} // namespace VORN_LIB
