// A rounded panel drawn straight onto the window, with the painter restored after it.
#include "game/session/OverlayPanel.h"

#include <QBrush>
#include <QPainter>

OverlayPanel::OverlayPanel(QPainter& painter, const QRect& panel, const QColor& fill, qreal radius,
                           Qt::SizeMode mode, Edge edge)
    : painter(painter) {
    painter.save();
    painter.resetTransform();
    painter.setClipRect(panel.adjusted(-2, -2, 2, 2)); // the outline and its smoothing included
    if (edge == Edge::None)
        painter.setPen(Qt::NoPen);
    painter.setBrush(QBrush(fill, Qt::SolidPattern));
    painter.drawRoundedRect(panel, radius, radius, mode);
}

OverlayPanel::~OverlayPanel() {
    painter.restore();
}
