// The frame, in three steps: the 3-D picture through the renderer with the battlefield's marks
// over the match's world, the figure labels projected with its view, then the 2-D overlay of
// menus or status panels. Widget pixels have their origin at the top left; texts are placed at
// absolute widget positions, whatever the painter's translation.
#include "game/session/Game.h"

#include "game/session/Battlefield.h"
#include "game/session/EdgeWatch.h"
#include "game/session/GrenadeGlow.h"
#include "game/session/TurnMarker.h"
#include "game/session/WeaponPanel.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <QElapsedTimer>
#include <QPainter>

using namespace VORN_LIB;

namespace {
const QColor pauseDim(0, 0, 0, 140); // over the picture of a game that stands
}

void Game::paintGL() {
    // The whole frame as drawn into the window's buffer: what the render scale needs.
    QElapsedTimer frameTime;
    frameTime.start();
    QPainter painter(this);
    drawPicture(painter);
    drawLabels(painter);
    drawOverlay(painter);
    painter.end();
    renderScale.frameDrawn(frameTime.nsecsElapsed() / 1e6, width(), height());
}

void Game::drawPicture(QPainter& painter) {
    const int w = width();
    const int h = height();
    VORN_Viewport& viewport = field->viewport();
    painter.beginNativePainting();
    // The chosen light, before the state of the frame is saved: what it switches on stays on.
    if (field->light().shown() != front.options.light)
        field->showLight(front.options.light);
    field->light().lightFigures(match->players());
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();

    initialize(); // the renderer's state, whatever the painter left
    // The 3-D picture at the render scale: below 1 into the off-screen buffer, scaled up onto the
    // window after the labels have read its depth.
    const QSize drawn = pictureTarget.begin(QSize(w, h), renderScale.scale());
    resizeGL(drawn.width(), drawn.height());
    const double pictureScale = double(drawn.width()) / w; // lines keep their width on the window
    viewport.pictureScale = pictureScale;
    const float* sky = field->light().sky();
    glClearColor(sky[0], sky[1], sky[2], sky[3]);
    VORN_QtRenderer::paintGL();
    // Culled as the passes were: exactly unless the view cone alone culls.
    const VORN_Frustum picture = viewport.pictureFrustum();
    field->light().outlineFigures(match->players(), viewport.drawnLineWidth() + 1,
                                  viewport.exactCulling ? &picture : nullptr);
    // The eye sits at distance along the camera's z axis and looks down its negative z axis.
    sound.followCamera(viewport.position - viewport.back * viewport.distance, viewport.back,
                       viewport.up);

    if (match->state() == Aiming)
        field->drawAimArrow(*match);
    // The edge lights up under the tortoise on turn when it comes near, and warns once.
    const bool figureShown =
        match->state() == Countdown || match->state() == Moving || match->state() == Aiming;
    const Tortoise* figure = figureShown ? match->currentFigure() : nullptr;
    const VORN_Vector standing = figure ? figure->worldPosition : VORN_Vector();
    if (edgeWatch.update(figure, standing))
        sound.edgeWarning();
    field->light().drawEdge(match->landscape(), pictureScale,
                            figure && EdgeWatch::near(standing) ? &standing : nullptr,
                            match->suddenDeath());

    // The battlefield's own marks over the match's world: the path and the landing of the last
    // throw of the player on turn, the blast, the glowing grenade and the marker over the figure
    // on turn.
    const VORN_Clock::Ticks now = match->clockNow();
    const bool turnShown = match->state() == Countdown || match->state() == Moving ||
                           match->state() == Aiming || match->state() == Flying;
    const Player* onTurn = turnShown && match->currentFigure() && match->currentPlayer() >= 0 &&
                                   std::size_t(match->currentPlayer()) < match->players().size()
                               ? match->players()[std::size_t(match->currentPlayer())].get()
                               : nullptr;
    if (onTurn && match->state() != Flying) {
        ThrowMarks::drawPath(throwMarks.pathOf(match->currentPlayer()), onTurn->color,
                             pictureScale);
        if (const auto mark = throwMarks.markOf(match->currentPlayer()))
            ThrowMarks::draw(match->landscape(), *mark, onTurn->color, pictureScale);
    }
    blast.draw(now);
    if (match->grenadeShown())
        GrenadeGlow::draw(match->grenade().worldPosition, now);
    if (onTurn)
        TurnMarker::draw(match->currentFigure()->worldPosition, onTurn->color, now, pictureScale,
                         front.options.shapes ? match->currentPlayer() : -1);
    glDisable(GL_LIGHTING);

    // The labels' places, with the view of the 3-D picture; the depths are read before the
    // painter draws anything.
    figureLabels.project(*match, damageFigures, now, pictureTarget, size(), drawn, names());
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
}

