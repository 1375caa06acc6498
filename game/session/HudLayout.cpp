// The overlay panels' lines and places: the menus, the turn, the keys, the aim and the message
// log, each line at its place in its panel, each panel sized to its lines.
#include "game/session/HudLayout.h"

#include "game/frontend/FrontEnd.h"
#include "game/frontend/OptionChoices.h"
#include "game/match/Match.h"
#include "game/network/NetworkClient.h"
#include "game/rules/Rules.h"
#include "game/rules/SettingChoices.h"
#include "game/world/TeamColours.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <algorithm>
#include <cmath>

namespace {

// The main menu's computer line: its longest text ("c: computer: schwer") fits the 400-pixel
// panel only a size below the menu's other lines.
const QFont& menuLineFont() {
    static const QFont font("Helvetica", 24);
    return font;
}

// "computer zielt" fills the key panel's 160 pixels between its rounded edges only a few sizes
// below the panel's other lines.
const QFont& keyLineFont() {
    static const QFont font("Helvetica", 16);
    return font;
}

} // namespace

const QFont& HudLayout::menuFont() {
    static const QFont font("Helvetica", 30);
    return font;
}

const QFont& HudLayout::panelFont() {
    static const QFont font("Helvetica", 20);
    return font;
}

const QFont& HudLayout::messageFont() {
    static const QFont font("Helvetica", 15);
    return font;
}

int HudLayout::widest(const QList<Line>& lines) {
    int right = 0;
    for (const Line& line : lines)
        right = std::max(right, line.x + QFontMetrics(*line.font).horizontalAdvance(line.text));
    return right;
}

HudLayout::HudLayout(const Match& match, const FrontEnd& front, const NetworkClient* client,
                     LogLine::Names names, QSize window)
    : match(match), front(front), client(client), names(std::move(names)), window(window) {}

