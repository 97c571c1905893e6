// Sampling as the main window sees it: the cursor it hands to the platform, the points the hook
// reports (sent here as the hook sends them), and what every way out leaves behind.
#include "picker_fixture.h"

#include "Mousetap.h"
#include "cursor_recorder.h"
#include "gdi_object_count.h"
#include "handle_owners.h"
#include "message_pump.h"
#include "message_spy.h"
#include "resources/resource_ids.h"
#include "sampling/system_cursor.h"

#include <commctrl.h>

#include <vector>

using namespace testing_support;

namespace {

// What a cursor looks like: its hot spot and the bits of its pictures.
struct CursorImage {
    POINT hotSpot{};
    SIZE maskSize{};
    std::vector<BYTE> mask;
    std::vector<BYTE> colour;
    bool operator==(const CursorImage& other) const {
        return hotSpot.x == other.hotSpot.x && hotSpot.y == other.hotSpot.y &&
               maskSize.cx == other.maskSize.cx && maskSize.cy == other.maskSize.cy &&
               mask == other.mask && colour == other.colour;
    }
};

std::vector<BYTE> BitsOf(HBITMAP bitmap, SIZE* size = nullptr) {
    if (!bitmap) {
        return {};
    }
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    if (size) {
        *size = SIZE{info.bmWidth, info.bmHeight};
    }
    std::vector<BYTE> bits(static_cast<size_t>(info.bmWidthBytes) * info.bmHeight);
    GetBitmapBits(bitmap, static_cast<LONG>(bits.size()), bits.data());
    return bits;
}

CursorImage ImageOf(HCURSOR cursor) {
    const IconBitmaps pictures(cursor);
    CursorImage image;
    if (pictures.ok) {
        image.hotSpot = POINT{static_cast<LONG>(pictures.info.xHotspot),
                              static_cast<LONG>(pictures.info.yHotspot)};
        image.mask = BitsOf(pictures.mask.get(), &image.maskSize);
        image.colour = BitsOf(pictures.colour.get());
    }
    return image;
}

class PickerSamplingTest : public PickerWindowTest {
protected:
    const std::vector<HandedCursor>& Handed() const { return cursors_.Handed(); }
    CursorImage ImageOfHanded(size_t index) const { return ImageOf(Handed().at(index).cursor); }
    void Snap() { SendMessageA(Control(IDC_SNAP), BM_CLICK, 0, 0); }
    // What the hook sends for a release at `point`.
    LRESULT Release(POINT point) {
        return SendMessageA(Window(), WM_PICK_POINT, PickPointParam(point.x),
                            static_cast<LPARAM>(PickPointParam(point.y)));
    }
    POINT InsideSnap() const { return Centre(IDC_SNAP); }

