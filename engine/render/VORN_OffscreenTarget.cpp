// The off-screen buffer of the 3-D picture and its scaling onto the window.
#include "engine/render/VORN_OffscreenTarget.h"

#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <algorithm>
#include <cmath>

namespace VORN_LIB {

VORN_OffscreenTarget::VORN_OffscreenTarget() = default;

VORN_OffscreenTarget::~VORN_OffscreenTarget() = default;

bool VORN_OffscreenTarget::supported() {
    return QOpenGLContext::currentContext() &&
           QOpenGLFramebufferObject::hasOpenGLFramebufferObjects();
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
    // What the picture would go into without the buffer: the window itself (0), or a frame
    // buffer object where the window is drawn off screen and composed by Qt.
    GLint windowBuffer = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &windowBuffer);
    if (!buffer->bind())
        return size;
    active = true;
    // Mesa keeps a window's rows from the top in memory and a buffer's from the bottom, and
    // rasterises lines and the edges of triangles by memory rows: drawn the right way up, the
    // buffer's lines and edges cover slightly other pixels than the window's. With the clip
    // origin at the upper left the picture goes into the buffer upside down, rasterised exactly
    // as in the window (front faces stay front faces), and end() turns it the right way up. A
    // window that is itself drawn into a buffer keeps its rows as the picture's buffer does.
    QOpenGLContext* context = QOpenGLContext::currentContext();
    clipControl = reinterpret_cast<ClipControl>(context->getProcAddress("glClipControl"));
    if (windowBuffer == 0 && clipControl &&
        (context->format().version() >= qMakePair(4, 5) ||
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
    buffer->release(); // binds the window for reading and drawing
    // The picture as one textured square over the whole window. Where the window is a whole
    // multiple of the picture (scale 1, a half, a quarter) each window pixel takes the nearest
    // picture pixel, so every pixel grows evenly and scale 1 comes out pixel for pixel; other
    // sizes are filtered linearly. On software OpenGL the square costs less than a blit of the
    // buffer (at 1920 × 1080 about 4.5 against 6 ms).
    const int times = window.width() / buffer->width();
    const bool whole = buffer->size() * times == window;
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glViewport(0, 0, window.width(), window.height());
    for (const GLenum off : {GL_DEPTH_TEST, GL_LIGHTING, GL_FOG, GL_BLEND, GL_ALPHA_TEST,
                             GL_STENCIL_TEST, GL_SCISSOR_TEST, GL_CULL_FACE, GL_DITHER})
        glDisable(off);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, buffer->texture());
    const GLint filter = whole ? GL_NEAREST : GL_LINEAR;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    const GLfloat bottom = flipped ? 1 : 0, top = flipped ? 0 : 1;
    glBegin(GL_QUADS);
    glTexCoord2f(0, bottom);
    glVertex2f(-1, -1);
    glTexCoord2f(1, bottom);
    glVertex2f(1, -1);
    glTexCoord2f(1, top);
    glVertex2f(1, 1);
    glTexCoord2f(0, top);
    glVertex2f(-1, 1);
    glEnd();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
    flipped = false;
}

} // namespace VORN_LIB
