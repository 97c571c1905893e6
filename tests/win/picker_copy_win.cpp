// The context menu hands the colour on: a right-click outside the fields, Shift+F10 or the menu
// key opens it; each item puts exactly the text it shows on the clipboard, in both text formats,
// and changes nothing else. The menu is read in this process (under Wine another process sees
// no items in it), and judged by what choosing an item does.
#include "picker_fixture.h"

#include "Mousetap.h"
#include "child_process.h"
#include "clipboard_text.h"
#include "handle_owners.h"
#include "dialog_template.h"
#include "message_pump.h"
#include "resources/resource_ids.h"
#include "test_paths.h"
#include "window_frame.h"
#include "x_input.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <ostream>
#include <vector>

using namespace testing_support;

namespace {

// What 00A0FF reads as: red 0, green 160, blue 255.
const char* const kCopied[] = {"#00A0FF", "rgb(0, 160, 255)", "hsl(202, 100%, 50%)"};
const wchar_t* const kCopiedWide[] = {L"#00A0FF", L"rgb(0, 160, 255)", L"hsl(202, 100%, 50%)"};
const std::vector<std::string> kItems{
    "Copy #00A0FF",  "Copy rgb(0, 160, 255)", "Copy hsl(202, 100%, 50%)", "Copy &as", "",
    "&Paste colour", "&Recent colours"};
constexpr int kCopyAsItem = 3;
constexpr int kPasteItem = 5;
constexpr int kRecentItem = 6;
constexpr char kEarlierText[] = "what another program copied";

struct PopupMenu {
    HWND window = nullptr;
    HMENU menu = nullptr;
    RECT frame{};
    std::vector<std::string> items;
};

class PickerCopyTest : public PickerWindowTest {
protected:
    // Everything a user sees of the colour, and where the typing goes.
    struct Seen {
        std::vector<std::string> texts;
        std::vector<int> sliders;
        COLORREF swatch;
        HWND focus;
        DWORD selectionStart, selectionEnd;
        bool operator==(const Seen& o) const {
            return texts == o.texts && sliders == o.sliders && swatch == o.swatch &&
                   focus == o.focus && selectionStart == o.selectionStart &&
                   selectionEnd == o.selectionEnd;
        }
        friend std::ostream& operator<<(std::ostream& out, const Seen& seen) {
            for (const std::string& text : seen.texts) {
                out << '"' << text << "\" ";
            }
            for (int position : seen.sliders) {
                out << position << ' ';
            }
            return out << std::hex << "swatch 0x" << seen.swatch << " focus " << seen.focus
                       << std::dec << " selection " << seen.selectionStart << '-'
                       << seen.selectionEnd;
        }
    };
    Seen Now() const {
        Seen seen{};
        for (UINT field : {IDC_RED_FIELD, IDC_GREEN_FIELD, IDC_BLUE_FIELD, IDC_HEX_FIELD}) {
            seen.texts.push_back(Text(field));
        }
        for (UINT slider : {IDC_RED_SLIDER, IDC_GREEN_SLIDER, IDC_BLUE_SLIDER}) {
            seen.sliders.push_back(SliderPosition(slider));
        }
        seen.swatch = SwatchPixel();
        seen.focus = Focus();
        SendMessageA(seen.focus, EM_GETSEL, reinterpret_cast<WPARAM>(&seen.selectionStart),
                     reinterpret_cast<LPARAM>(&seen.selectionEnd));
        return seen;
    }
    HWND Focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(ui_->Id(), &info);
        return info.hwndFocus;
    }

    // The colour typed as a user types it, and something else on the clipboard.
    void TypeTheColour() {
        SelectAll(IDC_HEX_FIELD);
        TypeKeys(IDC_HEX_FIELD, "00A0FF");
        ASSERT_TRUE(WaitForText(IDC_GREEN_FIELD, "160"));
        ASSERT_EQ(Text(IDC_BLUE_FIELD), "255");
        ASSERT_TRUE(PutTextOnClipboard(kEarlierText));
    }

