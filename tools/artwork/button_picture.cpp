#include "button_picture.h"

#include "pictures.h"
#include "tile.h"

namespace artwork {

namespace {

constexpr Rgba kShadow{40, 50, 72, 80};
constexpr int kShadowOffset = 1;

} // namespace

CRaster SymbolCanvas() {
    return CRaster(kButtonWidth, kButtonHeight);
}

CRaster OnTexture(const CRaster& symbol) {
    CRaster picture = TexturedArea(symbol.width(), symbol.height());
    CRaster shadow(symbol.width(), symbol.height());
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
