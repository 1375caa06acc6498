// The off-screen buffer of the 3-D picture and its scaling onto the window.
#include "engine/render/VORN_OffscreenTarget.h"

#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QOpenGLFramebufferObject>
#include <QRect>
#include <algorithm>
#include <cmath>

namespace VORN_LIB {

VORN_OffscreenTarget::VORN_OffscreenTarget() = default;

VORN_OffscreenTarget::~VORN_OffscreenTarget() = default;

bool VORN_OffscreenTarget::supported() {
    return QOpenGLContext::currentContext() &&
           QOpenGLFramebufferObject::hasOpenGLFramebufferObjects() &&
           QOpenGLFramebufferObject::hasOpenGLFramebufferBlit();
}

QSize VORN_OffscreenTarget::pictureSize(const QSize& window, double scale) {
    return QSize(std::max(1, static_cast<int>(std::lround(window.width() * scale))),
                 std::max(1, static_cast<int>(std::lround(window.height() * scale))));
}

QSize VORN_OffscreenTarget::begin(const QSize& size, double scale) {
    window = size;
    active = false;
    if ((scale >= 1.0 && !throughBuffer) || failed || size.isEmpty() || !supported())
        return size;
    const QSize picture = pictureSize(size, std::min(scale, 1.0));
    if (!buffer || buffer->size() != picture) {
        buffer.reset(); // the old one's memory goes first
        QOpenGLFramebufferObjectFormat format;
        format.setAttachment(QOpenGLFramebufferObject::Depth);
        buffer = std::make_unique<QOpenGLFramebufferObject>(picture, format);
        if (!buffer->isValid()) {
            buffer.reset();
            failed = true;
            return size;
        }
    }
    if (!buffer->bind())
        return size;
    active = true;
    // Mesa keeps a window's rows from the top in memory and a buffer's from the bottom, and
    // rasterises lines and the edges of triangles by memory rows: drawn the right way up, the
    // buffer's lines and edges cover slightly other pixels than the window's. With the clip
    // origin at the upper left the picture goes into the buffer upside down, rasterised exactly
    // as in the window (front faces stay front faces), and end() turns it the right way up.
    QOpenGLContext* context = QOpenGLContext::currentContext();
    clipControl = reinterpret_cast<ClipControl>(context->getProcAddress("glClipControl"));
    if (clipControl && (context->format().version() >= qMakePair(4, 5) ||
                        context->hasExtension(QByteArrayLiteral("GL_ARB_clip_control")))) {
        clipControl(GL_UPPER_LEFT, GL_NEGATIVE_ONE_TO_ONE);
        flipped = true;
    }
    return picture;
}

int VORN_OffscreenTarget::pictureRow(int row) const {
    return active && flipped ? buffer->height() - 1 - row : row;
}

void VORN_OffscreenTarget::end() {
    if (!active)
        return;
    active = false;
    if (flipped)
        clipControl(GL_LOWER_LEFT, GL_NEGATIVE_ONE_TO_ONE);
    // Into the context's own framebuffer (the window), which stays bound afterwards; an upside
    // down picture turned the right way up. A picture of exactly half the window's size has every
    // pixel doubled (on software OpenGL the linear filter at 1920 × 1080 costs about 8 ms, a
    // third of the tick); other sizes are filtered linearly.
    QOpenGLContext* context = QOpenGLContext::currentContext();
    QOpenGLExtraFunctions* gl = context->extraFunctions();
    const GLuint windowBuffer = context->defaultFramebufferObject();
    gl->glBindFramebuffer(GL_READ_FRAMEBUFFER, buffer->handle());
    gl->glBindFramebuffer(GL_DRAW_FRAMEBUFFER, windowBuffer);
    const int top = flipped ? 0 : window.height();
    const bool whole = buffer->size() == window || buffer->size() * 2 == window;
    gl->glBlitFramebuffer(0, 0, buffer->width(), buffer->height(), 0, window.height() - top,
                          window.width(), top, GL_COLOR_BUFFER_BIT, whole ? GL_NEAREST : GL_LINEAR);
    buffer->release(); // binds the window for reading and drawing
    flipped = false;
}

} // namespace VORN_LIB