    // A popup menu of the window's thread once one shows, with its items.
    std::optional<PopupMenu> WaitForMenu() const {
        PopupMenu shown;
        const auto find = [&] {
            for (HWND at = nullptr; (at = FindWindowExA(nullptr, at, "#32768", nullptr));) {
                if (GetWindowThreadProcessId(at, nullptr) == ui_->Id() && IsWindowVisible(at)) {
                    shown.window = at;
                }
            }
            return shown.window != nullptr;
        };
        if (!PumpUntil(find, 3000)) {
            return std::nullopt;
        }
        shown.menu = reinterpret_cast<HMENU>(SendMessageA(shown.window, MN_GETHMENU, 0, 0));
        GetWindowRect(shown.window, &shown.frame);
        for (int item = 0; item < GetMenuItemCount(shown.menu); ++item) {
            char text[128] = "";
            GetMenuStringA(shown.menu, static_cast<UINT>(item), text, sizeof text, MF_BYPOSITION);
            shown.items.emplace_back(text);
        }
        return shown;
    }
    bool MenuGone(const PopupMenu& shown) const {
        return PumpUntil([&] { return !IsWindow(shown.window) || !IsWindowVisible(shown.window); },
                         3000);
    }
    std::optional<PopupMenu> RightClick(POINT point) const {
        xinput::RightClick(point);
        return WaitForMenu();
    }

    // Highlights `item` with the arrow keys, whatever the menu highlights first, then Enter.
    void ChooseByKeyboard(const PopupMenu& shown, int item) const {
        const auto lit = [&] {
            return (GetMenuState(shown.menu, static_cast<UINT>(item), MF_BYPOSITION) & MF_HILITE) !=
                   0;
        };
        for (int press = 0; press < 4 && !lit(); ++press) {
            xinput::Key("Down");
            PumpUntil(lit, 300);
        }
        ASSERT_TRUE(lit()) << "the arrow keys never reached item " << item;
        xinput::Key("Return");
    }
    void ChooseByMouse(const PopupMenu& shown, int item) const { ClickItem(shown.menu, item); }
    static void ClickItem(HMENU menu, int item) {
        RECT area{};
        ASSERT_TRUE(GetMenuItemRect(nullptr, menu, static_cast<UINT>(item), &area));
        xinput::Click(POINT{(area.left + area.right) / 2, (area.top + area.bottom) / 2});
    }

    // A pick of the swatch (as the hook reports one) after `hex` is typed loads that colour.
    void PickTyped(const char* hex) {
        SelectAll(IDC_HEX_FIELD);
        TypeKeys(IDC_HEX_FIELD, hex);
        ASSERT_TRUE(WaitForText(IDC_HEX_FIELD, hex));
        const POINT swatch = Centre(IDC_SWATCH);
        SendMessageA(Window(), WM_PICK_POINT, PickPointParam(swatch.x),
                     static_cast<LPARAM>(PickPointParam(swatch.y)));
    }

