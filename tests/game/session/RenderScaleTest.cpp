// The 3-D picture through the off-screen buffer: at scale 1 the frame is pixel for pixel the one
// drawn straight into the window; at half scale the valley is drawn at 400 × 300 and scaled up,
// while the panels' texts stay exactly as sharp and the figure labels keep their places and hide
// behind what stands in front of them. Widget pixels, origin top left; the window is 800 × 600.
// With TV_PICTURE_DIR set, the frames compared at scale 1 are written there.
#include "tests/support/GameDriver.h"

#include "engine/render/VORN_OffscreenTarget.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <QDir>
#include <cmath>
#include <cstdlib>

using namespace GameDriver;
using VORN_LIB::VORN_Vector;

namespace {

class RenderScaleScenario : public GameScenario {
protected:
    void SetUp() override {
        GameScenario::SetUp();
        g.front.options.light =
            ViewLight::Classic; // the pixels are compared in the lamps' light alone
        g.makeCurrent();
        if (!VORN_LIB::VORN_OffscreenTarget::supported())
            GTEST_SKIP() << "no framebuffer objects on this GL";
    }

    // The frame drawn straight into the window and through the buffer at the same scale 1.
    void expectSameThroughTheBuffer(const char* what) {
        g.renderScale.fix(1.0);
        g.pictureTarget.throughBuffer = false;
        const QImage direct = frame();
        g.pictureTarget.throughBuffer = true;
        const QImage buffered = frame();
        g.pictureTarget.throughBuffer = false;
        ASSERT_EQ(direct.size(), buffered.size()) << what;
        int differing = 0;
        QPoint first;
        int most = 0;
        for (int y = 0; y < direct.height(); ++y)
            for (int x = 0; x < direct.width(); ++x)
                if (direct.pixel(x, y) != buffered.pixel(x, y)) {
                    if (differing++ == 0)
                        first = QPoint(x, y);
                    const QColor a = direct.pixelColor(x, y), b = buffered.pixelColor(x, y);
                    most =
                        std::max({most, std::abs(a.red() - b.red()),
                                  std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
                }
        EXPECT_EQ(differing, 0) << what << ": pixels differ, the first at " << first.x() << ","
                                << first.y() << ": " << std::hex << direct.pixel(first)
                                << " direct, " << buffered.pixel(first)
                                << " through the buffer; most " << std::dec << most;
        if (const char* dir = std::getenv("TV_PICTURE_DIR")) {
            QDir().mkpath(dir);
            direct.save(QDir(dir).filePath(QString(what) + " direct.png"));
            buffered.save(QDir(dir).filePath(QString(what) + " buffered.png"));
            QImage marked = direct.convertToFormat(QImage::Format_RGB32);
            for (int y = 0; y < direct.height(); ++y)
                for (int x = 0; x < direct.width(); ++x)
                    if (direct.pixel(x, y) != buffered.pixel(x, y))
                        marked.setPixel(x, y, qRgb(255, 0, 0));
            marked.save(QDir(dir).filePath(QString(what) + " differing.png"));
        }
    }
};

// The pure white pixels (the cores of the overlay's glyphs) of an area.
std::vector<QPoint> whitePixels(const QImage& image, const QRect& area) {
    std::vector<QPoint> points;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() >= 250 && c.green() >= 250 && c.blue() >= 250)
                points.emplace_back(x, y);
        }
    return points;
}

} // namespace

TEST_F(RenderScaleScenario, AtFullScaleTheBufferedFrameIsTheDirectFrame) {
    expectSameThroughTheBuffer("main menu");
    startRound(9, 9, 11);
    toMoving();
    ticksFor(4); // the figures fall and come to rest
    ASSERT_EQ(g.match->state(), Moving);
    expectSameThroughTheBuffer("9 x 9 turn, driving");
    // Looking along the valley over many figures, their outlines and labels.
    g.viewport()->setView(g.match->currentFigure()->worldPosition, 30, -20, -12);
    expectSameThroughTheBuffer("9 x 9 turn, many figures in view");
    tap(Qt::Key_Return); // fire mode: the aiming arrow
    ASSERT_EQ(g.match->state(), Aiming);
    expectSameThroughTheBuffer("fire mode");
}

TEST_F(RenderScaleScenario, AtHalfScaleTextsStaySharpAndLabelsKeepTheirPlaces) {
    startRound(2, 1, 35);
    toMoving();
    Tortoise* near = g.match->currentFigure();
    Tortoise* far = g.match->players()[1]->figure(0);
    g.match->players()[1]->color = VORN_LIB::VORN_Color(0, 1, 0, 1); // labels in pure green
    placeOnGround(near, 0, 0);
    placeOnGround(far, 1.5, -6);
    VORN_LIB::VORN_Viewport& camera = *g.viewport();
    camera.setView(near->worldPosition, 0, -10, -5);
    const VORN_Vector eye = camera.position - camera.back * camera.distance;

    // The green pixels of the far figure's label "1 100", wherever the layout put it.
    const auto greenLabel = [&](const QImage& image) {
        return greenLabelPixels(image, g.panelsShown());
    };

    g.renderScale.fix(1.0);
    const QImage full = frame();
    EXPECT_EQ(camera.width, 800);
    g.renderScale.fix(0.5);
    const QImage half = frame();
    EXPECT_EQ(camera.width, 400);
    EXPECT_EQ(camera.height, 300);

    // The valley is softer but the same picture: close on average, yet not the same pixels.
    double difference = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            const QColor a = full.pixelColor(x, y), b = half.pixelColor(x, y);
            difference += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                          std::abs(a.blue() - b.blue());
        }
    difference /= 800.0 * 600.0 * 3;
    EXPECT_GT(difference, 0.05);
    EXPECT_LT(difference, 6.0);

    // The outlines keep their width on the window: around the near figure about as many black
    // pixels as at full scale (lines of two picture pixels, doubled, gave 1.9 times as many).
    const auto blackPixels = [](const QImage& image) {
        int n = 0;
        for (int y = 250; y < 350; ++y)
            for (int x = 340; x < 460; ++x) {
                const QColor c = image.pixelColor(x, y);
                n += c.red() + c.green() + c.blue() < 30;
            }
        return n;
    };
    EXPECT_GT(blackPixels(full), 100);
    EXPECT_NEAR(blackPixels(half), blackPixels(full), blackPixels(full) * 0.35);

    // The four panels' texts: every pure white pixel of the glyphs where it was at full scale.
    for (const QRect& panel :
         {QRect(0, 0, 200, 200), QRect(600, 0, 200, 200), QRect(0, 400, 200, 200)}) {
        const std::vector<QPoint> sharp = whitePixels(full, panel);
        EXPECT_GT(sharp.size(), 100u);
        EXPECT_EQ(whitePixels(half, panel), sharp) << "panel at " << panel.x() << "," << panel.y();
    }

    // The label in the open shows in the same place; behind the near figure (its anchor on the
    // line from the eye through the near figure's shell) it hides, as the depth of the half-size
    // picture says.
    EXPECT_GT(greenLabel(half), 20);
    EXPECT_NEAR(greenLabel(half), greenLabel(full), 15);
    const VORN_Vector shell = near->worldPosition + VORN_Vector(0, -0.06, 0.06);
    far->setWorldPosition(eye + (shell - eye) * 1.8 - VORN_Vector(0, 0.3, 0));
    EXPECT_EQ(greenLabel(frame()), 0);
    g.renderScale.fix(1.0);
    EXPECT_EQ(greenLabel(frame()), 0);
}
