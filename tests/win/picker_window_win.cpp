// The main window as it starts: its template, focus, system menu, help routing and the ways to
// end it from the keyboard.
#include "picker_fixture.h"

#include "dialog_template.h"
#include "fake_help_viewer.h"
#include "message_pump.h"
#include "resources/resource_ids.h"
#include "x_input.h"

#include <commctrl.h>

#include <vector>

using namespace testing_support;

namespace {

// Buttons: a push button, never the default one; sliders: horizontal.
constexpr DWORD kButtonKind = 0x0F;
constexpr DWORD kSlider = TBS_NOTICKS | TBS_BOTH | WS_TABSTOP;
constexpr DWORD kField = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kPicture = BS_PUSHBUTTON | BS_BITMAP | WS_TABSTOP;

const std::vector<ExpectedControl> kTemplate = {
    {1006, "Edit", nullptr, {268, 17, 41, 12}, kField | ES_UPPERCASE},
    {1000, "msctls_trackbar32", "Slider1", {24, 19, 170, 13}, kSlider, TBS_VERT},
    {1001, "msctls_trackbar32", "Slider2", {24, 34, 170, 13}, kSlider, TBS_VERT},
    {1002, "msctls_trackbar32", "Slider3", {24, 48, 170, 13}, kSlider, TBS_VERT},
    {1003, "Edit", nullptr, {198, 19, 26, 12}, kField},
    {1004, "Edit", nullptr, {198, 33, 26, 12}, kField},
    {1005, "Edit", nullptr, {198, 47, 26, 12}, kField},
    {0xFFFF, "Static", "R:", {17, 21, 9, 8}, WS_GROUP},
    {0xFFFF, "Static", "G:", {17, 36, 9, 8}, WS_GROUP},
    {0xFFFF, "Static", "B:", {17, 50, 9, 8}, WS_GROUP},
    {0xFFFF, "Button", "Choose Decimal Color Value", {7, 7, 224, 56}, BS_GROUPBOX, kButtonKind},
    {0xFFFF, "Static", "RGB: ", {245, 19, 22, 8}, WS_GROUP},
    {1012, "Static", "", {250, 32, 56, 26}, WS_BORDER},
    {0xFFFF, "Button", "Result (Hex)", {237, 7, 79, 56}, BS_GROUPBOX, kButtonKind},
    {1013, "Button", "Snap", {321, 8, 23, 17}, kPicture, kButtonKind},
    {1014, "Button", "EXIT", {321, 27, 23, 17}, kPicture, kButtonKind},
    {0xE146, "Button", "HELP", {321, 46, 23, 17}, kPicture, kButtonKind},
};

class PickerStartTest : public PickerWindowTest {
protected:
    // The window's keyboard focus, as its own thread sees it.
    HWND Focus() const {
        HWND focus = nullptr;
        ui_->Invoke([&] { focus = GetFocus(); });
        return focus;
    }
    // Puts text in a field that the change handler never sees: were it seen, the handler would
    // at once write the last good value back. The field's identifier is changed meanwhile, so
    // no handler runs.
    void SetTextUnseen(UINT fieldId, const char* text) {
        const HWND field = Control(fieldId);
        ui_->Invoke([&] {
            SetWindowLongPtrA(field, GWLP_ID, 0x7FFF);
            SetWindowTextA(field, text);
            SetWindowLongPtrA(field, GWLP_ID, fieldId);
        });
    }
};

TEST_F(PickerStartTest, TheWindowIsTheTemplateCentredOnItsWorkArea) {
    ExpectDialogFrame(Window(), "Prismel", {351, 70},
                      WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME,
                      WS_MAXIMIZEBOX | WS_THICKFRAME);
    EXPECT_TRUE(GetWindowLongA(Window(), GWL_EXSTYLE) & WS_EX_APPWINDOW);

    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(Window(), MONITOR_DEFAULTTONEAREST), &monitor);
    RECT frame;
    GetWindowRect(Window(), &frame);
    EXPECT_NEAR(frame.left + frame.right, monitor.rcWork.left + monitor.rcWork.right, 1);
    EXPECT_NEAR(frame.top + frame.bottom, monitor.rcWork.top + monitor.rcWork.bottom, 1);
}

