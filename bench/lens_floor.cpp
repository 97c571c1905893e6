#include "lens_floor.h"

#include "handle_owners.h"
#include "process_figures.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace testing_support;

namespace {

constexpr int kSquare = 15;
constexpr int kMagnified = kSquare * 8;

} // namespace

double LensUpdateFloorMicroseconds(UiThread& ui, int updates) {
    std::vector<double> times;
    bool ready = false;
    ui.Invoke([&] {
        // Beside the colour ramp, which the copies read.
        const HWND shown =
            CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "STATIC", "",
                            WS_POPUP | WS_VISIBLE, 220, 30, kMagnified, kMagnified, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
        {
            const ScreenDc screen;
            const framework::CWindowDc target(shown);
            const CUniqueMemoryDc square(CreateCompatibleDC(screen.get()));
            const CUniqueMemoryDc magnified(CreateCompatibleDC(screen.get()));
            const CUniqueBitmap squareBitmap(
                CreateCompatibleBitmap(screen.get(), kSquare, kSquare));
            const CUniqueBitmap magnifiedBitmap(
                CreateCompatibleBitmap(screen.get(), kMagnified, kMagnified));
            ready = shown && IsWindowVisible(shown) && screen.get() && target.get() && square &&
                    magnified && squareBitmap && magnifiedBitmap;
            if (ready) {
                const Selection intoSquare(square.get(), squareBitmap.get());
                const Selection intoMagnified(magnified.get(), magnifiedBitmap.get());
                for (int serial = 0; serial < updates; ++serial) {
                    const int x = 30 + serial * 7 % 140;
                    const int y = 30 + serial * 11 % 240;
                    const double start = Seconds();
                    const bool done = BitBlt(square.get(), 0, 0, kSquare, kSquare, screen.get(),
                                             x - kSquare / 2, y - kSquare / 2, SRCCOPY) &&
                                      StretchBlt(magnified.get(), 0, 0, kMagnified, kMagnified,
                                                 square.get(), 0, 0, kSquare, kSquare, SRCCOPY) &&
                                      BitBlt(target.get(), 0, 0, kMagnified, kMagnified,
                                             magnified.get(), 0, 0, SRCCOPY);
                    GdiFlush();
                    const double took = Seconds() - start;
                    if (!done) {
                        ready = false;
                        break;
                    }
                    times.push_back(took * 1e6);
                }
            }
        }
        if (shown) {
            DestroyWindow(shown);
        }
    });
    if (!ready || times.size() != static_cast<size_t>(updates)) {
        std::fprintf(stderr, "cannot measure the lens update's floor: a copy failed\n");
        std::exit(1);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
