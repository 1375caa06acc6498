// The frame: the 3-D picture through the renderer, the aiming arrow and the figure labels in the
// same 3-D view, then the 2-D overlay of menus or status panels. Widget pixels have their origin
// at the top left; texts are placed at absolute widget positions, whatever the painter's
// translation.
#include "game/session/Game.h"

#include "game/network/NetworkClient.h"
#include "game/rules/Rules.h"
#include "game/session/GrenadeGlow.h"
#include "game/session/LabelLayout.h"
#include "game/session/TurnMarker.h"
#include "game/session/WeaponPanel.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <GL/glu.h>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

using namespace VORN_LIB;

namespace {

const QColor menuFill(100, 100, 150, 125);
const QColor panelFill(100, 100, 255, 125);
const QColor textColor(255, 255, 255);

// The overlay's fonts, each made on first use and kept until the process ends.
const QFont& menuFont() {
    static const QFont font("Helvetica", 30);
    return font;
}

// The main menu's computer line: its longest text ("c: computer: schwer") fits the 400-pixel
// panel only a size below the menu's other lines.
const QFont& menuLineFont() {
    static const QFont font("Helvetica", 24);
    return font;
}

const QFont& panelFont() { // status panels and figure labels
    static const QFont font("Helvetica", 20);
    return font;
}

// "computer zielt" fills the key panel's 160 pixels between its rounded edges only a few sizes
// below the panel's other lines.
const QFont& keyLineFont() {
    static const QFont font("Helvetica", 16);
    return font;
}

const QFont& messageFont() {
    static const QFont font("Helvetica", 15);
    return font;
}

const QColor damageColor(255, 90, 40); // the hit points a blast took, floating up

// The width of a line of text, as the painter sets it.
int advance(const QFont& font, const QString& text) {
    return QFontMetrics(font).horizontalAdvance(text);
}

// The widest of the lines, counted from the panel's left edge: where their text ends.
int widest(const QList<Game::PanelLine>& lines) {
    int right = 0;
    for (const Game::PanelLine& line : lines)
        right = std::max(right, line.x + advance(*line.font, line.text));
    return right;
}

// Draws a panel from its kept picture at its place: the rounded shape in the brush, then
// whatever inside() adds (in the panel's own pixels), then the lines. The picture is painted again
// only when the lines, the size or extra (what inside() shows) changed.
template <typename Inside>
void drawPanel(QPainter& painter, PanelImage& kept, const QRect& place, const QColor& fill,
               const QList<Game::PanelLine>& lines, const QStringList& extra, Inside inside) {
    QStringList shows = extra;
    for (const Game::PanelLine& line : lines)
        shows << QStringLiteral("%1,%2,%3:").arg(line.x).arg(line.y).arg(line.font->pointSize()) +
                     line.text;
    // One pixel more than the panel each way: its outline is drawn on its right and bottom edges.
    const QImage& image =
        kept.image(place.size() + QSize(1, 1), *painter.device(), shows, [&](QPainter& p) {
            p.setBrush(QBrush(fill, Qt::SolidPattern));
            p.drawRoundedRect(QRect(QPoint(0, 0), place.size()), 25, 25, Qt::RelativeSize);
            inside(p);
            p.setPen(textColor);
            for (const Game::PanelLine& line : lines) {
                p.setFont(*line.font);
                p.drawText(line.x, line.y, line.text);
            }
        });
    painter.drawImage(place.topLeft(), image);
}

void drawPanel(QPainter& painter, PanelImage& kept, const QRect& place, const QColor& fill,
               const QList<Game::PanelLine>& lines) {
    drawPanel(painter, kept, place, fill, lines, {}, [](QPainter&) {});
}

// Distance along the view of a window depth (0 at the near plane, 1 at the far plane), through a
// perspective projection matrix (column-major).
double viewDistance(double windowDepth, const GLdouble* projection) {
    return projection[14] / (2 * windowDepth - 1 + projection[10]);
}

// Whether the picture drawn so far holds something in front of a projected point of the given
// window depth, as text drawn into the 3-D picture with depth testing would find it: drawn is the
// depth buffer at the point's pixel. The two are compared along the view, with a margin of 5 cm
// plus two steps of the buffer's precision at that distance.
bool hiddenBehind(double depth, GLfloat drawn, const GLdouble* projection, int depthBits) {
    const double point = viewDistance(depth, projection);
    const double front = viewDistance(drawn, projection);
    const double near = viewDistance(0, projection);
    const double far = viewDistance(1, projection);
    const double step = std::ldexp(1.0, -depthBits) * point * point * (far - near) / (far * near);
    return front < point - (0.05 + 2 * step);
}

// A figure's label anchor projected into the window: pixel (origin bottom left), window depth,
// and whether the pixel lies in the picture (one off the picture has nothing to compare with and
// counts as seen).
struct Anchor {
    GLdouble x, y, depth;
    int px, py;
    bool inPicture;
    unsigned player;
    const Tortoise* figure;
};

// The depth buffer under the smallest rectangle holding every anchor in the picture, read with
// one glReadPixels: each read waits for the picture to be finished, so one read a frame instead
// of one per label. The buffer is kept from frame to frame.
class DepthPatch {
public:
    void read(const std::vector<Anchor>& anchors) {
        int left = 0, bottom = 0, right = -1, top = -1;
        for (const Anchor& a : anchors) {
            if (!a.inPicture)
                continue;
            if (right < left) {
                left = right = a.px;
                bottom = top = a.py;
            }
            left = std::min(left, a.px);
            right = std::max(right, a.px);
            bottom = std::min(bottom, a.py);
            top = std::max(top, a.py);
        }
        x0 = left;
        y0 = bottom;
        columns = right - left + 1;
        const int rows = top - bottom + 1;
        if (right < left)
            return;
        depths.resize(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows));
        glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT); // rows packed tightly, nothing skipped
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glPixelStorei(GL_PACK_ROW_LENGTH, 0);
        glPixelStorei(GL_PACK_SKIP_ROWS, 0);
        glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
        glReadPixels(x0, y0, columns, rows, GL_DEPTH_COMPONENT, GL_FLOAT, depths.data());
        glPopClientAttrib();
    }

    // The depth at an anchor in the picture.
    GLfloat at(const Anchor& a) const {
        return depths[static_cast<std::size_t>(a.py - y0) * static_cast<std::size_t>(columns) +
                      static_cast<std::size_t>(a.px - x0)];
    }

