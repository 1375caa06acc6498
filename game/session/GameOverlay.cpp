// The frame: the 3-D picture through the renderer, the aiming arrow and the figure labels in the
// same 3-D view, then the 2-D overlay of menus or status panels. Widget pixels have their origin
// at the top left; texts are placed at absolute widget positions, whatever the painter's
// translation.
#include "game/session/Game.h"

#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <GL/glu.h>
#include <QElapsedTimer>
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

// Text at an absolute widget position (baseline at y), untouched by the painter's translation.
// Only the pen and the translation are put back afterwards (a full save and restore of the
// painter costs more than the text): the shapes keep the painter's default pen.
void overlayText(QPainter& painter, int x, int y, const QString& text, const QFont& font,
                 const QColor& color = textColor) {
    const QTransform placed = painter.transform();
    const QPen pen = painter.pen();
    painter.resetTransform();
    painter.setPen(color);
    painter.setFont(font);
    painter.drawText(x, y, text);
    painter.setPen(pen);
    painter.setTransform(placed);
}

// A rounded panel, and whatever shapes draw() adds inside it, clipped to the panel (with its
// outline). The painter fills such shapes through the stencil buffer and first clears the stencil
// under its clip: without a clip that is the whole window once a frame, which at 1920 × 1080 on
// software OpenGL costs more than all the panels' drawing.
template <typename Inside> void clippedPanel(QPainter& painter, const QRect& panel, Inside draw) {
    painter.setClipRect(panel.adjusted(-2, -2, 2, 2));
    painter.drawRoundedRect(panel, 25, 25, Qt::RelativeSize);
    draw();
    painter.setClipping(false);
}

