#include "rules/colour_spaces.h"

#include <algorithm>
#include <cmath>

namespace picker {
namespace {

using Matrix = std::array<Coordinates, 3>;

constexpr double kPi = 3.14159265358979323846;

// Rational forms where CSS Color 4 gives them: the division is then the same in every program.
constexpr Matrix kLinearSrgbToXyzD65{{
    {506752.0 / 1228815, 87881.0 / 245763, 12673.0 / 70218},
    {87098.0 / 409605, 175762.0 / 245763, 12673.0 / 175545},
    {7918.0 / 409605, 87881.0 / 737289, 1001167.0 / 1053270},
}};
constexpr Matrix kXyzD65ToLinearSrgb{{
    {12831.0 / 3959, -329.0 / 214, -1974.0 / 3959},
    {-851781.0 / 878810, 1648619.0 / 878810, 36519.0 / 878810},
    {705.0 / 12673, -2585.0 / 12673, 705.0 / 667},
}};
constexpr Matrix kLinearDisplayP3ToXyzD65{{
    {608311.0 / 1250200, 189793.0 / 714400, 198249.0 / 1000160},
    {35783.0 / 156275, 247089.0 / 357200, 198249.0 / 2500400},
    {0.0, 32229.0 / 714400, 5220557.0 / 5000800},
}};
constexpr Matrix kBradfordD65ToD50{{
    {1.0479297925449969, 0.022946870601609652, -0.05019226628920524},
    {0.02962780877005599, 0.9904344267538799, -0.017073799063418826},
    {-0.009243040646204504, 0.015055191490298152, 0.7518742814281371},
}};
constexpr Matrix kBradfordD50ToD65{{
    {0.955473421488075, -0.02309845494876471, 0.06325924320057072},
    {-0.0283697093338637, 1.0099953980813041, 0.021041441191917323},
    {0.012314014864481998, -0.020507649298898964, 1.330365926242124},
}};
constexpr Matrix kXyzD65ToLms{{
    {0.8190224379967030, 0.3619062600528904, -0.1288737815209879},
    {0.0329836539323885, 0.9292868615863434, 0.0361446663506424},
    {0.0481771893596242, 0.2642395317527308, 0.6335478284694309},
}};
constexpr Matrix kLmsToOklab{{
    {0.2104542683093140, 0.7936177747023054, -0.0040720430116193},
    {1.9779985324311684, -2.4285922420485799, 0.4505937096174110},
    {0.0259040424655478, 0.7827717124575296, -0.8086757549230774},
}};
constexpr Matrix kOklabToLms{{
    {1.0000000000000000, 0.3963377773761749, 0.2158037573099136},
    {1.0000000000000000, -0.1055613458156586, -0.0638541728258133},
    {1.0000000000000000, -0.0894841775298119, -1.2914855480194092},
}};
constexpr Matrix kLmsToXyzD65{{
    {1.2268798758459243, -0.5578149944602171, 0.2813910456659647},
    {-0.0405757452148008, 1.1122868032803170, -0.0717110580655164},
    {-0.0763729366746601, -0.4214933324022432, 1.5869240198367816},
}};

constexpr Coordinates kD50White{0.3457 / 0.3585, 1.0, (1.0 - 0.3457 - 0.3585) / 0.3585};
// CIE's exact Lab constants: epsilon = (6/29)^3, kappa = (29/3)^3.
constexpr double kLabEpsilon = 216.0 / 24389;
constexpr double kLabKappa = 24389.0 / 27;

Coordinates Multiply(const Matrix& m, const Coordinates& v) {
    return {m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2],
            m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
            m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]};
}

// The hue brought to 0 up to 360 degrees.
double NormalisedHue(double hue) {
    hue = std::fmod(hue, 360.0);
    return hue < 0 ? hue + 360.0 : hue;
}

double Cube(double value) {
    return value * value * value;
}

} // namespace

double SrgbToLinear(double encoded) {
    const double magnitude = std::fabs(encoded);
    if (magnitude <= 0.04045) {
        return encoded / 12.92;
    }
    return std::copysign(std::pow((magnitude + 0.055) / 1.055, 2.4), encoded);
}

double LinearToSrgb(double linear) {
    const double magnitude = std::fabs(linear);
    if (magnitude > 0.0031308) {
        return std::copysign(1.055 * std::pow(magnitude, 1 / 2.4) - 0.055, linear);
    }
    return 12.92 * linear;
}

Coordinates LinearSrgbOf(const Components& colour) {
    // Each of the 256 byte values once, rather than a power for every component of every call.
    static const std::array<double, 256> linear = [] {
        std::array<double, 256> values{};
        for (int byte = 0; byte < 256; ++byte) {
            values[static_cast<std::size_t>(byte)] = SrgbToLinear(byte / 255.0);
        }
        return values;
    }();
    const auto at = [](std::int32_t component) {
        return linear[static_cast<std::size_t>(component < 0     ? 0
                                               : component > 255 ? 255
                                                                 : component)];
    };
    return {at(colour.red), at(colour.green), at(colour.blue)};
}

