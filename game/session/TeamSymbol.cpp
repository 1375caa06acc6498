// The symbol drawn from the shape's outline, y up in the outline and down on the painter.
#include "game/session/TeamSymbol.h"

#include "game/world/TeamShapes.h"

#include <QPainter>
#include <QPen>
#include <QPolygonF>

void TeamSymbol::draw(QPainter& painter, int player, QPointF centre, double radius,
                      const QColor& fill) {
    QPolygonF polygon;
    for (const TeamShapes::Corner& c : TeamShapes::outline(player))
        polygon << QPointF(centre.x() + radius * c.x, centre.y() - radius * c.y);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QColor(20, 20, 28), std::max(1.0, radius / 5)));
    painter.setBrush(fill);
    painter.drawPolygon(polygon);
    painter.restore();
}
