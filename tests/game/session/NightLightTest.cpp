// The moonlit night reads: in the standard turn view of a 9 × 9 round and from twenty camera
// places spread over the valley (its far corners included), the ground and the figures are bright
// enough (median brightness at least 45 of 255, at most 40 % of their pixels darker than 25) and
// every tortoise in view, down to the far ones of 6 pixels, stands out from the ground behind and
// around it by at least 3 : 1 in luminance. The classic light, shown again after the night and the
// day, draws the very frame it drew before them. With TV_PICTURE_DIR set, the frames of the three
// lights are written there.
#include "tests/support/GameDriver.h"

#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <QDir>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

using namespace GameDriver;
using VORN_LIB::dot;
using VORN_LIB::VORN_Vector;

namespace {

constexpr QRgb nightSky = 0xff000033; // the clear colour: no ground there

double brightness(QRgb c) {
    return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c);
}

// Relative luminance of an sRGB colour, 0 … 1.
double luminance(QRgb c) {
    const auto linear = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
}

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

class NightLightScenario : public GameScenario {
protected:
    void prepare() {
        startRound(9, 9, 11);
        toMoving();
        ticksFor(4); // the figures fall and come to rest
        ASSERT_EQ(g.match->state(), Moving);
        // Craters to look into: in the middle, near a corner and on a slope.
        for (const VORN_Vector& c :
             {VORN_Vector(0, 0, 0), VORN_Vector(-60, 0, 25), VORN_Vector(45, 0, -20)})
            g.match->landscape().createCrater(c, 3.0);
    }

    // The pixels the last frame covered with its panels and labels.
    std::vector<char> coveredByOverlay(const QImage& image) const {
        std::vector<char> covered(std::size_t(image.width() * image.height()), 0);
        QVector<QRect> rects = g.panelsShown();
        for (const QRect& r : g.labels().placed())
            if (!r.isNull())
                rects.append(r.adjusted(-2, -2, 2, 2));
        for (const QRect& r : rects) {
            const QRect inside = r.intersected(image.rect());
            for (int y = inside.top(); y <= inside.bottom(); ++y)
                for (int x = inside.left(); x <= inside.right(); ++x)
                    covered[std::size_t(y * image.width() + x)] = 1;
        }
        return covered;
    }

    // The frame of the present view, checked against the targets; also with every figure taken
    // out of the scene, for the ground behind each of them.
    void check(const std::string& name) {
        SCOPED_TRACE(name);
        const QImage shown = frame();
        save(shown, name);
        std::vector<char> covered = coveredByOverlay(shown);
        // Ground or figure: neither sky nor a panel nor a label.
        const auto onTheField = [&](const QImage& image, int x, int y) {
            return image.pixel(x, y) != nightSky && !covered[std::size_t(y * image.width() + x)];
        };
        std::vector<double> lights;
        int dark = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (onTheField(shown, x, y)) {
                    lights.push_back(brightness(shown.pixel(x, y)));
                    dark += lights.back() < 25 ? 1 : 0;
                }
        ASSERT_GT(lights.size(), std::size_t(shown.width() * shown.height() / 10))
            << "the valley fills the picture";
        const double middle = median(lights);
        const double darkShare = double(dark) / lights.size();
        EXPECT_GE(middle, 45);
        EXPECT_LE(darkShare, 0.40);
        lowestMedian = std::min(lowestMedian, middle);
        highestDarkShare = std::max(highestDarkShare, darkShare);

        // The figures' pixels are those that change when the figures are gone.
        std::vector<Tortoise*> figures;
        for (const auto& player : g.match->players())
            for (unsigned slot = 0; player && player->figure(slot); ++slot)
                figures.push_back(player->figure(slot));
        auto& children = g.match->scene().children;
        for (Tortoise* f : figures)
            children.removeAll(f);
        const QImage ground = frame();
        for (Tortoise* f : figures)
            children.append(f);
        const std::vector<char> labelsMoved = coveredByOverlay(ground);
        for (std::size_t i = 0; i < covered.size(); ++i)
            covered[i] = covered[i] || labelsMoved[i];

        // Where each figure's middle lands in the picture, with the viewport's own eye.
        const VORN_LIB::VORN_Viewport& v = *g.viewport();
        const VORN_Vector eye = v.position - v.back * v.distance;
        const double tanHigh = std::tan(v.fieldOfView / 2 * M_PI / 180);
        const double h = shown.height(), w = shown.width();
        struct Seen {
            double x, y, radius;
            std::vector<QPoint> pixels;
        };
        std::vector<Seen> seen;
        for (Tortoise* f : figures) {
            const VORN_Vector d = f->worldPosition - eye;
            const double depth = -dot(d, v.back);
            if (depth < 0.2)
                continue;
            const double sx = (1 + dot(d, v.right) / (depth * tanHigh * w / h)) * w / 2;
            const double sy = (1 - dot(d, v.up) / (depth * tanHigh)) * h / 2;
            seen.push_back({sx, sy, 0.5 / (depth * tanHigh) * h / 2 + 3, {}});
        }
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb a = shown.pixel(x, y), b = ground.pixel(x, y);
                const int change = std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                                   std::abs(qBlue(a) - qBlue(b));
                if (change < 30 || !onTheField(ground, x, y))
                    continue; // not a figure's: the ground there looks the same without them
                Seen* nearest = nullptr;
                double best = 1e9;
                for (Seen& s : seen) {
                    const double r = std::hypot(x - s.x, y - s.y);
                    if (r <= s.radius && r < best) {
                        best = r;
                        nearest = &s;
                    }
                }
                if (nearest)
                    nearest->pixels.push_back(QPoint(x, y));
            }
        for (const Seen& s : seen) {
            if (s.pixels.size() < 6)
                continue; // hidden, or a speck at the far end of the valley
            ++figuresSeen;
            std::vector<double> figure, behind;
            QRect box;
            for (const QPoint& p : s.pixels) {
                figure.push_back(luminance(shown.pixel(p)));
                box |= QRect(p, QSize(1, 1));
            }
            box = box.adjusted(-3, -3, 3, 3).intersected(ground.rect());
            for (int y = box.top(); y <= box.bottom(); ++y)
                for (int x = box.left(); x <= box.right(); ++x)
                    if (ground.pixel(x, y) != nightSky)
                        behind.push_back(luminance(ground.pixel(x, y)));
            if (behind.empty())
                continue; // against the sky alone
            ++figuresJudged;
            smallestJudged = std::min(smallestJudged, s.pixels.size());
            const double lf = median(figure), lg = median(behind);
            const double ratio = (std::max(lf, lg) + 0.05) / (std::min(lf, lg) + 0.05);
            EXPECT_GE(ratio, 3.0) << "the figure at " << s.x << ", " << s.y << " ("
                                  << s.pixels.size() << " pixels)";
            lowestContrast = std::min(lowestContrast, ratio);
        }
    }

    static void save(const QImage& image, const std::string& name) {
        if (const char* dir = std::getenv("TV_PICTURE_DIR")) {
            QDir().mkpath(dir);
            image.save(QDir(dir).filePath(QString::fromStdString(name) + ".png"));
        }
    }

    // The yaw (15-degree steps) that looks from a place most nearly at the valley's middle.
    double yawTowardsMiddle(const VORN_Vector& from, double pitch) {
        double bestYaw = 0, bestLook = -2;
        for (int yaw = 0; yaw < 360; yaw += 15) {
            g.viewport()->setView(from, yaw, pitch, -5);
            const VORN_Vector look = g.viewport()->back * -1.0;
            const VORN_Vector toMiddle = VORN_Vector(-from.x(), 0, -from.z());
            const double along =
                (look.x() * toMiddle.x() + look.z() * toMiddle.z()) /
                (std::hypot(look.x(), look.z()) * std::sqrt(toMiddle.lengthSquared()) + 1e-9);
            if (along > bestLook) {
                bestLook = along;
                bestYaw = yaw;
            }
        }
        return bestYaw;
    }

    double lowestMedian = 255;
    double highestDarkShare = 0;
    double lowestContrast = 1e9;
    int figuresSeen = 0;
    int figuresJudged = 0;
    std::size_t smallestJudged = 1 << 20;
};

} // namespace

