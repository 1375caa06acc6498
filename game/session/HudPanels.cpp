// The overlay's panels painted from their lines into kept pictures, and the pictures onto the
// window.
#include "game/session/HudPanels.h"

#include "game/match/Match.h"
#include "game/session/TeamSymbol.h"
#include "game/world/Player.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <optional>

namespace {

using Line = HudLayout::Line;

const QColor menuFill(100, 100, 150, 125);
const QColor panelFill(100, 100, 255, 125);
const QColor noticeFill(40, 40, 110, 235); // a question or a pause reads over any panel
const QColor textColor(255, 255, 255);
const QColor outOfValley(235, 40, 30); // the strength that throws out of the valley

// Draws a panel from its kept picture at its place: the rounded shape in the brush, then
// whatever inside() adds (in the panel's own pixels), then the lines. The picture is painted again
// only when the lines, the size or extra (what inside() shows) changed.
template <typename Inside>
void drawPanel(QPainter& painter, PanelImage& kept, const QRect& place, const QColor& fill,
               const QList<Line>& lines, const QStringList& extra, Inside inside) {
    QStringList shows = extra;
    for (const Line& line : lines)
        shows << QStringLiteral("%1,%2,%3,%4:")
                         .arg(line.x)
                         .arg(line.y)
                         .arg(line.font->pointSize())
                         .arg(line.colour.name()) +
                     line.text;
    // One pixel more than the panel each way: its outline is drawn on its right and bottom edges.
    const QImage& image =
        kept.image(place.size() + QSize(1, 1), *painter.device(), shows, [&](QPainter& p) {
            p.setBrush(QBrush(fill, Qt::SolidPattern));
            p.drawRoundedRect(QRect(QPoint(0, 0), place.size()), 25, 25, Qt::RelativeSize);
            inside(p);
            for (const Line& line : lines) {
                p.setPen(line.colour.isValid() ? line.colour : textColor);
                p.setFont(*line.font);
                p.drawText(line.x, line.y, line.text);
            }
        });
    painter.drawImage(place.topLeft(), image);
}

void drawPanel(QPainter& painter, PanelImage& kept, const QRect& place, const QColor& fill,
               const QList<Line>& lines) {
    drawPanel(painter, kept, place, fill, lines, {}, [](QPainter&) {});
}

} // namespace

void HudPanels::drawMenu(QPainter& painter, const HudLayout& layout) {
    drawPanel(painter, images.menu, layout.menuPlace(), menuFill, layout.menuLines());
}

