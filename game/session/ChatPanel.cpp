// The chat line typed here and the lines shown above the message log.
#include "game/session/ChatPanel.h"

#include "game/network/ChatLimit.h"
#include "game/session/OverlayPanel.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

using VORN_LIB::VORN_Clock;

namespace {

const QColor stripFill(20, 20, 60, 170);
const QColor lineText(255, 255, 255);
const QColor noteText(255, 200, 120); // what this machine is told, apart from what was written
const QColor typedText(255, 240, 170);

const QFont& chatFont() {
    static const QFont font("Helvetica", 15);
    return font;
}

} // namespace

void ChatPanel::startTyping() {
    open = true;
    line.clear();
}

void ChatPanel::type(const QString& text) {
    if (!open || text.isEmpty() || line.size() + text.size() > ChatLimit::lineLimit)
        return;
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); }))
        line += text;
}

void ChatPanel::backspace() {
    line.chop(1);
    if (!line.isEmpty() && QChar(line.back()).isHighSurrogate())
        line.chop(1);
}

QString ChatPanel::finish() {
    open = false;
    const QString written = line.trimmed();
    line.clear();
    return written;
}

void ChatPanel::add(int seat, const QString& text, VORN_Clock::Ticks now) {
    lines.append({seat, text, now});
    while (lines.size() > shownLines)
        lines.removeFirst();
}

void ChatPanel::clear() {
    lines.clear();
    open = false;
    line.clear();
}

QString ChatPanel::words(const Line& l, const LogLine::Names& names) const {
    if (l.seat < 0)
        return l.text;
    const QString name = names ? names(l.seat) : QString();
    const QString who =
        name.isEmpty() ? QCoreApplication::translate("Game", "spieler ") + QString::number(l.seat)
                       : name;
    return who + QStringLiteral(": ") + l.text;
}

QStringList ChatPanel::shown(VORN_Clock::Ticks now, const LogLine::Names& names) const {
    QStringList texts;
    for (const Line& l : lines)
        if (now - l.at < shownMs)
            texts.append(words(l, names));
    return texts;
}

void ChatPanel::draw(QPainter& painter, int x, int bottom, int widthLimit, VORN_Clock::Ticks now,
                     const LogLine::Names& names) const {
    QList<const Line*> visible;
    for (const Line& l : lines)
        if (now - l.at < shownMs)
            visible.append(&l);
    if (visible.isEmpty() && !open)
        return;
    const QFontMetrics metrics(chatFont());
    const int step = metrics.lineSpacing() + 4;
    const int rows = int(visible.size()) + (open ? 1 : 0);
    const QString prompt = QCoreApplication::translate("Game", "sagen: ") + line + QLatin1Char('_');
    int width = open ? metrics.horizontalAdvance(prompt) : 0;
    for (const Line* l : visible)
        width = std::max(width, metrics.horizontalAdvance(words(*l, names)));
    width = std::min(width + 20, widthLimit - x);
    const QRect strip(x, bottom - rows * step - 8, width, rows * step + 8);

    const OverlayPanel panel(painter, strip, stripFill, 8);
    painter.setFont(chatFont());
    int baseline = strip.top() + 4 + metrics.ascent();
    for (const Line* l : visible) {
        painter.setPen(l->seat < 0 ? noteText : lineText);
        painter.drawText(x + 10, baseline, words(*l, names));
        baseline += step;
    }
    if (open) {
        painter.setPen(typedText);
        // The end of a long line stays in sight as it is typed.
        painter.drawText(x + 10, baseline,
                         metrics.elidedText(prompt, Qt::ElideLeft, strip.width() - 20));
    }
}
