// The arrows toward the enemies outside the picture: each tortoise seen through the camera's
// perspective as the renderer sets it up (vertical field of view, the window's aspect, the near
// and far planes), and an arrow where the line from the picture's middle toward it meets the
// edge.
#include "game/session/EnemyPointers.h"

#include "engine/render/VORN_Viewport.h"
#include "game/match/Match.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <map>

using namespace VORN_LIB;

namespace {

// The square an arrow of the given tip and direction lies in, with a pixel to spare.
QRectF arrowBounds(const QPointF& tip, const QPointF& direction) {
    const QPointF base = tip - direction * EnemyPointers::length;
    const double half = EnemyPointers::length * 0.45 + 1;
    return QRectF(QPointF(std::min(tip.x(), base.x()) - half, std::min(tip.y(), base.y()) - half),
                  QPointF(std::max(tip.x(), base.x()) + half, std::max(tip.y(), base.y()) + half));
}

bool onAPanel(const QRectF& arrow, const QVector<QRect>& panels) {
    for (const QRect& panel : panels)
        if (arrow.intersects(QRectF(panel)))
            return true;
    return false;
}

} // namespace

void EnemyPointers::place(const Match& match, const VORN_Viewport& camera, QSize window,
                          const QVector<QRect>& panels) {
    pointers.clear();
    if (window.isEmpty() || match.currentPlayer() < 0)
        return;
    const double w = window.width(), h = window.height();
    const double tanHalf = std::tan(camera.fieldOfView * M_PI / 360.0);
    const double aspect = w / h;
    const VORN_Vector eye = camera.position - camera.back * camera.distance;
    for (unsigned i = 0; i < match.playerCount(); ++i) {
        const Player* player = match.players()[i].get();
        if (!player || int(i) == match.currentPlayer())
            continue;
        const QColor colour =
            QColor::fromRgbF(qBound(0.0, player->color[0], 1.0), qBound(0.0, player->color[1], 1.0),
                             qBound(0.0, player->color[2], 1.0));
        for (unsigned j = 0; j < player->count; ++j) {
            const Tortoise* figure = player->figure(j);
            if (!figure)
                continue;
            const VORN_Vector seen = figure->worldPosition - eye;
            const double depth = -dot(seen, camera.back); // along the view
            // Across the picture, in halves of its width and height at one unit along the view.
            double across = dot(seen, camera.right) / (tanHalf * aspect);
            double upward = dot(seen, camera.up) / tanHalf;
            if (depth > camera.nearPlane && depth <= camera.farPlane && std::abs(across) <= depth &&
                std::abs(upward) <= depth)
                continue; // in the picture
            if (across == 0 && upward == 0)
                upward = -1; // right behind the eye: down, toward the ground it stands on
            // On the window, from its middle; y grows downward there.
            QPointF d(across * w / 2, -upward * h / 2);
            d /= std::hypot(d.x(), d.y());
            const double reachX = d.x() != 0 ? (w / 2 - margin) / std::abs(d.x()) : 1e300;
            const double reachY = d.y() != 0 ? (h / 2 - margin) / std::abs(d.y()) : 1e300;
            const QPointF middle(w / 2, h / 2);
            double reach = std::min(reachX, reachY);
            constexpr double step = 4; // pixels at a time in from the edge, off the panels
            while (reach > 2 * length && onAPanel(arrowBounds(middle + d * reach, d), panels))
                reach -= step;
            pointers.push_back({middle + d * reach, d, colour, i});
        }
    }
}

// One path a team, each filled and outlined at once: the painter's cost is in its calls, not in
// the triangles.
void EnemyPointers::draw(QPainter& painter) const {
    if (pointers.empty())
        return;
    std::map<unsigned, QPainterPath> teams;
    for (const Pointer& p : pointers) {
        const QPointF base = p.tip - p.direction * length;
        const QPointF side(-p.direction.y() * length * 0.45, p.direction.x() * length * 0.45);
        QPainterPath& path = teams[p.player];
        path.setFillRule(Qt::WindingFill); // arrows on top of each other leave no hole
        path.addPolygon(QPolygonF({p.tip, base + side, base - side}));
        path.closeSubpath();
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 0, 0, 200), 1.5));
    for (const auto& [player, path] : teams) {
        const auto found = std::find_if(pointers.begin(), pointers.end(),
                                        [&](const Pointer& p) { return p.player == player; });
        painter.setBrush(found->colour);
        painter.drawPath(path);
    }
    painter.restore();
}
