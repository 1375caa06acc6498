// The wind's arrow and strength at the top of the window, as the camera sees the wind.
#include "game/session/WindArrow.h"

#include "game/rules/Wind.h"
#include "game/session/OverlayPanel.h"

#include <QCoreApplication>
#include <QFont>
#include <QPainter>
#include <QPolygonF>
#include <cmath>

using VORN_LIB::VORN_Vector;

namespace {

const QColor fill(100, 100, 255, 125);
const QColor arrowColour(255, 230, 90);

const QFont& labelFont() {
    static const QFont font("Helvetica", 16);
    return font;
}

} // namespace

int WindArrow::strengthShown(const VORN_Vector& wind) {
    return static_cast<int>(std::lround(Wind::strength(wind) / Wind::strongMax * 10));
}

QString WindArrow::label(const VORN_Vector& wind) {
    return QCoreApplication::translate("Game", "wind %1").arg(strengthShown(wind));
}

QPointF WindArrow::direction(const VORN_Vector& wind, const VORN_Vector& right,
                             const VORN_Vector& back) {
    // Seen from above the camera's shoulder: its right is the screen's right, its back (towards
    // the viewer) the screen's down.
    const double x = wind.x() * right.x() + wind.z() * right.z();
    const double y = wind.x() * back.x() + wind.z() * back.z();
    const double length = std::hypot(x, y);
    if (!(length > 0))
        return QPointF(0, 0);
    return QPointF(x / length, y / length);
}

void WindArrow::draw(QPainter& painter, int windowWidth, const VORN_Vector& wind,
                     const VORN_Vector& right, const VORN_Vector& back) {
    const QRect panel(windowWidth / 2 - width / 2, 6, width, height);
    const OverlayPanel filled(painter, panel, fill, 25, Qt::RelativeSize,
                              OverlayPanel::Edge::PainterPen);

    // The arrow in a circle at the panel's left, longer the stronger the wind.
    const QPointF centre(panel.left() + 36, panel.center().y() + 0.5);
    const QPointF d = direction(wind, right, back);
    if (d != QPointF(0, 0)) {
        const double half = 8 + 16 * std::min(1.0, Wind::strength(wind) / Wind::strongMax);
        const QPointF tip = centre + d * half;
        const QPointF tail = centre - d * half;
        const QPointF side(-d.y(), d.x());
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(arrowColour, 4, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(tail, tip - d * 6);
        painter.setPen(Qt::NoPen);
        painter.setBrush(arrowColour);
        painter.drawPolygon(QPolygonF({tip, tip - d * 12 + side * 7, tip - d * 12 - side * 7}));
    }
    painter.setPen(Qt::white);
    painter.setFont(labelFont());
    painter.drawText(panel.left() + 72, panel.center().y() + 7, label(wind));
}