    // The clipboard written and closed again since it counted `sequence`.
    static bool WaitForCopy(DWORD sequence) {
        return PumpUntil(
            [&] {
                return GetClipboardSequenceNumber() != sequence &&
                       GetOpenClipboardWindow() == nullptr;
            },
            3000);
    }
    // Opens the menu with `open`, sees it at `at` with the three items, chooses `item`, and
    // sees exactly its text copied in both formats and the window as it was.
    void CopyThrough(const std::function<void()>& open, POINT at, int item, bool byKeyboard) {
        ASSERT_TRUE(PutTextOnClipboard(kEarlierText));
        const Seen before = Now();
        const DWORD sequence = GetClipboardSequenceNumber();
        open();
        const auto shown = WaitForMenu();
        ASSERT_TRUE(shown.has_value()) << "no menu at " << at.x << ", " << at.y;
        EXPECT_EQ(shown->items, kItems);
        EXPECT_EQ(shown->frame.left, at.x) << "item " << item;
        EXPECT_EQ(shown->frame.top, at.y) << "item " << item;
        byKeyboard ? ChooseByKeyboard(*shown, item) : ChooseByMouse(*shown, item);
        ASSERT_TRUE(MenuGone(*shown));
        ASSERT_TRUE(WaitForCopy(sequence)) << "nothing copied, item " << item;
        EXPECT_EQ(ClipboardText(), std::string(kCopied[item])) << "CF_TEXT";
        EXPECT_EQ(ClipboardUnicodeText(), std::wstring(kCopiedWide[item])) << "CF_UNICODETEXT";
        EXPECT_EQ(Now(), before) << "choosing item " << item << " changed the window";
    }
    void CopyByRightClick(POINT point, int item, bool byKeyboard) {
        CopyThrough([&] { xinput::RightClick(point); }, point, item, byKeyboard);
    }
    POINT Background() const {
        // Below the group boxes, in the window's own client area.
        RECT client;
        GetClientRect(Window(), &client);
        POINT point{client.right / 2, client.bottom - 2};
        ClientToScreen(Window(), &point);
        return point;
    }
};

TEST_F(PickerCopyTest, OverTheSwatchEachItemChosenByKeyboardCopiesExactlyItsText) {
    TypeTheColour();
    const DWORD sequence = GetClipboardSequenceNumber();
    const auto shown = RightClick(Centre(IDC_SWATCH));
    ASSERT_TRUE(shown.has_value()) << "no menu";
    // Esc closes the menu alone; the next right-click, read only after it, opens it again.
    xinput::Key("Escape");
    ASSERT_TRUE(MenuGone(*shown));
    ASSERT_TRUE(RightClick(Centre(IDC_SWATCH)).has_value()) << "the window stopped answering";
    EXPECT_EQ(GetClipboardSequenceNumber(), sequence) << "Esc copied something";
    xinput::Key("Escape");
    for (int item = 0; item < 3; ++item) {
        CopyByRightClick(Centre(IDC_SWATCH), item, true);
    }
}

// Chosen with the mouse, from menus opened over each kind of place outside the fields.
TEST_F(PickerCopyTest, EachItemChosenByMouseCopiesExactlyItsText) {
    TypeTheColour();
    const HWND label = ChildWithText(Window(), "RGB: ");
    ASSERT_NE(label, nullptr);
    CopyByRightClick(Centre(IDC_SWATCH), 0, false);
    CopyByRightClick(CentreOf(label), 1, false);
    CopyByRightClick(Background(), 2, false);
    CopyByRightClick(Centre(IDC_GREEN_SLIDER), 0, false);
    CopyByRightClick(Centre(IDC_SNAP), 1, false);
}

TEST_F(PickerCopyTest, ShiftF10OnASliderOpensTheMenuThereAndLeavesTheKeysToTheSlider) {
    TypeTheColour();
    xinput::Click(Centre(IDC_HEX_FIELD));
    xinput::Key("Tab");
    ASSERT_TRUE(PumpUntil([&] { return Focus() == Control(IDC_RED_SLIDER); }, 2000));
    CopyThrough([] { xinput::Key("shift+F10"); }, Centre(IDC_RED_SLIDER), 2, true);
    // No menu mode is left behind: the next key moves the slider.
    xinput::Key("Right");
    EXPECT_TRUE(WaitForText(IDC_RED_FIELD, "1"));
    EXPECT_EQ(SliderPosition(IDC_RED_SLIDER), 1);
}

TEST_F(PickerCopyTest, TheMenuKeyOnAButtonOpensTheMenuAndItsEnterStaysInTheMenu) {
    TypeTheColour();
    ui_->Invoke([&] { SetFocus(Control(IDC_EXIT)); });
    CopyThrough([] { xinput::Key("Menu"); }, Centre(IDC_EXIT), 0, true);
    EXPECT_FALSE(Ended(300)) << "the Enter that chose the item pressed EXIT";
}

