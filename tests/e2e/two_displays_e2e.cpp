// Tintview on a desktop of two displays, one of them at negative Windows coordinates, as
// tests/harness/two-displays.sh lays it out with Xorg: left of the primary (x from -1024 to 0) or
// above it (y from -768 to 0). Tintview runs in its own process on the primary, the board of
// known colours lies on the other display, and the input is real X input.
#include "tintview_process.h"

#include "colour_board.h"
#include "lens_view.h"
#include "message_pump.h"
#include "resources/resource_ids.h"
#include "rules/lens_geometry.h"
#include "sampling/screen_reader.h"
#include "screenshot.h"
#include "x_input.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using namespace testing_support;
using colour_board::HexOf;
using xinput::Pointer;

namespace {

constexpr RECT kPrimary{0, 0, 1024, 768};

struct Layout {
    RECT other;    // the display that is not the primary
    POINT boardAt; // the board's top-left, on it, touching its outer edge
};
constexpr Layout kLeft{RECT{-1024, 0, 0, 768}, POINT{-1024, 40}};
constexpr Layout kAbove{RECT{0, -768, 1024, 0}, POINT{60, -768}};

std::string RectText(const RECT& rect) {
    return "(" + std::to_string(rect.left) + ", " + std::to_string(rect.top) + ")-(" +
           std::to_string(rect.right) + ", " + std::to_string(rect.bottom) + ")";
}

bool PointerIs(POINT point) {
    const POINT at = Pointer();
    return at.x == point.x && at.y == point.y;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

std::optional<RECT> DisplayAt(POINT point) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    const HMONITOR found = MonitorFromPoint(point, MONITOR_DEFAULTTONULL);
    if (!found || !GetMonitorInfoA(found, &monitor)) {
        return std::nullopt;
    }
    return monitor.rcMonitor;
}

// Where a lens that has flipped or not lies against the pointer, on each axis.
enum class Side { After, Before };

// The lens beside `pointer` on the sides given: its near corner kLensGap from the pointer's pixel
// on each axis.
bool LiesBeside(const RECT& lens, POINT pointer, Side horizontal, Side vertical) {
    const bool x = horizontal == Side::After ? lens.left == pointer.x + picker::kLensGap
                                             : lens.right == pointer.x - picker::kLensGap + 1;
    const bool y = vertical == Side::After ? lens.top == pointer.y + picker::kLensGap
                                           : lens.bottom == pointer.y - picker::kLensGap + 1;
    return x && y;
}

class TwoDisplays : public ::testing::Test {
protected:
    explicit TwoDisplays(const Layout& layout) : layout_(layout) {}

    void SetUp() override {
        ASSERT_EQ(GetSystemMetrics(SM_CMONITORS), 2) << "not a desktop of two displays";
        const POINT inside{layout_.other.left + 10, layout_.other.top + 10};
        const auto other = DisplayAt(inside);
        ASSERT_TRUE(other && EqualRect(&*other, &layout_.other))
            << "the other display lies at " << RectText(other ? *other : RECT{});
        const auto primary = DisplayAt(POINT{10, 10});
        ASSERT_TRUE(primary && EqualRect(&*primary, &kPrimary));
        ASSERT_FALSE(xinput::OnVirtualDesktop()) << "the virtual desktop shows one display only";

        board_ = std::make_unique<ColourBoard>(layout_.boardAt);
        ASSERT_NE(board_->Window(), nullptr);
        RECT board;
        GetWindowRect(board_->Window(), &board);
        ASSERT_TRUE(Inside(board, layout_.other)) << "the board lies at " << RectText(board);
        tintview_ = std::make_unique<TintviewProcess>();
        ASSERT_TRUE(tintview_->Shown());
        board_->ClearLog();
    }
    void TearDown() override {
        tintview_.reset();
        board_.reset();
    }

