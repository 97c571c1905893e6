// The lens while sampling, with Tintview's window in this program and real X input: the enlarged
// pixels of another program's window around the pointer, where the lens goes, when it redraws,
// and the arrow keys that move the pointer by one pixel.
#include "picker_fixture.h"

#include "Mousetap.h"
#include "colour_board.h"
#include "lens_view.h"
#include "message_pump.h"
#include "message_spy.h"
#include "resources/resource_ids.h"
#include "x_input.h"

#include <cstdio>

using namespace testing_support;
using colour_board::HexOf;
using xinput::Pointer;

namespace {

constexpr int kReach = 7; // the lens shows the pointer's pixel and 7 on each side

class PickerLensTest : public PickerWindowTest {
protected:
    void SetUp() override {
        PickerWindowTest::SetUp();
        board_ = std::make_unique<ColourBoard>(POINT{40, 10});
        SetForegroundWindow(Window());
        PumpFor(100);
    }
    void TearDown() override {
        PickerWindowTest::TearDown();
        board_.reset();
    }

    void Snap() { SendMessageA(Control(IDC_SNAP), BM_CLICK, 0, 0); }
    HWND Lens() const { return LensOfProcess(GetCurrentProcessId()); }
    RECT LensRect() const {
        RECT lens{};
        GetWindowRect(Lens(), &lens);
        return lens;
    }
    // Waits for the lens to show within 250 pixels of `p` on the given sides of it, clear of
    // the pixels it magnifies.
    bool WaitForLens(POINT p, bool left = false, bool above = false) const {
        return PumpUntil(
            [&] {
                const RECT lens = LensRect();
                return Lens() && IsWindowVisible(Lens()) && lens.left > p.x - 250 &&
                       lens.right < p.x + 250 && lens.top > p.y - 250 && lens.bottom < p.y + 250 &&
                       (left ? lens.right <= p.x - kReach : lens.left > p.x + kReach) &&
                       (above ? lens.bottom <= p.y - kReach : lens.top > p.y + kReach);
            },
            3000);
    }
    HWND Focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(ui_->Id(), &info);
        return info.hwndFocus;
    }
    void FocusOn(UINT id) {
        ui_->Invoke([&] { SetFocus(Control(id)); });
    }
    bool WaitForPointer(POINT expected) const {
        return PumpUntil([&] { return Pointer().x == expected.x && Pointer().y == expected.y; },
                         3000);
    }

    std::unique_ptr<ColourBoard> board_;
};