// The edit fields show their own menu, and the title bar the system menu.
TEST_F(PickerCopyTest, TheFieldsAndTheTitleBarKeepTheirOwnMenus) {
    TypeTheColour();
    for (UINT field : {IDC_RED_FIELD, IDC_GREEN_FIELD, IDC_BLUE_FIELD, IDC_HEX_FIELD}) {
        const auto shown = RightClick(Centre(field));
        ASSERT_TRUE(shown.has_value()) << "no menu in field " << field;
        EXPECT_NE(std::find(shown->items.begin(), shown->items.end(), "Select &All"),
                  shown->items.end())
            << "not the edit menu in field " << field;
        xinput::Key("Escape");
        ASSERT_TRUE(MenuGone(*shown));
    }
    const auto system = RightClick(TitleBarOf(Window()));
    ASSERT_TRUE(system.has_value()) << "no menu on the title bar";
    EXPECT_EQ(system->items.back(), "&About Prismel...");
    xinput::Key("Escape");
    ASSERT_TRUE(MenuGone(*system));
}

TEST_F(PickerCopyTest, WhileAnotherProgramHoldsTheClipboardAnItemDoesNothing) {
    TypeTheColour();
    const CUniqueKernelObject held(CreateEventA(nullptr, TRUE, FALSE, "PrismelCopyTestHeld"));
    const CUniqueKernelObject release(CreateEventA(nullptr, TRUE, FALSE, "PrismelCopyTestRelease"));
    ChildProcess holder(BesideTest("holder.exe") +
                        " clipboard PrismelCopyTestHeld PrismelCopyTestRelease");
    ASSERT_TRUE(holder.Started());
    ASSERT_TRUE(WaitPumping(held.get(), 5000)) << "the other program did not get the clipboard";
    const DWORD sequence = GetClipboardSequenceNumber();
    const Seen before = Now();

    const auto refused = RightClick(Centre(IDC_SWATCH));
    ASSERT_TRUE(refused.has_value());
    ChooseByKeyboard(*refused, 0);
    ASSERT_TRUE(MenuGone(*refused));
    // The window reads its next input only once the choice has been handled: a menu that
    // opens again shows the program went on.
    const auto again = RightClick(Centre(IDC_SWATCH));
    ASSERT_TRUE(again.has_value()) << "the program did not go on";
    EXPECT_EQ(GetClipboardSequenceNumber(), sequence) << "the held clipboard was written";
    EXPECT_FALSE(WaitForMessageBox(ProgramName(), 0).has_value());

    SetEvent(release.get());
    EXPECT_EQ(holder.WaitForExit(5000), 0u);
    EXPECT_EQ(ClipboardText(), std::string(kEarlierText));
    ChooseByKeyboard(*again, 1);
    ASSERT_TRUE(MenuGone(*again));
    ASSERT_TRUE(WaitForCopy(sequence));
    EXPECT_EQ(ClipboardText(), std::string(kCopied[1]));
    EXPECT_EQ(Now(), before);
}

// The hook swallows the mouse while sampling; the keyboard still opens the menu, at the focus.
TEST_F(PickerCopyTest, WhileSamplingOnlyTheKeyboardOpensTheMenu) {
    TypeTheColour();
    const POINT snap = Centre(IDC_SNAP);
    xinput::Click(snap);
    ASSERT_TRUE(PumpUntil([&] { return Focus() == Control(IDC_SNAP); }, 2000));
    // A menu opened by the right-click would take the key, and stand at the swatch.
    CopyThrough(
        [&] {
            xinput::RightClick(Centre(IDC_SWATCH));
            xinput::Key("shift+F10");
        },
        snap, 2, true);
    xinput::Click(snap); // a release over "Snap" ends the mode
    EXPECT_TRUE(RightClick(Centre(IDC_SWATCH)).has_value()) << "sampling did not end";
    xinput::Key("Escape");
}