TEST_F(PickerStartTest, ControlsFollowTheTemplateInCreationAndTabOrder) {
    ExpectControls(Window(), kTemplate);

    // Tab goes round the stops in creation order, starting at the focused hexadecimal field.
    const UINT tabOrder[] = {1006, 1000, 1001, 1002, 1003, 1004, 1005, 1013, 1014, 0xE146, 1006};
    HWND focus = nullptr;
    ui_->Invoke([&] { focus = GetFocus(); });
    EXPECT_EQ(focus, Control(IDC_HEX_FIELD));
    for (size_t i = 0; i + 1 < std::size(tabOrder); ++i) {
        EXPECT_EQ(GetNextDlgTabItem(Window(), Control(tabOrder[i]), FALSE),
                  Control(tabOrder[i + 1]))
            << "after " << tabOrder[i];
    }
}

TEST_F(PickerStartTest, FieldsStartAtBlackAndTheHexFieldTakesSixCharacters) {
    EXPECT_EQ(Text(IDC_RED_FIELD), "0");
    EXPECT_EQ(Text(IDC_GREEN_FIELD), "0");
    EXPECT_EQ(Text(IDC_BLUE_FIELD), "0");
    EXPECT_EQ(Text(IDC_HEX_FIELD), "000000");
    EXPECT_EQ(SendMessageA(Control(IDC_HEX_FIELD), EM_GETLIMITTEXT, 0, 0), 6);
    for (UINT slider : {IDC_RED_SLIDER, IDC_GREEN_SLIDER, IDC_BLUE_SLIDER}) {
        EXPECT_EQ(SendMessageA(Control(slider), TBM_GETRANGEMIN, 0, 0), 0);
        EXPECT_EQ(SendMessageA(Control(slider), TBM_GETRANGEMAX, 0, 0), 255);
    }
    // The first key replaces the selected text, as the whole text is selected at start.
    DWORD start = 1, end = 0;
    SendMessageA(Control(IDC_HEX_FIELD), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 6u);
}

TEST_F(PickerStartTest, SystemMenuEndsWithTheAboutItemWhichOpensTheAboutBox) {
    const HMENU menu = GetSystemMenu(Window(), FALSE);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    MENUITEMINFOA separator{};
    separator.cbSize = sizeof separator;
    separator.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(menu, count - 2, TRUE, &separator);
    EXPECT_TRUE(separator.fType & MFT_SEPARATOR);
    char text[64] = "";
    GetMenuStringA(menu, count - 1, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&About Prismel...");
    EXPECT_EQ(GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_ABOUTBOX));

    PostMessageA(Window(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    HWND about = nullptr;
    PumpUntil(
        [&] { return (about = FindWindowA("#32770", "About Prismel")) && IsWindowVisible(about); },
        5000);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(GetWindow(about, GW_OWNER), Window());
    EXPECT_FALSE(IsWindowEnabled(Window())) << "the main window waits while the box is open";
    SendMessageA(GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(about); }, 5000));
    EXPECT_TRUE(IsWindowEnabled(Window()));
}

