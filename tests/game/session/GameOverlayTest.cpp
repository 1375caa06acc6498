// The overlay as it reaches the screen, read back from grabbed frames: the menu panel and its
// texts, the four status panels of a turn sized to their texts, the aim in figures, none during a
// flight, the strength pie, the message log, the aiming arrow, the key help, the labels kept off
// the panels, the marker over the tortoise on turn, and a blast with its damage figures. Widget
// pixels, origin top left; the window is 800 × 600.
#include "tests/support/GameDriver.h"

#include "game/app/GameLanguage.h"
#include "game/frontend/OptionChoices.h"
#include "game/rules/SettingChoices.h"
#include "game/session/ThrowReach.h"
#include "game/session/TurnMarker.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"
#include "tools/driver/MatchDriver.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QTranslator>
#include <cmath>

using namespace GameDriver;
using VORN_LIB::VORN_Vector;

namespace {

// The overlay's pixels are read in the classic light, the lamps alone.
class OverlayScenario : public GameScenario {
protected:
    void SetUp() override {
        GameScenario::SetUp();
        g.front.options.light = ViewLight::Classic;
    }
};

const QColor sky(0, 0, 51); // the clear colour (0, 0, 0.2)

// A translucent brush of alpha 125 over a known background.
QColor over(const QColor& brush, const QColor& background) {
    const double a = 125 / 255.0;
    return QColor(int(std::lround(brush.red() * a + background.red() * (1 - a))),
                  int(std::lround(brush.green() * a + background.green() * (1 - a))),
                  int(std::lround(brush.blue() * a + background.blue() * (1 - a))));
}

void expectColor(const QImage& image, int x, int y, const QColor& expected, int tolerance,
                 const char* what) {
    const QColor c = image.pixelColor(x, y);
    EXPECT_NEAR(c.red(), expected.red(), tolerance) << what << " at " << x << "," << y;
    EXPECT_NEAR(c.green(), expected.green(), tolerance) << what << " at " << x << "," << y;
    EXPECT_NEAR(c.blue(), expected.blue(), tolerance) << what << " at " << x << "," << y;
}

// The status brush (100, 100, 255) at alpha 125 over the dark night scene: blue well above
// anything the scene shows, red and green equal.
bool statusPanelAt(const QImage& image, int x, int y) {
    const QColor c = image.pixelColor(x, y);
    return c.blue() >= 125 && c.red() >= 45 && c.red() <= 90 && std::abs(c.red() - c.green()) <= 3;
}

QColor playerColor(const Player* player) {
    return QColor::fromRgbF(player->color[0], player->color[1], player->color[2]);
}

// Counts the strongly red pixels of an area.
int redPixels(const QImage& image, const QRect& area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += (c.red() > 80 && c.red() > 2 * c.green() && c.red() > 2 * c.blue()) ? 1 : 0;
        }
    return n;
}

} // namespace

TEST_F(OverlayScenario, MenusShowTheirPanelAndTexts) {
    QImage image = frame();
    ASSERT_EQ(image.size(), QSize(800, 600));
    const int cx = 400;
    const int cy = 300;

    // The 400 × 400 panel in the menu brush over the dark blue sky, with rounded corners.
    const QColor panel = over(QColor(100, 100, 150), sky);
    expectColor(image, cx + 150, cy - 180, panel, 2, "panel");
    expectColor(image, cx - 150, cy - 190, panel, 2, "panel");
    expectColor(image, cx + 150, cy - 215, sky, 0, "sky above the panel");
    expectColor(image, cx - 215, cy - 180, sky, 0, "sky left of the panel");
    expectColor(image, cx - 197, cy - 197, sky, 0, "sky in the rounded corner");
    expectColor(image, cx + 197, cy - 197, sky, 0, "sky in the rounded corner");
    expectTextLine(image, cx - 160, cy - 120, "return:", 30);
    expectTextLine(image, cx - 140, cy - 40, "neues spiel", 30);
    expectTextLine(image, cx - 160, cy + 120, "esc: schliesen", 30);
    expectTextLine(image, cx - 160, cy + 40, "c: computer: aus", 24);
    expectTextLine(image, cx - 160, cy + 76, "n: netzwerkspiel", 20);
    expectTextLine(image, cx - 160, cy + 192, "w: wiederholungen", 16);

    // C cycles the computer's level; only its own line changes.
    for (const char* level : {"leicht", "mittel", "schwer", "aus"}) {
        tap(Qt::Key_C);
        image = frame();
        expectTextLine(image, cx - 160, cy + 40, QString("c: computer: ") + level, 24);
        EXPECT_TRUE(noTextIn(image, QRect(cx + 195, cy + 5, 100, 45))) << "beyond the panel";
        expectTextLine(image, cx - 160, cy - 120, "return:", 30);
        expectTextLine(image, cx - 140, cy - 40, "neues spiel", 30);
        expectTextLine(image, cx - 160, cy + 120, "esc: schliesen", 30);
    }
    EXPECT_EQ(g.match->computer().level, ComputerLevel::Off);

    tap(Qt::Key_Return);
    image = frame();
    expectTextLine(image, cx - 160, cy - 120, "wieviele", 30);
    expectTextLine(image, cx - 160, cy - 40, "spieler", 30);
    expectTextLine(image, cx - 160, cy + 40, "(2 - 9)", 30);
    expectTextLine(image, cx - 160, cy + 120, "esc: zurueck", 30);

    tap(Qt::Key_4);
    image = frame();
    expectTextLine(image, cx - 160, cy - 120, "wieviele figuren", 30);
    expectTextLine(image, cx - 160, cy - 40, "pro spieler", 30);
    expectTextLine(image, cx - 160, cy + 40, "(1 - 9)", 30);
    expectTextLine(image, cx - 160, cy + 120, "esc: zurueck", 30);
    expectColor(image, cx + 150, cy - 180, panel, 2, "panel");
}