    HWND Lens() const { return VisibleLensOfProcess(tintview_->Process().Id()); }
    // "Snap", which then has the keyboard focus.
    void StartSampling() {
        xinput::Click(tintview_->Centre(IDC_SNAP));
        ASSERT_TRUE(PumpUntil([&] { return Lens() != nullptr; }, 3000)) << "no lens: not sampling";
    }
    // The pointer put at `start` by the hand. A key steps from where the last one left the
    // pointer if that was a moment ago, so this waits that moment out.
    void PointerAt(POINT start) {
        xinput::MoveTo(start);
        ASSERT_TRUE(PumpUntil([&] { return PointerIs(start); }, 3000));
        PumpFor(400);
    }
    void Step(const char* key, POINT to) {
        xinput::Key(key);
        EXPECT_TRUE(PumpUntil([&] { return PointerIs(to); }, 3000))
            << key << ": the pointer went to " << Pointer().x << ", " << Pointer().y
            << " instead of " << to.x << ", " << to.y;
    }
    bool WaitForHex(COLORREF colour) {
        return PumpUntil([&] { return tintview_->Text(IDC_HEX_FIELD) == HexOf(colour); }, 3000);
    }

    // The pointer put at `pointer`: the lens must lie beside it on the sides given, wholly on the
    // pointer's display.
    void ExpectLensBeside(POINT pointer, Side horizontal, Side vertical, const char* where) {
        xinput::MoveTo(pointer);
        RECT lens{};
        PumpUntil(
            [&] {
                const HWND window = Lens();
                return PointerIs(pointer) && window && GetWindowRect(window, &lens) &&
                       LiesBeside(lens, pointer, horizontal, vertical);
            },
            3000);
        EXPECT_TRUE(LiesBeside(lens, pointer, horizontal, vertical))
            << where << ": the lens lies at " << RectText(lens) << " for the pointer at "
            << pointer.x << ", " << pointer.y;
        const auto display = DisplayAt(pointer);
        ASSERT_TRUE(display) << where;
        EXPECT_TRUE(Inside(lens, *display)) << where << ": the lens at " << RectText(lens)
                                            << " leaves the display " << RectText(*display);
    }

    // The lens's blocks along the pointer's row and column at `pointer` show the board's pixels,
    // and no pixel at all where no display is.
    void ExpectLensMagnifiesBoard(POINT pointer) {
        xinput::MoveTo(pointer);
        struct Block {
            int dx, dy;
            COLORREF colour;
        };
        std::vector<Block> blocks;
        for (int d = -picker::kLensReach; d <= picker::kLensReach; ++d) {
            for (const auto& [dx, dy] : {std::pair{d, 0}, std::pair{0, d}}) {
                const POINT pixel{pointer.x + dx, pointer.y + dy};
                if (const auto colour = board_->ColourAt(pixel)) {
                    blocks.push_back(Block{dx, dy, *colour});
                } else if (!DisplayAt(pixel)) {
                    const picker::Rgb grey = picker::CScreenReader::kOffScreen;
                    blocks.push_back(
                        Block{dx, dy, RGB(grey >> 16 & 0xFF, grey >> 8 & 0xFF, grey & 0xFF)});
                }
            }
        }
        ASSERT_FALSE(blocks.empty());
        RECT lens{};
        const auto shows = [&](const Screenshot& shot, const Block& block) {
            return shot.Pixel(LensBlockCentre(lens, block.dx, block.dy)) == block.colour;
        };
        const Screenshot shot = TakeScreenshotWhen([&](const Screenshot& s) {
            const HWND window = Lens();
            if (!PointerIs(pointer) || !window || !GetWindowRect(window, &lens)) {
                return false;
            }
            for (const Block& block : blocks) {
                if (!shows(s, block)) {
                    return false;
                }
            }
            return true;
        });
        ASSERT_TRUE(shot.Taken());
        std::string wrong;
        for (const Block& block : blocks) {
            if (!shows(shot, block)) {
                wrong += " " + std::to_string(pointer.x + block.dx) + "," +
                         std::to_string(pointer.y + block.dy) + ": " +
                         HexOf(shot.Pixel(LensBlockCentre(lens, block.dx, block.dy))) +
                         " instead of " + HexOf(block.colour) + ";";
            }
        }
        EXPECT_TRUE(wrong.empty())
            << "the lens at " << RectText(lens) << " shows the pixels" << wrong;
    }

    // Each area of the board taken by a release, and by Enter with the pointer over it.
    void ExpectPicksLoadTheBoard() {
        for (int area = 0; area < colour_board::kAreas; ++area) {
            const POINT centre = board_->AreaCentre(area);
            ASSERT_TRUE(centre.x < 0 || centre.y < 0);
            xinput::Click(centre);
            EXPECT_TRUE(WaitForHex(colour_board::kColours[area]))
                << "a release at " << centre.x << ", " << centre.y << " loaded "
                << tintview_->Text(IDC_HEX_FIELD);
            // Enter takes the pixel at the pointer: another area's, so that it must act, and not
            // the next release's.
            const int next = (area + 2) % colour_board::kAreas;
            xinput::MoveTo(board_->AreaCentre(next));
            xinput::Key("Return");
            EXPECT_TRUE(WaitForHex(colour_board::kColours[next]))
                << "Enter at area " << next << " loaded " << tintview_->Text(IDC_HEX_FIELD);
        }
        EXPECT_TRUE(board_->MouseMessages().empty()) << "the board received the mouse";
    }