    static CursorImage Dropper() {
        const auto cursor = static_cast<HCURSOR>(LoadImageA(GetModuleHandleA(nullptr),
                                                            MAKEINTRESOURCEA(IDC_DROPPER),
                                                            IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
        const CursorImage image = ImageOf(cursor);
        DestroyCursor(cursor);
        return image;
    }
    static CursorImage Arrow() { return ImageOf(LoadCursorA(nullptr, IDC_ARROW)); }

    CursorRecorder cursors_;
};

TEST_F(PickerSamplingTest, SnapInstallsTheDropperAndEndingRestoresAFreshArrow) {
    Snap();
    ASSERT_EQ(Handed().size(), 1u);
    EXPECT_EQ(Handed()[0].id, picker::kNormalArrowCursor);
    EXPECT_EQ(ImageOfHanded(0).hotSpot.x, 0);
    EXPECT_EQ(ImageOfHanded(0).hotSpot.y, 15);
    EXPECT_EQ(ImageOfHanded(0).maskSize.cx, 32);
    EXPECT_EQ(ImageOfHanded(0).maskSize.cy, 64) << "a two-colour cursor: AND and XOR masks";
    EXPECT_TRUE(ImageOfHanded(0).colour.empty());
    EXPECT_TRUE(ImageOfHanded(0) == Dropper()) << "not cursor 130";

    EXPECT_EQ(Release(InsideSnap()), 1);
    ASSERT_EQ(Handed().size(), 2u);
    EXPECT_EQ(Handed()[1].id, picker::kNormalArrowCursor);
    EXPECT_TRUE(ImageOfHanded(1) == Arrow()) << "not the standard arrow";

    // Every way out restores the arrow again, each time with a new copy.
    SendMessageA(Control(IDC_EXIT), BM_CLICK, 0, 0);
    ASSERT_TRUE(Ended(5000));
    ASSERT_EQ(Handed().size(), 4u) << "EXIT and the window's end each restore the arrow";
    for (size_t i = 2; i < Handed().size(); ++i) {
        EXPECT_TRUE(ImageOfHanded(i) == Arrow());
        for (size_t j = 0; j < i; ++j) {
            EXPECT_NE(Handed()[i].cursor, Handed()[j].cursor) << "a cursor handed over twice";
        }
    }
}

TEST_F(PickerSamplingTest, EscapeWhileSamplingRestoresTheArrow) {
    Snap();
    PostMessageA(Window(), WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(Ended(5000));
    ASSERT_EQ(Handed().size(), 2u);
    EXPECT_TRUE(ImageOfHanded(1) == Arrow());
}

TEST_F(PickerSamplingTest, AThousandStartsAndStopsKeepNoCursorBehind) {
    // Warm up once: the first cycle loads what later ones reuse.
    Snap();
    Release(InsideSnap());
    cursors_.LetGo();
    const auto before = CountGdiObjects();
    ASSERT_TRUE(before.has_value()) << "the GDI objects could not be counted";
    for (int cycle = 0; cycle < 1000; ++cycle) {
        Snap();
        Release(InsideSnap());
        // The platform would keep only the last cursor installed; the test lets each one go.
        ASSERT_EQ(Handed().size(), 2u);
        ASSERT_TRUE(cursors_.LetGo());
    }
    // Wine's caches may settle by a few objects either way; one cursor kept per cycle would
    // leave two thousand pictures behind.
    const auto after = CountGdiObjects();
    ASSERT_TRUE(after.has_value()) << "the GDI objects could not be counted";
    EXPECT_LT(*after, *before + 10) << "cursor pictures left behind (Wine's GDI table)";
}

TEST_F(PickerSamplingTest, APointNoDisplayShowsLeavesTheColourAsItWas) {
    SendMessageA(Control(IDC_HEX_FIELD), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("123456"));
    ASSERT_TRUE(WaitForText(IDC_RED_FIELD, "18"));
    Snap();
    // Every sample sets the sliders, even to where they are: their count says how many there
    // were, including any that a handler left for later.
    const MessageSpy slider(Control(IDC_RED_SLIDER));
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    for (const POINT point : {POINT{-1, 10}, POINT{10, -1}, POINT{-70000, -70000}, POINT{width, 10},
                              POINT{10, height}, POINT{70000, 300}}) {
        EXPECT_EQ(Release(point), 1);
        EXPECT_EQ(Text(IDC_HEX_FIELD), "123456") << point.x << "," << point.y;
    }
    // A point on the screen is sampled as before.
    EXPECT_EQ(Release(Centre(IDC_SWATCH)), 1);
    EXPECT_EQ(Text(IDC_HEX_FIELD), "123456") << "the swatch shows the colour itself";
    EXPECT_EQ(Release(POINT{0, height - 1}), 1);
    EXPECT_TRUE(PumpUntil([&] { return Text(IDC_HEX_FIELD) != "123456"; }, 3000))
        << "the desktop's corner was not sampled";
    ui_->Invoke([] {});
    EXPECT_EQ(slider.Count(TBM_SETPOS), 2) << "only the two points on the screen are samples";
}

TEST_F(PickerSamplingTest, TheSnapButtonsRectangleEndsTheModeOnItsLeftAndTopEdgesOnly) {
    RECT snap;
    GetWindowRect(Control(IDC_SNAP), &snap);
    Snap();
    cursors_.LetGo();
    // Just outside: right and bottom edges are outside, so these are samples.
    Release(POINT{snap.right, snap.top});
    Release(POINT{snap.left, snap.bottom});
    Release(POINT{snap.left - 1, snap.top});
    EXPECT_TRUE(Handed().empty()) << "the mode ended outside the button";
    Release(POINT{snap.left, snap.top});
    EXPECT_EQ(Handed().size(), 1u) << "the top-left corner is inside";
    Snap();
    cursors_.LetGo();
    Release(POINT{snap.right - 1, snap.bottom - 1});
    EXPECT_EQ(Handed().size(), 1u) << "the last pixel inside";
}

} // namespace
