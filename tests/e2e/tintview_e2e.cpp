// Tintview as a user runs it: its own process, real clicks and keys, the real help viewer.
#include "tintview_process.h"

#include "help_viewer.h"
#include "message_pump.h"
#include "resources/resource_ids.h"
#include "test_paths.h"
#include "x_input.h"

#include <gtest/gtest.h>

#include <functional>

using namespace testing_support;

namespace {

TEST(Tintview, ExitEndsTheProgramWithCodeZero) {
    TintviewProcess tintview;
    ASSERT_TRUE(tintview.Shown());
    xinput::Click(tintview.Centre(IDC_EXIT));
    EXPECT_EQ(tintview.Process().WaitForExit(5000), 0u);
}

TEST(Tintview, EscapeAltF4TheCloseBoxAndEnterEndTheProgram) {
    const std::pair<const char*, std::function<void(TintviewProcess&)>> ways[] = {
        {"Escape", [](TintviewProcess&) { xinput::Key("Escape"); }},
        {"Alt+F4", [](TintviewProcess&) { xinput::Key("alt+F4"); }},
        {"the close box", [](TintviewProcess& t) { xinput::Click(t.CloseBox()); }},
        {"Enter in a field",
         [](TintviewProcess& t) {
             xinput::Click(t.Centre(IDC_GREEN_FIELD));
             xinput::Key("Return");
         }},
    };
    for (const auto& [name, end] : ways) {
        TintviewProcess tintview;
        ASSERT_TRUE(tintview.Shown()) << name;
        end(tintview);
        EXPECT_TRUE(tintview.Process().WaitForExit(5000).has_value()) << name << " did not end it";
    }
}

TEST(Tintview, HelpAndF1OpenTheHelpContentsAndExitClosesTheViewer) {
    // The viewer would block on a "Cannot find" box without the file.
    const DWORD attributes = GetFileAttributesA(BesideTest("Tintview.HLP").c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << "Tintview.HLP is not beside Tintview.exe";
    help_viewer::CloseAllViewers();
    TintviewProcess tintview;
    ASSERT_TRUE(tintview.Shown());

    auto expectContents = [] {
        const auto shown = help_viewer::WaitForTopic("Tintview Help", 15000);
        EXPECT_EQ(shown.error, "");
        ASSERT_NE(shown.window, nullptr) << "the viewer showed: " << shown.text;
        EXPECT_EQ(shown.caption, "Tintview Help");
        EXPECT_NE(shown.text.find("Tintview composes a colour"), std::string::npos) << shown.text;
    };
    xinput::Click(tintview.Centre(ID_HELP));
    expectContents();

    PostMessageA(help_viewer::FindViewer(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(help_viewer::WaitUntilClosed(5000));
    xinput::Click(tintview.TitleBar());
    xinput::Click(tintview.Centre(IDC_RED_FIELD));
    xinput::Key("F1");
    expectContents();

    // The viewer opens over the picker; a user would move it aside to reach EXIT.
    RECT picker;
    GetWindowRect(tintview.Window(), &picker);
    SetWindowPos(help_viewer::FindViewer(), nullptr, 0, picker.bottom + 4, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    xinput::Click(tintview.TitleBar());
    xinput::Click(tintview.Centre(IDC_EXIT));
    EXPECT_EQ(tintview.Process().WaitForExit(5000), 0u);
    EXPECT_TRUE(help_viewer::WaitUntilClosed(5000)) << "the viewer outlived the program";
    help_viewer::CloseAllViewers();
}

} // namespace