TEST_F(OverlayScenario, TurnsShowFourStatusPanelsAndFlightsNone) {
    startRound(2, 1, 31);
    tick();
    // A level view, so that the sky is behind the upper panels.
    g.viewport()->setView(g.viewport()->position, 0, 0, -5);
    QImage image = frame();
    const int w = image.width();
    const int h = image.height();

    // The panels sit in the four corners; their lower edge at the top is over the sky.
    const QColor status = over(QColor(100, 100, 255), sky);
    expectColor(image, 100, 190, status, 2, "top-left panel");
    expectColor(image, w - 100, 190, status, 2, "top-right panel");
    EXPECT_TRUE(statusPanelAt(image, w - 100, h - 190)) << "bottom-right panel";
    EXPECT_TRUE(statusPanelAt(image, 190, h - 100)) << "bottom-left panel";
    expectColor(image, 100, 215, sky, 0, "sky below the top-left panel");
    expectColor(image, 215, 100, sky, 0, "sky beside the top-left panel");
    expectColor(image, 197, 197, sky, 0, "sky in the rounded corner");

    // Countdown: whose turn, and when it starts; the key panel stays empty.
    expectTextLine(image, 20, 40, "spieler 0", 20);
    expectTextLine(image, 20, 80, "zum recher", 20);
    expectTextLine(image, 20, 120, "2 sekunden", 20);
    expectTextLine(image, 20, 160, "bis zum zug", 20);
    EXPECT_TRUE(noTextIn(image, QRect(w - 195, 5, 190, 190)));

    // Driving: the time left, and what the keys do, with the hint to the key help. The key panel
    // is as wide as its longest line needs, with room to spare on the right.
    toMoving();
    tick();
    image = frame();
    expectTextLine(image, 20, 80, "am zug", 20);
    expectTextLine(image, 20, 120, "59 sekunden", 20);
    expectTextLine(image, 20, 160, "uebrig", 20);
    expectTextLine(image, 20, 188, "werfen: 44 s", 16); // fire mode closes sooner
    EXPECT_TRUE(noTextIn(image, QRect(205, 170, 40, 25))) << "beyond the panel";
    QRect keys = g.hud().places().keys;
    const int keysX = keys.left() + 20;
    EXPECT_EQ(keys.right(), w - 1);
    expectTextLine(image, keysX, 40, "return:", 20);
    expectTextLine(image, keysX, 80, "feuermodus", 20);
    expectTextLine(image, keysX, 120, "esc:", 20);
    expectTextLine(image, keysX, 160, "hauptmenue", 20);
    expectTextLine(image, keysX, 188, "f1: tasten", 16);
    EXPECT_GE(keys.right() - textBounds(image, keys).right(), 12) << "room on the right";

    // Fire mode: the aim's direction and elevation in degrees and its strength, as a figure and
    // as a bar full at the strength that carries the valley's length, below the keys.
    tap(Qt::Key_Return);
    tick();
    image = frame();
    expectTextLine(image, keysX, 80, "abschuss", 20);
    expectTextLine(image, 20, 120, "44 sekunden", 20);
    EXPECT_TRUE(noTextIn(image, QRect(5, 170, 190, 25))) << "aiming counts the same time once";
    hold(Qt::Key_Left, 1.5);  // 45° to the left
    hold(Qt::Key_Space, 1.0); // 30° up
    hold(Qt::Key_Up, 0.5);    // power 2
    image = frame();
    const QChar degrees(0xb0);
    const QStringList aim = {QString("richtung: 45") + degrees, QString("hoehe: 30") + degrees,
                             "staerke: 2.0"};
    EXPECT_EQ(g.hud().aimLines(), aim);
    for (int i = 0; i < 3; ++i)
        expectTextLine(image, keysX, 192 + 24 * i, aim[i], 16);
    expectTextLine(image, keysX, 288, "f1: tasten", 16);
    keys = g.hud().places().keys;
    const auto barPixels = [&](const QImage& shot) {
        int n = 0;
        for (int x = keys.left(); x <= keys.right(); ++x) {
            const QColor c = shot.pixelColor(x, 255);
            n += c.red() > 200 && c.green() > 150 && c.green() < 230 && c.blue() < 120;
        }
        return n;
    };
    const double barWidth = keys.width() - 40;
    EXPECT_NEAR(barPixels(image), 2 / std::sqrt(2 * 80 * 0.9) * barWidth, 2);
    // Turned right past the start: the direction goes round the circle, the bar grows.
    hold(Qt::Key_Right, 3.0);
    hold(Qt::Key_Up, 1.0);
    image = frame();
    EXPECT_EQ(g.hud().aimLines().first(), QString("richtung: 315") + degrees);
    EXPECT_NEAR(barPixels(image), 4 / std::sqrt(2 * 80 * 0.9) * barWidth, 2);
    // The bar's red mark stands at the strength beyond which this throw leaves the valley, and
    // nowhere else.
    const VORN_LIB::VORN_Landscape* land = &g.match->landscape();
    const auto leaving = ThrowReach::leaving(
        [land](double x, double z) { return land->surfaceHeight(x, z); },
        g.match->grenade().worldPosition,
        Rules::throwDirection(g.match->aimYaw(), g.match->aimPitch()), std::sqrt(2 * 80 * 0.9));
    ASSERT_TRUE(leaving) << "a full-strength throw at 30 degrees leaves the valley";
    QVector<int> red;
    for (int x = keys.left(); x <= keys.right(); ++x) {
        const QColor c = image.pixelColor(x, 247); // above the bar, where only the mark reaches
        if (c.red() > 200 && c.green() < 90 && c.blue() < 90)
            red.append(x);
    }
    ASSERT_FALSE(red.isEmpty());
    const double markX = keys.left() + 20 + *leaving / std::sqrt(2 * 80 * 0.9) * barWidth;
    EXPECT_LE(std::abs(red.first() - markX), 2);
    EXPECT_LE(red.last() - red.first(), 2);

    // In flight the view is free of panels.
    tap(Qt::Key_Return);
    tick();
    image = frame();
    EXPECT_FALSE(statusPanelAt(image, 100, 190));
    EXPECT_FALSE(statusPanelAt(image, w - 100, 190));
    EXPECT_FALSE(statusPanelAt(image, w - 100, h - 190));
    EXPECT_FALSE(statusPanelAt(image, 190, h - 100));
    EXPECT_TRUE(noTextIn(image, QRect(5, 5, 190, 190)));
    EXPECT_TRUE(noTextIn(image, QRect(w - 195, 5, 190, 190)));
    EXPECT_TRUE(noTextIn(image, QRect(5, h - 195, 190, 190)));
}