    Layout layout_;
    std::unique_ptr<ColourBoard> board_;
    std::unique_ptr<TintviewProcess> tintview_;
};

class LeftOfPrimary : public TwoDisplays {
protected:
    LeftOfPrimary() : TwoDisplays(kLeft) {}
};

class AbovePrimary : public TwoDisplays {
protected:
    AbovePrimary() : TwoDisplays(kAbove) {}
};

TEST_F(LeftOfPrimary, TheLensStaysWhollyOnTheDisplayAndMagnifiesIt) {
    ASSERT_NO_FATAL_FAILURE(StartSampling());
    ExpectLensMagnifiesBoard(board_->ClientPoint(0.5, 0.25)); // between areas 0 and 1
    // Over the board's left edge, where the square reaches past the display's.
    const POINT edge{board_->ClientPoint(0, 0).x + 2, board_->AreaCentre(0).y};
    ASSERT_LT(edge.x - picker::kLensReach, layout_.other.left);
    ExpectLensMagnifiesBoard(edge);
    ExpectLensBeside(edge, Side::After, Side::After, "at the outer left edge");
    ExpectLensBeside(POINT{-1020, 760}, Side::After, Side::Before, "in the lower left corner");
    ExpectLensBeside(POINT{-8, 300}, Side::Before, Side::After, "at the border, left of it");
    ExpectLensBeside(POINT{-8, 760}, Side::Before, Side::Before, "at the border, at the bottom");
    ExpectLensBeside(POINT{6, 300}, Side::After, Side::After, "at the border, on the primary");
}

TEST_F(LeftOfPrimary, ReleasesAndEnterLoadTheExactPixels) {
    ASSERT_NO_FATAL_FAILURE(StartSampling());
    ExpectPicksLoadTheBoard();
}

TEST_F(LeftOfPrimary, TheArrowKeysCrossTheBorderAndStopAtTheOuterEdges) {
    ASSERT_NO_FATAL_FAILURE(StartSampling());
    PointerAt(POINT{1, 300});
    Step("Left", POINT{0, 300});
    Step("Left", POINT{-1, 300});
    Step("shift+Left", POINT{-11, 300});
    Step("shift+Right", POINT{-1, 300});
    Step("Right", POINT{0, 300});

    PointerAt(POINT{-1018, 300});
    Step("shift+Left", POINT{-1024, 300});
    Step("Left", POINT{-1024, 300});
    Step("Down", POINT{-1024, 301}); // the Left before it has been handled
    PointerAt(POINT{-500, 4});
    Step("shift+Up", POINT{-500, 0});
    Step("Up", POINT{-500, 0});
    Step("Right", POINT{-499, 0});
    PointerAt(POINT{-500, 763});
    Step("shift+Down", POINT{-500, 767});
    PointerAt(POINT{1018, 300});
    Step("shift+Right", POINT{1023, 300});
    Step("Right", POINT{1023, 300});
    Step("Up", POINT{1023, 299});

    // Where the keys left the pointer, Enter takes the board's pixel.
    const POINT area = board_->AreaCentre(3);
    PointerAt(POINT{area.x + 12, area.y});
    Step("shift+Left", POINT{area.x + 2, area.y});
    xinput::Key("Return");
    EXPECT_TRUE(WaitForHex(colour_board::kColours[3]));
}

// A 9 x 9 square across the border takes its pixels from both displays: the pick loads the mean
// of the 81 pixels the screen shows there, read here one by one, halves up.
TEST_F(LeftOfPrimary, AnAverageAcrossTheBorderTakesPixelsFromBothDisplays) {
    const ColourBoard beside(POINT{-400, 420}); // its right edge at the border
    ASSERT_NO_FATAL_FAILURE(StartSampling());
    xinput::Key("plus plus plus plus");
    ASSERT_TRUE(PumpUntil(
        [&] {
            char text[256] = "";
            GetWindowTextA(Lens(), text, sizeof text);
            return std::string(text).find("9 by 9 average") != std::string::npos;
        },
        3000))
        << "the square did not grow to 9 x 9";
    const POINT centre{0, beside.AreaCentre(2).y}; // the primary's first column
    PointerAt(centre);
    const HDC screen = GetDC(nullptr);
    int red = 0, green = 0, blue = 0;
    std::vector<COLORREF> left, right;
    for (int dy = -4; dy <= 4; ++dy) {
        for (int dx = -4; dx <= 4; ++dx) {
            const COLORREF pixel = GetPixel(screen, centre.x + dx, centre.y + dy);
            (dx < 0 ? left : right).push_back(pixel);
            red += GetRValue(pixel);
            green += GetGValue(pixel);
            blue += GetBValue(pixel);
        }
    }
    ReleaseDC(nullptr, screen);
    ASSERT_NE(left.front(), right.back()) << "the two sides show the same colour";
    const auto mean = [](int sum) { return static_cast<BYTE>((2 * sum + 81) / 162); };
    xinput::Key("Return");
    EXPECT_TRUE(WaitForHex(RGB(mean(red), mean(green), mean(blue))))
        << "loaded " << tintview_->Text(IDC_HEX_FIELD);
}

TEST_F(LeftOfPrimary, AReleaseOverSnapOnThatDisplayEndsSampling) {
    RECT window;
    GetWindowRect(tintview_->Window(), &window);
    const LONG left = layout_.other.right - (window.right - window.left) - 40;
    const LONG top = 768 - (window.bottom - window.top) - 10;
    SetWindowPos(tintview_->Window(), nullptr, left, top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(PumpUntil(
        [&] {
            return GetWindowRect(tintview_->Window(), &window) && window.left == left &&
                   window.top == top;
        },
        3000));
    ASSERT_TRUE(Inside(window, layout_.other)) << "Tintview lies at " << RectText(window);
    RECT board;
    GetWindowRect(board_->Window(), &board);
    RECT overlap;
    ASSERT_FALSE(IntersectRect(&overlap, &window, &board)) << "the windows overlap";

    ASSERT_NO_FATAL_FAILURE(StartSampling());
    xinput::Click(board_->AreaCentre(1));
    ASSERT_TRUE(WaitForHex(colour_board::kColours[1]));
    xinput::Click(tintview_->Centre(IDC_SNAP));
    EXPECT_TRUE(PumpUntil([&] { return Lens() == nullptr; }, 3000)) << "still sampling";
    EXPECT_EQ(tintview_->Text(IDC_HEX_FIELD), HexOf(colour_board::kColours[1]));
    // The hook has gone: the board gets its clicks again.
    xinput::Click(board_->AreaCentre(2));
    EXPECT_TRUE(PumpUntil(
        [&] {
            const auto messages = board_->MouseMessages();
            return std::count(messages.begin(), messages.end(), WM_LBUTTONUP) == 1;
        },
        3000))
        << "the board does not get its clicks";
    EXPECT_EQ(tintview_->Text(IDC_HEX_FIELD), HexOf(colour_board::kColours[1]));
}

TEST_F(AbovePrimary, TheLensTheKeysAndPicksWorkThere) {
    ASSERT_NO_FATAL_FAILURE(StartSampling());
    ExpectLensMagnifiesBoard(board_->ClientPoint(0.25, 0.5)); // between areas 0 and 2
    // Over the board's title bar, where the square reaches past the display's top.
    const POINT edge{board_->AreaCentre(0).x, -766};
    ExpectLensMagnifiesBoard(edge);
    ExpectLensBeside(edge, Side::After, Side::After, "at the outer top edge");
    ExpectLensBeside(POINT{1010, -766}, Side::Before, Side::After, "in the upper right corner");
    ExpectLensBeside(POINT{600, -8}, Side::After, Side::Before, "at the border, above it");
    ExpectLensBeside(POINT{600, 6}, Side::After, Side::After, "at the border, on the primary");

    PointerAt(POINT{600, 1});
    Step("Up", POINT{600, 0});
    Step("Up", POINT{600, -1});
    Step("shift+Down", POINT{600, 9});
    PointerAt(POINT{600, -764});
    Step("shift+Up", POINT{600, -768});
    Step("Up", POINT{600, -768});
    Step("Left", POINT{599, -768});

    ExpectPicksLoadTheBoard();
}

} // namespace
