// A blast's flash and sparks, run by the game's clock and drawn in the 3-D picture.
#include "game/session/BlastEffect.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <cstdint>

using namespace VORN_LIB;

namespace {

constexpr double sparkGravity = 4.0; // units per second squared: sparks fall faster than grenades

// A small generator of the effect's own (a linear congruential one), in 0 … 1.
class Scatter {
public:
    explicit Scatter(std::uint32_t seed) : state(seed) {}
    double next() {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / double(1u << 24);
    }

private:
    std::uint32_t state;
};

} // namespace

BlastEffect::~BlastEffect() {
    if (quadric)
        gluDeleteQuadric(quadric);
}

void BlastEffect::start(const VORN_Vector& point, VORN_Clock::Ticks now) {
    centre = point;
    started = now;
    velocities.clear();
    Scatter scatter(static_cast<std::uint32_t>(now) ^ 0x9e3779b9u);
    for (int i = 0; i < sparkCount; ++i) {
        // Mostly upwards and outwards, as from a crater.
        const double around = 2 * M_PI * scatter.next();
        const double up = 0.25 + 0.75 * scatter.next();
        const double speed = 2.0 + 3.0 * scatter.next();
        const double out = std::sqrt(1 - up * up);
        velocities.emplace_back(speed * out * std::cos(around), speed * up,
                                speed * out * std::sin(around));
    }
}

bool BlastEffect::active(VORN_Clock::Ticks now) const {
    return started != 0 && now >= started && now - started < burstMs;
}

double BlastEffect::flashLevel(VORN_Clock::Ticks now) const {
    if (started == 0 || now < started || now - started >= flashMs)
        return 0;
    return 1 - double(now - started) / flashMs;
}

std::vector<VORN_Vector> BlastEffect::sparks(VORN_Clock::Ticks now) const {
    std::vector<VORN_Vector> at;
    if (!active(now))
        return at;
    const double t = (now - started) / 1000.0;
    at.reserve(velocities.size());
    for (const VORN_Vector& v : velocities)
        at.push_back(centre + v * t - VORN_Vector(0, 0.5 * sparkGravity * t * t, 0));
    return at;
}

void BlastEffect::draw(VORN_Clock::Ticks now) {
    if (!active(now))
        return;
    if (!quadric)
        quadric = gluNewQuadric();
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT |
                 GL_POINT_BIT | GL_POLYGON_BIT);
    glDisable(GL_FOG);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE); // light adds to what is behind it
    glDepthMask(GL_FALSE);

    const double flash = flashLevel(now);
    if (flash > 0 && quadric) {
        const double radius = flashRadius * (0.3 + 0.7 * std::sqrt(1 - flash));
        glPushMatrix();
        glTranslated(centre.x(), centre.y(), centre.z());
        glColor4d(1.0, 0.7, 0.3, 0.6 * flash);
        gluSphere(quadric, radius, 16, 12);
        glColor4d(1.0, 1.0, 0.9, flash);
        gluSphere(quadric, radius * 0.45, 12, 8);
        glPopMatrix();
    }

    // Sparks: white-yellow at first, cooling through orange to a dim red, then gone.
    const double life = double(now - started) / burstMs;
    const std::vector<VORN_Vector> at = sparks(now);
    glPointSize(static_cast<GLfloat>(std::max(2.0, 6.0 * (1 - life))));
    glBegin(GL_POINTS);
    glColor4d(1.0, std::max(0.2, 1 - 1.2 * life), std::max(0.0, 0.6 - 1.5 * life), 1 - life);
    for (const VORN_Vector& p : at)
        glVertex3d(p.x(), p.y(), p.z());
    glEnd();
    glPopAttrib();
}