// A window the desktop made smaller than 800 × 600 shows the same four panels shrunk to fit,
// each in its corner with the sky between them, none over another.
TEST_F(OverlayScenario, InASmallWindowThePanelsShrinkToFitAndNeverOverlap) {
    g.setMinimumSize(0, 0); // as a desktop that gives the window less than it asks for
    g.QWidget::resize(480, 360);
    startRound(2, 1, 31);
    toMoving();
    tick();
    g.viewport()->setView(g.viewport()->position, 0, 0, -5); // the sky behind the upper panels
    const QImage image = frame();
    ASSERT_EQ(image.size(), QSize(480, 360));
    EXPECT_DOUBLE_EQ(g.overlayScale(), 0.6);
    const HudLayout::Places places = g.hud().places();
    const auto shown = [](const QRect& r) { // the overlay's pixels on the window's, at 0.6
        return QRectF(r.x() * 0.6, r.y() * 0.6, r.width() * 0.6, r.height() * 0.6).toAlignedRect();
    };
    const QRect turn = shown(places.turn), keys = shown(places.keys);
    const QVector<QRect> panels = {turn, keys, shown(places.pie), shown(places.messages)};
    for (int i = 0; i < panels.size(); ++i) {
        const QRect& p = panels[i];
        SCOPED_TRACE(i);
        EXPECT_TRUE(image.rect().contains(p));
        for (int j = i + 1; j < panels.size(); ++j)
            EXPECT_FALSE(p.intersects(panels[j])) << j;
        EXPECT_TRUE(statusPanelAt(image, p.left() + 12, p.top() + 12));
        EXPECT_TRUE(statusPanelAt(image, p.right() - 12, p.bottom() - 12));
    }
    // The sky under the upper panels and between them, their texts inside them.
    expectColor(image, turn.center().x(), turn.bottom() + 6, sky, 0, "under the turn panel");
    expectColor(image, keys.center().x(), keys.bottom() + 6, sky, 0, "under the key panel");
    expectColor(image, (turn.right() + keys.left()) / 2, 60, sky, 0, "between the panels");
    EXPECT_TRUE(noTextIn(image, QRect(turn.right() + 4, 5, keys.left() - turn.right() - 8, 40)));
    const QRect text = textBounds(image, turn);
    EXPECT_FALSE(text.isEmpty());
    EXPECT_LT(text.bottom(), turn.bottom() - 4);
    EXPECT_LT(text.right(), turn.right() - 4);
}

