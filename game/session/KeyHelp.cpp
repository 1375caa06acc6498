// The key help's lines for the screen shown, where they go, and how they are drawn.
#include "game/session/KeyHelp.h"

#include "game/frontend/FrontEnd.h"
#include "game/match/Match.h"
#include "game/network/NetworkClient.h"
#include "game/rules/Weapons.h"
#include "game/session/OverlayPanel.h"
#include "game/session/TurnKeys.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace {

const QColor helpFill(20, 20, 60, 245); // dark enough to hide the text below it
const QColor helpText(255, 255, 255);
const QColor helpKey(255, 240, 170); // the keys pale yellow, the actions white
constexpr int largestPointSize = 15;
constexpr int windowMargin = 10; // kept free between the panel and the window's edges

QFont helpFont(int pointSize) {
    return QFont("Helvetica", pointSize);
}

} // namespace

KeyHelp::KeyHelp(const Match& match, const FrontEnd& front, bool hosting,
                 const NetworkClient* client, QSize window)
    : match(match), front(front), hosting(hosting), client(client), window(window) {}

QList<KeyHelp::Line> KeyHelp::lines() const {
    QList<Line> lines;
    const QString escape = QStringLiteral("esc");
    const QString enter = QStringLiteral("return");
    // The menus' own keys, and the keys of every screen, are the front end's rows; so are a
    // question's, which hide everything below it.
    const bool asked = front.asking != FrontEnd::Question::None;
    const bool localTurn = !hosting && !client && !replaying && match.turnUnderWay() && !asked;
    const QList<FrontEnd::HelpLine> menus =
        front.help(match.state() == NoGame, hosting, hosting || client, localTurn,
                   match.state() == GameOver && !asked);
    switch (asked ? NoGame : match.state()) {
    case NoGame:
        break;
    case Countdown:
    case Moving:
    case Aiming:
    case Flying:
    case GameOver: {
        // The turn's keys, where they steer this window's figure: on a joined machine on its own
        // seat's turn, elsewhere unless the computer or another machine is on turn.
        const bool ownTurn =
            !replaying && (client ? match.currentPlayer() == client->seat
                                  : !(match.computerOnTurn() || match.remoteOnTurn()));
        const bool everyWeapon = match.settings().weapons == GameSettings::Weapons::All;
        const bool driving = match.state() == Countdown || match.state() == Moving;
        if (ownTurn && (driving || match.state() == Aiming)) {
            const auto mode = driving ? TurnKeys::Mode::Driving : TurnKeys::Mode::Aiming;
            for (const TurnKeys::HelpLine& line : TurnKeys::help(mode, everyWeapon))
                lines.append({line.key, line.action});
        } else if (match.state() == GameOver && !client && !replaying) {
            lines.append({enter, tr("zum hauptmenue")});
        }
        if (replaying) {
            lines.append({tr("leertaste"), tr("pause")});
            lines.append({QStringLiteral("+ / -"), tr("tempo")});
            lines.append({tr("bild auf / ab"), tr("zug davor / danach")});
            lines.append({QStringLiteral("f"), tr("dem zug folgen")});
            lines.append({escape, tr("zurueck")});
        } else if (client)
            lines.append({escape, tr("spiel verlassen")});
        else if (match.state() == Countdown || match.state() == Moving || match.state() == Aiming)
            lines.append({escape, tr("hauptmenue")});
        // In fire mode V gives the aim's view back rather than the one behind the figure.
        lines.append({QStringLiteral("v"), match.state() == Aiming ? tr("blick entlang des wurfs")
                                                                   : tr("blick hinter die figur")});
        lines.append({QStringLiteral("e"), tr("naechster gegner")});
        lines.append(
            {front.options.mouse == MouseTurn::RightButton ? tr("rechte taste + maus") : tr("maus"),
             tr("kamera drehen")});
        lines.append({tr("mausrad"), tr("zoomen")});
        lines.append({tr("mittlere taste"), tr("blick der figur")});
        break;
    }
    }
    for (const FrontEnd::HelpLine& line : menus)
        lines.append({line.key, line.action});
    return lines;
}

KeyHelp::Layout KeyHelp::layout() const {
    const QList<Line> shown = lines();
    const QString title = tr("tasten");
    Layout result{};
    for (int size = largestPointSize; size > 0; --size) {
        const QFontMetrics metrics(helpFont(size));
        int keyWidth = 0;
        int actionWidth = metrics.horizontalAdvance(title);
        for (const Line& line : shown) {
            keyWidth = std::max(keyWidth, metrics.horizontalAdvance(line.key));
            actionWidth = std::max(actionWidth, metrics.horizontalAdvance(line.action));
        }
        const int padding = metrics.height();
        const int gap = 2 * metrics.averageCharWidth();
        const int step = metrics.lineSpacing() + 2;
        // The title, half a line free, the lines.
        const int w = padding + keyWidth + gap + actionWidth + padding;
        const int h = padding + metrics.ascent() + step * 3 / 2 + step * (shown.size() - 1) +
                      metrics.descent() + padding;
        result.pointSize = size;
        result.panel = QRect((window.width() - w) / 2, (window.height() - h) / 2, w, h);
        result.keyX = result.panel.left() + padding;
        result.actionX = result.keyX + keyWidth + gap;
        result.titleBaseline = result.panel.top() + padding + metrics.ascent();
        result.firstBaseline = result.titleBaseline + step * 3 / 2;
        result.lineStep = step;
        if (w <= window.width() - 2 * windowMargin && h <= window.height() - 2 * windowMargin)
            break; // else a smaller font, down to the smallest there is
    }
    return result;
}

void KeyHelp::draw(QPainter& painter) const {
    const QList<Line> shown = lines();
    const Layout at = layout();
    const OverlayPanel panel(painter, at.panel, helpFill, 12);
    painter.setFont(helpFont(at.pointSize));
    painter.setPen(helpText);
    painter.drawText(at.keyX, at.titleBaseline, tr("tasten"));
    int baseline = at.firstBaseline;
    for (const Line& line : shown) {
        painter.setPen(helpKey);
        painter.drawText(at.keyX, baseline, line.key);
        painter.setPen(helpText);
        painter.drawText(at.actionX, baseline, line.action);
        baseline += at.lineStep;
    }
}