TEST_F(PickerStartTest, HelpButtonAndF1OpenTheContentsOfTheProgramsHelpFile) {
    FakeHelpViewer viewer;
    char path[MAX_PATH];
    std::string helpFile(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    helpFile = helpFile.substr(0, helpFile.find_last_of('.')) + ".HLP";

    xinput::Click(Centre(ID_HELP));
    ASSERT_TRUE(PumpUntil([&] { return viewer.Requests().size() == 1; }, 5000));
    xinput::Click(Centre(IDC_GREEN_FIELD));
    xinput::Key("F1");
    ASSERT_TRUE(PumpUntil([&] { return viewer.Requests().size() == 2; }, 5000));
    for (const HelpRequest& request : viewer.Requests()) {
        EXPECT_EQ(request.file, helpFile);
        EXPECT_EQ(request.command, static_cast<UINT>(HELP_FINDER)) << "contents, not a topic";
        EXPECT_EQ(request.data, 0);
        EXPECT_EQ(request.owner, Window());
    }
    // Each modified F1 is followed by a Tab, which the window handles after it: once the focus
    // has moved on, the key before it has been handled too.
    const std::pair<const char*, UINT> modifiedThenTab[] = {
        {"shift+F1", IDC_BLUE_FIELD}, {"ctrl+F1", IDC_SNAP}, {"alt+F1", IDC_EXIT}};
    for (const auto& [modified, nextStop] : modifiedThenTab) {
        xinput::Key(modified);
        xinput::Key("Tab");
        ASSERT_TRUE(PumpUntil([&] { return Focus() == Control(nextStop); }, 3000))
            << "the Tab after " << modified << " was not handled";
        EXPECT_EQ(viewer.Requests().size(), 2u) << modified << " asked for help";
    }

    // Ending the program closes a viewer it opened.
    xinput::Key("Escape");
    ASSERT_TRUE(Ended(5000));
    ASSERT_EQ(viewer.Requests().size(), 3u);
    EXPECT_EQ(viewer.Requests()[2].command, static_cast<UINT>(HELP_QUIT));
    EXPECT_EQ(viewer.Requests()[2].file, helpFile);
}

TEST_F(PickerStartTest, AViewerThatCannotStartIsReported) {
    FakeHelpViewer viewer(/*starts=*/false);
    xinput::Click(Centre(ID_HELP));
    const auto box = WaitForMessageBox(ProgramName());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, "Failed to launch help.");
    EXPECT_EQ(box->icon, LoadIconA(nullptr, IDI_WARNING));
    EXPECT_EQ(box->owner, Window());
    DismissMessageBox(*box);
}

TEST_F(PickerStartTest, EnterEndsTheRunWhenEveryFieldReadsBack) {
    xinput::Click(Centre(IDC_BLUE_FIELD));
    xinput::Key("Return");
    EXPECT_TRUE(Ended(5000));
    EXPECT_FALSE(IsWindow(Window()));
}

TEST_F(PickerStartTest, EnterWithAnInvalidFieldWarnsAndTheWindowStays) {
    SetTextUnseen(IDC_RED_FIELD, "12x");
    const HWND red = Control(IDC_RED_FIELD);
    xinput::Click(Centre(IDC_BLUE_FIELD));
    xinput::Key("Return");
    ExpectWarning("Please enter an integer.");
    HWND focus = nullptr;
    DWORD start = 1, end = 0;
    ui_->Invoke([&] {
        focus = GetFocus();
        SendMessageA(red, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
    });
    EXPECT_EQ(focus, red) << "the failing field gets the focus";
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 3u) << "with its whole text selected";
    // A key typed afterwards replaces that text: the window took it after Enter's handling.
    xinput::Type("7");
    EXPECT_TRUE(WaitForText(IDC_RED_FIELD, "7"));
    EXPECT_FALSE(Ended(0)) << "Enter ended the run after its warning";
}

TEST_F(PickerStartTest, EscapeEndsTheRunWithoutReadingTheFields) {
    SetTextUnseen(IDC_RED_FIELD, "not a number");
    xinput::Click(Centre(IDC_BLUE_FIELD));
    xinput::Key("Escape");
    // A warning would have held the run open until it was answered.
    EXPECT_TRUE(Ended(5000));
    EXPECT_TRUE(NoMessageBoxFor(ProgramName(), 0));
}

} // namespace