void clippedPanel(QPainter& painter, const QRect& panel) {
    clippedPanel(painter, panel, [] {});
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
    QPointF place;
    QString text;
    QColor color;
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
    glClearColor(0, 0, 0.2f, 1);
    paintGL();
    sound.followCamera(*viewport);

    if (match->state == Aiming) {
        glPushMatrix();
        const VORN_Vector& p = match->grenade.worldPosition;
        glTranslated(p.x(), p.y(), p.z());
        glRotated(match->aimYaw, 0, 1, 0);
        glRotated(match->aimPitch, 1, 0, 0);
        glScaled(0.7 * match->aimPower, 0.7 * match->aimPower, match->aimPower);
        glTranslated(0, 0, -0.3);
        glCallList(aimArrowList);
        glPopMatrix();
    }
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
    anchors.reserve(static_cast<std::size_t>(match->playerCount) * 9);
    for (unsigned i = 0; i < match->playerCount; ++i) {
        const Player* player = match->players[i].get();
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
    std::vector<Label> labels;
    labels.reserve(anchors.size());
    for (const Anchor& a : anchors) {
        if (a.inPicture && hiddenBehind(a.depth, depths.at(a), projection, depthBits))
            continue;
        const VORN_Color& c = match->players[a.player]->color;
        const QColor color = QColor::fromRgbF(qBound(0.0, c[0], 1.0), qBound(0.0, c[1], 1.0),
                                              qBound(0.0, c[2], 1.0), qBound(0.0, c[3], 1.0));
        labels.push_back({QPointF(a.x * toWindowX, h - a.y * toWindowY),
                          QString::number(a.player) + " " + QString::number(a.figure->health),
                          color});
    }
    labelsShown = static_cast<int>(labels.size());
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

    // The labels come first on a fresh painter (no translation yet): one font for all of them.
    if (!labels.empty()) {
        const QPen pen = painter.pen();
        painter.setFont(panelFont());
        for (const Label& label : labels) {
            painter.setPen(label.color);
            painter.drawText(static_cast<int>(label.place.x()), static_cast<int>(label.place.y()),
                             label.text);
        }
        painter.setPen(pen);
    }

    switch (match->state) {
    case MainMenu:
    case AskPlayers:
    case AskFigures:
    case GameOver:
    case NetworkMenu:
        drawMenu(painter);
        // A network game's menu: who has joined, or what a joined machine waits for.
        if (host || client || networkNote)
            drawMessagePanel(painter);
        break;
    case Countdown:
    case Moving:
    case Aiming:
        drawHud(painter);
        drawArms(painter);
        break;
    case Flying:
        break;
    }
    if (keyHelpShown) // over everything else
        drawKeyHelp(painter);
    painter.end();
    renderScale.frameDrawn(frameTime.nsecsElapsed() / 1e6, w, h);
}

void Game::drawMenu(QPainter& painter) {
    const int cx = width() / 2;
    const int cy = height() / 2;
    painter.setBrush(QBrush(menuFill, Qt::SolidPattern));
    clippedPanel(painter, QRect(cx - 200, cy - 200, 400, 400));

    auto text = [&](int dx, int dy, const QString& line) {
        overlayText(painter, cx + dx, cy + dy, line, menuFont());
    };
    switch (match->state) {
    case MainMenu:
        text(-160, -120, tr("return:"));
        text(-140, -40, tr("neues spiel"));
        overlayText(painter, cx - 160, cy + 40, tr("c: computer: ") + computerLevelText(),
                    menuLineFont());
        overlayText(painter, cx - 160, cy + 76, tr("n: netzwerkspiel"), panelFont());
        text(-160, 120, tr("esc: schliesen"));
        overlayText(painter, cx - 160, cy + 165, tr("f1: tasten"), panelFont());
        break;
    case NetworkMenu:
        overlayText(painter, cx - 160, cy - 120, tr("h: spiel eroeffnen"), menuLineFont());
        overlayText(painter, cx - 160, cy - 70, tr("j: beitreten"), menuLineFont());
        if (typingAddress)
            overlayText(painter, cx - 160, cy - 10, address + QLatin1Char('_'), menuLineFont());
        text(-160, 120, tr("esc: zurueck"));
        break;
    case AskPlayers:
        text(-160, -120, tr("wieviele"));
        text(-160, -40, tr("spieler"));
        text(-160, 40, tr("(2 - 9)"));
        text(-160, 120, tr("esc: zurueck"));
        break;
    case AskFigures:
        text(-160, -120, tr("wieviele figuren"));
        text(-160, -40, tr("pro spieler"));
        text(-160, 40, tr("(1 - 9)"));
        text(-160, 120, tr("esc: zurueck"));
        break;
    case GameOver:
        if (!match->alivePlayers.isEmpty()) {
            text(-160, -120, tr("spieler ") + QString::number(match->alivePlayers.first()));
            text(-160, -40, tr("gewinnt"));
        } else {
            text(-160, -120, tr("unentschieden"));
            text(-160, -40, tr("alle weg"));
        }
        text(-160, 80, tr("return:"));
        text(-160, 120, tr("zum hauptmenue"));
        break;
    default:
        break;
    }
}

QString Game::computerLevelText() const {
    switch (match->computer.level) {
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

void Game::drawHud(QPainter& painter) {
    const int w = width();
    const int h = height();
    const QRect panel(0, 0, 200, 200);
    painter.setBrush(QBrush(panelFill, Qt::SolidPattern));

    clippedPanel(painter, panel); // top left
    drawTurnPanel(painter);
    painter.translate(w - 200, 0); // top right
    clippedPanel(painter, panel);
    drawKeyPanel(painter);
    painter.translate(0, h - 200); // bottom right
    painter.setBrush(QBrush(panelFill, Qt::SolidPattern));
    clippedPanel(painter, panel, [&] { drawStrengthPie(painter); });
    painter.translate(200 - w, 0); // bottom left
    painter.setBrush(QBrush(panelFill, Qt::SolidPattern));
    clippedPanel(painter, panel);
    drawMessagePanel(painter);
    painter.resetTransform();
}

void Game::drawTurnPanel(QPainter& painter) {
    const QFont& font = panelFont();
    const bool counting = match->state == Countdown;
    overlayText(painter, 20, 40, tr("spieler ") + QString::number(match->currentPlayer), font);
    overlayText(painter, 20, 80, counting ? tr("zum recher") : tr("am zug"), font);
    overlayText(painter, 20, 120, QString::number(match->secondsLeft) + tr(" sekunden"), font);
    overlayText(painter, 20, 160, counting ? tr("bis zum zug") : tr("uebrig"), font);
    // Driving lasts longer than fire mode stays open: the time to throw on a smaller line below.
    if (match->state == Moving)
        overlayText(painter, 20, 188, tr("werfen: %1 s").arg(match->secondsToThrow), keyLineFont());
}

void Game::drawKeyPanel(QPainter& painter) {
    if (match->state == Countdown)
        return;
    const QFont& font = panelFont();
    const int x = width() - 180;
    if (match->computerOnTurn()) { // Return does nothing while the computer plays
        overlayText(painter, x, 80, tr("computer zielt"), keyLineFont());
    } else {
        overlayText(painter, x, 40, tr("return:"), font);
        overlayText(painter, x, 80, match->state == Aiming ? tr("abschuss") : tr("feuermodus"),
                    font);
    }
    overlayText(painter, x, 120, tr("esc:"), font);
    overlayText(painter, x, 160, tr("hauptmenue"), font);
}

void Game::drawStrengthPie(QPainter& painter) {
    const QList<int> angles = match->strengthPieAngles();
    int slice = 0;
    for (unsigned i = 0; i < match->playerCount; ++i) {
        const Player* player = match->players[i].get();
        if (!player)
            continue;
        const QColor color =
            QColor::fromRgbF(qBound(0.0, player->color[0], 1.0), qBound(0.0, player->color[1], 1.0),
                             qBound(0.0, player->color[2], 1.0), 1.0);
        painter.setBrush(QBrush(color, Qt::SolidPattern));
        const int start = angles[slice];
        const int end = angles[slice + 1];
        painter.drawPie(20, 20, 160, 160, start, end - start);
        ++slice;
    }
}

void Game::drawMessagePanel(QPainter& painter) {
    const QFont& font = messageFont();
    const int h = height();
    for (int i = 0; i < 6; ++i)
        overlayText(painter, 15, h - 170 + 30 * i, match->messages[i].shown(), font);
}