TEST_F(OverlayScenario, StrengthPieSharesTheCircleByHitPoints) {
    startRound(3, 2, 32);
    // Player 0 keeps all of its 200 hit points, the others have half left: 400 in all.
    g.match->players()[1]->totalHealth = 100;
    g.match->players()[2]->totalHealth = 100;
    g.match->recountHitPoints();
    ASSERT_EQ(g.match->totalHitPoints(), 400);
    EXPECT_EQ(g.match->strengthPieAngles(), QList<int>({0, 2880, 4320, 5760}));

    // Slices run counter-clockwise from three o'clock around the centre of the bottom-right
    // panel: the top half is player 0's, then a quarter each.
    tick();
    const QImage image = frame();
    const int x = image.width() - 100;
    const int y = image.height() - 100;
    expectColor(image, x, y - 50, playerColor(g.match->players()[0].get()), 1, "slice of player 0");
    expectColor(image, x - 50, y - 10, playerColor(g.match->players()[0].get()), 1,
                "slice of player 0");
    expectColor(image, x - 35, y + 35, playerColor(g.match->players()[1].get()), 1,
                "slice of player 1");
    expectColor(image, x + 35, y + 35, playerColor(g.match->players()[2].get()), 1,
                "slice of player 2");
    EXPECT_TRUE(statusPanelAt(image, x - 85, y - 85)) << "panel outside the pie";

    // Equal hit points give equal thirds.
    g.match->players()[0]->totalHealth = 200;
    g.match->players()[1]->totalHealth = 200;
    g.match->players()[2]->totalHealth = 200;
    g.match->recountHitPoints();
    EXPECT_EQ(g.match->strengthPieAngles(), QList<int>({0, 1920, 3840, 5760}));

    // So do no hit points anywhere, figures still standing with nothing left: drawn as thirds.
    for (int u = 0; u < 3; ++u)
        g.match->players()[u]->totalHealth = 0;
    g.match->recountHitPoints();
    ASSERT_EQ(g.match->strengthPieAngles(), QList<int>({0, 1920, 3840, 5760}));
    tick();
    const QImage none = frame();
    expectColor(none, x, y - 50, playerColor(g.match->players()[0].get()), 1, "third of player 0");
    expectColor(none, x - 50, y + 10, playerColor(g.match->players()[1].get()), 1,
                "third of player 1");
    expectColor(none, x + 35, y + 35, playerColor(g.match->players()[2].get()), 1,
                "third of player 2");

    // With the teams' shapes each third carries its team's symbol, pale and edged, halfway out
    // along its middle.
    expectColor(none, x + 26, y - 45, playerColor(g.match->players()[0].get()), 1, "no symbol");
    g.front.options.shapes = true;
    tick();
    const QImage shaped = frame();
    for (const QPoint& middle : {QPoint(x + 26, y - 45), QPoint(x - 52, y), QPoint(x + 26, y + 45)})
        expectColor(shaped, middle.x(), middle.y(), QColor(245, 245, 245), 1, "a symbol");
    g.front.options.shapes = false;
}

TEST_F(OverlayScenario, MessagePanelShowsTheLogOldestFirst) {
    startRound(2, 2, 33);
    toMoving();
    placeOnGround(g.match->currentFigure(), 0, 39.0);
    ticksFor(0.5);
    hold(Qt::Key_Down, 2.0); // backwards over the edge at z = 40
    ASSERT_EQ(g.match->state(), Countdown);
    ASSERT_EQ(log().mid(3), QStringList({"Willkommen", "spieler 0 ist", "suizidgefaehrdet"}));

    const QImage image = frame();
    const int h = image.height();
    for (int line = 0; line < 3; ++line)
        EXPECT_TRUE(noTextIn(image, QRect(10, h - 170 + 30 * line - 18, 185, 22)))
            << "line " << line << " is empty";
    expectTextLine(image, 15, h - 80, "Willkommen", 15);
    expectTextLine(image, 15, h - 50, "spieler 0 ist", 15);
    expectTextLine(image, 15, h - 20, "suizidgefaehrdet", 15);
}

TEST_F(OverlayScenario, AimingArrowShowsOnlyInFireMode) {
    startRound(2, 1, 34);
    toMoving();
    ticksFor(1);
    tap(Qt::Key_Return);
    hold(Qt::Key_Left, 1.5);  // 45° to the left: the arrow is seen from the side
    hold(Qt::Key_Space, 1.0); // 30° up
    hold(Qt::Key_Up, 0.5);    // power 2: a long arrow
    const QRect view(200, 0, 400, 600);
    const QImage aiming = frame();

    // The same moment without fire mode: no arrow.
    MatchDriver(*g.match).putInPhase(Moving);
    const QImage moving = frame();
    MatchDriver(*g.match).putInPhase(Aiming);
    EXPECT_GT(redPixels(aiming, view), 40);
    EXPECT_EQ(redPixels(moving, view), 0);
}