Coordinates LinearSrgbToXyzD65(const Coordinates& rgb) {
    return Multiply(kLinearSrgbToXyzD65, rgb);
}

Coordinates XyzD65ToLinearSrgb(const Coordinates& xyz) {
    return Multiply(kXyzD65ToLinearSrgb, xyz);
}

Coordinates LinearDisplayP3ToXyzD65(const Coordinates& rgb) {
    return Multiply(kLinearDisplayP3ToXyzD65, rgb);
}

Coordinates XyzD65ToD50(const Coordinates& xyz) {
    return Multiply(kBradfordD65ToD50, xyz);
}

Coordinates XyzD50ToD65(const Coordinates& xyz) {
    return Multiply(kBradfordD50ToD65, xyz);
}

Coordinates XyzD50ToLab(const Coordinates& xyz) {
    Coordinates f;
    for (std::size_t i = 0; i < 3; ++i) {
        const double relative = xyz[i] / kD50White[i];
        f[i] = relative > kLabEpsilon ? std::cbrt(relative) : (kLabKappa * relative + 16) / 116;
    }
    return {116 * f[1] - 16, 500 * (f[0] - f[1]), 200 * (f[1] - f[2])};
}

Coordinates LabToXyzD50(const Coordinates& lab) {
    const double f1 = (lab[0] + 16) / 116;
    const double f0 = lab[1] / 500 + f1;
    const double f2 = f1 - lab[2] / 200;
    // Below the cube's threshold, Lab is linear in XYZ: (6/29)^3 is epsilon, kappa * epsilon 8.
    constexpr double kCubeThreshold = 24.0 / 116;
    const Coordinates relative{
        f0 > kCubeThreshold ? Cube(f0) : (116 * f0 - 16) / kLabKappa,
        lab[0] > kLabKappa * kLabEpsilon ? Cube(f1) : lab[0] / kLabKappa,
        f2 > kCubeThreshold ? Cube(f2) : (116 * f2 - 16) / kLabKappa,
    };
    return {relative[0] * kD50White[0], relative[1] * kD50White[1], relative[2] * kD50White[2]};
}

Coordinates XyzD65ToOklab(const Coordinates& xyz) {
    Coordinates lms = Multiply(kXyzD65ToLms, xyz);
    for (double& cone : lms) {
        cone = std::cbrt(cone);
    }
    return Multiply(kLmsToOklab, lms);
}

Coordinates OklabToXyzD65(const Coordinates& oklab) {
    Coordinates lms = Multiply(kOklabToLms, oklab);
    for (double& cone : lms) {
        cone = Cube(cone);
    }
    return Multiply(kLmsToXyzD65, lms);
}

Coordinates ToPolar(const Coordinates& lab) {
    return {lab[0], std::hypot(lab[1], lab[2]),
            NormalisedHue(std::atan2(lab[2], lab[1]) * 180 / kPi)};
}

Coordinates FromPolar(const Coordinates& lch) {
    const double radians = NormalisedHue(lch[2]) * kPi / 180;
    return {lch[0], lch[1] * std::cos(radians), lch[1] * std::sin(radians)};
}

Coordinates HslToSrgb(double hue, double saturation, double lightness) {
    hue = NormalisedHue(hue);
    const double reach = saturation * std::fmin(lightness, 1 - lightness);
    const auto component = [&](double offset) {
        const double k = std::fmod(offset + hue / 30, 12.0);
        return lightness - reach * std::fmax(-1.0, std::fmin(std::fmin(k - 3, 9 - k), 1.0));
    };
    return {component(0), component(8), component(4)};
}

Coordinates HwbToSrgb(double hue, double whiteness, double blackness) {
    if (whiteness + blackness >= 1) {
        const double grey = whiteness / (whiteness + blackness);
        return {grey, grey, grey};
    }
    Coordinates rgb = HslToSrgb(hue, 1, 0.5);
    for (double& component : rgb) {
        component = component * (1 - whiteness - blackness) + whiteness;
    }
    return rgb;
}

Components ComponentsOfSrgb(const Coordinates& encoded) {
    const auto byte = [](double component) {
        // Written so that a value that is not a number fails both tests and counts as 0.
        const double clipped = component > 1 ? 1.0 : component > 0 ? component : 0.0;
        return static_cast<std::int32_t>(std::round(clipped * 255));
    };
    return {byte(encoded[0]), byte(encoded[1]), byte(encoded[2])};
}

Components ComponentsOfLinearSrgb(const Coordinates& linear) {
    // Byte k + 1 begins where the encoded value reaches k + 1/2 steps: halves go up.
    static const std::array<double, 255> halfways = [] {
        std::array<double, 255> values{};
        for (std::size_t byte = 0; byte < values.size(); ++byte) {
            values[byte] = SrgbToLinear((static_cast<double>(byte) + 0.5) / 255);
        }
        return values;
    }();
    const auto byte = [](double component) {
        if (!(component > 0)) {
            return 0; // none, negative, or not a number
        }
        return static_cast<int>(std::upper_bound(halfways.begin(), halfways.end(), component) -
                                halfways.begin());
    };
    return {byte(linear[0]), byte(linear[1]), byte(linear[2])};
}

} // namespace picker