// Colours loaded by picks, newest first, a colour taken again at the top; choosing one loads it.
TEST_F(PickerCopyTest, RecentColoursListThePicksNewestFirstAndChoosingOneLoadsIt) {
    const auto recentItems = [&](const PopupMenu& shown) {
        std::vector<std::string> texts;
        const HMENU colours = GetSubMenu(shown.menu, kRecentItem);
        for (int item = 0; colours && item < GetMenuItemCount(colours); ++item) {
            char text[32] = "";
            GetMenuStringA(colours, static_cast<UINT>(item), text, sizeof text, MF_BYPOSITION);
            texts.emplace_back(text);
        }
        return texts;
    };
    auto shown = RightClick(Centre(IDC_SWATCH));
    ASSERT_TRUE(shown.has_value());
    EXPECT_TRUE(GetMenuState(shown->menu, kRecentItem, MF_BYPOSITION) & MF_GRAYED)
        << "not greyed while empty";
    xinput::Key("Escape");
    ASSERT_TRUE(MenuGone(*shown));

    // The last one taken again: to the top, not twice.
    for (const char* hex : {"112233", "445566", "778899", "445566"}) {
        PickTyped(hex);
    }

    shown = RightClick(Centre(IDC_SWATCH));
    ASSERT_TRUE(shown.has_value());
    EXPECT_FALSE(GetMenuState(shown->menu, kRecentItem, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_EQ(recentItems(*shown), (std::vector<std::string>{"#445566", "#778899", "#112233"}));
    // The oldest chosen: the submenu opened, then its last item.
    ClickItem(shown->menu, kRecentItem);
    const HMENU colours = GetSubMenu(shown->menu, kRecentItem);
    RECT area{};
    ASSERT_TRUE(PumpUntil(
        [&] {
            return GetMenuItemRect(nullptr, colours, 2, &area) != FALSE && area.right > area.left;
        },
        3000))
        << "the submenu did not open";
    ClickItem(colours, 2);
    EXPECT_TRUE(WaitForText(IDC_HEX_FIELD, "112233")) << "choosing a recent colour";
    EXPECT_EQ(Text(IDC_RED_FIELD), "17");
    shown = RightClick(Centre(IDC_SWATCH));
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(recentItems(*shown), (std::vector<std::string>{"#112233", "#445566", "#778899"}));
    xinput::Key("Escape");
}

// Each item of "Copy as" leaves exactly the text it shows; a few are written out here as the
// notations' own rules give them for 00A0FF.
TEST_F(PickerCopyTest, EachCopyAsItemCopiesExactlyWhatItShows) {
    TypeTheColour();
    auto shown = RightClick(Centre(IDC_SWATCH));
    ASSERT_TRUE(shown.has_value());
    const HMENU notations = GetSubMenu(shown->menu, kCopyAsItem);
    ASSERT_NE(notations, nullptr);
    std::vector<std::string> texts;
    for (int item = 0; item < GetMenuItemCount(notations); ++item) {
        wchar_t wide[128] = L"";
        GetMenuStringW(notations, static_cast<UINT>(item), wide, 128, MF_BYPOSITION);
        char text[256] = "";
        WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, sizeof text, nullptr, nullptr);
        texts.emplace_back(text);
    }
    xinput::Key("Escape");
    ASSERT_TRUE(MenuGone(*shown));
    ASSERT_EQ(texts.size(), 11u);
    EXPECT_EQ(texts[0], "#00a0ff");
    EXPECT_EQ(texts[1], "0x00A0FF");
    EXPECT_EQ(texts[2], "0x00FFA000\tCOLORREF");
    EXPECT_EQ(texts[3], "rgb(0 160 255)");
    EXPECT_EQ(texts[5], "lab(62.73% -8.86 -57.85)");
    EXPECT_EQ(texts[9], "color(srgb 0 0.6275 1)");
    EXPECT_NE(texts[10].find("\t"), std::string::npos) << texts[10];
    for (int item = 0; item < static_cast<int>(texts.size()); ++item) {
        // What is copied: the text before any label, without the mark of a nearest name.
        std::string expected = texts[static_cast<std::size_t>(item)];
        expected = expected.substr(0, expected.find('\t'));
        if (expected.rfind("\xE2\x89\x88 ", 0) == 0) {
            expected = expected.substr(4);
        }
        ASSERT_TRUE(PutTextOnClipboard(kEarlierText));
        const DWORD sequence = GetClipboardSequenceNumber();
        shown = RightClick(Centre(IDC_SWATCH));
        ASSERT_TRUE(shown.has_value());
        // Enter on "Copy as" opens it with its first item lit; the arrows go on from there.
        ChooseByKeyboard(*shown, kCopyAsItem);
        const HMENU opened = GetSubMenu(shown->menu, kCopyAsItem);
        const auto lit = [&](int index) {
            return (GetMenuState(opened, static_cast<UINT>(index), MF_BYPOSITION) & MF_HILITE) != 0;
        };
        ASSERT_TRUE(PumpUntil([&] { return lit(0); }, 3000)) << "Copy as did not open";
        for (int press = 0; press < item; ++press) {
            xinput::Key("Down");
            ASSERT_TRUE(PumpUntil([&] { return lit(press + 1); }, 3000)) << "item " << press + 1;
        }
        xinput::Key("Return");
        ASSERT_TRUE(WaitForCopy(sequence)) << "item " << item;
        EXPECT_EQ(ClipboardText(), expected) << "item " << item;
    }
}

// "Paste colour" reads one colour in any notation; anything else changes nothing, and a
// clipboard without a colour greys the item.
TEST_F(PickerCopyTest, PasteColourReadsEveryFamilyAndNothingElse) {
    const auto paste = [&](const std::string& text) {
        ASSERT_TRUE(PutTextOnClipboard(text));
        const auto shown = RightClick(Centre(IDC_SWATCH));
        ASSERT_TRUE(shown.has_value());
        if (GetMenuState(shown->menu, kPasteItem, MF_BYPOSITION) & MF_GRAYED) {
            xinput::Key("Escape");
            ASSERT_TRUE(MenuGone(*shown));
            return;
        }
        ChooseByMouse(*shown, kPasteItem);
        ASSERT_TRUE(MenuGone(*shown));
    };
    const std::pair<const char*, const char*> families[] = {
        {"#0af", "00AAFF"},
        {"  rgb(255, 0, 128);", "FF0080"},
        {"rgba(10% 20% 30% / 0.5)", "1A334D"},
        {"hsl(120deg 100% 25%)", "008000"},
        {"hwb(0 0% 0%)", "FF0000"},
        {"lab(100% 0 0)", "FFFFFF"},
        {"oklch(0% 0 0)", "000000"},
        {"color(srgb 0 0.6275 1)", "00A0FF"},
        {"SteelBlue", "4682B4"},
    };
    for (const auto& [text, hex] : families) {
        paste(text);
        EXPECT_TRUE(WaitForText(IDC_HEX_FIELD, hex)) << text;
        EXPECT_EQ(SendMessageA(Control(IDC_HEX_FIELD), EM_GETSEL, 0, 0), MAKELONG(6, 6)) << text;
    }
    // Nonsense, two colours, or a megabyte: the colour stays; the menu still comes at once.
    const Seen before = Now();
    for (const std::string& text :
         {std::string("rgb(1, 2)"), std::string("#12345"), std::string("hsl(1e999 0 0)"),
          std::string("transparent"), std::string("red blue"), std::string(1 << 20, 'a')}) {
        paste(text);
    }
    // A colour typed afterwards shows every paste before it has been dealt with.
    EXPECT_EQ(Now(), before);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    const auto shown = RightClick(Centre(IDC_SWATCH));
    ASSERT_TRUE(shown.has_value());
    EXPECT_TRUE(GetMenuState(shown->menu, kPasteItem, MF_BYPOSITION) & MF_GRAYED)
        << "an empty clipboard";
    xinput::Key("Escape");
}

} // namespace
