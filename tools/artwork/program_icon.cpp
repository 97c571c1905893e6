// The program icon: a pipette over a card of colour bands, in the sixteen classic colours and
// drawn pixel-exact, so it stays readable at 16 pixels.
#include "pictures.h"

#include "pipette.h"

#include <array>
#include <stdexcept>

namespace artwork {

namespace {

constexpr Rgba kRed = Opaque(255, 0, 0), kYellow = Opaque(255, 255, 0), kGreen = Opaque(0, 255, 0),
               kCyan = Opaque(0, 255, 255), kBlue = Opaque(0, 0, 255),
               kMagenta = Opaque(255, 0, 255), kNavy = Opaque(0, 0, 128),
               kSilver = Opaque(192, 192, 192);
constexpr std::array<Rgba, 6> kBands = {kRed, kYellow, kGreen, kCyan, kBlue, kMagenta};

struct IconLayout {
    int size;
    int cardLeft, cardTop, cardRight, cardBottom; // the card's outline, inclusive
    Point tip;
    PipetteProportions pipette;
};

constexpr std::array<IconLayout, 2> kLayouts = {{
    {16, 0, 4, 12, 15, {1.2, 14.8}, {0.6, 3.5, 1.6, 5.5, 2.5, 1.8, 2.4, 6.5}},
    {32, 1, 9, 24, 30, {3.3, 28.7}, {0.8, 7.0, 2.6, 12.0, 4.2, 3.0, 4.2, 13.0}},
}};

const IconLayout& LayoutFor(int size) {
    for (const IconLayout& layout : kLayouts) {
        if (layout.size == size) {
            return layout;
        }
    }
    throw std::invalid_argument("the program icon comes in 16 and 32 pixels only");
}

void DrawCard(CRaster& icon, const IconLayout& layout) {
    const int innerWidth = layout.cardRight - layout.cardLeft - 1;
    for (int y = layout.cardTop; y <= layout.cardBottom; ++y) {
        for (int x = layout.cardLeft; x <= layout.cardRight; ++x) {
            const bool rim = x == layout.cardLeft || x == layout.cardRight || y == layout.cardTop ||
                             y == layout.cardBottom;
            const size_t band = static_cast<size_t>((x - layout.cardLeft - 1) *
                                                    static_cast<int>(kBands.size()) / innerWidth);
            icon.at(x, y) = rim ? kBlack : kBands[band];
        }
    }
}

void DrawPipette(CRaster& icon, const IconLayout& layout) {
    const Pipette pipette =
        MakePipette(layout.tip, Point{layout.tip.x + 1, layout.tip.y - 1}, layout.pipette);
    const CMask whole(pipette.Whole(), layout.size, layout.size);
    const CMask collar(pipette.collar, layout.size, layout.size);
    const CMask bulb(pipette.bulb, layout.size, layout.size);
    for (int y = 0; y < layout.size; ++y) {
        for (int x = 0; x < layout.size; ++x) {
            if (!whole.Inside(x, y)) {
                continue;
            }
            icon.at(x, y) = whole.OnEdge(x, y)    ? kBlack
                            : collar.Inside(x, y) ? kSilver
                            : bulb.Inside(x, y)   ? kNavy
                                                  : kWhite;
        }
    }
}

} // namespace

const std::vector<Rgb>& IconPalette() {
    static const std::vector<Rgb> palette = {
        {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},  {0, 0, 128}, {128, 0, 128},
        {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},    {0, 255, 0}, {255, 255, 0},
        {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
    return palette;
}

CRaster ProgramIcon(int size) {
    const IconLayout& layout = LayoutFor(size);
    CRaster icon(size, size);
    DrawCard(icon, layout);
    DrawPipette(icon, layout);
    return icon;
}

} // namespace artwork