TEST_F(OverlayScenario, LabelsHideBehindHillsAndFigures) {
    startRound(2, 1, 35);
    toMoving();
    Tortoise* near = g.match->currentFigure();
    Tortoise* far = g.match->players()[1]->figure(0);
    ASSERT_EQ(near, g.match->players()[0]->figure(0));
    g.match->players()[0]->color = VORN_LIB::VORN_Color(1, 0, 1, 1); // labels in pure magenta
    g.match->players()[1]->color = VORN_LIB::VORN_Color(0, 1, 0, 1); // and pure green
    placeOnGround(near, 0, 0);
    // Seen from 5 units behind and a little above, looking along -z.
    VORN_LIB::VORN_Viewport& camera = *g.viewport();
    camera.setView(near->worldPosition, 0, -10, -5);
    const VORN_Vector eye = camera.position - camera.back * camera.distance;

    // Where a label's anchor, 0.3 above the figure, lands in the 800 × 600 window.
    const auto onScreen = [&](const Tortoise* figure) {
        const VORN_Vector d = figure->worldPosition + VORN_Vector(0, 0.3, 0) - eye;
        const double depth = -dot(d, camera.back);
        const double focal = 300 / std::tan(22.5 * M_PI / 180);
        return QPoint(int(400 + focal * dot(d, camera.right) / depth),
                      int(300 - focal * dot(d, camera.up) / depth));
    };
    // Pure green pixels of the far figure's label "1 100", wherever the layout put it.
    const auto greenLabel = [&](const QImage& image) {
        return greenLabelPixels(image, g.panelsShown());
    };

    // In the open, six units ahead and a little to the side: the label shows.
    placeOnGround(far, 1.5, -6);
    const VORN_Vector open = far->worldPosition;
    EXPECT_GT(greenLabel(frame()), 20);

    // Straight behind the near figure, its anchor on the line from the eye through the near
    // figure's shell: hidden.
    const VORN_Vector shell = near->worldPosition + VORN_Vector(0, -0.06, 0.06);
    far->setWorldPosition(eye + (shell - eye) * 1.8 - VORN_Vector(0, 0.3, 0));
    const QPoint behind = onScreen(far);
    ASSERT_TRUE(QRect(0, 0, 800, 600).contains(behind));
    EXPECT_EQ(greenLabel(frame()), 0);

    // Back in the open place, with a hill raised in between: a ridge five units high across the
    // view, three units ahead of the near figure.
    far->setWorldPosition(open);
    VORN_LIB::VORN_Landscape& land = g.match->landscape();
    for (std::uint32_t r = 0; r < land.rows; ++r)
        for (std::uint32_t c = 0; c < land.columns; ++c) {
            const VORN_Vector p = gridPoint(r, c);
            if (std::abs(p.x()) < 8 && p.z() < -2.5 && p.z() > -3.5)
                land.setHeight(std::size_t(r) * land.columns + c, 1.0);
        }
    land.createNormals(0, 0, 0, 0);
    land.compile();
    ASSERT_TRUE(QRect(0, 0, 800, 600).contains(onScreen(far)));
    EXPECT_EQ(greenLabel(frame()), 0);
}

// F1 shows the keys of the screen on a panel in the middle of the window, every line where the
// layout puts it, the panel sized to its longest line and, in German and in every translation,
// fitting 800 × 600 at the full size; F1 hides it again. The main menu points to it.
TEST_F(OverlayScenario, KeyHelpListsTheKeysOfEachScreenInEveryLanguage) {
    expectTextLine(frame(), 240, 465, "f1: tasten", 20);
    const QStringList languages = QStringList{""} + GameLanguage::available();
    ASSERT_GE(languages.size(), 6);

    const auto keys = [](std::initializer_list<const char*> names) {
        QStringList list;
        for (const char* name : names)
            list << Game::tr(name);
        return list;
    };
    const auto check = [&](const char* screen, const QStringList& expected) {
        SCOPED_TRACE(screen);
        const QImage image = frame();
        const QList<KeyHelp::Line> lines = g.keyHelp().lines();
        QStringList shown;
        for (const KeyHelp::Line& line : lines)
            shown << line.key;
        EXPECT_EQ(shown, expected);
        const KeyHelp::Layout layout = g.keyHelp().layout();
        EXPECT_EQ(layout.pointSize, 15) << "shrunk to fit";
        EXPECT_TRUE(QRect(10, 10, 780, 580).contains(layout.panel));
        expectTextLine(image, layout.keyX, layout.titleBaseline, Game::tr("tasten"), 15);
        for (int i = 0; i < lines.size(); ++i) {
            const int baseline = layout.firstBaseline + i * layout.lineStep;
            expectTextLine(image, layout.keyX, baseline, lines[i].key, 15);
            expectTextLine(image, layout.actionX, baseline, lines[i].action, 15);
        }
        // The text keeps the same margin on the left and on the right: the panel is as wide as
        // its longest line needs, and the text under it is hidden (its rounded corners aside).
        const QRect inner = layout.panel.adjusted(3, 8, -3, -8);
        const QRect text = textBounds(image, inner);
        EXPECT_NEAR(layout.panel.right() - text.right(), text.left() - layout.panel.left(), 4);
        EXPECT_GT(text.left() - layout.panel.left(), 10);
    };
    const QStringList general = {"m", "f11", "f1"};
    for (const QString& language : languages) {
        SCOPED_TRACE(language.isEmpty() ? "german" : language.toStdString());
        QTranslator translation;
        if (!language.isEmpty()) {
            ASSERT_TRUE(translation.load(":/translations/tortoise-valley_" + language + ".qm"));
            QCoreApplication::installTranslator(&translation);
        }
        tap(Qt::Key_F1);
        ASSERT_TRUE(g.keyHelpShown());
        check("main menu", keys({"return", "c", "l", "n", "o", "t", "w", "esc"}) + general);
        tap(Qt::Key_F1);
        tap(Qt::Key_O);
        tap(Qt::Key_F1);
        check("options",
              keys({"l", "r", "- / +", ", / .", "v", "a", "f", "s", "o / esc"}) + general);
        tap(Qt::Key_F1); // the help shown during a turn stops its clocks
        tap(Qt::Key_Escape);
        ASSERT_EQ(g.front.screen, FrontEnd::Screen::MainMenu);
        startRound(2, 1, 37);
        toMoving();
        tap(Qt::Key_F1);
        check("driving", keys({"pfeile", "leertaste / strg", "return", "esc", "v", "e", "maus",
                               "mausrad", "mittlere taste"}) +
                             general + QStringList{"p"});
        EXPECT_EQ(g.keyHelp().lines()[4].action, Game::tr("blick hinter die figur"));
        tap(Qt::Key_F1);
        tap(Qt::Key_Return);
        ASSERT_EQ(g.match->state(), Aiming);
        tap(Qt::Key_F1);
        check("fire mode", keys({"links / rechts", "leertaste / strg", "hoch / runter", "return",
                                 "esc", "v", "e", "maus", "mausrad", "mittlere taste"}) +
                               general + QStringList{"p"});
        const QList<KeyHelp::Line> aiming = g.keyHelp().lines();
        EXPECT_EQ(aiming[5].action, Game::tr("blick entlang des wurfs"))
            << "v gives the aim's view";
        // Escape's question hides the game's keys until it is answered.
        tap(Qt::Key_Escape);
        check("asked", keys({"j", "n / esc"}) + general);
        tap(Qt::Key_J);
        tap(Qt::Key_F1);
        EXPECT_FALSE(g.keyHelpShown());
        const QImage image = frame();
        expectTextLine(image, 260, 260, Game::tr("neues spiel"), 30);
        expectTextLine(image, 240, 465, Game::tr("f1: tasten"), 20);
        QCoreApplication::removeTranslator(&translation);
    }
}

