// The portable release on a machine that has never seen Prismel: unpacked into a folder, the
// Tintview of this Windows' bitness starts from it, takes a colour from another program's window
// with real clicks and ends, leaving the folder, the registry and the machine as they were.
//   portable_e2e.exe RELEASE_FOLDER BOARD
// (Windows paths: the unpacked Prismel-<version> folder, and a colour board of the bitness of the
// Tintview under test: Wine runs a global hook only in processes of its library's bitness.)
#include "child_process.h"
#include "colour_board.h"
#include "handle_owners.h"
#include "message_pump.h"
#include "resources/resource_ids.h"
#include "window_frame.h"
#include "x_input.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace testing_support;

namespace {

std::string releaseFolder; // ending with "\"
std::string boardProgram;

// The file names in `folder`, sorted; folders end with "\".
std::vector<std::string> Listing(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") {
            names.push_back(name +
                            ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? "\\" : ""));
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

bool WindowsIs64Bit() {
    BOOL wow64 = FALSE; // this test program is a 32-bit one
    IsWow64Process(GetCurrentProcess(), &wow64);
    return wow64;
}

bool KeyExists(HKEY root, const char* path, REGSAM view) {
    HKEY key = nullptr;
    const LONG opened = RegOpenKeyExA(root, path, 0, KEY_READ | view, &key);
    const CUniqueRegistryKey owned(key);
    return opened == ERROR_SUCCESS;
}

TEST(PortableRelease, HoldsAFolderPerBuildWithTheProgramItsLibraryAndHelpAndAReadme) {
    const std::vector<std::string> build = {"Mousetap.dll", "Tintview.HLP", "Tintview.cnt",
                                            "Tintview.exe"};
    EXPECT_EQ(Listing(releaseFolder), (std::vector<std::string>{"README.txt", "x64\\", "x86\\"}));
    EXPECT_EQ(Listing(releaseFolder + "x64\\"), build);
    EXPECT_EQ(Listing(releaseFolder + "x86\\"), build);
}

TEST(PortableRelease, TintviewRunsFromTheFolderTakesAColourAndLeavesNothingBehind) {
    const std::string folder = releaseFolder + (WindowsIs64Bit() ? "x64\\" : "x86\\");
    const std::vector<std::string> before = Listing(folder);
    ColourBoard board(POINT{40, 10}, boardProgram);
    ASSERT_NE(board.Window(), nullptr);

    ChildProcess tintview("\"" + folder + "Tintview.exe\"", folder);
    ASSERT_TRUE(tintview.Started());
    const HWND window = tintview.WaitForWindow(15000, "#32770");
    ASSERT_NE(window, nullptr) << "no main window; exit code "
                               << tintview.WaitForExit(0).value_or(STILL_ACTIVE);
    SetForegroundWindow(window);
    const auto hexText = [&] { return TextOf(GetDlgItem(window, IDC_HEX_FIELD)); };

    xinput::Click(CentreOf(GetDlgItem(window, IDC_SNAP)));
    xinput::Click(board.AreaCentre(2));
    EXPECT_TRUE(PumpUntil([&] { return hexText() == "00A0FF"; }, 5000))
        << "the board's colour was not taken: " << hexText();
    xinput::Click(CentreOf(GetDlgItem(window, IDC_SNAP))); // ends sampling
    board.ClearLog();
    xinput::Click(board.AreaCentre(1));
    EXPECT_TRUE(PumpUntil(
        [&] {
            const auto messages = board.MouseMessages();
            return std::count(messages.begin(), messages.end(), WM_LBUTTONUP) == 1;
        },
        5000))
        << "the board does not get its clicks after sampling";
    EXPECT_EQ(hexText(), "00A0FF") << "a click after sampling was taken";

    SendMessageA(GetDlgItem(window, IDC_EXIT), BM_CLICK, 0, 0);
    EXPECT_EQ(tintview.WaitForExit(10000), 0u);
    EXPECT_EQ(Listing(folder), before) << "the folder changed";
    for (const REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Prismel1.00", view))
            << "a portable copy has no record";
    }
}

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: portable_e2e RELEASE_FOLDER BOARD\n");
        return 2;
    }
    releaseFolder = argv[1];
    boardProgram = argv[2];
    if (releaseFolder.back() != '\\') {
        releaseFolder += '\\';
    }
    return RUN_ALL_TESTS();
}
