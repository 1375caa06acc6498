// The colours of a valley's ground, from the floor's grass to the high rock, and their blending.
// The standard valley's texture (tools/make_valley) and the random valleys' are painted from the
// same ones.
#pragma once

struct GroundColour {
    double r, g, b;

    static const GroundColour darkGrass, lightGrass, dryGrass, earth, rock, darkRock;
};

inline constexpr GroundColour GroundColour::darkGrass{0.18, 0.33, 0.09};
inline constexpr GroundColour GroundColour::lightGrass{0.38, 0.52, 0.16};
inline constexpr GroundColour GroundColour::dryGrass{0.48, 0.49, 0.24};
inline constexpr GroundColour GroundColour::earth{0.47, 0.36, 0.23};
inline constexpr GroundColour GroundColour::rock{0.55, 0.53, 0.50};
inline constexpr GroundColour GroundColour::darkRock{0.35, 0.34, 0.33};

// a at t = 0, b at t = 1.
constexpr GroundColour mix(const GroundColour& a, const GroundColour& b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
