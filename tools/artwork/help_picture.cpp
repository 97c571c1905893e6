// "HELP": an open white book outlined in black, lying on its cover, pages curving down into the
// spine. Built column by column so every edge stays one crisp pixel.
#include "pictures.h"

#include "button_picture.h"
#include "shapes.h"

#include <cmath>
#include <cstdlib>

namespace artwork {

namespace {

constexpr Rgba kPage = Opaque(252, 252, 252);
constexpr Rgba kGutter = Opaque(214, 220, 230);
constexpr Rgba kPrint = Opaque(138, 148, 166);
constexpr Rgba kCover = Opaque(44, 72, 150);

constexpr int kSpine = kButtonWidth / 2; // the column where the two pages meet
constexpr int kPageWidth = 13;           // columns of one page beside the spine
constexpr int kPageHeight = 13;
constexpr int kCoverDepth = 3;

int FromSpine(int x) {
    return std::abs(x - kSpine);
}

// The pages' upper edge: high at the outer edges, dipping into the spine.
int PageTop(int x) {
    const double outward = 1.0 - static_cast<double>(FromSpine(x)) / kPageWidth;
    return 5 + static_cast<int>(std::lround(3.0 * outward * outward));
}

int PageBottom(int x) {
    return PageTop(x) + kPageHeight;
}

bool InPages(int x, int y) {
    return FromSpine(x) <= kPageWidth && y >= PageTop(x) && y <= PageBottom(x);
}

// The cover shows below the pages and one column beyond them on either side.
bool InCover(int x, int y) {
    const int column = FromSpine(x) > kPageWidth ? kSpine + kPageWidth : x;
    return FromSpine(x) <= kPageWidth + 1 && y > PageBottom(column) &&
           y <= PageBottom(column) + kCoverDepth;
}

bool IsPrintLine(int x, int y) {
    const int fromSpine = FromSpine(x);
    const int below = y - PageTop(x);
    return fromSpine >= 3 && fromSpine <= kPageWidth - 2 && below >= 3 &&
           below <= kPageHeight - 3 && below % 2 == 1;
}

} // namespace

CRaster HelpPicture() {
    const CMask pages(InPages, kButtonWidth, kButtonHeight);
    const CMask book([](int x, int y) { return InPages(x, y) || InCover(x, y); }, kButtonWidth,
                     kButtonHeight);
    CRaster symbol = SymbolCanvas();
    for (int y = 0; y < kButtonHeight; ++y) {
        for (int x = 0; x < kButtonWidth; ++x) {
            if (pages.Inside(x, y)) {
                const bool outline = pages.OnEdge(x, y) || x == kSpine;
                symbol.at(x, y) = outline             ? kBlack
                                  : IsPrintLine(x, y) ? kPrint
                                  : FromSpine(x) == 1 ? kGutter
                                                      : kPage;
            } else if (book.Inside(x, y)) {
                symbol.at(x, y) = book.OnEdge(x, y) ? kBlack : kCover;
            }
        }
    }
    return OnTexture(symbol);
}

} // namespace artwork
