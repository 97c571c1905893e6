// The about box as a user meets it: what it shows, the link under the real pointer, the shell
// asked to open the web address, and the keyboard.
#include "picker_fixture.h"

#include "dialog_template.h"
#include "fake_browser.h"
#include "message_pump.h"
#include "message_spy.h"
#include "resources/resource_ids.h"
#include "screen_pictures.h"
#include "window_frame.h"
#include "x_input.h"

#include <shellapi.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace testing_support;
using namespace screen_pictures;

namespace {

constexpr char kWebAddress[] = "http://prismel.example/";
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr DWORD kLabel = SS_LEFT | WS_GROUP;

const std::vector<ExpectedControl> kAboutTemplate = {
    {0xFFFF, "Static", nullptr, {11, 13, 20, 20}, SS_ICON, SS_TYPEMASK},
    {0xFFFF, "Static", "Prismel Version 1.0", {40, 12, 119, 8}, kLabel | SS_NOPREFIX, SS_TYPEMASK},
    {0xFFFF, "Static", "Copyright (C) 2026 Prismel", {40, 24, 173, 8}, kLabel, SS_TYPEMASK},
    {IDOK, "Button", "OK", {207, 7, 32, 14}, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 0x0F},
    {0xFFFF, "Static", "", {7, 39, 232, 1}, SS_BLACKFRAME | SS_SUNKEN, SS_TYPEMASK},
    {0xFFFF, "Static", "Web Site: ", {16, 47, 34, 8}, kLabel, SS_TYPEMASK | WS_TABSTOP},
    {0xFFFF, "Static", "Tech Support:", {14, 61, 46, 8}, kLabel, SS_TYPEMASK | WS_TABSTOP},
    {IDC_LINK, "Static", kWebAddress, {73, 47, 108, 8}, kLabel, SS_TYPEMASK | WS_TABSTOP},
    {0xFFFF, "Static", "support@prismel.example", {71, 61, 86, 8}, kLabel, SS_TYPEMASK},
};

// Counts of the two link colours, pure, in an area of a screenshot.
struct LinkColours {
    int blue = 0;
    int red = 0;
};

LinkColours ColoursIn(const Screenshot& shot, const RECT& area) {
    LinkColours colours;
    for (LONG y = area.top; y < area.bottom; ++y) {
        for (LONG x = area.left; x < area.right; ++x) {
            const COLORREF pixel = shot.Pixel({x, y});
            colours.blue += pixel == kBlue ? 1 : 0;
            colours.red += pixel == kRed ? 1 : 0;
        }
    }
    return colours;
}

// The longest run of `colour` along one row of `area`: an underline spans the whole text.
LONG LongestRun(const Screenshot& shot, const RECT& area, COLORREF colour) {
    LONG longest = 0;
    for (LONG y = area.top; y < area.bottom; ++y) {
        LONG run = 0;
        for (LONG x = area.left; x < area.right; ++x) {
            run = shot.Pixel({x, y}) == colour ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    return longest;
}

// Pixels of `area` in neither of two colours.
int PixelsOtherThan(const Screenshot& shot, const RECT& area, COLORREF one, COLORREF other) {
    int count = 0;
    for (LONG y = area.top; y < area.bottom; ++y) {
        for (LONG x = area.left; x < area.right; ++x) {
            const COLORREF pixel = shot.Pixel({x, y});
            count += pixel != one && pixel != other ? 1 : 0;
        }
    }
    return count;
}

class AboutBoxTest : public PickerWindowTest {
protected:
    void TearDown() override {
        CloseAboutBox();
        PickerWindowTest::TearDown();
    }

    // Chooses the system menu's about item and waits for the box to show and paint.
    void OpenAboutBox() {
        PostMessageA(Window(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        about_ = WaitForDialog("About Prismel", 5000);
        ASSERT_NE(about_, nullptr) << "the about box did not show";
        // Keys go to the foreground window, which a program another test started may hold.
        SetForegroundWindow(about_);
        PumpUntil([&] { return GetForegroundWindow() == about_; }, 2000);
        WaitPainted(about_);
    }
    bool WaitClosed() const {
        return PumpUntil([&] { return !IsWindow(about_); }, 5000);
    }
    void CloseAboutBox() {
        if (about_ && IsWindow(about_)) {
            PostMessageA(about_, WM_COMMAND, IDCANCEL, 0);
            WaitClosed();
        }
    }

    HWND Link() const { return GetDlgItem(about_, IDC_LINK); }
    RECT LinkArea() const { return WindowOnScreen(Link()); }
    // A point on the link's text, `across` pixels from its left.
    POINT InLink(LONG across = 6) const {
        const RECT area = LinkArea();
        return POINT{area.left + across, (area.top + area.bottom) / 2};
    }
    // What the user sees once the link shows in `colour` (pure blue or red) and nothing of the
    // other, or after three seconds.
    Screenshot WaitForLink(COLORREF colour) const {
        WaitPainted(about_);
        return TakeScreenshotWhen([&](const Screenshot& shot) {
            const LinkColours seen = ColoursIn(shot, LinkArea());
            return colour == kRed ? seen.red > 0 && seen.blue == 0 : seen.blue > 0 && seen.red == 0;
        });
    }
    void ExpectLinkShows(COLORREF colour, const char* when) const {
        const LinkColours seen = ColoursIn(WaitForLink(colour), LinkArea());
        const bool red = colour == kRed;
        EXPECT_GT(red ? seen.red : seen.blue, 0) << when;
        EXPECT_EQ(red ? seen.blue : seen.red, 0) << when;
    }

    // The pointer to `point`, and the link's handling of the movement done.
    void MovePointer(const MessageSpy& linkSpy, POINT point) const {
        const int before = linkSpy.Count(WM_MOUSEMOVE);
        xinput::MoveTo(point);
        PumpUntil([&] { return linkSpy.Count(WM_MOUSEMOVE) > before; }, 2000);
        ui_->Invoke([] {});
    }

    // The UI thread's view of the keyboard focus and the pointer capture.
    HWND Focus() const {
        HWND focus = nullptr;
        ui_->Invoke([&] { focus = GetFocus(); });
        return focus;
    }
    HWND Capture() const {
        HWND capture = nullptr;
        ui_->Invoke([&] { capture = GetCapture(); });
        return capture;
    }

    // A point of the box off the link, where a hand moving off the link goes. (Leaving it
    // straight for another program's window is not the same under Wine: after a click there,
    // such movements no longer reach the window that holds the pointer.)
    POINT OffTheLink() const {
        POINT corner{4, 4};
        ClientToScreen(about_, &corner);
        return corner;
    }
    // A place on the desktop well away from both windows.
    static POINT AwayFromTheWindows() { return POINT{8, 8}; }

    HWND about_ = nullptr;
};

TEST_F(AboutBoxTest, ShowsTheIconTheLinesTheUnderlinedBlueLinkAndThePlainSupportAddress) {
    OpenAboutBox();
    ExpectDialogFrame(about_, "About Prismel", {246, 83},
                      WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                      WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME);
    ExpectControls(about_, kAboutTemplate);
    EXPECT_EQ(GetWindow(about_, GW_OWNER), Window());
    // The template leaves the notify style out; the link adds it when it is first painted.
    EXPECT_TRUE(GetWindowLongA(Link(), GWL_STYLE) & SS_NOTIFY);

    const COLORREF face = GetSysColor(COLOR_3DFACE);
    const Screenshot shot = WaitForLink(kBlue);
    ASSERT_TRUE(shot.Taken());

    const HICON programIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PROGRAM));
    const HWND iconLabel = GetWindow(about_, GW_CHILD);
    const Picture icon = DrawnIcon(
        programIcon, Filled(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), face));
    const RECT iconArea = WindowOnScreen(iconLabel);
    EXPECT_EQ(ShareShowing(shot, iconArea, icon, {iconArea.left, iconArea.top}), 1);

    for (const char* line : {"Prismel Version 1.0", "Copyright (C) 2026 Prismel"}) {
        const RECT area = WindowOnScreen(ChildWithText(about_, line));
        EXPECT_EQ(PixelsOtherThan(shot, area, face, kBlack), 0) << line;
        EXPECT_GT(LongestRun(shot, area, kBlack), 0) << line << ": not shown";
    }

    // The link: the address in pure blue, underlined along its whole width, and nothing else.
    const SIZE textSize = TextSize(about_, kWebAddress);
    ASSERT_GT(textSize.cx, 0);
    const RECT link = LinkArea();
    EXPECT_EQ(PixelsOtherThan(shot, link, face, kBlue), 0);
    EXPECT_GE(LongestRun(shot, link, kBlue), textSize.cx - 1) << "not underlined";
    // It follows "Web Site: ".
    const RECT webSite = WindowOnScreen(ChildWithText(about_, "Web Site: "));
    EXPECT_EQ(webSite.top, link.top);
    EXPECT_LT(webSite.right, link.left);

    // The support address: default text, black on the box's colour, not underlined.
    const RECT support = WindowOnScreen(ChildWithText(about_, "support@prismel.example"));
    EXPECT_EQ(PixelsOtherThan(shot, support, face, kBlack), 0);
    const LONG supportRun = LongestRun(shot, support, kBlack);
    EXPECT_GT(supportRun, 0);
    EXPECT_LT(supportRun, (support.right - support.left) / 4) << "underlined";
}

TEST_F(AboutBoxTest, PointerOnTheLinkTurnsItRedAndOffItBlueWithTheEdgesOutside) {
    OpenAboutBox();
    const MessageSpy linkSpy(Link());
    xinput::MoveTo(OffTheLink());
    ExpectLinkShows(kBlue, "before");

    MovePointer(linkSpy, InLink());
    ExpectLinkShows(kRed, "on the link");
    EXPECT_EQ(Capture(), Link()) << "it keeps the pointer to see it leave";
    // The shape over it is the standard arrow, both as the program set it and as the desktop
    // shows it.
    HCURSOR set = nullptr;
    ui_->Invoke([&] { set = GetCursor(); });
    EXPECT_EQ(set, LoadCursorA(nullptr, IDC_ARROW));
    CURSORINFO shown{};
    shown.cbSize = sizeof shown;
    ASSERT_TRUE(GetCursorInfo(&shown));
    EXPECT_EQ(shown.hCursor, LoadCursorA(nullptr, IDC_ARROW));

    // Moving within it repaints nothing, up to its last column and row.
    const RECT area = LinkArea();
    const int paints = linkSpy.Count(WM_PAINT);
    for (const POINT within :
         {InLink(30), POINT{area.right - 1, area.top + 2}, POINT{area.left + 4, area.bottom - 1}}) {
        MovePointer(linkSpy, within);
        WaitPainted(about_);
        EXPECT_EQ(linkSpy.Count(WM_PAINT), paints) << within.x << "," << within.y;
    }
    ExpectLinkShows(kRed, "moving within");

    // The right and bottom edges are outside.
    MovePointer(linkSpy, {area.right, area.top + 2});
    ExpectLinkShows(kBlue, "on the right edge");
    EXPECT_EQ(Capture(), nullptr);
    MovePointer(linkSpy, InLink());
    ExpectLinkShows(kRed, "back on the link");
    MovePointer(linkSpy, {area.left + 4, area.bottom});
    ExpectLinkShows(kBlue, "on the bottom edge");
    EXPECT_EQ(Capture(), nullptr);
}

TEST_F(AboutBoxTest, EachClickOpensTheAddressAndLeavingAfterwardsShowsItBlue) {
    FakeBrowser browser;
    ASSERT_TRUE(browser.Ready());
    OpenAboutBox();
    const MessageSpy linkSpy(Link());
    MovePointer(linkSpy, InLink());
    ExpectLinkShows(kRed, "on the link");

    const DWORD start = GetTickCount();
    xinput::Click(InLink());
    ASSERT_TRUE(PumpUntil([&] { return browser.Addresses().size() == 1; }, 15000))
        << "the browser was not asked";
    RecordProperty("address_arrives_ms", static_cast<int>(GetTickCount() - start));
    EXPECT_EQ(browser.Addresses()[0], kWebAddress);
    // Opened, the link is visited, which shows as the same blue, and the click itself repaints
    // nothing: it stays red until the pointer leaves. Leaving lets the pointer go, so the
    // box's pointer input is its own again.
    ExpectLinkShows(kRed, "after the click");
    EXPECT_EQ(Focus(), GetDlgItem(about_, IDOK)) << "a click on the link takes no focus";
    MovePointer(linkSpy, OffTheLink());
    ExpectLinkShows(kBlue, "after leaving");
    EXPECT_EQ(Capture(), nullptr);

    // Visited, it hovers and opens again like a new link.
    MovePointer(linkSpy, InLink(30));
    ExpectLinkShows(kRed, "on the visited link");
    // Far enough from the first click that the platform does not make it a double click.
    xinput::Click(InLink(30));
    ASSERT_TRUE(PumpUntil([&] { return browser.Addresses().size() == 2; }, 15000));
    EXPECT_EQ(browser.Addresses()[1], kWebAddress);
    MovePointer(linkSpy, OffTheLink());
    ExpectLinkShows(kBlue, "after leaving again");
    EXPECT_EQ(Capture(), nullptr);
}

// Shows the box's link with a text of the test's own, which it then also opens.
class ThreadCallHook {
public:
    ThreadCallHook(DWORD thread, HOOKPROC procedure)
        : hook_(SetWindowsHookExA(WH_CALLWNDPROC, procedure, nullptr, thread)) {}
    ~ThreadCallHook() {
        if (hook_) {
            UnhookWindowsHookEx(hook_);
        }
    }
    ThreadCallHook(const ThreadCallHook&) = delete;
    ThreadCallHook& operator=(const ThreadCallHook&) = delete;
    bool Installed() const { return hook_ != nullptr; }

private:
    HHOOK hook_;
};

constexpr char kUnopenable[] = "C:\\prismel-no-such-page.html";

LRESULT CALLBACK ShowUnopenableTarget(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    char caption[32] = "";
    if (code == HC_ACTION && call->message == WM_INITDIALOG &&
        GetWindowTextA(call->hwnd, caption, sizeof caption) &&
        std::string(caption) == "About Prismel") {
        SetDlgItemTextA(call->hwnd, IDC_LINK, kUnopenable);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CALLBACK CollectVisibleOfThisProgram(HWND window, LPARAM found) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window)) {
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    }
    return TRUE;
}

// The top-level windows of this program that are visible.
std::vector<HWND> VisibleWindows() {
    std::vector<HWND> windows;
    EnumWindows(CollectVisibleOfThisProgram, reinterpret_cast<LPARAM>(&windows));
    std::sort(windows.begin(), windows.end());
    return windows;
}

TEST_F(AboutBoxTest, AFailedOpenChangesNothingAndShowsNothing) {
    FakeBrowser browser;
    ASSERT_TRUE(browser.Ready());
    const ThreadCallHook hook(ui_->Id(), ShowUnopenableTarget);
    ASSERT_TRUE(hook.Installed());
    OpenAboutBox();
    ASSERT_EQ(framework::WindowText(Link()), kUnopenable);
    const std::vector<HWND> windowsBefore = VisibleWindows();
    const MessageSpy linkSpy(Link());
    MovePointer(linkSpy, InLink());
    ExpectLinkShows(kRed, "on the link");

    const int presses = linkSpy.Count(WM_LBUTTONDOWN);
    xinput::Click(InLink());
    ASSERT_TRUE(PumpUntil([&] { return linkSpy.Count(WM_LBUTTONDOWN) > presses; }, 2000));
    ui_->Invoke([] {}); // the press has been handled
    // An address opened afterwards arrives alone: nothing went to the browser before it.
    const char marker[] = "http://prismel.example/after-the-failed-click";
    ASSERT_GT(reinterpret_cast<INT_PTR>(
                  ShellExecuteA(nullptr, "open", marker, nullptr, nullptr, SW_SHOW)),
              32);
    ASSERT_TRUE(PumpUntil([&] { return !browser.Addresses().empty(); }, 15000));
    EXPECT_EQ(browser.Addresses(), std::vector<std::string>{marker});
    ExpectLinkShows(kRed, "after the failed click");
    MovePointer(linkSpy, OffTheLink());
    ExpectLinkShows(kBlue, "after leaving");
    EXPECT_EQ(Capture(), nullptr);
}

TEST_F(AboutBoxTest, OnlyOkTakesTheFocusAndEnterEscapeAndTheCloseBoxEndTheBox) {
    OpenAboutBox();
    const HWND ok = GetDlgItem(about_, IDOK);
    EXPECT_EQ(Focus(), ok);
    EXPECT_EQ(GetNextDlgTabItem(about_, ok, FALSE), ok) << "the only tab stop";
    xinput::Key("Tab");
    EXPECT_EQ(Focus(), ok);
    // The link has no menu. Once it has had the release, a call on its thread runs after the
    // click's handling, or within the loop of a menu that the click opened.
    {
        const MessageSpy linkSpy(Link());
        xinput::RightClick(InLink());
        ASSERT_TRUE(PumpUntil([&] { return linkSpy.Count(WM_RBUTTONUP) > 0; }, 3000));
        ui_->Invoke([] {});
    }
    const HWND menu = FindWindowA("#32768", nullptr); // the platform's pop-up menus
    EXPECT_FALSE(menu && IsWindowVisible(menu)) << "a menu showed";

    xinput::Key("Return");
    EXPECT_TRUE(WaitClosed()) << "Enter";
    EXPECT_TRUE(IsWindowEnabled(Window()));
    OpenAboutBox();
    xinput::Key("Escape");
    EXPECT_TRUE(WaitClosed()) << "Escape";
    OpenAboutBox();
    xinput::Click(CloseBoxOf(about_));
    EXPECT_TRUE(WaitClosed()) << "the close box";
}

TEST_F(AboutBoxTest, ReopeningStartsTheLinkAfresh) {
    OpenAboutBox();
    {
        const MessageSpy linkSpy(Link());
        MovePointer(linkSpy, InLink());
        ExpectLinkShows(kRed, "on the link");
    }
    // Closed while the link is red and holds the pointer; the pointer then goes elsewhere.
    xinput::Key("Escape");
    ASSERT_TRUE(WaitClosed());
    xinput::MoveTo(AwayFromTheWindows());
    OpenAboutBox();
    ExpectLinkShows(kBlue, "reopened");
    EXPECT_EQ(Capture(), nullptr);
}

} // namespace