TEST_F(NightLightScenario, TheMoonlitNightReadsFromEveryPlaceAndTheClassicLightStaysAsItWas) {
    EXPECT_EQ(g.front.options.light, ViewLight::Night) << "every game starts in the moonlit night";
    ASSERT_NO_FATAL_FAILURE(prepare());
    g.camera().viewBehind();
    g.front.options.light = ViewLight::Classic;
    const QImage classic = frame();
    save(classic, "classic-turn");

    g.front.options.light = ViewLight::Night;
    g.camera().viewBehind();
    check("night-turn");
    // Twenty places on a 5 × 4 grid over the valley (x -80 … 80, z -40 … 40), the far corners
    // among them, 2.5 units over the ground, each looking towards the valley's middle.
    int place = 0;
    for (const double x : {-76.0, -38.0, 0.0, 38.0, 76.0})
        for (const double z : {-36.0, -12.0, 12.0, 36.0}) {
            const VORN_Vector at = ground(x, z) + VORN_Vector(0, 2.5, 0);
            const double pitch = place % 2 == 0 ? -15 : -30;
            g.viewport()->setView(at, yawTowardsMiddle(at, pitch), pitch, -5);
            check("night-place-" + std::to_string(place++));
        }
    EXPECT_EQ(place, 20);
    EXPECT_GT(figuresSeen, 40) << "the sweep must see the figures";
    EXPECT_GT(figuresJudged, 40) << "the sweep must judge the figures it sees";
    EXPECT_LT(smallestJudged, 20u) << "the sweep must judge far figures, of a few pixels";
    std::printf("night: lowest median brightness %.1f, highest share darker than 25 %.1f %%, "
                "lowest figure contrast %.2f : 1 over %d of %d figures seen\n",
                lowestMedian, 100 * highestDarkShare, lowestContrast, figuresJudged, figuresSeen);

    g.front.options.light = ViewLight::Bright;
    g.camera().viewBehind();
    const QImage day = frame();
    save(day, "bright-turn");
    EXPECT_NE(day.pixel(5, 5), nightSky) << "by day the sky is no night's";
    g.front.options.light = ViewLight::Night;
    save(frame(), "night-turn-again");

    // Back to the classic light: the same frame as before, to the pixel, with nothing left of
    // the moon, the figures' glow, the haze or the edge.
    g.front.options.light = ViewLight::Classic;
    const QImage again = frame();
    EXPECT_TRUE(again == classic);
    EXPECT_EQ(classic.pixel(5, 5), nightSky);
}
