#include "button_picture.h"

#include "pictures.h"
#include "tile.h"

namespace artwork {

namespace {

constexpr Rgba kShadow{40, 50, 72, 80};
constexpr int kShadowOffset = 1;

} // namespace

Raster SymbolCanvas() {
    return Raster(kButtonWidth, kButtonHeight);
}

Raster OnTexture(const Raster& symbol) {
    Raster picture = TexturedArea(symbol.width(), symbol.height());
    Raster shadow(symbol.width(), symbol.height());
    for (int y = 0; y < symbol.height(); ++y) {
        for (int x = 0; x < symbol.width(); ++x) {
            shadow.at(x, y) = Composite(kClear, kShadow, symbol.at(x, y).a / 255.0);
        }
    }
    picture.Stamp(shadow, kShadowOffset, kShadowOffset);
    picture.Stamp(symbol, 0, 0);
    return picture;
}

} // namespace artwork