QList<HudLayout::Line> HudLayout::menuLines() const {
    // Offsets from the panel's top left; a 400-pixel panel puts them where they always were, 160
    // pixels left of the window's middle.
    QList<Line> lines;
    const auto line = [&](int x, int y, const QString& text, const QFont& font = menuFont()) {
        lines.append({x, y, text, &font});
    };
    if (match.state() == GameOver) {
        if (!front.trainingResult.isEmpty()) { // a training's end: the time it took, or lost
            line(40, 80, tr("training"));
            line(40, 160, front.trainingResult);
        } else if (!match.alivePlayers().isEmpty()) {
            line(40, 80,
                 QFontMetrics(menuFont())
                     .elidedText(playerTitle(match.alivePlayers().first()), Qt::ElideRight, 340));
            line(40, 160, tr("gewinnt"));
        } else {
            line(40, 80, tr("unentschieden"));
            line(40, 160, tr("alle weg"));
        }
        if (client) { // the host starts the next game; Escape leaves this one
            line(40, 280, tr("esc:"));
            line(40, 320, tr("spiel verlassen"));
        } else {
            line(40, 280, tr("return:"));
            line(40, 320, tr("zum hauptmenue"));
        }
        line(40, 365, tr("s: statistik"), panelFont());
        return lines;
    }
    if (match.state() != NoGame)
        return lines;
    const GameSettings& settings = front.settings;
    switch (front.screen) {
    case FrontEnd::Screen::MainMenu:
        line(40, 80, tr("return:"));
        line(60, 160, tr("neues spiel"));
        if (!front.hostLink.isEmpty()) { // the host's: its link, and what the router did
            line(40, 220, tr("c: computer: ") + computerLevelText(), menuLineFont());
            line(40, 252, front.hostLink, keyLineFont());
            line(40, 276,
                 (front.linkCopied ? tr("k: link kopiert") : tr("k: link kopieren")) +
                     QStringLiteral("   ") + (front.upnp ? tr("u: upnp: an") : tr("u: upnp: aus")),
                 keyLineFont());
            if (!front.routerLine.isEmpty())
                line(40, 300,
                     QFontMetrics(keyLineFont()).elidedText(front.routerLine, Qt::ElideRight, 400),
                     keyLineFont());
            line(40, 342, tr("esc: schliesen"));
            line(40, 380, tr("f1: tasten"), panelFont());
            line(220, 380, tr("o: optionen"), panelFont());
            break;
        }
        line(40, 240, tr("c: computer: ") + computerLevelText(), menuLineFont());
        line(40, 276, tr("n: netzwerkspiel"), panelFont());
        line(40, 320, tr("esc: schliesen"));
        line(40, 365, tr("f1: tasten"), panelFont());
        line(220, 365, tr("o: optionen"), panelFont());
        if (!front.keptSeat.isEmpty()) // the game this machine's last one could not leave
            line(40, 392, keptSeatLine(480), keyLineFont()); // the panel widens for it
        else { // the replays kept and the training; W and T work all the same (and F1 tells them)
               // when the row is taken
            line(40, 392, tr("w: wiederholungen"), keyLineFont());
            line(265, 392, tr("t: training"), keyLineFont());
        }
        break;
    case FrontEnd::Screen::NetworkMenu:
        line(40, 80, tr("h: spiel eroeffnen"), menuLineFont());
        line(40, 130, tr("j: beitreten"), menuLineFont());
        line(40, 158,
             tr("l: spiele im netz") + QStringLiteral("   ") +
                 (front.upnp ? tr("u: upnp: an") : tr("u: upnp: aus")),
             keyLineFont());
        if (front.typingAddress)
            line(40, 190, front.address + QLatin1Char('_'), menuLineFont());
        else if (!front.keptSeat.isEmpty()) // the game this machine's last one could not leave
            line(40, 185, keptSeatLine(320), keyLineFont());
        if (front.typingName || !front.name.isEmpty()) {
            const QString name = front.typingName ? front.typedName + QLatin1Char('_') : front.name;
            line(40, 240,
                 QFontMetrics(panelFont()).elidedText(tr("n: name: ") + name, Qt::ElideLeft, 320),
                 panelFont());
        } else {
            line(40, 240, tr("n: name"), panelFont());
        }
        if (front.typingPassword || !front.password.isEmpty()) {
            // Shown as stars only, at most six: neither the word nor its length shows.
            const QString& word = front.typingPassword ? front.typedPassword : front.password;
            const QString stars(std::min(int(word.size()), 6), QLatin1Char('*'));
            line(40, 272,
                 QFontMetrics(panelFont())
                     .elidedText(tr("p: passwort: ") + stars +
                                     (front.typingPassword ? QStringLiteral("_") : QString()),
                                 Qt::ElideLeft, 320),
                 panelFont());
        } else {
            line(40, 272, tr("p: passwort"), panelFont());
        }
        line(40, 320, tr("esc: zurueck"));
        break;
    case FrontEnd::Screen::LocalGames: { // the games that answered, the chosen one marked
        line(40, 60, tr("spiele im netz"), menuLineFont());
        if (front.listed.empty())
            line(40, 120, tr("keine gefunden"), panelFont());
        const QFontMetrics metrics(keyLineFont());
        const int shown = std::min(int(front.listed.size()), 5);
        const int first = std::clamp(front.listedChosen - shown + 1, 0,
                                     std::max(0, int(front.listed.size()) - shown));
        for (int i = 0; i < shown; ++i) {
            const FrontEnd::ListedGame& g = front.listed[std::size_t(first + i)];
            const QString about =
                g.joinable ? QStringLiteral("%1/%2%3  %4")
                                 .arg(QString::number(g.seated), QString::number(g.wanted),
                                      g.password ? QStringLiteral(" *") : QString(), g.valley)
                           : tr("andere version: %1").arg(g.version);
            const QString text =
                (first + i == front.listedChosen ? QStringLiteral("> ") : QStringLiteral("  ")) +
                g.name + QStringLiteral("  ") + about;
            line(30, 110 + 34 * i, metrics.elidedText(text, Qt::ElideRight, 340), keyLineFont());
        }
        line(40, 300, tr("return: beitreten, s: neu suchen"), keyLineFont());
        line(40, 340, tr("esc: zurueck"), menuLineFont());
        break;
    }
    case FrontEnd::Screen::Replays: { // the games kept, newest first, the chosen one marked
        line(40, 60, tr("wiederholungen"), menuLineFont());
        if (front.replays.empty())
            line(40, 120, tr("keine gefunden"), panelFont());
        const QFontMetrics metrics(keyLineFont());
        const int count = int(front.replays.size());
        const int shown = std::min(count, 4);
        const int first = std::clamp(front.replayChosen - shown + 1, 0, std::max(0, count - shown));
        for (int i = 0; i < shown; ++i) { // two lines each: when and how long; who won, who played
            const ReplayList::Entry& r = front.replays[std::size_t(first + i)];
            QString about, more;
            if (!r.error.isEmpty()) {
                about = QFileInfo(r.path).fileName();
                more = r.error.section(QStringLiteral(": "), -1);
            } else {
                QStringList who;
                for (int p = 0; p < r.players.size(); ++p)
                    who.append(r.players[p].isEmpty() ? tr("spieler ") + QString::number(p)
                                                      : r.players[p]);
                const QString winner = !r.over        ? tr("nicht beendet")
                                       : r.winner < 0 ? tr("unentschieden")
                                                      : tr("sieger: %1").arg(who.value(r.winner));
                const qint64 s = r.lengthMs / 1000;
                about = QStringLiteral("%1  %2:%3")
                            .arg(r.date.toLocalTime().toString(QStringLiteral("dd.MM. HH:mm")))
                            .arg(s / 60)
                            .arg(s % 60, 2, 10, QLatin1Char('0'));
                more = winner + QStringLiteral("  (") + who.join(QStringLiteral(", ")) +
                       QLatin1Char(')');
            }
            const QString mark =
                first + i == front.replayChosen ? QStringLiteral("> ") : QStringLiteral("  ");
            const int y = 108 + 46 * i;
            line(30, y, metrics.elidedText(mark + about, Qt::ElideRight, 340), keyLineFont());
            line(48, y + 20, metrics.elidedText(more, Qt::ElideRight, 322), keyLineFont());
        }
        line(40, 300, tr("return: ansehen"), keyLineFont());
        line(40, 340, tr("esc: zurueck"), menuLineFont());
        break;
    }
    case FrontEnd::Screen::Options: { // each choice after its keys
        int y = 70;
        for (const OptionChoices::Row& row : OptionChoices::rows) {
            line(30, y,
                 tr(row.keyName) + QStringLiteral(": ") + tr(row.line) + row.shown(front.options),
                 panelFont());
            y += 34;
        }
        line(30, 350, tr("o / esc: zurueck"), menuLineFont());
        break;
    }
    case FrontEnd::Screen::AskPlayers:
        line(40, 80, tr("wieviele"));
        line(40, 160, tr("spieler"));
        line(40, 240, tr("(2 - 9)"));
        if (front.chosen()) // Return takes the number chosen last
            line(200, 240, tr("return: %1").arg(front.players), menuLineFont());
        line(40, 320, tr("esc: zurueck"));
        break;
    case FrontEnd::Screen::AskFigures:
        line(40, 80, tr("wieviele figuren"));
        line(40, 160, tr("pro spieler"));
        line(40, 240, tr("(1 - 9)"));
        if (front.chosen())
            line(200, 240, tr("return: %1").arg(front.figures), menuLineFont());
        line(40, 320, tr("esc: zurueck"));
        break;
    case FrontEnd::Screen::AskSettings: { // each choice after its key, the valley's number or
                                          // picture name shown
        line(30, 60, tr("return: starten"), menuLineFont());
        line(230, 60, tr("n: spieler"), panelFont());
        line(30, 120, tr("t: tal: ") + front.valleyText(), panelFont());
        if (settings.valley == GameSettings::Valley::Random)
            line(50, 150, tr("z: neue zahl, 0 - 9: zahl"), keyLineFont());
        int y = 192;
        for (const SettingChoices::Row& row : SettingChoices::rows) {
            const SettingChoices::Text& value = row.values[std::size_t(row.get(settings))].shown;
            line(30, y, tr(row.line) + tr(value.source, value.sense), panelFont());
            y += 34;
        }
        line(30, 350, tr("esc: zurueck"), menuLineFont());
        break;
    }
    case FrontEnd::Screen::Seats:
        seatLines(lines);
        break;
    }
    return lines;
}