TEST_F(PickerLensTest, ShowsTheBoardEnlargedFollowsThePointerAndFlipsWithoutCoveringIt) {
    EXPECT_EQ(Lens(), nullptr) << "the lens was made before it was needed";
    // Where the board's four areas meet, off the middle, so a lens turned or shifted shows.
    const POINT meeting = board_->ClientPoint(0.5, 0.5);
    const POINT pointer{meeting.x - 3, meeting.y - 2};
    xinput::MoveTo(pointer);
    const HWND foreground = GetForegroundWindow();
    Snap();
    ASSERT_TRUE(WaitForLens(pointer));
    const LONG_PTR styles = GetWindowLongPtrA(Lens(), GWL_EXSTYLE);
    const LONG_PTR wanted =
        WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TRANSPARENT;
    EXPECT_EQ(styles & wanted, wanted);
    EXPECT_EQ(GetForegroundWindow(), foreground) << "the lens took the activation";
    EXPECT_NE(Focus(), Lens());
    const RECT at = LensRect();
    EXPECT_NE(WindowFromPoint(POINT{at.left + 5, at.top + 5}), Lens()) << "not click-through";

    const auto showsBoard = [&](const Screenshot& shot) {
        for (int dy = -kReach; dy <= kReach; ++dy) {
            for (int dx = -kReach; dx <= kReach; ++dx) {
                const auto colour = board_->ColourAt(POINT{pointer.x + dx, pointer.y + dy});
                if (!colour || shot.Pixel(LensBlockCentre(at, dx, dy)) != *colour) {
                    return false;
                }
            }
        }
        return true;
    };
    const Screenshot shot = TakeScreenshotWhen(showsBoard);
    EXPECT_TRUE(shot.Taken() && showsBoard(shot)) << "the lens does not show the board's pixels";
    const POINT centre = LensBlockCentre(at, 0, 0);
    EXPECT_EQ(shot.Pixel(POINT{centre.x, centre.y - 5}), RGB(0, 0, 0)) << "the frame";
    EXPECT_EQ(shot.Pixel(POINT{centre.x, centre.y - 6}), RGB(255, 255, 255));

    // Along the screen's edges and corners: flipped where it must be, never over the pixels.
    const LONG width = GetSystemMetrics(SM_CXSCREEN);
    const LONG height = GetSystemMetrics(SM_CYSCREEN);
    struct Case {
        POINT pointer;
        bool left, above;
    };
    for (const Case& c :
         {Case{{width - 10, 300}, true, false}, Case{{300, height - 12}, false, true},
          Case{{width - 1, height - 1}, true, true}, Case{{0, 0}, false, false}}) {
        xinput::MoveTo(c.pointer);
        EXPECT_TRUE(WaitForLens(c.pointer, c.left, c.above))
            << "pointer at " << c.pointer.x << "," << c.pointer.y;
        const RECT lens = LensRect();
        EXPECT_TRUE(lens.left >= 0 && lens.top >= 0 && lens.right <= width &&
                    lens.bottom <= height);
    }
    EXPECT_EQ(Text(IDC_HEX_FIELD), "000000") << "showing is not sampling";
}

TEST_F(PickerLensTest, RedrawsOnlyWhenThePointerOrThePixelsUnderItChange) {
    const POINT pointer = board_->AreaCentre(0);
    xinput::MoveTo(pointer);
    Snap();
    ASSERT_TRUE(WaitForLens(pointer));
    MessageSpy spy(Lens());
    PumpFor(300);
    const int settled = spy.Count(WM_PAINT);
    PumpFor(1000);
    EXPECT_EQ(spy.Count(WM_PAINT), settled) << "redrawn with nothing changed";
    const POINT here{pointer.x + 1, pointer.y};
    xinput::MoveTo(here);
    EXPECT_TRUE(PumpUntil([&] { return spy.Count(WM_PAINT) > settled; }, 2000)) << "not for a move";

    // A window of this test's own appears over a few of the pixels under the still pointer.
    PumpFor(300);
    const int beforeCover = spy.Count(WM_PAINT);
    const HWND cover = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "STATIC", "",
                                       WS_POPUP | WS_VISIBLE | SS_WHITERECT, here.x + 4, here.y + 4,
                                       3, 2, nullptr, nullptr, nullptr, nullptr);
    UpdateWindow(cover);
    EXPECT_TRUE(PumpUntil([&] { return spy.Count(WM_PAINT) > beforeCover; }, 2000))
        << "not for the pixels";
    const RECT lens = LensRect();
    const COLORREF white = GetSysColor(COLOR_WINDOW);
    const Screenshot shot = TakeScreenshotWhen(
        [&](const Screenshot& s) { return s.Pixel(LensBlockCentre(lens, 6, 5)) == white; });
    EXPECT_EQ(shot.Pixel(LensBlockCentre(lens, 4, 4)), white);
    EXPECT_EQ(shot.Pixel(LensBlockCentre(lens, 7, 4)), colour_board::kColours[0]);
    EXPECT_EQ(shot.Pixel(LensBlockCentre(lens, 4, 3)), colour_board::kColours[0]);
    DestroyWindow(cover);
    EXPECT_EQ(Text(IDC_HEX_FIELD), "000000") << "the colour changed without a release";
    xinput::Click(pointer);
    EXPECT_TRUE(WaitForText(IDC_HEX_FIELD, HexOf(colour_board::kColours[0])));
}

