// "EXIT": a red prohibition sign, a ring crossed from upper left to lower right.
#include "pictures.h"

#include "button_picture.h"
#include "shapes.h"

#include <cmath>

namespace artwork {

namespace {

constexpr Rgba kSignRed = Opaque(214, 28, 32);
constexpr Rgba kSignEdge = Opaque(120, 8, 12);
constexpr Rgba kSignField = Opaque(250, 250, 250);

} // namespace

CRaster ExitPicture() {
    const Point centre{kButtonWidth / 2.0, kButtonHeight / 2.0};
    const double radius = 8.5, thickness = 3.4;
    const double reach = radius * std::sqrt(0.5);
    const Shape ring = Ring(centre, radius, thickness);
    const Shape bar = Bar(Point{centre.x - reach, centre.y - reach},
                          Point{centre.x + reach, centre.y + reach}, thickness);
    const Shape sign = Union({ring, bar});

    CRaster symbol = SymbolCanvas();
    Paint(symbol, Circle(centre, radius), kSignField);
    Paint(symbol, Grown(sign, 0.7), kSignEdge);
    Paint(symbol, sign, kSignRed);
    return OnTexture(symbol);
}

} // namespace artwork
