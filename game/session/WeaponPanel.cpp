// The weapon panel under the turn panel: each weapon's key, name and how many are left.
#include "game/session/WeaponPanel.h"

#include "game/session/OverlayPanel.h"

#include <QCoreApplication>
#include <QFont>
#include <QPainter>

namespace {

const QColor fill(100, 100, 255, 125);
const QColor takenColour(255, 230, 90);
const QColor usedUpColour(170, 170, 200);

const QFont& lineFont() {
    static const QFont font("Helvetica", 13);
    return font;
}

} // namespace

QString WeaponPanel::name(Weapon w) {
    return QCoreApplication::translate("Game", Weapons::of(w).name);
}

QString WeaponPanel::line(Weapon w, int left) {
    QString text = QString(QLatin1Char(Weapons::of(w).key)) + QLatin1Char(' ') + name(w);
    if (left != Weapons::endless)
        text += QLatin1Char(' ') + QString::number(left);
    return text;
}

QRect WeaponPanel::place(const QRect& turnPanel) {
    return QRect(turnPanel.left(), turnPanel.bottom() + 7, width, height);
}

void WeaponPanel::draw(QPainter& painter, const QRect& panel, Weapon taken,
                       const std::array<int, Weapons::count>& left) {
    const OverlayPanel filled(painter, panel, fill, 25, Qt::RelativeSize,
                              OverlayPanel::Edge::PainterPen);
    painter.setFont(lineFont());
    for (int i = 0; i < Weapons::count; ++i) {
        const Weapon w = static_cast<Weapon>(i);
        const int y = panel.top() + 30 + 26 * i;
        painter.setPen(w == taken ? takenColour : left[i] == 0 ? usedUpColour : Qt::white);
        if (w == taken)
            painter.drawText(panel.left() + 8, y, QStringLiteral(">"));
        // The key and the name, and what is left in a column of its own at the right.
        painter.drawText(panel.left() + 20, y, line(w, Weapons::endless));
        if (left[i] != Weapons::endless)
            painter.drawText(QRect(panel.right() - 40, y - 20, 28, 26),
                             Qt::AlignRight | Qt::AlignBottom, QString::number(left[i]));
    }
}
