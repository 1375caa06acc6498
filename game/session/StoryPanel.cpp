// The story's page painted into its kept picture: the table's columns as wide as their widest
// text, the graph's axes with their scales, a line a player.
#include "game/session/StoryPanel.h"

#include "game/match/GameStory.h"
#include "game/session/HudLayout.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace {

const QSize pageSize(760, 560);
const QColor pageFill(30, 30, 80, 240); // darker than the menus: the graph's colours read on it
const QColor textColor(255, 255, 255);
const QColor axisColor(200, 200, 220);
constexpr int margin = 30;
constexpr int titleLine = 44;   // the title's baseline
constexpr int tableTop = 84;    // the heading's baseline
constexpr int rowStep = 22;     // between the table's baselines
constexpr int swatch = 12;      // the colour square before a player's title
constexpr int titleWidth = 130; // a longer name is cut short
constexpr int columnGap = 22;
constexpr int keysLine = 540; // the keys' baseline

QColor colourOf(const VORN_LIB::VORN_Color& c) {
    return QColor::fromRgbF(std::clamp(c[0], 0.0, 1.0), std::clamp(c[1], 0.0, 1.0),
                            std::clamp(c[2], 0.0, 1.0), 1.0);
}

} // namespace

QList<QStringList> StoryPanel::rows(const GameStory& story,
                                    const std::function<QString(int)>& title) {
    QList<QStringList> table{{QString(), tr("ausgeteilt"), tr("eingesteckt"), tr("selbst"),
                              tr("verloren"), tr("bester wurf")}};
    const std::vector<GameStory::Tally>& tallies = story.tallies();
    for (std::size_t u = 0; u < tallies.size(); ++u) {
        const GameStory::Tally& t = tallies[u];
        table.append({title(int(u)), QString::number(t.dealt), QString::number(t.taken),
                      QString::number(t.own), QString::number(t.lost),
                      t.bestTurn != 0 ? tr("%1 (zug %2)").arg(t.bestShot).arg(t.bestTurn)
                                      : QStringLiteral("-")});
    }
    return table;
}

QRect StoryPanel::place(QSize room) {
    return QRect(
        QPoint(room.width() / 2 - pageSize.width() / 2, room.height() / 2 - pageSize.height() / 2),
        pageSize);
}

QRect StoryPanel::graphArea(const QRect& page, int players) {
    const int top = tableTop + rowStep * players + 50;
    return QRect(page.left() + 90, page.top() + top, page.width() - 90 - margin - 20,
                 keysLine - 70 - top);
}

