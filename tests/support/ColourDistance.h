// How far apart two colours look: CIE L*a*b* from sRGB (D65), the CIEDE2000 difference, and the
// colours as seen with each of the three full colour-vision deficiencies (the simulation matrices
// of Machado, Oliveira and Fernandes, 2009, on linear light).
#pragma once

#include <algorithm>
#include <array>
#include <cmath>

namespace colour {

using Triple = std::array<double, 3>;

inline double toLinear(double c) {
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

inline double toGamma(double c) {
    c = std::clamp(c, 0.0, 1.0);
    return c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
}

inline Triple lab(const Triple& rgb) {
    const double r = toLinear(rgb[0]), g = toLinear(rgb[1]), b = toLinear(rgb[2]);
    const double x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047;
    const double y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
    const double z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883;
    const auto f = [](double t) {
        return t > 216.0 / 24389 ? std::cbrt(t) : (24389.0 / 27 * t + 16) / 116;
    };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

inline double ciede2000(const Triple& lab1, const Triple& lab2) {
    const double pi = std::acos(-1.0);
    const auto rad = [pi](double degrees) { return degrees * pi / 180; };
    const auto deg = [pi](double radians) { return radians * 180 / pi; };
    const double c1 = std::hypot(lab1[1], lab1[2]), c2 = std::hypot(lab2[1], lab2[2]);
    const double cMean7 = std::pow((c1 + c2) / 2, 7);
    const double g = 0.5 * (1 - std::sqrt(cMean7 / (cMean7 + std::pow(25.0, 7))));
    const double a1 = (1 + g) * lab1[1], a2 = (1 + g) * lab2[1];
    const double cp1 = std::hypot(a1, lab1[2]), cp2 = std::hypot(a2, lab2[2]);
    const auto hue = [&](double a, double b, double c) {
        return c == 0 ? 0.0 : std::fmod(deg(std::atan2(b, a)) + 360, 360);
    };
    const double h1 = hue(a1, lab1[2], cp1), h2 = hue(a2, lab2[2], cp2);
    double dh = 0;
    if (cp1 * cp2 != 0) {
        dh = h2 - h1;
        dh += dh > 180 ? -360 : dh < -180 ? 360 : 0;
    }
    const double dL = lab2[0] - lab1[0], dC = cp2 - cp1;
    const double dH = 2 * std::sqrt(cp1 * cp2) * std::sin(rad(dh / 2));
    const double lMean = (lab1[0] + lab2[0]) / 2, cpMean = (cp1 + cp2) / 2;
    double hMean = h1 + h2;
    if (cp1 * cp2 != 0)
        hMean = std::abs(h1 - h2) <= 180 ? hMean / 2
                : hMean < 360            ? (hMean + 360) / 2
                                         : (hMean - 360) / 2;
    const double t = 1 - 0.17 * std::cos(rad(hMean - 30)) + 0.24 * std::cos(rad(2 * hMean)) +
                     0.32 * std::cos(rad(3 * hMean + 6)) - 0.20 * std::cos(rad(4 * hMean - 63));
    const double turn = 30 * std::exp(-std::pow((hMean - 275) / 25, 2));
    const double cpMean7 = std::pow(cpMean, 7);
    const double rc = 2 * std::sqrt(cpMean7 / (cpMean7 + std::pow(25.0, 7)));
    const double sl =
        1 + 0.015 * (lMean - 50) * (lMean - 50) / std::sqrt(20 + (lMean - 50) * (lMean - 50));
    const double sc = 1 + 0.045 * cpMean, sh = 1 + 0.015 * cpMean * t;
    const double rt = -std::sin(rad(2 * turn)) * rc;
    return std::sqrt(std::pow(dL / sl, 2) + std::pow(dC / sc, 2) + std::pow(dH / sh, 2) +
                     rt * (dC / sc) * (dH / sh));
}

enum class Deficiency { Protanopia, Deuteranopia, Tritanopia };

inline Triple seenWith(Deficiency deficiency, const Triple& rgb) {
    using Matrix = std::array<Triple, 3>;
    static const Matrix protanopia{{{0.152286, 1.052583, -0.204868},
                                    {0.114503, 0.786281, 0.099216},
                                    {-0.003882, -0.048116, 1.051998}}};
    static const Matrix deuteranopia{{{0.367322, 0.860646, -0.227968},
                                      {0.280085, 0.672501, 0.047413},
                                      {-0.011820, 0.042940, 0.968881}}};
    static const Matrix tritanopia{{{1.255528, -0.076749, -0.178779},
                                    {-0.078411, 0.930809, 0.147602},
                                    {0.004733, 0.691367, 0.303900}}};
    const Matrix& m = deficiency == Deficiency::Protanopia     ? protanopia
                      : deficiency == Deficiency::Deuteranopia ? deuteranopia
                                                               : tritanopia;
    const Triple linear{toLinear(rgb[0]), toLinear(rgb[1]), toLinear(rgb[2])};
    Triple seen{};
    for (int i = 0; i < 3; ++i)
        seen[i] = toGamma(m[i][0] * linear[0] + m[i][1] * linear[1] + m[i][2] * linear[2]);
    return seen;
}

} // namespace colour