// In German and in every translation each menu screen, whatever its choices show, and the panels
// of a turn fit a window of 800 × 600: the menu panel (as wide as its widest line needs) stays
// inside it, and the turn's panels, each as wide as its lines, stay inside it without meeting.
TEST_F(OverlayScenario, EveryScreenFitsAt800x600InEveryLanguage) {
    const QRect window(0, 0, 800, 600);
    ASSERT_EQ(frame().size(), window.size());
    const auto widestLine = [](const QList<HudLayout::Line>& lines) {
        QString text;
        int most = 0;
        for (const HudLayout::Line& line : lines) {
            const int end = line.x + QFontMetrics(*line.font).horizontalAdvance(line.text);
            if (end > most) {
                most = end;
                text = line.text;
            }
        }
        return text.toStdString();
    };
    const auto menuFits = [&](const char* what) {
        const HudLayout hud = g.hud();
        EXPECT_TRUE(window.contains(hud.menuPlace())) << what << ": " << widestLine(hud.menuLines())
                                                      << " (" << hud.menuPlace().width() << " px)";
    };
    const auto turnFits = [&](const char* what) {
        const HudLayout hud = g.hud();
        const HudLayout::Places p = hud.places();
        for (const QRect& panel : {p.turn, p.keys, p.pie, p.messages})
            EXPECT_TRUE(window.contains(panel)) << what;
        EXPECT_LT(p.turn.right(), p.keys.left())
            << what << ": " << widestLine(hud.turnLines()) << " | " << widestLine(hud.keyLines());
        EXPECT_LT(p.keys.bottom(), p.pie.top()) << what;
        EXPECT_LT(p.messages.right(), p.pie.left())
            << what << ": " << widestLine(hud.messageLines());
    };
    const QStringList languages = QStringList{""} + GameLanguage::available();
    for (const QString& language : languages) {
        SCOPED_TRACE(language.isEmpty() ? "german" : language.toStdString());
        QTranslator translation;
        if (!language.isEmpty()) {
            ASSERT_TRUE(translation.load(":/translations/tortoise-valley_" + language + ".qm"));
            QCoreApplication::installTranslator(&translation);
        }
        for (ComputerLevel level : {ComputerLevel::Off, ComputerLevel::Easy, ComputerLevel::Medium,
                                    ComputerLevel::Hard}) {
            g.match->setComputerLevel(level);
            menuFits("main menu");
        }
        g.match->setComputerLevel(ComputerLevel::Off);
        g.front.players = 9;
        g.front.figures = 9;
        for (FrontEnd::Screen screen :
             {FrontEnd::Screen::AskPlayers, FrontEnd::Screen::AskFigures, FrontEnd::Screen::Seats,
              FrontEnd::Screen::NetworkMenu, FrontEnd::Screen::LocalGames}) {
            g.front.screen = screen;
            menuFits("a menu");
        }
        // Every value of every game setting and of every option.
        g.front.screen = FrontEnd::Screen::AskSettings;
        for (const SettingChoices::Row& row : SettingChoices::rows)
            for (int v = 0; v < row.count; ++v) {
                row.set(g.front.settings, v);
                menuFits(row.option);
            }
        g.front.settings.valley = GameSettings::Valley::Random;
        g.front.settings.valleyNumber = 99999;
        menuFits("a random valley");
        g.front.settings = GameSettings();
        g.front.screen = FrontEnd::Screen::Options;
        const PlayerOptions options = g.front.options;
        for (const OptionChoices::Row& row : OptionChoices::rows)
            for (int step = 0; step < 12; ++step) {
                row.step(g.front.options, 1);
                menuFits(row.name);
            }
        g.front.options = options;
        g.front.screen = FrontEnd::Screen::MainMenu;

        // A turn: counting down, driving, aiming; then the end screen.
        startRound(2, 1, 43);
        turnFits("countdown");
        toMoving();
        tick();
        turnFits("driving");
        tap(Qt::Key_Return);
        ASSERT_EQ(g.match->state(), Aiming);
        tick();
        turnFits("aiming");
        tap(Qt::Key_Escape);
        tap(Qt::Key_J);
        ASSERT_EQ(g.front.screen, FrontEnd::Screen::MainMenu);
        QCoreApplication::removeTranslator(&translation);
    }
}