TEST_F(PickerLensTest, ArrowKeysMoveThePointerOnlyWhileSamplingAndNotInTheFieldsOrSliders) {
    xinput::Click(Centre(IDC_SNAP)); // "Snap" has the focus after its click
    ASSERT_TRUE(PumpUntil([&] { return Lens() && IsWindowVisible(Lens()); }, 3000));
    ASSERT_EQ(Focus(), Control(IDC_SNAP));
    POINT expected = board_->AreaCentre(0);
    xinput::MoveTo(expected);
    struct Step {
        UINT focus;
        const char* keys;
        LONG dx, dy;
    };
    for (const Step& step : {Step{IDC_SNAP, "Right", 1, 0}, Step{IDC_SNAP, "shift+Up", 0, -10},
                             Step{IDC_EXIT, "shift+Left", -10, 0}, Step{ID_HELP, "Down", 0, 1}}) {
        FocusOn(step.focus);
        xinput::Key(step.keys);
        expected = POINT{expected.x + step.dx, expected.y + step.dy};
        EXPECT_TRUE(WaitForPointer(expected)) << step.keys << " on " << step.focus;
    }
    // A release over another program leaves the focus where it was (the hook's request for it,
    // made on that program's thread, is refused). A click without moving the mouse then samples
    // the pixel the keys put the pointer on: the last of area 0, the first of area 1.
    const POINT boundary = board_->ClientPoint(0.5, 0.25);
    xinput::Click(POINT{boundary.x - 1, boundary.y});
    ASSERT_TRUE(WaitForText(IDC_HEX_FIELD, HexOf(colour_board::kColours[0])));
    ASSERT_EQ(Focus(), Control(ID_HELP));
    xinput::Key("Right");
    ASSERT_TRUE(WaitForPointer(boundary));
    xinput::ClickHere();
    EXPECT_TRUE(WaitForText(IDC_HEX_FIELD, HexOf(colour_board::kColours[1])));

    // In a field the caret moves, on a slider the value; the pointer stays.
    SendMessageA(Control(IDC_RED_FIELD), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("123"));
    FocusOn(IDC_RED_FIELD);
    ui_->Invoke([&] { SendMessageA(Control(IDC_RED_FIELD), EM_SETSEL, 0, 0); });
    xinput::Key("Right");
    EXPECT_TRUE(PumpUntil(
        [&] { return LOWORD(SendMessageA(Control(IDC_RED_FIELD), EM_GETSEL, 0, 0)) == 1; }, 2000));
    const std::string green = Text(IDC_GREEN_FIELD);
    FocusOn(IDC_GREEN_SLIDER);
    xinput::Key("Left");
    EXPECT_TRUE(PumpUntil([&] { return Text(IDC_GREEN_FIELD) != green; }, 2000));
    EXPECT_EQ(Pointer().x, boundary.x) << "a key meant for a control moved the pointer";

    // Sampling over, a key on "Snap" is the dialog's again (the focus moves on); the pointer
    // stays, as the next key shows, once sampling is on again, moving it by exactly one.
    const POINT snap = Centre(IDC_SNAP);
    SendMessageA(Window(), WM_PICK_POINT, PickPointParam(snap.x),
                 static_cast<LPARAM>(PickPointParam(snap.y)));
    // The hide is posted to the lens's own thread.
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(Lens()); }, 1000))
        << "the lens outlived sampling";
    FocusOn(IDC_SNAP);
    xinput::Key("Left");
    ASSERT_TRUE(PumpUntil([&] { return Focus() != Control(IDC_SNAP); }, 2000));
    Snap();
    FocusOn(IDC_SNAP);
    xinput::Key("Right");
    EXPECT_TRUE(WaitForPointer(POINT{boundary.x + 1, boundary.y}));
}

} // namespace