// The seats screen: a row for each player of the game (its name, who plays it, its colour), the
// chosen one marked, then the keys.
void HudLayout::seatLines(QList<Line>& lines) const {
    lines.append({30, 50, tr("spieler"), &menuLineFont()});
    const QFontMetrics metrics(keyLineFont());
    const int count = std::clamp(front.players, 2, int(front.seats.size()));
    for (int i = 0; i < count; ++i) {
        const Seat& seat = front.seats[std::size_t(i)];
        const int y = 84 + 28 * i;
        const bool chosen = i == front.seatChosen;
        QString name = seat.name.isEmpty() ? tr("spieler ") + QString::number(i) : seat.name;
        if (chosen && front.typingSeatName)
            name = front.typedSeatName + QLatin1Char('_');
        lines.append({30, y,
                      (chosen ? QStringLiteral("> ") : QStringLiteral("  ")) +
                          metrics.elidedText(name, Qt::ElideLeft, 130),
                      &keyLineFont()});
        lines.append({180, y, seatPlayerText(i), &keyLineFont()});
        if (seat.colour < 0) {
            lines.append({390, y, tr("zufall"), &keyLineFont()});
        } else {
            const VORN_LIB::VORN_Color& c = TeamColours::palette()[std::size_t(seat.colour)];
            lines.append({390, y, QChar(0x25a0) + QStringLiteral(" ") + colourName(seat.colour),
                          &keyLineFont(), QColor::fromRgbF(c[0], c[1], c[2])});
        }
    }
    lines.append({30, 348, tr("n: name, c: mensch / computer, f: farbe"), &keyLineFont()});
    lines.append({30, 384, tr("return / esc: zurueck"), &menuLineFont()});
}