namespace {

// Pixels of an area that are nearly one colour (each channel within 40).
int pixelsLike(const QImage& image, const QRect& area, const QColor& colour) {
    int n = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += std::abs(c.red() - colour.red()) <= 40 &&
                 std::abs(c.green() - colour.green()) <= 40 &&
                 std::abs(c.blue() - colour.blue()) <= 40;
        }
    return n;
}

// A ridge five units high across the valley at z in (from, to), |x| < 8.
void raiseRidge(double from, double to) {
    VORN_LIB::VORN_Landscape& land = game().match->landscape();
    for (std::uint32_t r = 0; r < land.rows; ++r)
        for (std::uint32_t c = 0; c < land.columns; ++c) {
            const VORN_Vector p = gridPoint(r, c);
            if (std::abs(p.x()) < 8 && p.z() > from && p.z() < to)
                land.setHeight(std::size_t(r) * land.columns + c, 1.0);
        }
    land.createNormals(0, 0, 0, 0);
    land.compile();
}

} // namespace

// The tortoise on turn has a marker over it in its team's colour, unfogged and seen through a
// hill that hides the tortoise itself, bobbing as the clock runs.
TEST_F(OverlayScenario, TheMarkerOverTheTortoiseOnTurnShowsThroughHillsAndBobs) {
    startRound(2, 1, 38);
    toMoving();
    Tortoise* figure = g.match->currentFigure();
    g.match->players()[0]->color = VORN_LIB::VORN_Color(1, 0, 1, 1); // pure magenta
    placeOnGround(figure, 0, 0);
    placeOnGround(g.match->players()[1]->figure(0), 30, 20);
    g.viewport()->setView(figure->worldPosition, 0, -10, -5); // 5 units behind, looking along -z
    raiseRidge(2, 3);                                         // between the eye and the tortoise
    const QRect view(210, 0, 360, 400);                       // between the panels
    const auto marker = [&](const QImage& image) {
        QRect bounds;
        for (int y = view.top(); y <= view.bottom(); ++y)
            for (int x = view.left(); x <= view.right(); ++x)
                if (image.pixelColor(x, y) == QColor(255, 0, 255))
                    bounds |= QRect(x, y, 1, 1);
        return bounds;
    };
    // At the bottom of a bob, then half a bob later at its top.
    ASSERT_TRUE(tickUntil([&] { return g.match->clockNow() % TurnMarker::period < 25; }, 100));
    const QImage low = frame();
    EXPECT_EQ(g.labels().figuresShown(), 0) << "the ridge hides the tortoise and its label";
    const QRect first = marker(low);
    ASSERT_FALSE(first.isEmpty()) << "no marker in the team's own colour";
    EXPECT_GT(first.width() * first.height(), 300);
    ticksFor(TurnMarker::period / 2000.0);
    const QRect second = marker(frame());
    ASSERT_FALSE(second.isEmpty());
    EXPECT_LT(second.top(), first.top() - 5);
}

// A blast flashes and throws sparks at its point, and each tortoise it hurt shows the hit points
// it took, as the match counted them, floating over it; all of it is gone two seconds later. The
// thrower's path and mark stay where the throw flew and came down, though the thrower moves.
TEST_F(OverlayScenario, ABlastFlashesAndFloatsTheDamageOfEachHurtTortoise) {
    startRound(3, 1, 36);
    toMoving();
    Tortoise* thrower = g.match->currentFigure();
    placeOnGround(thrower, 20, 10);
    placeOnGround(g.match->players()[1]->figure(0), 0, 0);
    placeOnGround(g.match->players()[2]->figure(0), 1.5, 0.5);
    ticksFor(0.5);
    tap(Qt::Key_Return);
    const VORN_Vector launch = g.match->grenade().worldPosition;
    tap(Qt::Key_Return);
    ASSERT_EQ(g.match->state(), Flying);
    tick(3); // a little of the flight
    QVector<Match::Damage> hurt;
    VORN_Vector blastPoint;
    QObject::connect(g.match.get(), &Match::exploded,
                     [&](const VORN_Vector& at, const QVector<Match::Damage>& d) {
                         blastPoint = at;
                         hurt = d;
                     });
    const VORN_Vector point = ground(0.5, -1);
    explodeAt(point);
    ASSERT_EQ(hurt.size(), 2);

    const QVector<DamageFigures::Shown> shown = g.damageFigures.shown(g.match->clockNow());
    ASSERT_EQ(shown.size(), hurt.size());
    for (int i = 0; i < hurt.size(); ++i) {
        EXPECT_GT(hurt[i].damage, 0);
        EXPECT_EQ(shown[i].text, QString("-%1").arg(hurt[i].damage));
        EXPECT_EQ(shown[i].player, hurt[i].player);
        EXPECT_LT(horizontalDistance(shown[i].at, hurt[i].figure->worldPosition), 1e-9);
        EXPECT_GT(shown[i].at.y(), hurt[i].figure->worldPosition.y());
    }

    // Seen from eight units off, 50 ms after the blast.
    g.viewport()->setView(point, 0, -20, -8);
    tick(2);
    QImage image = frame();
    const QRect middle(250, 150, 300, 300);
    EXPECT_GT(pixelsLike(image, middle, QColor(255, 245, 225)), 2000) << "the flash";
    EXPECT_GT(pixelsLike(image, QRect(0, 0, 800, 600), QColor(255, 90, 40)), 60)
        << "the damage figures";
    ASSERT_TRUE(g.blast.active(g.match->clockNow()));
    EXPECT_EQ(g.blast.sparks(g.match->clockNow()).size(), std::size_t(BlastEffect::sparkCount));

    ticksFor(2.1);
    image = frame();
    EXPECT_FALSE(g.blast.active(g.match->clockNow()));
    EXPECT_TRUE(g.damageFigures.shown(g.match->clockNow()).isEmpty());
    EXPECT_LT(pixelsLike(image, middle, QColor(255, 245, 225)), 50);
    EXPECT_EQ(pixelsLike(image, QRect(0, 0, 800, 600), QColor(255, 90, 40)), 0);

    const int player = g.match->currentPlayer();
    const auto mark = g.throwMarks.markOf(player);
    ASSERT_TRUE(mark.has_value());
    EXPECT_LT(distance(*mark, blastPoint), 1e-9);
    const std::vector<VORN_Vector>& path = g.throwMarks.pathOf(player);
    ASSERT_GE(path.size(), 2u);
    EXPECT_LT(distance(path.front(), launch), 0.5) << "the path begins where the grenade flew off";
    EXPECT_LT(distance(path.back(), blastPoint), 1e-9);
    placeOnGround(thrower, 21, 10);
    EXPECT_TRUE(g.throwMarks.markOf(player).has_value()) << "kept until the player throws again";
}

