// The lens while sampling, with Tintview's window in this program: the enlarged pixels of
// another program's window around the real pointer, where the lens goes, when it redraws, and
// the arrow keys that move the pointer by one pixel.
#include "picker_fixture.h"

#include "Mousetap.h"
#include "colour_board.h"
#include "lens_picture.h"
#include "lens_view.h"
#include "lens_window.h"
#include "message_pump.h"
#include "message_spy.h"
#include "resources/resource_ids.h"
#include "x_input.h"

#include <commctrl.h>

#include <cstdio>

using namespace testing_support;

namespace {

constexpr int kReach = 7; // the lens shows the pointer's pixel and 7 on each side

std::string HexOf(COLORREF colour) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", GetRValue(colour), GetGValue(colour),
                  GetBValue(colour));
    return text;
}

POINT Pointer() {
    POINT at{};
    GetCursorPos(&at);
    return at;
}

bool SamePoint(POINT a, POINT b) {
    return a.x == b.x && a.y == b.y;
}

RECT SquareAround(POINT p) {
    return RECT{p.x - kReach, p.y - kReach, p.x + kReach + 1, p.y + kReach + 1};
}

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
    HWND Lens() const { return LensOfThread(ui_->Id()); }
    RECT LensRect() const {
        RECT lens{};
        GetWindowRect(Lens(), &lens);
        return lens;
    }
    // Waits for the lens to show near `pointer` with `placed` true of its rectangle.
    bool WaitForLens(POINT pointer, const std::function<bool(const RECT&)>& placed) const {
        return PumpUntil(
            [&] {
                const HWND lens = Lens();
                if (!lens || !IsWindowVisible(lens)) {
                    return false;
                }
                const RECT at = LensRect();
                // Its place for this pointer, not one it had before.
                const RECT close{pointer.x - 200, pointer.y - 200, pointer.x + 200,
                                 pointer.y + 200};
                RECT inside;
                return IntersectRect(&inside, &at, &close) && EqualRect(&inside, &at) && placed(at);
            },
            3000);
    }
    bool WaitForLensBeside(POINT pointer) const {
        return WaitForLens(pointer, [&](const RECT& lens) {
            return lens.left - pointer.x >= 10 && lens.left - pointer.x <= 40 &&
                   lens.top - pointer.y >= 10 && lens.top - pointer.y <= 40;
        });
    }
    HWND Focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(ui_->Id(), &info);
        return info.hwndFocus;
    }
    void FocusOn(HWND control) {
        ui_->Invoke([&] { SetFocus(control); });
    }
    bool WaitForPointer(POINT expected) const {
        return PumpUntil([&] { return SamePoint(Pointer(), expected); }, 3000);
    }

    std::unique_ptr<ColourBoard> board_;
};

TEST_F(PickerLensTest, MadeOnTheFirstSnapItShowsTheBoardEnlargedAroundThePointer) {
    EXPECT_EQ(Lens(), nullptr) << "the lens was made before it was needed";
    // Where the board's four areas meet, off the middle, so a lens drawn turned or shifted shows.
    const POINT meeting = board_->ClientPoint(0.5, 0.5);
    const POINT pointer{meeting.x - 3, meeting.y - 2};
    xinput::MoveTo(pointer);
    const HWND foreground = GetForegroundWindow();
    Snap();
    ASSERT_TRUE(WaitForLensBeside(pointer)) << "no lens to the lower right of the pointer";
    const HWND lens = Lens();
    const LONG_PTR styles = GetWindowLongPtrA(lens, GWL_EXSTYLE);
    for (const LONG_PTR style : std::initializer_list<LONG_PTR>{
             WS_EX_TOPMOST, WS_EX_TOOLWINDOW, WS_EX_NOACTIVATE, WS_EX_LAYERED, WS_EX_TRANSPARENT}) {
        EXPECT_TRUE(styles & style) << std::hex << style;
    }
    EXPECT_EQ(GetWindow(lens, GW_OWNER), nullptr) << "a top-level window of its own";
    EXPECT_EQ(GetForegroundWindow(), foreground) << "the lens took the activation";
    EXPECT_NE(Focus(), lens);
    const RECT at = LensRect();
    const POINT inside{(at.left + at.right) / 2, (at.top + at.bottom) / 2};
    EXPECT_NE(WindowFromPoint(inside), lens) << "the lens is not click-through";

    // Each of the 225 pixels, from the board's known colours.
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
    // The frame around the centre block: dark and light, whatever the colour inside.
    const POINT centre = LensBlockCentre(at, 0, 0);
    EXPECT_EQ(shot.Pixel(POINT{centre.x, centre.y - 5}), RGB(0, 0, 0));
    EXPECT_EQ(shot.Pixel(POINT{centre.x, centre.y - 6}), RGB(255, 255, 255));
    EXPECT_EQ(Text(IDC_HEX_FIELD), "000000") << "showing is not sampling";
}

