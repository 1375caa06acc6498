// The player list that Tab shows in a network game: its rows and its panel.
#include "game/session/PlayerList.h"

#include "game/session/OverlayPanel.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace {

const QColor listFill(20, 20, 60, 250); // dark enough to hide what is below
const QColor listText(255, 255, 255);
const QColor listHeading(255, 240, 170);

QString translated(const char* text) {
    return QCoreApplication::translate("Game", text);
}

} // namespace

QList<QStringList> PlayerList::rows(const Roster& roster, int ownSeat) {
    QList<QStringList> rows;
    rows.append({translated(QT_TRANSLATE_NOOP("Game", "spieler")),
                 translated(QT_TRANSLATE_NOOP("Game", "name")),
                 translated(QT_TRANSLATE_NOOP("Game", "adresse")),
                 translated(QT_TRANSLATE_NOOP("Game", "ping"))});
    for (const Network::Person& p : roster.everyone()) {
        if (!p.connected)
            continue;
        QString player =
            translated(QT_TRANSLATE_NOOP("Game", "spieler ")) + QString::number(p.seat);
        if (p.seat == ownSeat)
            player += translated(QT_TRANSLATE_NOOP("Game", " (du)"));
        const bool host = p.address.isEmpty();
        rows.append({player, p.name.isEmpty() ? QStringLiteral("-") : p.name,
                     host ? translated(QT_TRANSLATE_NOOP("Game", "host")) : p.address,
                     host || p.roundTripMs < 0
                         ? QStringLiteral("-")
                         : QString::number(p.roundTripMs) + QStringLiteral(" ms")});
    }
    return rows;
}

void PlayerList::draw(QPainter& painter, const QRect& window, const QList<QStringList>& rows) {
    const QFont font("Helvetica", 15);
    const QFontMetrics metrics(font);
    const int padding = metrics.height();
    const int gap = 3 * metrics.averageCharWidth();
    const int step = metrics.lineSpacing() + 4;
    QList<int> widths;
    for (const QStringList& row : rows)
        for (int c = 0; c < row.size(); ++c) {
            if (widths.size() <= c)
                widths.append(0);
            widths[c] = std::max(widths[c], metrics.horizontalAdvance(row[c]));
        }
    int w = 2 * padding;
    for (int c = 0; c < widths.size(); ++c)
        w += widths[c] + (c ? gap : 0);
    const int h = 2 * padding + step * int(rows.size()) + step / 2;
    const QRect panel(window.center().x() - w / 2, window.center().y() - h / 2, w, h);

    const OverlayPanel filled(painter, panel, listFill, 12);
    painter.setFont(font);
    int baseline = panel.top() + padding + metrics.ascent();
    for (int r = 0; r < rows.size(); ++r) {
        painter.setPen(r == 0 ? listHeading : listText);
        int x = panel.left() + padding;
        for (int c = 0; c < rows[r].size(); ++c) {
            painter.drawText(x, baseline, rows[r][c]);
            x += widths[c] + gap;
        }
        baseline += r == 0 ? step * 3 / 2 : step;
    }
}
