// The teams' shapes tell the teams apart without colour: each filled at the size of a label's
// symbol, any two cover clearly different pixels; and each can be filled as a fan from its
// middle, as the turn marker fills it.
#include "game/world/TeamShapes.h"

#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// The pixels a shape covers, drawn as the labels draw it: radius 8 in a 20 × 20 picture.
QImage filled(int player) {
    QImage image(20, 20, QImage::Format_Grayscale8);
    image.fill(0);
    QPolygonF polygon;
    for (const TeamShapes::Corner& c : TeamShapes::outline(player))
        polygon << QPointF(10 + 8 * c.x, 10 - 8 * c.y);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawPolygon(polygon);
    return image;
}

} // namespace

TEST(TeamShapes, NineShapesCoverDifferentPixelsAndFillAsAFanFromTheirMiddle) {
    std::vector<QImage> shapes;
    for (int player = 0; player < TeamShapes::count; ++player) {
        SCOPED_TRACE(player);
        const auto& outline = TeamShapes::outline(player);
        ASSERT_GE(outline.size(), 3u);
        // Seen from the middle the corners go round once, counter-clockwise or clockwise, never
        // back: a ray from the middle leaves the shape once.
        double turned = 0;
        for (std::size_t i = 0; i < outline.size(); ++i) {
            const TeamShapes::Corner& a = outline[i];
            const TeamShapes::Corner& b = outline[(i + 1) % outline.size()];
            EXPECT_LE(std::hypot(a.x, a.y), 1 + 1e-9);
            const double step = std::atan2(a.x * b.y - a.y * b.x, a.x * b.x + a.y * b.y);
            EXPECT_GT(std::fabs(step), 1e-6);
            turned += step;
            EXPECT_GT(step * turned, 0) << "the outline turns back at corner " << i;
        }
        EXPECT_NEAR(std::fabs(turned), 2 * M_PI, 1e-9);
        shapes.push_back(filled(player));
    }
    EXPECT_EQ(&TeamShapes::outline(9), &TeamShapes::outline(0));
    // Any two differ in at least a fifth of the pixels either covers.
    for (int a = 0; a < TeamShapes::count; ++a)
        for (int b = a + 1; b < TeamShapes::count; ++b) {
            int both = 0, either = 0;
            for (int y = 0; y < 20; ++y)
                for (int x = 0; x < 20; ++x) {
                    const bool inA = qGray(shapes[a].pixel(x, y)) > 127;
                    const bool inB = qGray(shapes[b].pixel(x, y)) > 127;
                    both += inA && inB;
                    either += inA || inB;
                }
            EXPECT_LT(both, 0.8 * either) << a << " and " << b;
        }
}
