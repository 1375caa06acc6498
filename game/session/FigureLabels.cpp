// The figure labels and damage figures: projected with the 3-D picture's view, hidden behind what
// the picture holds in front of them, placed off the panels and apart.
#include "game/session/FigureLabels.h"

#include "engine/render/VORN_OffscreenTarget.h"
#include "game/match/Match.h"
#include "game/session/DamageFigures.h"
#include "game/session/LabelLayout.h"
#include "game/session/TeamSymbol.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <GL/glu.h>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

using namespace VORN_LIB;

namespace {

const QColor damageColor(255, 90, 40); // the hit points a blast took, floating up

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

} // namespace

void FigureLabels::project(const Match& match, DamageFigures& damage, VORN_Clock::Ticks now,
                           const VORN_OffscreenTarget& target, QSize window, QSize drawn,
                           const std::function<QString(int player)>& names) {
    const int h = window.height();
    const double toWindowX = double(window.width()) / drawn.width();
    const double toWindowY = double(h) / drawn.height();
    GLdouble modelView[16], projection[16];
    GLint view[4];
    GLint depthBits = 24;
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, view);
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    std::vector<Anchor> anchors;
    anchors.reserve(static_cast<std::size_t>(match.playerCount()) * 9);
    for (unsigned i = 0; i < match.playerCount(); ++i) {
        const Player* player = match.players()[i].get();
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
            a.py = target.pictureRow(static_cast<int>(std::floor(a.y)));
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
    labels.clear();
    labels.reserve(anchors.size());
    // The damage figures first, seen through anything: they last only a moment.
    for (const DamageFigures::Shown& hurt : damage.shown(now)) {
        GLdouble x, y, depth;
        if (gluProject(hurt.at.x(), hurt.at.y(), hurt.at.z(), modelView, projection, view, &x, &y,
                       &depth) != GL_TRUE ||
            depth < 0 || depth > 1)
            continue;
        QColor color = damageColor;
        color.setAlphaF(qBound(0.0, hurt.opacity, 1.0));
        labels.push_back({QPointF(x * toWindowX, h - y * toWindowY), hurt.text, color, false, -1});
    }
    for (const Anchor& a : anchors) {
        if (a.inPicture && hiddenBehind(a.depth, depths.at(a), projection, depthBits))
            continue;
        const VORN_Color& c = match.players()[a.player]->color;
        const QColor color = QColor::fromRgbF(qBound(0.0, c[0], 1.0), qBound(0.0, c[1], 1.0),
                                              qBound(0.0, c[2], 1.0), qBound(0.0, c[3], 1.0));
        const QString name = names ? names(static_cast<int>(a.player)) : QString();
        labels.push_back({QPointF(a.x * toWindowX, h - a.y * toWindowY),
                          (name.isEmpty() ? QString::number(a.player) : name) + " " +
                              QString::number(a.figure->health),
                          color, true, static_cast<int>(a.player)});
    }
}

void FigureLabels::draw(QPainter& painter, const QFont& font, const QVector<QRect>& panels,
                        const QRect& window, bool shapes) {
    places.clear();
    shown = 0;
    if (!labels.empty()) {
        const QFontMetrics metrics(font);
        // The symbol before a figure's label: as high as the text's capitals, and a gap.
        const int symbol = metrics.capHeight();
        const auto symbolRoom = [&](const Label& label) {
            return shapes && label.player >= 0 ? symbol + symbol / 2 : 0;
        };
        QVector<QRect> wanted;
        wanted.reserve(static_cast<int>(labels.size()));
        for (const Label& label : labels)
            wanted.append(QRect(static_cast<int>(label.place.x()) - symbolRoom(label),
                                static_cast<int>(label.place.y()) - metrics.ascent(),
                                symbolRoom(label) + metrics.horizontalAdvance(label.text),
                                metrics.height()));
        places = LabelLayout::place(wanted, panels, window);
        const QPen pen = painter.pen();
        painter.setFont(font);
        for (std::size_t i = 0; i < labels.size(); ++i) {
            const QRect& at = places[static_cast<int>(i)];
            if (at.isNull())
                continue;
            shown += labels[i].figure ? 1 : 0;
            const int room = symbolRoom(labels[i]);
            if (room != 0)
                TeamSymbol::draw(
                    painter, labels[i].player,
                    QPointF(at.left() + symbol / 2.0, at.top() + metrics.ascent() - symbol / 2.0),
                    symbol / 2.0 + 1, labels[i].color);
            painter.setPen(labels[i].color);
            painter.drawText(at.left() + room, at.top() + metrics.ascent(), labels[i].text);
        }
        painter.setPen(pen);
    }
}