private:
    std::vector<GLfloat> depths;
    int x0 = 0, y0 = 0, columns = 0;
};

DepthPatch& labelDepths() {
    static DepthPatch patch;
    return patch;
}

struct Label {
    QPointF place; // where the text's baseline begins, widget pixels
    QString text;
    QColor color;
    bool figure; // a figure's label (else a damage figure)
};

} // namespace

void Game::paintEvent(QPaintEvent*) {
    QElapsedTimer frameTime; // the whole frame, buffer swap included: what the render scale needs
    frameTime.start();
    const int w = width();
    const int h = height();
    QPainter painter(this);

    painter.beginNativePainting();
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();

    initializeGL();
    // The 3-D picture at the render scale: below 1 into the off-screen buffer, scaled up onto the
    // window after the labels have read its depth.
    const QSize drawn = pictureTarget.begin(QSize(w, h), renderScale.scale());
    const double toWindowX = double(w) / drawn.width(), toWindowY = double(h) / drawn.height();
    resizeGL(drawn.width(), drawn.height());
    const double pictureScale = double(drawn.width()) / w; // lines keep their width on the window
    viewport->pictureScale = pictureScale;
    glClearColor(0, 0, 0.2f, 1);
    paintGL();
    // The eye sits at distance along the camera's z axis and looks down its negative z axis.
    sound.followCamera(viewport->position - viewport->back * viewport->distance, viewport->back,
                       viewport->up);

    if (match->state() == Aiming) {
        glPushMatrix();
        const VORN_Vector& p = match->grenade().worldPosition;
        glTranslated(p.x(), p.y(), p.z());
        glRotated(match->aimYaw(), 0, 1, 0);
        glRotated(match->aimPitch(), 1, 0, 0);
        glScaled(0.7 * match->aimPower(), 0.7 * match->aimPower(), match->aimPower());
        glTranslated(0, 0, -0.3);
        glCallList(aimArrowList);
        glPopMatrix();
    }

    // The battlefield's own marks over the match's world: where the last throw of the figure on
    // turn came down, the blast, the glowing grenade and the marker over the figure on turn.
    const VORN_Clock::Ticks now = match->clockNow();
    const bool turnShown = match->state() == Countdown || match->state() == Moving ||
                           match->state() == Aiming || match->state() == Flying;
    const Player* onTurn = turnShown && match->currentFigure() && match->currentPlayer() >= 0 &&
                                   std::size_t(match->currentPlayer()) < match->players().size()
                               ? match->players()[std::size_t(match->currentPlayer())].get()
                               : nullptr;
    if (onTurn && match->state() != Flying)
        if (const auto mark = throwMarks.markOf(match->currentFigure()))
            ThrowMarks::draw(match->landscape(), *mark, onTurn->color, pictureScale);
    blast.draw(now);
    if (match->grenadeShown())
        GrenadeGlow::draw(match->grenade().worldPosition, now);
    if (onTurn)
        TurnMarker::draw(match->currentFigure()->worldPosition, onTurn->color, now, pictureScale);
    glDisable(GL_LIGHTING);

    // Figure labels "player health", projected with the view of the 3-D picture. A label whose
    // anchor lies behind a hill, a lamp or another figure is not shown; the depths are read
    // before the painter draws anything.
    GLdouble modelView[16], projection[16];
    GLint view[4];
    GLint depthBits = 24;
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, view);
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    std::vector<Anchor> anchors;
    anchors.reserve(static_cast<std::size_t>(match->playerCount()) * 9);
    for (unsigned i = 0; i < match->playerCount(); ++i) {
        const Player* player = match->players()[i].get();
        for (unsigned j = 0; player && j < player->count; ++j) {
            const Tortoise* figure = player->figure(j);
            if (!figure)
                continue;
            const VORN_Vector& p = figure->worldPosition;
            Anchor a{0, 0, 0, 0, 0, false, i, figure};
            if (gluProject(p.x(), p.y() + 0.3, p.z(), modelView, projection, view, &a.x, &a.y,
                           &a.depth) != GL_TRUE ||
                a.depth < 0 || a.depth > 1)
                continue; // behind the eye or beyond the far plane
            a.px = static_cast<int>(std::floor(a.x));
            a.py = pictureTarget.pictureRow(static_cast<int>(std::floor(a.y)));
            a.inPicture = a.px >= view[0] && a.py >= view[1] && a.px < view[0] + view[2] &&
                          a.py < view[1] + view[3];
            anchors.push_back(a);
        }
    }
    DepthPatch& depths = labelDepths();
    depths.read(anchors);
    // The labels nearest the eye first: they keep their places when the layout has to move some.
    std::stable_sort(anchors.begin(), anchors.end(),
                     [](const Anchor& a, const Anchor& b) { return a.depth < b.depth; });
    std::vector<Label> labels;
    labels.reserve(anchors.size());
    // The damage figures first, seen through anything: they last only a moment.
    for (const DamageFigures::Shown& shown : damageFigures.shown(now)) {
        GLdouble x, y, depth;
        if (gluProject(shown.at.x(), shown.at.y(), shown.at.z(), modelView, projection, view, &x,
                       &y, &depth) != GL_TRUE ||
            depth < 0 || depth > 1)
            continue;
        QColor color = damageColor;
        color.setAlphaF(qBound(0.0, shown.opacity, 1.0));
        labels.push_back({QPointF(x * toWindowX, h - y * toWindowY), shown.text, color, false});
    }
    for (const Anchor& a : anchors) {
        if (a.inPicture && hiddenBehind(a.depth, depths.at(a), projection, depthBits))
            continue;
        const VORN_Color& c = match->players()[a.player]->color;
        const QColor color = QColor::fromRgbF(qBound(0.0, c[0], 1.0), qBound(0.0, c[1], 1.0),
                                              qBound(0.0, c[2], 1.0), qBound(0.0, c[3], 1.0));
        labels.push_back({QPointF(a.x * toWindowX, h - a.y * toWindowY),
                          QString::number(a.player) + " " + QString::number(a.figure->health),
                          color, true});
    }
    pictureTarget.end(); // the picture onto the window; the overlay is drawn at full size

    glPopAttrib();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glDisable(GL_LIGHTING);
    // Qt's own first initialisation of the widget left the renderer's state in place (face culling,
    // back faces as lines); the painter's shapes need plain filled polygons.
    glDisable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    painter.endNativePainting();

    // The labels come first on a fresh painter, in one font, each kept off the panels drawn
    // after them and apart from the others.
    panelsShown = overlayPanels();
    labelsPlaced.clear();
    labelsShown = 0;
    if (!labels.empty()) {
        const QFontMetrics metrics(panelFont());
        QVector<QRect> wanted;
        wanted.reserve(static_cast<int>(labels.size()));
        for (const Label& label : labels)
            wanted.append(QRect(static_cast<int>(label.place.x()),
                                static_cast<int>(label.place.y()) - metrics.ascent(),
                                metrics.horizontalAdvance(label.text), metrics.height()));
        labelsPlaced = LabelLayout::place(wanted, panelsShown, rect());
        const QPen pen = painter.pen();
        painter.setFont(panelFont());
        for (std::size_t i = 0; i < labels.size(); ++i) {
            const QRect& at = labelsPlaced[static_cast<int>(i)];
            if (at.isNull())
                continue;
            labelsShown += labels[i].figure ? 1 : 0;
            painter.setPen(labels[i].color);
            painter.drawText(at.left(), at.top() + metrics.ascent(), labels[i].text);
        }
        painter.setPen(pen);
    }

    switch (match->state()) {
    case NoGame:
    case GameOver:
        drawMenu(painter);
        // A network game's menu: who has joined, or what a joined machine waits for; why a
        // valley cannot be played.
        if (host || client || networkNote ||
            (front.valleyNote && match->state() == NoGame &&
             front.screen == FrontEnd::Screen::AskSettings))
            drawMessagePanel(painter);
        break;
    case Countdown:
    case Moving:
    case Aiming: {
        const HudPlaces places = hudPlaces();
        drawHud(painter, places);
        drawArms(painter, places.turn);
        break;
    }
    case Flying:
        break;
    }
    drawPeople(painter);
    if (keyHelpShown) // over everything else
        drawKeyHelp(painter);
    painter.end();
    renderScale.frameDrawn(frameTime.nsecsElapsed() / 1e6, w, h);
}

