// How the main window looks on the screen: the tile behind everything but the fields, the swatch
// in the current colour, the button pictures and the minimised icon, read back from the display.
#include "picker_fixture.h"

#include "dialog_template.h"
#include "message_pump.h"
#include "message_spy.h"
#include "resources/resource_ids.h"
#include "screen_pictures.h"

#include <algorithm>
#include <optional>
#include <string>

using namespace testing_support;
using namespace screen_pictures;

namespace {

class PickerAppearanceTest : public PickerWindowTest {
protected:
    // A rectangle of the client area given in dialog units, on the screen.
    RECT DialogArea(RECT dialogUnits) const {
        MapDialogRect(Window(), &dialogUnits);
        MapWindowPoints(Window(), nullptr, reinterpret_cast<POINT*>(&dialogUnits), 2);
        return dialogUnits;
    }
};

// Every pixel of `area` shows the tile, or text drawn straight onto it.
void ExpectTileBehindText(const Screenshot& shot, const RECT& area, const Picture& tile,
                          const std::string& what) {
    const TileFit fit = FitTile(shot, area, tile);
    EXPECT_GE(fit.share, 0.5) << what << ": the tile does not show";
    EXPECT_FALSE(fit.others.empty()) << what << ": no text";
    for (size_t i = 0; i < fit.others.size(); ++i) {
        const COLORREF pixel = shot.Pixel(fit.others[i]);
        ASSERT_TRUE(IsInkOver(pixel, fit.tileAtOthers[i]))
            << what << ": at " << fit.others[i].x << "," << fit.others[i].y << " 0x" << std::hex
            << pixel << " is neither the tile nor text on it";
    }
}

TEST_F(PickerAppearanceTest, BackgroundLabelsGroupBoxesAndSlidersSitOnTheTile) {
    const Picture tile = BitmapResource(IDB_PATTERN);
    ASSERT_EQ(tile.width, 27);
    WaitPainted();
    // The strip below the two group boxes: nothing but the window's own background.
    const RECT strip = DialogArea({0, 63, 316, 70});
    const Screenshot shot =
        TakeScreenshotWhen([&](const Screenshot& s) { return FitTile(s, strip, tile).share == 1; });
    EXPECT_EQ(FitTile(shot, strip, tile).share, 1) << "the window's background";

    for (const char* label : {"R:", "G:", "B:", "RGB: "}) {
        const HWND control = ChildWithText(Window(), label);
        ASSERT_NE(control, nullptr) << label;
        ExpectTileBehindText(shot, WindowOnScreen(control), tile, label);
    }
    // A group box's caption sits in its top edge, in a gap of the frame line which runs through
    // the caption's middle: above the line, from the caption's first text to its last, only the
    // tile and the text show.
    for (const char* groupBox : {"Choose Decimal Color Value", "Result (Hex)"}) {
        const HWND control = ChildWithText(Window(), groupBox);
        ASSERT_NE(control, nullptr) << groupBox;
        RECT caption = WindowOnScreen(control);
        caption.bottom = caption.top + TextSize(Window(), groupBox).cy / 3;
        // From the caption's first column of text to its last: the frame line's gap.
        LONG first = caption.right, last = caption.left;
        for (LONG y = caption.top; y < caption.bottom; ++y) {
            for (LONG x = caption.left; x < caption.right; ++x) {
                if (shot.Pixel({x, y}) == RGB(0, 0, 0)) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
            }
        }
        ASSERT_LT(first, last) << groupBox << ": no caption";
        caption.left = first;
        caption.right = last + 1;
        ExpectTileBehindText(shot, caption, tile, groupBox);
    }
    // A slider's channel and thumb are drawn over the tile.
    for (UINT slider : {IDC_RED_SLIDER, IDC_GREEN_SLIDER, IDC_BLUE_SLIDER}) {
        EXPECT_GE(FitTile(shot, WindowOnScreen(Control(slider)), tile).share, 0.6) << slider;
    }
}

TEST_F(PickerAppearanceTest, FieldsKeepThePlainFieldColours) {
    const COLORREF fieldColour = GetSysColor(COLOR_WINDOW);
    WaitPainted();
    const Screenshot shot = TakeScreenshot();
    ASSERT_TRUE(shot.Taken());
    for (UINT field : {IDC_RED_FIELD, IDC_GREEN_FIELD, IDC_BLUE_FIELD}) {
        const RECT area = ClientOnScreen(Control(field));
        int plain = 0, all = 0;
        for (LONG y = area.top; y < area.bottom; ++y) {
            for (LONG x = area.left; x < area.right; ++x, ++all) {
                plain += shot.Pixel({x, y}) == fieldColour ? 1 : 0;
            }
        }
        // Everything but the "0" written in it.
        EXPECT_GE(plain, all * 8 / 10) << field;
        EXPECT_LT(plain, all) << field << ": no text";
    }
}

TEST_F(PickerAppearanceTest, SwatchShowsTheColourWhenUncoveredAndWhenPaintedAfresh) {
    const COLORREF colour = RGB(0x33, 0x66, 0xCC);
    Paste(IDC_HEX_FIELD, "3366CC");
    const RECT swatch = ClientOnScreen(Control(IDC_SWATCH));
    const auto pixelsNotShowing = [&](const Screenshot& shot, COLORREF expected) {
        int count = 0;
        for (LONG y = swatch.top; y < swatch.bottom; ++y) {
            for (LONG x = swatch.left; x < swatch.right; ++x) {
                count += shot.Pixel({x, y}) != expected ? 1 : 0;
            }
        }
        return count;
    };
    WaitPainted();
    Screenshot shot =
        TakeScreenshotWhen([&](const Screenshot& s) { return pixelsNotShowing(s, colour) == 0; });
    EXPECT_EQ(pixelsNotShowing(shot, colour), 0) << "after typing";

    // Another program's window over it, then gone.
    RECT cover = swatch;
    InflateRect(&cover, 8, 8);
    const HWND coverWindow =
        CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "Static", "",
                        WS_POPUP | SS_WHITERECT, cover.left, cover.top, cover.right - cover.left,
                        cover.bottom - cover.top, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(coverWindow, nullptr);
    ShowWindow(coverWindow, SW_SHOWNOACTIVATE);
    UpdateWindow(coverWindow);
    const COLORREF coverColour = GetSysColor(COLOR_WINDOW);
    shot = TakeScreenshotWhen(
        [&](const Screenshot& s) { return pixelsNotShowing(s, coverColour) == 0; });
    ASSERT_EQ(pixelsNotShowing(shot, coverColour), 0) << "the swatch was not covered";
    DestroyWindow(coverWindow);
    WaitPainted();
    shot =
        TakeScreenshotWhen([&](const Screenshot& s) { return pixelsNotShowing(s, colour) == 0; });
    EXPECT_EQ(pixelsNotShowing(shot, colour), 0) << "after being uncovered";

    // Wine keeps each window's drawing, so uncovering repaints nothing (measured: no WM_PAINT
    // reaches the swatch). Minimised and restored, the window is painted afresh.
    const MessageSpy swatchSpy(Control(IDC_SWATCH));
    PostMessageA(Window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(PumpUntil([&] { return IsIconic(Window()) != FALSE; }, 5000));
    PostMessageA(Window(), WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsIconic(Window()); }, 5000));
    WaitPainted();
    EXPECT_GE(swatchSpy.Count(WM_PAINT), 1);
    shot =
        TakeScreenshotWhen([&](const Screenshot& s) { return pixelsNotShowing(s, colour) == 0; });
    EXPECT_EQ(pixelsNotShowing(shot, colour), 0) << "after being painted afresh";
}