void HudPanels::drawTurn(QPainter& painter, const HudLayout& layout, const Match& match) {
    const HudLayout::Places places = layout.places();
    drawPanel(painter, images.turn, places.turn, panelFill, layout.turnLines());

    // The key panel; in fire mode with the aim's numbers and the strength as a bar, marked where
    // a throw this way would leave the valley: the strength beyond the mark is red.
    const QList<Line> keys = layout.keyLines();
    const bool aiming = match.state() == Aiming;
    const double full = HudLayout::fullStrength();
    const double strength = std::clamp(match.aimPower() / full, 0.0, 1.0);
    const int barWidth = places.keys.width() - 2 * HudLayout::keyMargin;
    const int filled = static_cast<int>(std::lround(strength * barWidth));
    const int barTop = HudLayout::aimTop + HudLayout::aimStep * 2 + 10;
    if (!aiming)
        throwReach.forget();
    const std::optional<double> leaving =
        aiming ? throwReach.leaving(match, full) : std::optional<double>();
    const int mark = leaving ? static_cast<int>(std::lround(*leaving / full * barWidth)) : -1;
    drawPanel(painter, images.keys, places.keys, panelFill, keys,
              {aiming ? QString("%1 %2").arg(filled).arg(mark) : QString()}, [&](QPainter& p) {
                  if (!aiming)
                      return;
                  const QPen pen = p.pen();
                  p.setPen(Qt::NoPen);
                  p.setBrush(QColor(255, 200, 60));
                  p.drawRect(HudLayout::keyMargin, barTop, filled, HudLayout::barHeight);
                  if (mark >= 0) {
                      p.setBrush(outOfValley);
                      if (filled > mark)
                          p.drawRect(HudLayout::keyMargin + mark, barTop, filled - mark,
                                     HudLayout::barHeight);
                      p.drawRect(HudLayout::keyMargin + mark - 1, barTop - 4, 2,
                                 HudLayout::barHeight + 8);
                  }
                  p.setPen(textColor);
                  p.setBrush(Qt::NoBrush);
                  p.drawRect(HudLayout::keyMargin, barTop, barWidth, HudLayout::barHeight);
                  p.setPen(pen);
              });

    // The strength pie, kept until a share or a colour changes.
    const QList<int> angles = match.strengthPieAngles();
    QList<QColor> colours;
    QList<int> owners; // the player of each slice
    QStringList pieShows;
    const bool shapes = layout.shapes();
    if (shapes)
        pieShows << QStringLiteral("shapes");
    for (unsigned i = 0; i < match.playerCount(); ++i) {
        const Player* player = match.players()[i].get();
        if (!player)
            continue;
        owners.append(static_cast<int>(i));
        colours.append(QColor::fromRgbF(qBound(0.0, player->color[0], 1.0),
                                        qBound(0.0, player->color[1], 1.0),
                                        qBound(0.0, player->color[2], 1.0), 1.0));
        pieShows << colours.last().name() << layout.nameOf(int(i));
    }
    for (int angle : angles)
        pieShows << QString::number(angle);
    drawPanel(painter, images.pie, places.pie, panelFill, {}, pieShows, [&](QPainter& p) {
        for (int slice = 0; slice < colours.size() && slice + 1 < angles.size(); ++slice) {
            p.setBrush(QBrush(colours[slice], Qt::SolidPattern));
            p.drawPie(20, 20, 160, 160, angles[slice], angles[slice + 1] - angles[slice]);
        }
        // Each slice's name along its middle on a slice wide enough for it, in black or white,
        // whichever reads on the slice; its team symbol further out (halfway out with no name).
        const QFontMetrics metrics(HudLayout::messageFont());
        p.setFont(HudLayout::messageFont());
        for (int slice = 0; slice < colours.size() && slice + 1 < angles.size(); ++slice) {
            const int span = angles[slice + 1] - angles[slice]; // sixteenths of a degree
            const double middle = (angles[slice] + span / 2.0) / 16 * M_PI / 180;
            const QPointF out(std::cos(middle), -std::sin(middle));
            const QString name = layout.nameOf(owners[slice]);
            const bool named = !name.isEmpty() && span >= 16 * 40;
            if (named) {
                const QString shown = metrics.elidedText(name, Qt::ElideRight, 70);
                const QPointF at = QPointF(100, 100) + 38 * out;
                const QColor& c = colours[slice];
                const double luminance =
                    0.2126 * c.redF() + 0.7152 * c.greenF() + 0.0722 * c.blueF();
                p.setPen(luminance > 0.45 ? Qt::black : Qt::white);
                p.drawText(QPointF(at.x() - metrics.horizontalAdvance(shown) / 2.0,
                                   at.y() + metrics.ascent() / 2.0 - 1),
                           shown);
            }
            if (shapes && span >= 16 * 12)
                TeamSymbol::draw(p, owners[slice], QPointF(100, 100) + (named ? 64 : 52) * out, 9,
                                 QColor(245, 245, 245));
        }
    });

    drawPanel(painter, images.messages, places.messages, panelFill, layout.messageLines());
}

void HudPanels::drawNotice(QPainter& painter, const HudLayout& layout) {
    const QList<Line> lines = layout.noticeLines();
    if (!lines.isEmpty())
        drawPanel(painter, images.notice, layout.noticePlace(), noticeFill, lines);
}

void HudPanels::drawMessages(QPainter& painter, const HudLayout& layout, int height) {
    const int top = height - 200;
    const QPen pen = painter.pen();
    painter.setPen(textColor);
    painter.setFont(HudLayout::messageFont());
    for (const Line& line : layout.messageLines())
        painter.drawText(line.x, top + line.y, line.text);
    painter.setPen(pen);
}
