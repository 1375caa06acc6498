// A panel of the overlay kept as a picture: its rounded shape and its texts are painted into an
// image only when what it shows changes (its texts, its size, the language), and the frames in
// between draw the kept image, which the painter keeps as a texture of its own.
#pragma once

#include <QImage>
#include <QPainter>
#include <QStringList>

class PanelImage {
public:
    // The panel's picture for what it shows (every text and number it draws, in the language
    // shown) at a size, its fonts set for the resolution of the window it is drawn on: painted
    // again by paint(painter of the image) only when one of them changed since the last call.
    template <typename Paint>
    const QImage& image(const QSize& size, const QPaintDevice& window, const QStringList& shows,
                        Paint paint) {
        const int dpmX = qRound(window.logicalDpiX() / 0.0254);
        const int dpmY = qRound(window.logicalDpiY() / 0.0254);
        if (size != picture.size() || shows != shown || dpmX != picture.dotsPerMeterX() ||
            dpmY != picture.dotsPerMeterY()) {
            if (size != picture.size())
                picture = QImage(size, QImage::Format_ARGB32_Premultiplied);
            picture.setDotsPerMeterX(dpmX);
            picture.setDotsPerMeterY(dpmY);
            picture.fill(Qt::transparent);
            QPainter painter(&picture);
            painter.setRenderHint(QPainter::TextAntialiasing);
            paint(painter);
            shown = shows;
            ++paints;
        }
        return picture;
    }
    int timesPainted() const { return paints; }

private:
    QImage picture;
    QStringList shown;
    int paints = 0;
};