TEST_F(PickerAppearanceTest, ButtonsShowTheirPicturesNotTheirCaptions) {
    WaitPainted();
    const Screenshot shot = TakeScreenshotWhen(
        [&](const Screenshot& s) { return ButtonPictureShare(s, ID_HELP, IDB_HELP) == 1; });
    EXPECT_EQ(ButtonPictureShare(shot, IDC_SNAP, IDB_SNAP), 1) << "Snap, idle";
    EXPECT_EQ(ButtonPictureShare(shot, IDC_EXIT, IDB_EXIT), 1);
    EXPECT_EQ(ButtonPictureShare(shot, ID_HELP, IDB_HELP), 1);
    // The check tells the two "Snap" pictures apart.
    EXPECT_LT(ButtonPictureShare(shot, IDC_SNAP, IDB_SNAP_ACTIVE), 0.9);
}

TEST_F(PickerAppearanceTest, MinimisedWindowDrawsTheProgramIconCentred) {
    const HICON programIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PROGRAM));
    ASSERT_NE(programIcon, nullptr);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(Window(), WM_QUERYDRAGICON, 0, 0)), programIcon)
        << "the picture dragged with the minimised window";

    // Wine, like Windows since 95, leaves a minimised window no client area and sends it no
    // WM_PAINT; the virtual desktop then shows nothing of it. As in Windows 3.x, where the
    // minimised window's client area was its icon, the test gives it its whole frame as client
    // area; Wine then paints it with a real WM_PAINT and shows it at the desktop's lower left.
    MessageSpy spy(Window(), [&](UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_NCCALCSIZE && IsIconic(Window())) {
            return 0;
        }
        return std::nullopt;
    });
    PostMessageA(Window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(PumpUntil([&] { return IsIconic(Window()) != FALSE; }, 5000));
    WaitPainted();
    EXPECT_GE(spy.Count(WM_ICONERASEBKGND), 1) << "the icon's background is not erased";
    const RECT iconic = ClientOnScreen(Window());
    const LONG width = iconic.right - iconic.left, height = iconic.bottom - iconic.top;
    const LONG iconWidth = GetSystemMetrics(SM_CXICON), iconHeight = GetSystemMetrics(SM_CYICON);
    ASSERT_GT(width, iconWidth);
    ASSERT_GT(height, 0);
    // Integer division of the difference plus one, as the window centres it.
    const POINT centred{iconic.left + (width - iconWidth + 1) / 2,
                        iconic.top + (height - iconHeight + 1) / 2};
    // The erased background is the window's own, the tile repeated from the client area's
    // corner; the icon is drawn over it.
    const Picture tile = BitmapResource(IDB_PATTERN);
    const RECT leftOfIcon{iconic.left, iconic.top, centred.x, iconic.bottom};
    const LONG tileX = (centred.x - iconic.left) % tile.width;
    const LONG tileY = ((centred.y - iconic.top) % tile.height + tile.height) % tile.height;
    const Picture icon =
        DrawnIcon(programIcon, Repeated(tile, iconWidth, iconHeight, {tileX, tileY}));
    const Screenshot shot = TakeScreenshotWhen(
        [&](const Screenshot& s) { return ShareShowing(s, iconic, icon, centred) == 1; });
    EXPECT_EQ(FitTile(shot, leftOfIcon, tile).share, 1) << "the icon's background";
    EXPECT_EQ(ShareShowing(shot, iconic, icon, centred), 1)
        << "at " << centred.x << "," << centred.y << " in " << width << "x" << height;
    EXPECT_LT(ShareShowing(shot, iconic, icon, {centred.x + 1, centred.y}), 0.9);

    PostMessageA(Window(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsIconic(Window()); }, 5000));
}

} // namespace