TEST_F(PickerLensTest, ItFollowsThePointerFlipsAtTheEdgesAndNeverCoversWhatItShows) {
    Snap();
    const LONG width = GetSystemMetrics(SM_CXSCREEN);
    const LONG height = GetSystemMetrics(SM_CYSCREEN);
    // The last column for which the lens still fits on the right, about 20 pixels away.
    const LONG lastOnTheRight = width - picker::kLensGap - picker::kLensWidth;
    struct Case {
        POINT pointer;
        bool left;  // the lens to the pointer's left
        bool above; // and above it
    };
    for (const Case& c :
         {Case{{500, 250}, false, false}, Case{{width - 10, 300}, true, false},
          Case{{300, height - 12}, false, true}, Case{{width - 1, height - 1}, true, true},
          Case{{0, 0}, false, false}, Case{{lastOnTheRight, 40}, false, false},
          Case{{lastOnTheRight + 1, 41}, true, false}}) {
        xinput::MoveTo(c.pointer);
        const POINT p = c.pointer;
        EXPECT_TRUE(WaitForLens(p,
                                [&](const RECT& lens) {
                                    const bool onTheLeft = lens.right <= p.x - kReach;
                                    const bool onTheRight = lens.left > p.x + kReach;
                                    const bool isAbove = lens.bottom <= p.y - kReach;
                                    const bool isBelow = lens.top > p.y + kReach;
                                    return (c.left ? onTheLeft : onTheRight) &&
                                           (c.above ? isAbove : isBelow);
                                }))
            << "pointer at " << p.x << "," << p.y;
        const RECT lens = LensRect();
        EXPECT_TRUE(lens.left >= 0 && lens.top >= 0 && lens.right <= width && lens.bottom <= height)
            << "off the screen, pointer at " << p.x << "," << p.y;
        RECT overlap;
        const RECT square = SquareAround(p);
        EXPECT_FALSE(IntersectRect(&overlap, &lens, &square))
            << "covers the magnified pixels, pointer at " << p.x << "," << p.y;
    }
}

TEST_F(PickerLensTest, ItRedrawsOnlyWhenThePointerOrThePixelsUnderItChange) {
    const POINT pointer = board_->AreaCentre(0);
    xinput::MoveTo(pointer);
    Snap();
    ASSERT_TRUE(WaitForLensBeside(pointer));
    MessageSpy spy(Lens());
    PumpFor(300);
    const int settled = spy.Count(WM_PAINT);
    PumpFor(1000);
    EXPECT_EQ(spy.Count(WM_PAINT), settled) << "redrawn with nothing changed";
    // Still alive: a move of one pixel redraws it.
    xinput::MoveTo(POINT{pointer.x + 1, pointer.y});
    EXPECT_TRUE(PumpUntil([&] { return spy.Count(WM_PAINT) > settled; }, 2000));
    EXPECT_TRUE(WaitForLensBeside(POINT{pointer.x + 1, pointer.y}));

    // The pixels under a still pointer change: a window of this test's own over a few of them.
    PumpFor(200);
    const int beforeCover = spy.Count(WM_PAINT);
    const POINT here{pointer.x + 1, pointer.y};
    constexpr COLORREF kPatch = RGB(0x33, 0xCC, 0x66);
    WNDCLASSA patchClass{};
    patchClass.lpfnWndProc = DefWindowProcA;
    patchClass.hInstance = GetModuleHandleA(nullptr);
    patchClass.hbrBackground = CreateSolidBrush(kPatch);
    patchClass.lpszClassName = "LensTestPatch";
    RegisterClassA(&patchClass);
    const HWND cover =
        CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "LensTestPatch", "", WS_POPUP | WS_VISIBLE,
                        here.x + 4, here.y + 4, 3, 2, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(cover, nullptr);
    UpdateWindow(cover);
    EXPECT_TRUE(PumpUntil([&] { return spy.Count(WM_PAINT) > beforeCover; }, 2000))
        << "the lens did not see the pixels change";
    const RECT lens = LensRect();
    const Screenshot shot = TakeScreenshotWhen(
        [&](const Screenshot& s) { return s.Pixel(LensBlockCentre(lens, 4, 4)) == kPatch; });
    EXPECT_EQ(shot.Pixel(LensBlockCentre(lens, 4, 4)), kPatch) << "the covered pixels";
    EXPECT_EQ(shot.Pixel(LensBlockCentre(lens, 6, 5)), kPatch);
    for (const POINT uncovered : {POINT{3, 4}, POINT{7, 4}, POINT{4, 6}, POINT{4, 3}}) {
        EXPECT_EQ(shot.Pixel(LensBlockCentre(lens, uncovered.x, uncovered.y)),
                  colour_board::kColours[0])
            << uncovered.x << "," << uncovered.y;
    }
    DestroyWindow(cover);
    UnregisterClassA("LensTestPatch", GetModuleHandleA(nullptr));
    DeleteObject(patchClass.hbrBackground);
    EXPECT_EQ(Text(IDC_HEX_FIELD), "000000") << "the colour changed without a release";
    // A release loads a colour, as ever.
    xinput::Click(pointer);
    EXPECT_TRUE(WaitForText(IDC_HEX_FIELD, HexOf(colour_board::kColours[0])));
}