QString HudLayout::levelText(ComputerLevel level) {
    switch (level) {
    case ComputerLevel::Easy:
        return tr("leicht");
    case ComputerLevel::Medium:
        return tr("mittel");
    case ComputerLevel::Hard:
        return tr("schwer");
    case ComputerLevel::Off:
        break;
    }
    return tr("aus");
}

QString HudLayout::seatPlayerText(int seat) const {
    const Seat& chosen = front.seats[std::size_t(seat)];
    if (!chosen.level) { // as the main menu's level has it: the computer from spieler 1 on
        const ComputerLevel menu = seat >= 1 ? match.computer().level : ComputerLevel::Off;
        return tr("menue: %1").arg(menu == ComputerLevel::Off ? tr("mensch") : levelText(menu));
    }
    return *chosen.level == ComputerLevel::Off ? tr("mensch")
                                               : tr("computer %1").arg(levelText(*chosen.level));
}

QString HudLayout::colourName(int colour) {
    // In the palette's order.
    static const char* const names[TeamColours::count] = {
        QT_TRANSLATE_NOOP("Game", "tuerkis"),   QT_TRANSLATE_NOOP("Game", "rosa"),
        QT_TRANSLATE_NOOP("Game", "gelb"),      QT_TRANSLATE_NOOP("Game", "orange"),
        QT_TRANSLATE_NOOP("Game", "violett"),   QT_TRANSLATE_NOOP("Game", "hellrosa"),
        QT_TRANSLATE_NOOP("Game", "rot"),       QT_TRANSLATE_NOOP("Game", "gruen"),
        QT_TRANSLATE_NOOP("Game", "himmelblau")};
    return colour >= 0 && colour < TeamColours::count ? tr(names[colour]) : tr("zufall");
}

QString HudLayout::storyKeys() const {
    return tr("s: sieger") + QStringLiteral("     ") +
           (client ? tr("esc: spiel verlassen") : tr("return: zum hauptmenue"));
}

QRect HudLayout::menuPlace() const {
    // 400 × 400 in the middle, wider when a line would come nearer its right edge than 20 pixels.
    const int w = std::max(400, widest(menuLines()) + 20);
    return QRect(window.width() / 2 - w / 2, window.height() / 2 - 200, w, 400);
}

QString HudLayout::keptSeatLine(int room) const {
    // A long address loses its middle: where it starts and its port stay readable.
    const QFontMetrics metrics(keyLineFont());
    const QString lead = tr("r: wieder beitreten: ");
    return lead + metrics.elidedText(front.keptSeat, Qt::ElideMiddle,
                                     room - metrics.horizontalAdvance(lead));
}

QString HudLayout::computerLevelText() const {
    return levelText(match.computer().level);
}

QList<HudLayout::Line> HudLayout::turnLines() const {
    const bool counting = match.state() == Countdown;
    QList<Line> lines = {
        {20, 40, playerTitle(match.currentPlayer()), &panelFont()},
        {20, 80, counting ? tr("zum recher") : tr("am zug"), &panelFont()},
        {20, 120, QString::number(match.secondsLeft()) + tr(" sekunden"), &panelFont()},
        {20, 160, counting ? tr("bis zum zug") : tr("uebrig"), &panelFont()}};
    // Driving lasts longer than fire mode stays open: the time to throw on a smaller line below,
    // until it is over and the time to drive is the only clock left.
    if (match.state() == Moving && !match.throwTimeOver())
        lines.append({20, 188, tr("werfen: %1 s").arg(match.secondsToThrow()), &keyLineFont()});
    // A name never widens the panel: it is cut to the width the panel has for its other lines.
    const int room = std::max(nameRoom + lines[0].x, widest(lines.mid(1))) - lines[0].x;
    lines[0].text = QFontMetrics(panelFont()).elidedText(lines[0].text, Qt::ElideRight, room);
    return lines;
}

