// The nine team colours as people see them: apart from each other with normal sight and with
// each full colour-vision deficiency, apart from the valley's ground, and light enough for the
// night; and the distance measure itself against published reference pairs.
#include "game/world/TeamColours.h"
#include "game/world/GroundColour.h"
#include "tests/support/ColourDistance.h"

#include <gtest/gtest.h>

#include <vector>

using colour::ciede2000;
using colour::Deficiency;
using colour::lab;
using colour::seenWith;
using colour::Triple;

namespace {

std::vector<Triple> teamColours() {
    std::vector<Triple> colours;
    for (const VORN_LIB::VORN_Color& c : TeamColours::palette())
        colours.push_back({c[0], c[1], c[2]});
    return colours;
}

double closestPair(const std::vector<Triple>& colours) {
    double closest = 1e9;
    for (std::size_t i = 0; i < colours.size(); ++i)
        for (std::size_t j = i + 1; j < colours.size(); ++j)
            closest = std::min(closest, ciede2000(lab(colours[i]), lab(colours[j])));
    return closest;
}

} // namespace

TEST(TeamColours, NineColoursStayApartForEveryEyeAndFromTheGround) {
    // Reference pairs from the published CIEDE2000 test data (Sharma, Wu and Dalal, 2005).
    EXPECT_NEAR(ciede2000({50, 2.6772, -79.7751}, {50, 0, -82.7485}), 2.0425, 1e-4);
    EXPECT_NEAR(ciede2000({50, 0, 0}, {50, -1, 2}), 2.3669, 1e-4);
    EXPECT_NEAR(ciede2000({50, 2.5, 0}, {73, 25, -18}), 27.1492, 1e-4);
    EXPECT_NEAR(ciede2000({60.2574, -34.0099, 36.2677}, {60.4626, -34.1751, 39.4387}), 1.2644,
                1e-4);

    const std::vector<Triple> colours = teamColours();
    EXPECT_GE(closestPair(colours), 20);
    for (Deficiency d :
         {Deficiency::Protanopia, Deficiency::Deuteranopia, Deficiency::Tritanopia}) {
        SCOPED_TRACE(static_cast<int>(d));
        std::vector<Triple> seen;
        for (const Triple& c : colours)
            seen.push_back(seenWith(d, c));
        EXPECT_GE(closestPair(seen), 12);
    }
    for (const GroundColour& g :
         {GroundColour::darkGrass, GroundColour::lightGrass, GroundColour::dryGrass,
          GroundColour::earth, GroundColour::rock, GroundColour::darkRock})
        for (const Triple& c : colours) {
            EXPECT_GE(ciede2000(lab(c), lab({g.r, g.g, g.b})), 20);
            EXPECT_GE(lab(c)[0], 50);
        }
}
