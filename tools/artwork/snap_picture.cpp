// "Snap" when idle: a blue pipette with a drop falling from its tip.
#include "pictures.h"

#include "button_picture.h"
#include "pipette.h"

namespace artwork {

namespace {

constexpr Rgba kOutline = Opaque(16, 36, 104);
constexpr Rgba kGlass = Opaque(196, 222, 250);
constexpr Rgba kLiquid = Opaque(36, 104, 224);
constexpr Rgba kCollar = Opaque(28, 58, 150);
constexpr Rgba kBulb = Opaque(40, 96, 212);
constexpr Rgba kShine{255, 255, 255, 150};

constexpr PipetteProportions kButtonPipette{0.8, 5.5, 2.3, 8.5, 3.4, 2.4, 3.6, 9.5};

} // namespace

CRaster SnapPicture() {
    const Point tip{9.0, 16.5};
    const Pipette pipette = MakePipette(tip, Point{34.0, 5.0}, kButtonPipette);
    // The liquid fills the nose and the lower part of the tube.
    const Shape liquid = Intersection(Grown(pipette.Glass(), -1.0), Circle(tip, 8.0));
    const Shape drop = TaperedCapsule(Point{9.0, 22.0}, 2.0, Point{9.0, 19.0}, 0.2);

    CRaster symbol = SymbolCanvas();
    Paint(symbol, pipette.Whole(), kOutline);
    Paint(symbol, Grown(pipette.Glass(), -1.0), kGlass);
    Paint(symbol, liquid, kLiquid);
    Paint(symbol, Grown(pipette.collar, -1.0), kCollar);
    Paint(symbol, Grown(pipette.bulb, -1.0), kBulb);
    Paint(symbol, Grown(drop, 0.8), kOutline);
    Paint(symbol, drop, kLiquid);
    Paint(symbol, Circle(Point{28.6, 6.6}, 1.0), kShine);
    return OnTexture(symbol);
}

} // namespace artwork