void StoryPanel::draw(QPainter& painter, QSize room, const GameStory& story,
                      const QList<QStringList>& table, const QString& keys) {
    const QRect page = place(room);
    QStringList shows{keys};
    for (const QStringList& row : table)
        shows << row.join(QLatin1Char('|'));
    for (const std::vector<int>& row : story.strengths()) {
        QString numbers;
        for (int hp : row)
            numbers += QString::number(hp) + QLatin1Char(' ');
        shows << numbers;
    }
    for (const VORN_LIB::VORN_Color& c : story.colours())
        shows << colourOf(c).name();

    const int players = std::max(0, int(table.size()) - 1);
    const QRect graph = graphArea(page, players).translated(-page.topLeft());
    const QImage& image = kept.image(page.size(), *painter.device(), shows, [&](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(pageFill);
        p.drawRoundedRect(QRect(QPoint(0, 0), page.size()), 25, 25);

        p.setPen(textColor);
        p.setFont(HudLayout::panelFont());
        p.drawText(margin, titleLine, tr("statistik"));

        // The table: a column as wide as its widest text, in the largest size that fits the page.
        QFont font = HudLayout::messageFont();
        std::vector<int> widths;
        for (int size = font.pointSize(); size > 6; --size) {
            font.setPointSize(size);
            const QFontMetrics m(font);
            widths.clear();
            int right = margin + swatch + 8 + titleWidth;
            for (int c = 1; c < 6; ++c) {
                int wide = 0;
                for (const QStringList& row : table)
                    wide = std::max(wide, m.horizontalAdvance(row.value(c)));
                widths.push_back(wide);
                right += columnGap + wide;
            }
            if (right <= page.width() - margin)
                break;
        }
        const QFontMetrics metrics(font);
        p.setFont(font);
        int x = margin + swatch + 8 + titleWidth + columnGap;
        for (int c = 1; c < 6; ++c) {
            for (int r = 0; r < table.size(); ++r)
                p.drawText(x, tableTop + rowStep * r, table[r].value(c));
            x += widths[std::size_t(c - 1)] + columnGap;
        }
        for (int r = 1; r < table.size(); ++r) {
            const int baseline = tableTop + rowStep * r;
            if (std::size_t(r - 1) < story.colours().size())
                p.fillRect(margin, baseline - swatch, swatch, swatch,
                           colourOf(story.colours()[std::size_t(r - 1)]));
            p.setFont(HudLayout::messageFont());
            p.drawText(margin + swatch + 8, baseline,
                       QFontMetrics(HudLayout::messageFont())
                           .elidedText(table[r].value(0), Qt::ElideRight, titleWidth));
        }
        p.setFont(font);

        // The axes: hit points up from 0 to the players' start, the turns along, the end last.
        const std::vector<std::vector<int>>& strengths = story.strengths();
        const int full = std::max(1, story.startStrength());
        p.setPen(QPen(axisColor, 1));
        p.drawLine(graph.bottomLeft(), graph.topLeft());
        p.drawLine(graph.bottomLeft(), graph.bottomRight());
        p.drawText(graph.left() - 10 - metrics.horizontalAdvance(QString::number(full)),
                   graph.top() + metrics.ascent() / 2, QString::number(full));
        p.drawText(graph.left() - 10 - metrics.horizontalAdvance(QStringLiteral("0")),
                   graph.bottom() + metrics.ascent() / 2, QStringLiteral("0"));
        p.drawText(graph.left(), graph.top() - 10, tr("lebenspunkte"));
        const QString along = tr("zug");
        p.drawText(graph.center().x() - metrics.horizontalAdvance(along) / 2, graph.bottom() + 40,
                   along);
        const int points = int(strengths.size());
        const auto xAt = [&](int i) {
            return points > 1 ? graph.left() + double(graph.width()) * i / (points - 1)
                              : double(graph.left());
        };
        const auto yAt = [&](int hp) {
            return graph.bottom() - double(graph.height()) * std::clamp(hp, 0, full) / full;
        };
        // A figure under every few turns, so that they never run into each other.
        const int every = std::max(
            1, (points * metrics.horizontalAdvance(QStringLiteral("000")) + graph.width() - 1) /
                   std::max(1, graph.width()));
        const bool ended = points > story.turns(); // the last point is the end, not a turn
        const auto mark = [&](int i, const QString& text) {
            p.drawLine(QPointF(xAt(i), graph.bottom()), QPointF(xAt(i), graph.bottom() + 4));
            p.drawText(QPointF(xAt(i) - metrics.horizontalAdvance(text) / 2.0,
                               graph.bottom() + 6 + metrics.ascent()),
                       text);
        };
        for (int i = 0; i < (ended ? points - 1 : points); i += every)
            if (!ended || i + every < points)
                mark(i, QString::number(i + 1));
        if (ended && points > 1)
            mark(points - 1, tr("ende"));

        // A line a player, in its colour.
        for (std::size_t u = 0; u < story.colours().size(); ++u) {
            QPainterPath line;
            for (int i = 0; i < points; ++i) {
                const int hp =
                    u < strengths[std::size_t(i)].size() ? strengths[std::size_t(i)][u] : 0;
                const QPointF at(xAt(i), yAt(hp));
                if (i == 0)
                    line.moveTo(at);
                else
                    line.lineTo(at);
            }
            p.setPen(
                QPen(colourOf(story.colours()[u]), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPath(line);
        }

        p.setPen(textColor);
        p.setFont(HudLayout::panelFont());
        p.drawText(margin, keysLine, keys);
    });
    painter.drawImage(page.topLeft(), image);
}