TEST_F(PickerLensTest, ArrowKeysMoveThePointerByOneOrTenWhileTheWindowOrAButtonHasTheFocus) {
    // "Snap" clicked: it has the focus.
    xinput::Click(Centre(IDC_SNAP));
    ASSERT_TRUE(PumpUntil([&] { return Lens() && IsWindowVisible(Lens()); }, 3000));
    ASSERT_EQ(Focus(), Control(IDC_SNAP));
    const POINT start = board_->AreaCentre(0);
    xinput::MoveTo(start);
    POINT expected = start;
    struct Step {
        const char* keys;
        LONG dx, dy;
    };
    for (const Step& step :
         {Step{"Right", 1, 0}, Step{"shift+Right", 10, 0}, Step{"Left", -1, 0},
          Step{"shift+Left", -10, 0}, Step{"Down", 0, 1}, Step{"shift+Down", 0, 10},
          Step{"Up", 0, -1}, Step{"shift+Up", 0, -10}}) {
        xinput::Key(step.keys);
        expected = POINT{expected.x + step.dx, expected.y + step.dy};
        EXPECT_TRUE(WaitForPointer(expected))
            << step.keys << ": the pointer is at " << Pointer().x << "," << Pointer().y;
    }
    EXPECT_TRUE(WaitForLensBeside(expected)) << "the lens did not follow";
    // On the other two buttons too.
    for (const UINT button : {static_cast<UINT>(IDC_EXIT), static_cast<UINT>(ID_HELP)}) {
        FocusOn(Control(button));
        xinput::Key("Down");
        expected.y += 1;
        EXPECT_TRUE(WaitForPointer(expected)) << "button " << button;
    }

    // A release over another program's window leaves the focus where it was (the hook's request
    // for it, made on that program's thread, is refused). A click without moving the mouse then
    // samples the pixel the keys put the pointer on: the last of area 0, the first of area 1.
    const POINT boundary = board_->ClientPoint(0.5, 0.25); // area 1's first column
    xinput::Click(POINT{boundary.x - 1, boundary.y});
    ASSERT_TRUE(WaitForText(IDC_HEX_FIELD, HexOf(colour_board::kColours[0])));
    ASSERT_EQ(Focus(), Control(ID_HELP));
    xinput::Key("Right");
    ASSERT_TRUE(WaitForPointer(boundary));
    xinput::ClickHere();
    EXPECT_TRUE(WaitForText(IDC_HEX_FIELD, HexOf(colour_board::kColours[1])));
    xinput::Key("Left");
    ASSERT_TRUE(WaitForPointer(POINT{boundary.x - 1, boundary.y}));
    xinput::ClickHere();
    EXPECT_TRUE(WaitForText(IDC_HEX_FIELD, HexOf(colour_board::kColours[0])));
}

TEST_F(PickerLensTest, ArrowKeysKeepTheirMeaningInTheFieldsOnTheSlidersAndOutsideSampling) {
    SendMessageA(Control(IDC_RED_FIELD), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("123"));
    const POINT start = board_->AreaCentre(2);
    xinput::MoveTo(start);
    Snap();
    ASSERT_TRUE(WaitForLensBeside(start));
    // A field: the caret moves.
    FocusOn(Control(IDC_RED_FIELD));
    ui_->Invoke([&] { SendMessageA(Control(IDC_RED_FIELD), EM_SETSEL, 0, 0); });
    xinput::Key("Right");
    EXPECT_TRUE(PumpUntil(
        [&] { return LOWORD(SendMessageA(Control(IDC_RED_FIELD), EM_GETSEL, 0, 0)) == 1; }, 2000))
        << "the caret did not move";
    // A slider: it moves by a step, and the field follows.
    FocusOn(Control(IDC_GREEN_SLIDER));
    xinput::Key("Right");
    EXPECT_TRUE(WaitForText(IDC_GREEN_FIELD, "1")) << "the slider did not move";
    EXPECT_TRUE(SamePoint(Pointer(), start)) << "a key meant for a control moved the pointer";

    // Sampling over: on "Snap" the key is the dialog's again (the focus moves on), and the
    // pointer stays. Shown by the next key, once sampling is on again, moving it.
    const POINT snap = Centre(IDC_SNAP);
    SendMessageA(Window(), WM_PICK_POINT, PickPointParam(snap.x),
                 static_cast<LPARAM>(PickPointParam(snap.y)));
    ASSERT_FALSE(IsWindowVisible(Lens()));
    FocusOn(Control(IDC_SNAP));
    xinput::Key("Left");
    ASSERT_TRUE(PumpUntil([&] { return Focus() != Control(IDC_SNAP); }, 2000))
        << "the key did not reach the dialog";
    Snap();
    FocusOn(Control(IDC_SNAP));
    xinput::Key("Right");
    EXPECT_TRUE(WaitForPointer(POINT{start.x + 1, start.y}))
        << "the pointer is at " << Pointer().x << "," << Pointer().y;
}

} // namespace
