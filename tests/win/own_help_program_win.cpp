// Tintview.exe itself where the help viewer is the stub of Windows 10 and 11, and how the stub is
// recognised. Runs in a prefix whose C:\windows\winhlp32.exe is a stand-in with the stub's
// version record that logs each start (run-with-help-stub.sh); a help request reaching the
// platform would start it.
#include "help_window/help_viewer_stub.h"
#include "message_pump.h"
#include "resources/resource_ids.h"
#include "test_paths.h"
#include "tintview_process.h"
#include "x_input.h"

#include <gtest/gtest.h>
#include <psapi.h>

#include <algorithm>
#include <fstream>
#include <sstream>

using namespace testing_support;

namespace {

std::string WindowsFolder() {
    char folder[MAX_PATH];
    const UINT length = GetSystemWindowsDirectoryA(folder, MAX_PATH);
    return std::string(folder, length);
}

// Where the stand-in logs its starts: beside itself.
std::string StandInLog() {
    return WindowsFolder() + "\\help-stub-started.log";
}

std::string ReadLog() {
    std::stringstream text;
    text << std::ifstream(StandInLog(), std::ios::binary).rdbuf();
    return text.str();
}

// Whether the process has the library of that file name loaded.
bool HasLoaded(HANDLE process, const std::string& library) {
    HMODULE modules[512];
    DWORD bytes = 0;
    if (!EnumProcessModules(process, modules, sizeof modules, &bytes)) {
        ADD_FAILURE() << "the process's libraries cannot be listed";
        return false;
    }
    for (DWORD i = 0; i < bytes / sizeof(HMODULE); ++i) {
        char name[MAX_PATH] = "";
        GetModuleBaseNameA(process, modules[i], name, MAX_PATH);
        std::string lower = name;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (lower == library) {
            return true;
        }
    }
    return false;
}

TEST(StubRecognition, TheWindowsFoldersViewerWithAStubRecordIsOneAndNothingElseIs) {
    EXPECT_EQ(picker::HelpViewerProgram(), WindowsFolder() + "\\winhlp32.exe");
    EXPECT_TRUE(picker::IsDescribedAsStub(picker::HelpViewerProgram()))
        << "the stand-in is not recognised";
    // Wine's own viewer has no version record; Tintview's says "Prismel colour picker".
    const char* wineViewer = std::getenv("PRISMEL_WINE_VIEWER");
    ASSERT_NE(wineViewer, nullptr) << "run through run-with-help-stub.sh";
    ASSERT_NE(GetFileAttributesA(wineViewer), INVALID_FILE_ATTRIBUTES) << wineViewer;
    EXPECT_FALSE(picker::IsDescribedAsStub(wineViewer));
    EXPECT_FALSE(picker::IsDescribedAsStub(BesideTest("Tintview.exe")));
    EXPECT_FALSE(picker::IsDescribedAsStub(WindowsFolder() + "\\no-such-viewer.exe"));
    EXPECT_FALSE(picker::IsDescribedAsStub(""));
}

TEST(OwnHelpProgram, HelpOpensTintviewsOwnWindowEscAndExitCloseItAndTheStubNeverStarts) {
    DeleteFileA(StandInLog().c_str());
    TintviewProcess tintview;
    ASSERT_TRUE(tintview.Shown());
    // The rich-edit control is not loaded at start-up. (Nor are the version functions that
    // recognise the stub, but that cannot be seen here: Wine's own advapi32 loads version.dll
    // into every process.)
    EXPECT_FALSE(HasLoaded(tintview.Process().Handle(), "msftedit.dll"));

    xinput::Click(tintview.Centre(ID_HELP));
    HWND help = tintview.Process().WaitForWindow(10000, "PrismelHelpWindow");
    ASSERT_NE(help, nullptr) << "HELP opened no help window in Tintview";
    EXPECT_EQ(TextOf(help), "Tintview Help");
    EXPECT_EQ(GetWindow(help, GW_OWNER), tintview.Window());
    EXPECT_EQ(TextOf(GetDlgItem(help, 102)).rfind("Tintview Help\r", 0), 0u)
        << TextOf(GetDlgItem(help, 102)).substr(0, 80);
    EXPECT_TRUE(HasLoaded(tintview.Process().Handle(), "msftedit.dll"));

    // Esc closes the help, not Tintview: F1 then opens it again.
    xinput::Key("Escape");
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(help); }, 5000)) << "Esc left the help open";
    xinput::Click(tintview.Centre(IDC_RED_FIELD));
    xinput::Key("F1");
    help = tintview.Process().WaitForWindow(10000, "PrismelHelpWindow");
    ASSERT_NE(help, nullptr) << "F1 opened no help window; Tintview ended: "
                             << tintview.Process().WaitForExit(0).has_value();

    // The help opens beside Tintview, so EXIT stays in reach; it ends the program and the help.
    xinput::Click(tintview.TitleBar());
    xinput::Click(tintview.Centre(IDC_EXIT));
    EXPECT_EQ(tintview.Process().WaitForExit(5000), 0u);
    EXPECT_FALSE(IsWindow(help)) << "the help outlived Tintview";

    EXPECT_EQ(ReadLog(), "") << "Tintview started the platform's help viewer";
    // A help request does start the stand-in here, so the empty log above means something.
    WinHelpA(GetDesktopWindow(), BesideTest("Tintview.HLP").c_str(), HELP_FINDER, 0);
    EXPECT_TRUE(PumpUntil([] { return ReadLog().find("started") != std::string::npos; }, 10000))
        << "a help request did not start the stand-in";
    DeleteFileA(StandInLog().c_str());
}

} // namespace
