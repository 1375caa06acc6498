// Draws the game's icons: the game's own tortoise model, lit by the engine as in play, seen from
// its side and a little above, with a black outline as the game draws its figures, on a transparent
// background. The figure is rendered once at 2048 × 2048 into an off-screen framebuffer and scaled
// down to each size, so edges stay smooth; the outline is drawn at the large size, as wide as
// the small picture wants it.
// Writes <folder>/hicolor/NxN/apps/<id>.png for N = 16, 32, 48, 64, 128 and 256.
// Usage (under a display, e.g. xvfb-run): make_icons [folder, default "icons"]
// Deterministic on one GL driver: the same program writes the same pictures.
#include "engine/render/VORN_Light.h"
#include "engine/render/VORN_Renderer.h"
#include "engine/render/VORN_Viewport.h"
#include "engine/scene/VORN_Material.h"
#include "engine/scene/VORN_Scene.h"
#include "game/world/Tortoise.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QPainter>
#include <cmath>
#include <cstdio>

using namespace VORN_LIB;

namespace {

constexpr int renderSide = 2048;
const int iconSizes[] = {16, 32, 48, 64, 128, 256};

// The smallest rectangle holding every pixel that is not fully transparent.
QRect opaqueBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(line[x]) != 0)
                bounds |= QRect(x, y, 1, 1);
    }
    return bounds;
}

// The tortoise scene: one figure in a player's green, a key light from above the camera's side
// and a weaker fill light from behind, both directional.
class IconScene {
public:
    IconScene()
        : key(VORN_Vector(0, 0, 0), VORN_Vector(0, 0, 0), VORN_Vector(1, 1, 1),
              VORN_Color(1, 1, 1, 1), keyAmbient, keyDiffuse, keySpecular, keyDirection),
          fill(VORN_Vector(0, 0, 0), VORN_Vector(0, 0, 0), VORN_Vector(1, 1, 1),
               VORN_Color(1, 1, 1, 1), noLight, fillDiffuse, noLight, fillDirection),
          material(floatColor(0.03f, 0.07f, 0.02f, 1), floatColor(0.3f, 0.7f, 0.2f, 1),
                   floatColor(1, 1, 1, 1), 30),
          viewport(&scene) {
        scene.lighting = true;
        key.toggle();
        fill.toggle();
        material.compile();
        tortoise.size = 1.0;
        tortoise.color = VORN_Color(0.3, 0.7, 0.2, 1);
        tortoise.material = &material;
        tortoise.compile();
        scene.children.append(&key);
        scene.children.append(&fill);
        scene.children.append(&tortoise);

        // The figure from its right side and a little ahead and above (its head points towards -z).
        viewport.setView(VORN_Vector(0, -0.05, 0), 100, -20, -4.2);
        viewport.fieldOfView = 30;
        viewport.nearPlane = 0.1;
        viewport.farPlane = 20;
        renderer.addViewport(&viewport);
    }

    // The figure on a transparent square of renderSide pixels.
    QImage draw() {
        QOpenGLFramebufferObjectFormat format;
        format.setAttachment(QOpenGLFramebufferObject::Depth);
        format.setInternalTextureFormat(GL_RGBA8);
        QOpenGLFramebufferObject target(renderSide, renderSide, format);
        target.bind();
        renderer.initialize();
        glClearColor(0, 0, 0, 0);
        renderer.resize(renderSide, renderSide);
        renderer.render();
        glFinish();
        target.release();
        return target.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }

private:
    static constexpr float keyAmbient[4] = {0.25f, 0.25f, 0.25f, 1};
    static constexpr float keyDiffuse[4] = {0.9f, 0.9f, 0.85f, 1};
    static constexpr float keySpecular[4] = {0.6f, 0.6f, 0.6f, 1};
    static constexpr float keyDirection[4] = {2, 2.5f, -1, 0};
    static constexpr float noLight[4] = {0, 0, 0, 1};
    static constexpr float fillDiffuse[4] = {0.3f, 0.3f, 0.35f, 1};
    static constexpr float fillDirection[4] = {-1, 0.5f, 1, 0};

    VORN_Scene scene;
    VORN_Light key;
    VORN_Light fill;
    VORN_Material material;
    Tortoise tortoise;
    VORN_Viewport viewport;
    VORN_Renderer renderer;
};

// The figure cut out and centred on a square canvas with a margin, outlined in black about
// n / 48 pixels wide (at least one) at the final size, and scaled down to n × n.
QImage iconOf(const QImage& rendered, int n) {
    const QRect bounds = opaqueBounds(rendered);
    const int side = qMax(bounds.width(), bounds.height()) * 9 / 8;
    const double outline = side * qMax(1.0, n / 48.0) / n;
    const QPoint corner((side - bounds.width()) / 2, (side - bounds.height()) / 2);
    const QImage figure = rendered.copy(bounds);

    // The silhouette in black, stamped around a circle beneath the figure.
    QImage silhouette = figure;
    {
        QPainter painter(&silhouette);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(silhouette.rect(), Qt::black);
    }
    QImage canvas(side, side, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        const int steps = 64;
        for (int i = 0; i < steps; ++i) {
            const double angle = 2.0 * M_PI * i / steps;
            painter.drawImage(QPointF(corner.x() + outline * std::cos(angle),
                                      corner.y() + outline * std::sin(angle)),
                              silhouette);
        }
        painter.drawImage(corner, figure);
    }
    return canvas.scaled(n, n, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("icons");

    // A hidden context: the figure is drawn into a frame buffer object of its own.
    // The surface outlives the context, which is let go of as it is destroyed.
    QOffscreenSurface surface;
    QOpenGLContext context;
    if (!context.create()) {
        std::fprintf(stderr, "make_icons: no OpenGL context\n");
        return 1;
    }
    surface.setFormat(context.format());
    surface.create();
    if (!context.makeCurrent(&surface)) {
        std::fprintf(stderr, "make_icons: the OpenGL context cannot be made current\n");
        return 1;
    }
    glMatrixMode(GL_MODELVIEW);
    if (!QOpenGLFramebufferObject::hasOpenGLFramebufferObjects()) {
        std::fprintf(stderr, "make_icons: no OpenGL framebuffer objects\n");
        return 1;
    }

    IconScene scene;
    const QImage rendered = scene.draw();
    for (int n : iconSizes) {
        const QString sizeFolder = QStringLiteral("%1/hicolor/%2x%2/apps").arg(folder).arg(n);
        const QString path = sizeFolder + QStringLiteral("/" TV_APP_ID ".png");
        if (!QDir().mkpath(sizeFolder) || !iconOf(rendered, n).save(path, "PNG")) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", path.toLocal8Bit().constData());
            return 1;
        }
        std::printf("wrote %s\n", path.toLocal8Bit().constData());
    }
    return 0;
}