// The labels come first on a fresh painter, each kept off the panels drawn after them.
void Game::drawLabels(QPainter& painter) {
    panelsDrawn = overlayPanels();
    figureLabels.draw(painter, HudLayout::panelFont(), panelsDrawn, rect(), front.options.shapes);
}

void Game::drawOverlay(QPainter& painter) {
    const HudLayout layout = hud();
    // The picture of a game that stands is dimmed; its panels stay as they were.
    if (match->paused())
        painter.fillRect(rect(), pauseDim);
    painter.save();
    const double scale = overlayScale();
    painter.scale(scale, scale);
    const QSize room = overlaySize();
    switch (match->state()) {
    case NoGame:
    case GameOver:
        enemyPointers.clear();
        if (match->state() == GameOver && storyOn) {
            storyPanel.draw(painter, room, match->story(),
                            StoryPanel::rows(match->story(),
                                             [&layout](int u) { return layout.playerTitle(u); }),
                            layout.storyKeys());
            break;
        }
        hudPanels.drawMenu(painter, layout);
        // A network game's menu: who has joined, or what a joined machine waits for; why a
        // valley cannot be played.
        if (hosting || joining || networkNote ||
            (front.valleyNote && match->state() == NoGame &&
             front.screen == FrontEnd::Screen::AskSettings))
            HudPanels::drawMessages(painter, layout, room.height());
        break;
    case Countdown:
    case Moving:
    case Aiming:
        hudPanels.drawTurn(painter, layout, *match);
        drawArms(painter, layout.places().turn);
        // An arrow toward each enemy outside the picture, off the panels.
        enemyPointers.place(*match, field->viewport(), size(), panelsDrawn);
        enemyPointers.draw(painter);
        break;
    case Flying:
        enemyPointers.clear();
        break;
    }
    drawPeople(painter);
    if (replayPlayer)
        drawReplayLine(painter, room);
    hudPanels.drawNotice(painter, layout);
    if (keyHelpOn) // over everything else
        keyHelp().draw(painter);
    painter.restore();
}

QVector<QRect> Game::overlayPanels() const {
    QVector<QRect> list;
    const HudLayout layout = hud();
    switch (match->state()) {
    case NoGame:
    case GameOver:
        list.append(match->state() == GameOver && storyOn ? StoryPanel::place(overlaySize())
                                                          : layout.menuPlace());
        break;
    case Countdown:
    case Moving:
    case Aiming: {
        const HudLayout::Places places = layout.places();
        list = {places.turn, places.keys, places.pie, places.messages};
        if (match->settings().weapons == GameSettings::Weapons::All && match->state() == Aiming)
            list.append(WeaponPanel::place(places.turn));
        break;
    }
    case Flying:
        break;
    }
    if (!layout.noticeLines().isEmpty())
        list.append(layout.noticePlace());
    if (keyHelpOn)
        list.append(keyHelp().layout().panel);
    // In window pixels, with the outline on the right and bottom edges.
    const double scale = overlayScale();
    for (QRect& panel : list) {
        panel.adjust(0, 0, 1, 1);
        if (scale < 1)
            panel = QRectF(panel.x() * scale, panel.y() * scale, panel.width() * scale,
                           panel.height() * scale)
                        .toAlignedRect();
    }
    return list;
}