QStringList HudLayout::aimLines() const {
    const QChar degrees(0x00b0);
    const int direction = (static_cast<int>(std::lround(match.aimYaw())) % 360 + 360) % 360;
    return {tr("richtung: %1").arg(QString::number(direction) + degrees),
            tr("hoehe: %1").arg(QString::number(std::lround(match.aimPitch())) + degrees),
            tr("staerke: %1").arg(match.aimPower(), 0, 'f', 1)};
}

// The power of a 45° throw that carries the whole length of the valley.
double HudLayout::fullStrength() {
    return std::sqrt(2 * Rules::playAreaX * Rules::gravity);
}

QList<HudLayout::Line> HudLayout::keyLines() const {
    QList<Line> lines;
    if (match.state() == Countdown)
        return lines;
    if (client && client->seat < 0) { // came during the game: watches it, plays the next
        lines.append({keyMargin, 40, tr("zuschauer"), &panelFont()});
        lines.append({keyMargin, 80, tr("bis spielende"), &keyLineFont()});
    } else if (match.computerOnTurn()) { // Return does nothing while the computer plays
        lines.append({keyMargin, 80, tr("computer zielt"), &keyLineFont()});
    } else {
        lines.append({keyMargin, 40, tr("return:"), &panelFont()});
        lines.append({keyMargin, 80, match.state() == Aiming ? tr("abschuss") : tr("feuermodus"),
                      &panelFont()});
    }
    lines.append({keyMargin, 120, tr("esc:"), &panelFont()});
    if (client) // a joined machine leaves the game for good
        lines.append({keyMargin, 160, tr("spiel verlassen"), &keyLineFont()});
    else
        lines.append({keyMargin, 160, tr("hauptmenue"), &panelFont()});
    int y = 188;
    if (match.state() == Aiming) {
        const QStringList aim = aimLines();
        for (int i = 0; i < aim.size(); ++i)
            lines.append({keyMargin, aimTop + aimStep * i, aim[i], &keyLineFont()});
        y = aimTop + aimStep * (aim.size() - 1) + 10 + barHeight + 28;
    }
    lines.append({keyMargin, y, tr("f1: tasten"), &keyLineFont()});
    return lines;
}

QList<HudLayout::Line> HudLayout::messageLines() const {
    // A name is cut in the log as on the turn panel, and a line never reaches under the pie.
    const QFontMetrics metrics(messageFont());
    LogLine::Names cut;
    if (names)
        cut = [&](int player) {
            return metrics.elidedText(names(player), Qt::ElideRight, nameRoom);
        };
    const int room = window.width() - 200 - 2 * 15;
    QList<Line> lines;
    for (int i = 0; i < 6; ++i)
        lines.append(
            {15, 30 + 30 * i,
             metrics.elidedText(match.messages()[std::size_t(i)].shown(cut), Qt::ElideRight, room),
             &messageFont()});
    return lines;
}

QList<HudLayout::Line> HudLayout::noticeLines() const {
    QList<Line> lines;
    if (front.asking != FrontEnd::Question::None) {
        lines.append({20, 45, front.questionText(), &menuLineFont()});
    } else if (match.paused()) {
        lines.append({20, 50, tr("pause"), &menuFont()});
        lines.append(
            {20, 88, FrontEnd::keyName(FrontEnd::Action::Pause) + tr(": weiter"), &panelFont()});
    }
    return lines;
}

QRect HudLayout::noticePlace() const {
    const QList<Line> lines = noticeLines();
    if (lines.isEmpty())
        return QRect();
    const int w = std::max(160, widest(lines) + 20);
    const int h = lines.last().y + 20;
    return QRect((window.width() - w) / 2, (window.height() - h) / 2, w, h);
}

HudLayout::Places HudLayout::places() const {
    const int w = window.width();
    const int h = window.height();
    Places places;
    places.turn = QRect(0, 0, std::max(200, widest(turnLines()) + 20), 200);
    const QList<Line> keys = keyLines();
    const int keysWidth = std::max(200, widest(keys) + keyMargin);
    const int keysHeight = keys.isEmpty() ? 200 : std::max(200, keys.last().y + 12);
    places.keys = QRect(w - keysWidth, 0, keysWidth, keysHeight);
    places.pie = QRect(w - 200, h - 200, 200, 200);
    places.messages = QRect(0, h - 200, std::max(200, widest(messageLines()) + 15), 200);
    return places;
}

bool HudLayout::shapes() const {
    return front.options.shapes;
}

QString HudLayout::playerTitle(int player) const {
    const QString name = nameOf(player);
    return name.isEmpty() ? tr("spieler ") + QString::number(player) : name;
}

QString HudLayout::nameOf(int player) const {
    return names ? names(player) : QString();
}