// The panels are painted again when what they show changes and only then: not from frame to
// frame, the turn panel alone as a second passes, every panel with text when the language changes.
TEST_F(OverlayScenario, PanelsArePaintedAgainOnlyWhenWhatTheyShowChanges) {
    startRound(2, 1, 39);
    toMoving();
    tick();
    frame();
    const auto painted = [&] {
        return std::vector<int>{
            g.panels().kept().turn.timesPainted(), g.panels().kept().keys.timesPainted(),
            g.panels().kept().pie.timesPainted(), g.panels().kept().messages.timesPainted()};
    };
    const std::vector<int> before = painted();
    frame();
    tick();
    frame();
    EXPECT_EQ(painted(), before);

    ticksFor(1.0); // the clock's second, and the time to throw, go down by one
    frame();
    EXPECT_EQ(painted(), std::vector<int>({before[0] + 1, before[1], before[2], before[3]}));

    GameLanguage::available(); // registers the translations
    QTranslator english;
    ASSERT_TRUE(english.load(":/translations/tortoise-valley_en.qm"));
    QCoreApplication::installTranslator(&english);
    const QImage image = frame();
    const int keysX = g.hud().places().keys.left() + 20;
    QCoreApplication::removeTranslator(&english);
    EXPECT_EQ(painted(),
              std::vector<int>({before[0] + 2, before[1] + 1, before[2], before[3] + 1}));
    expectTextLine(image, 20, 80, "your turn", 20);
    expectTextLine(image, keysX, 80, "fire mode", 20);
}

// From every side and height around a crowd of tortoises, no label is drawn under a panel (the
// panels are translucent, so one would show through them), and labels still show.
TEST_F(OverlayScenario, NoLabelIsDrawnUnderAPanelFromAnyView) {
    startRound(5, 4, 40);
    toMoving();
    ticksFor(1.0);
    // The others' labels in pure green; the tortoise on turn (with the marker) in magenta.
    g.match->players()[0]->color = VORN_LIB::VORN_Color(1, 0, 1, 1);
    for (int i = 1; i < 5; ++i)
        g.match->players()[std::size_t(i)]->color = VORN_LIB::VORN_Color(0, 1, 0, 1);
    const VORN_Vector centre = g.match->currentFigure()->worldPosition;
    int labels = 0, views = 0;
    for (double distance : {-6.0, -20.0})
        for (double pitch : {-5.0, -25.0, -50.0})
            for (int yaw = 0; yaw < 360; yaw += 30) {
                g.viewport()->setView(centre, yaw, pitch, distance);
                const QImage image = frame();
                labels += g.labels().figuresShown();
                ++views;
                SCOPED_TRACE(testing::Message()
                             << "yaw " << yaw << " pitch " << pitch << " distance " << distance);
                const QVector<QRect> panels = g.panelsShown();
                ASSERT_EQ(panels.size(), 4);
                for (int p : {0, 1, 3}) { // the pie's own slices are green
                    // Inside the outline: a green label through the blue panel.
                    const QRect inside = panels[p].adjusted(3, 3, -4, -4);
                    int under = 0;
                    for (int y = inside.top(); y <= inside.bottom(); ++y)
                        for (int x = inside.left(); x <= inside.right(); ++x) {
                            const QColor c = image.pixelColor(x, y);
                            under += c.green() > 120 && c.red() < 90 && c.green() > c.red() + 50;
                        }
                    EXPECT_EQ(under, 0) << "panel " << p;
                }
            }
    EXPECT_GT(labels, views * 3) << "the views show labels";
}
