// The colour spaces of CSS Color 4 and the conversions between them, in double precision, with
// the constants and matrices that CSS Color 4 gives: the style sheets a colour is copied into or
// pasted from compute with exactly these.
#pragma once

#include "rules/colour_text.h"

#include <array>

namespace picker {

// Three coordinates of one space: r, g, b; x, y, z; L, a, b; L, C, H (H in degrees).
using Coordinates = std::array<double, 3>;

// The sRGB transfer function and its inverse, extended to negative values by symmetry as CSS
// does (out-of-gamut colours stay meaningful until they are clipped).
double SrgbToLinear(double encoded);
double LinearToSrgb(double linear);

// The linear-light components of a colour held as bytes.
Coordinates LinearSrgbOf(const Components& colour);

Coordinates LinearSrgbToXyzD65(const Coordinates& rgb);
Coordinates XyzD65ToLinearSrgb(const Coordinates& xyz);
Coordinates LinearDisplayP3ToXyzD65(const Coordinates& rgb);

// Bradford chromatic adaptation between the D65 and D50 whites.
Coordinates XyzD65ToD50(const Coordinates& xyz);
Coordinates XyzD50ToD65(const Coordinates& xyz);

// CIE Lab relative to the D50 white (x 0.3457, y 0.3585).
Coordinates XyzD50ToLab(const Coordinates& xyz);
Coordinates LabToXyzD50(const Coordinates& lab);

// OKLab, from XYZ relative to D65.
Coordinates XyzD65ToOklab(const Coordinates& xyz);
Coordinates OklabToXyzD65(const Coordinates& oklab);

// Lab or OKLab and their polar forms: C = |(a, b)|, H = its angle in degrees, 0 to below 360.
Coordinates ToPolar(const Coordinates& lab);
Coordinates FromPolar(const Coordinates& lch);

// Gamma-encoded sRGB (0 to 1 within gamut) from hue in degrees (any value), saturation and
// lightness, or whiteness and blackness, as fractions (1 is 100%).
Coordinates HslToSrgb(double hue, double saturation, double lightness);
Coordinates HwbToSrgb(double hue, double whiteness, double blackness);

// Gamma-encoded sRGB as bytes: each component clipped to 0..1, then the nearest of 0 to 255,
// halves up. Nothing out of range or not a number reaches a byte.
Components ComponentsOfSrgb(const Coordinates& encoded);

// Linear-light sRGB as bytes, as ComponentsOfSrgb has them once encoded; found among the linear
// values halfway between neighbouring bytes, which is many times quicker than the powers.
Components ComponentsOfLinearSrgb(const Coordinates& linear);

} // namespace picker
