// A rounded panel of the overlay drawn straight onto the window, for as long as the object lives:
// the painter saved and set to window pixels, clipped to the panel, and the panel filled; its
// contents are drawn in between, and the painter is restored at the end. The clip matters on the
// GL window: the painter fills a rounded shape through the stencil buffer, which it would
// otherwise clear over the whole window first.
#pragma once

#include <QColor>
#include <QRect>
#include <Qt>

class QPainter;

class OverlayPanel {
public:
    enum class Edge {
        None,       // no outline
        PainterPen, // outlined with the pen the painter had
    };
    OverlayPanel(QPainter& painter, const QRect& panel, const QColor& fill, qreal radius,
                 Qt::SizeMode mode = Qt::AbsoluteSize, Edge edge = Edge::None);
    ~OverlayPanel();
    OverlayPanel(const OverlayPanel&) = delete;
    OverlayPanel& operator=(const OverlayPanel&) = delete;

private:
    QPainter& painter;
};