QList<Game::PanelLine> Game::menuLines() const {
    // Offsets from the panel's top left; a 400-pixel panel puts them where they always were, 160
    // pixels left of the window's middle.
    QList<PanelLine> lines;
    const auto line = [&](int x, int y, const QString& text, const QFont& font = menuFont()) {
        lines.append({x, y, text, &font});
    };
    if (match->state() == GameOver) {
        if (!match->alivePlayers().isEmpty()) {
            line(40, 80, tr("spieler ") + QString::number(match->alivePlayers().first()));
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
        return lines;
    }
    if (match->state() != NoGame)
        return lines;
    const GameSettings& settings = front.settings;
    switch (front.screen) {
    case FrontEnd::Screen::MainMenu:
        line(40, 80, tr("return:"));
        line(60, 160, tr("neues spiel"));
        line(40, 240, tr("c: computer: ") + computerLevelText(), menuLineFont());
        line(40, 276, tr("n: netzwerkspiel"), panelFont());
        line(40, 320, tr("esc: schliesen"));
        line(40, 365, tr("f1: tasten"), panelFont());
        break;
    case FrontEnd::Screen::NetworkMenu:
        line(40, 80, tr("h: spiel eroeffnen"), menuLineFont());
        line(40, 130, tr("j: beitreten"), menuLineFont());
        if (front.typingAddress)
            line(40, 190, front.address + QLatin1Char('_'), menuLineFont());
        if (front.typingName || !front.name.isEmpty()) {
            const QString name = front.typingName ? front.typedName + QLatin1Char('_') : front.name;
            line(40, 250,
                 QFontMetrics(panelFont()).elidedText(tr("n: name: ") + name, Qt::ElideLeft, 320),
                 panelFont());
        } else {
            line(40, 250, tr("n: name"), panelFont());
        }
        line(40, 320, tr("esc: zurueck"));
        break;
    case FrontEnd::Screen::AskPlayers:
        line(40, 80, tr("wieviele"));
        line(40, 160, tr("spieler"));
        line(40, 240, tr("(2 - 9)"));
        line(40, 320, tr("esc: zurueck"));
        break;
    case FrontEnd::Screen::AskFigures:
        line(40, 80, tr("wieviele figuren"));
        line(40, 160, tr("pro spieler"));
        line(40, 240, tr("(1 - 9)"));
        line(40, 320, tr("esc: zurueck"));
        break;
    case FrontEnd::Screen::AskSettings: { // each choice after its key, the valley's number or
                                          // picture name shown
        const QString wind = settings.wind == GameSettings::Wind::Off     ? tr("aus")
                             : settings.wind == GameSettings::Wind::Light ? tr("leicht")
                                                                          : tr("stark");
        const QString weapons =
            settings.weapons == GameSettings::Weapons::All ? tr("alle") : tr("granate");
        line(30, 60, tr("return: starten"), menuLineFont());
        line(30, 120, tr("t: tal: ") + front.valleyText(), panelFont());
        if (settings.valley == GameSettings::Valley::Random)
            line(50, 150, tr("z: neue zahl, 0 - 9: zahl"), keyLineFont());
        line(30, 195, tr("w: wind: ") + wind, panelFont());
        line(30, 240, tr("a: waffen: ") + weapons, panelFont());
        line(30, 320, tr("esc: zurueck"), menuLineFont());
        break;
    }
    }
    return lines;
}

QRect Game::menuPlace() const {
    // 400 × 400 in the middle, wider when a line would come nearer its right edge than 20 pixels.
    const int w = std::max(400, widest(menuLines()) + 20);
    return QRect(width() / 2 - w / 2, height() / 2 - 200, w, 400);
}

void Game::drawMenu(QPainter& painter) {
    drawPanel(painter, panels.menu, menuPlace(), menuFill, menuLines());
}

QString Game::computerLevelText() const {
    switch (match->computer().level) {
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

QList<Game::PanelLine> Game::turnLines() const {
    const bool counting = match->state() == Countdown;
    QList<PanelLine> lines = {
        {20, 40, playerTitle(match->currentPlayer()), &panelFont()},
        {20, 80, counting ? tr("zum recher") : tr("am zug"), &panelFont()},
        {20, 120, QString::number(match->secondsLeft()) + tr(" sekunden"), &panelFont()},
        {20, 160, counting ? tr("bis zum zug") : tr("uebrig"), &panelFont()}};
    // Driving lasts longer than fire mode stays open: the time to throw on a smaller line below.
    if (match->state() == Moving)
        lines.append({20, 188, tr("werfen: %1 s").arg(match->secondsToThrow()), &keyLineFont()});
    return lines;
}

QStringList Game::aimLines() const {
    const QChar degrees(0x00b0);
    const int direction = (static_cast<int>(std::lround(match->aimYaw())) % 360 + 360) % 360;
    return {tr("richtung: %1").arg(QString::number(direction) + degrees),
            tr("hoehe: %1").arg(QString::number(std::lround(match->aimPitch())) + degrees),
            tr("staerke: %1").arg(match->aimPower(), 0, 'f', 1)};
}

// The power of a 45° throw that carries the whole length of the valley.
double Game::fullStrength() {
    return std::sqrt(2 * Rules::playAreaX * Rules::gravity);
}

namespace {
constexpr int aimTop = 192;   // the aiming lines' first baseline in the key panel
constexpr int aimStep = 24;   // between them
constexpr int barHeight = 10; // the strength bar, below the lines
constexpr int keyMargin = 20; // left and right of the key panel's lines
} // namespace

QList<Game::PanelLine> Game::keyLines() const {
    QList<PanelLine> lines;
    if (match->state() == Countdown)
        return lines;
    if (client && client->seat < 0) { // came during the game: watches it, plays the next
        lines.append({keyMargin, 40, tr("zuschauer"), &panelFont()});
        lines.append({keyMargin, 80, tr("bis spielende"), &keyLineFont()});
    } else if (match->computerOnTurn()) { // Return does nothing while the computer plays
        lines.append({keyMargin, 80, tr("computer zielt"), &keyLineFont()});
    } else {
        lines.append({keyMargin, 40, tr("return:"), &panelFont()});
        lines.append({keyMargin, 80, match->state() == Aiming ? tr("abschuss") : tr("feuermodus"),
                      &panelFont()});
    }
    lines.append({keyMargin, 120, tr("esc:"), &panelFont()});
    if (client) // a joined machine leaves the game for good
        lines.append({keyMargin, 160, tr("spiel verlassen"), &keyLineFont()});
    else
        lines.append({keyMargin, 160, tr("hauptmenue"), &panelFont()});
    int y = 188;
    if (match->state() == Aiming) {
        const QStringList aim = aimLines();
        for (int i = 0; i < aim.size(); ++i)
            lines.append({keyMargin, aimTop + aimStep * i, aim[i], &keyLineFont()});
        y = aimTop + aimStep * (aim.size() - 1) + 10 + barHeight + 28;
    }
    lines.append({keyMargin, y, tr("f1: tasten"), &keyLineFont()});
    return lines;
}

QList<Game::PanelLine> Game::messageLines() const {
    QList<PanelLine> lines;
    for (int i = 0; i < 6; ++i)
        lines.append(
            {15, 30 + 30 * i, match->messages()[std::size_t(i)].shown(names()), &messageFont()});
    return lines;
}

Game::HudPlaces Game::hudPlaces() const {
    const int w = width();
    const int h = height();
    HudPlaces places;
    places.turn = QRect(0, 0, std::max(200, widest(turnLines()) + 20), 200);
    const QList<PanelLine> keys = keyLines();
    const int keysWidth = std::max(200, widest(keys) + keyMargin);
    const int keysHeight = keys.isEmpty() ? 200 : std::max(200, keys.last().y + 12);
    places.keys = QRect(w - keysWidth, 0, keysWidth, keysHeight);
    places.pie = QRect(w - 200, h - 200, 200, 200);
    places.messages = QRect(0, h - 200, std::max(200, widest(messageLines()) + 15), 200);
    return places;
}

QVector<QRect> Game::overlayPanels() const {
    QVector<QRect> list;
    switch (match->state()) {
    case NoGame:
    case GameOver:
        list.append(menuPlace());
        break;
    case Countdown:
    case Moving:
    case Aiming: {
        const HudPlaces places = hudPlaces();
        list = {places.turn, places.keys, places.pie, places.messages};
        if (match->settings().weapons == GameSettings::Weapons::All && match->state() == Aiming)
            list.append(WeaponPanel::place(places.turn));
        break;
    }
    case Flying:
        break;
    }
    if (keyHelpShown)
        list.append(keyHelpLayout().panel);
    for (QRect& panel : list)
        panel.adjust(0, 0, 1, 1); // with the outline on the right and bottom edges
    return list;
}

void Game::drawHud(QPainter& painter, const HudPlaces& places) {
    drawPanel(painter, panels.turn, places.turn, panelFill, turnLines());

    // The key panel; in fire mode with the aim's numbers and the strength as a bar.
    const QList<PanelLine> keys = keyLines();
    const bool aiming = match->state() == Aiming;
    const double strength = std::clamp(match->aimPower() / fullStrength(), 0.0, 1.0);
    const int barWidth = places.keys.width() - 2 * keyMargin;
    const int filled = static_cast<int>(std::lround(strength * barWidth));
    const int barTop = aimTop + aimStep * 2 + 10;
    drawPanel(painter, panels.keys, places.keys, panelFill, keys,
              {aiming ? QString::number(filled) : QString()}, [&](QPainter& p) {
                  if (!aiming)
                      return;
                  const QPen pen = p.pen();
                  p.setPen(Qt::NoPen);
                  p.setBrush(QColor(255, 200, 60));
                  p.drawRect(keyMargin, barTop, filled, barHeight);
                  p.setPen(textColor);
                  p.setBrush(Qt::NoBrush);
                  p.drawRect(keyMargin, barTop, barWidth, barHeight);
                  p.setPen(pen);
              });

    // The strength pie, kept until a share or a colour changes.
    const QList<int> angles = match->strengthPieAngles();
    QList<QColor> colours;
    QStringList pieShows;
    for (unsigned i = 0; i < match->playerCount(); ++i) {
        const Player* player = match->players()[i].get();
        if (!player)
            continue;
        colours.append(QColor::fromRgbF(qBound(0.0, player->color[0], 1.0),
                                        qBound(0.0, player->color[1], 1.0),
                                        qBound(0.0, player->color[2], 1.0), 1.0));
        pieShows << colours.last().name();
    }
    for (int angle : angles)
        pieShows << QString::number(angle);
    drawPanel(painter, panels.pie, places.pie, panelFill, {}, pieShows, [&](QPainter& p) {
        for (int slice = 0; slice < colours.size() && slice + 1 < angles.size(); ++slice) {
            p.setBrush(QBrush(colours[slice], Qt::SolidPattern));
            p.drawPie(20, 20, 160, 160, angles[slice], angles[slice + 1] - angles[slice]);
        }
    });

    drawPanel(painter, panels.messages, places.messages, panelFill, messageLines());
}

void Game::drawMessagePanel(QPainter& painter) {
    const int top = height() - 200;
    const QPen pen = painter.pen();
    painter.setPen(textColor);
    painter.setFont(messageFont());
    for (const PanelLine& line : messageLines())
        painter.drawText(line.x, top + line.y, line.text);
    painter.setPen(pen);
}
