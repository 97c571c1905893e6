// The hand-over's command line, what it may name, and the copy's run against a recording fake.
#include "hand_over.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace uninstall {
namespace {

const std::string kUninstaller = "C:\\Program Files (x86)\\Prismel\\uninstall.exe";
const std::string kFolder = "C:\\Program Files (x86)\\Prismel\\";

TEST(HandOverPath, NamesOnlyAnInstalledUninstallerByItsFullPath) {
    const std::string longest = "C:\\" + std::string(230, 'p') + "\\Prismel\\uninstall.exe";
    ASSERT_EQ(longest.size(), 255u);
    for (const std::string& path :
         {kUninstaller, longest, std::string("\\\\server\\share\\Prismel\\uninstall.exe"),
          std::string("d:\\Prismel\\uninstall.exe")}) {
        EXPECT_TRUE(NamesInstalledUninstaller(path.c_str())) << path;
    }
    for (const std::string& path : {
             "C:\\" + std::string(231, 'p') + "\\Prismel\\uninstall.exe", // 256 characters
             std::string("C:\\Windows\\notepad.exe"),
             std::string("C:\\Prismel\\Uninstall.exe"),
             std::string("C:\\Prismel\\uninstall.exe\\x"),
             std::string("C:\\NotPrismel\\uninstall.exe"),
             std::string("Prismel\\uninstall.exe"),
             std::string("\\Prismel\\uninstall.exe"),
             std::string("C:Prismel\\uninstall.exe"),
             std::string("C:\\a\\..\\Prismel\\uninstall.exe"),
             std::string("C:\\.\\Prismel\\uninstall.exe"),
             std::string("C:\\a\\\\Prismel\\uninstall.exe"),
             std::string("\\\\?\\C:\\Prismel\\uninstall.exe"),
             std::string("C:\\a*\\Prismel\\uninstall.exe"),
             std::string("C:\\a\"\\Prismel\\uninstall.exe"),
             std::string("C:\\a:b\\Prismel\\uninstall.exe"),
             std::string("C:/a\\Prismel\\uninstall.exe"),
             std::string("C:\\a\nb\\Prismel\\uninstall.exe"),
         }) {
        EXPECT_FALSE(NamesInstalledUninstaller(path.c_str())) << path;
    }
}

TEST(HandOverArguments, ReadBackExactlyAsComposed) {
    for (const std::uint32_t handle : {1u, 0x1F4u, 4294967295u}) {
        HandOverArguments arguments;
        ASSERT_TRUE(ComposeHandOverArguments(handle, kUninstaller.c_str(), arguments));
        EXPECT_TRUE(AsksForHandOver(arguments.data()));
        HandOverRequest request;
        ASSERT_TRUE(ReadHandOverArguments(arguments.data(), request)) << arguments.data();
        EXPECT_EQ(request.firstProcess, handle);
        EXPECT_EQ(std::string(request.uninstaller.data()), kUninstaller);
    }
    HandOverArguments arguments;
    EXPECT_FALSE(ComposeHandOverArguments(0, kUninstaller.c_str(), arguments));
    EXPECT_FALSE(ComposeHandOverArguments(7, "C:\\Windows\\notepad.exe", arguments));
    EXPECT_EQ(arguments[0], '\0');
}

TEST(HandOverArguments, RefuseEveryOtherForm) {
    const std::string path = "\"" + kUninstaller + "\"";
    const std::vector<std::string> forms = {
        "/prismel-hand-over 12 " + kUninstaller,
        "/prismel-hand-over 12 " + path + " ",
        "/prismel-hand-over 12 " + path + "x",
        "/prismel-hand-over 12  " + path,
        "/prismel-hand-over\t12 " + path,
        "/prismel-hand-over 012 " + path,
        "/prismel-hand-over 0 " + path,
        "/prismel-hand-over -12 " + path,
        "/prismel-hand-over 4294967296 " + path,
        "/prismel-hand-over 12345678901 " + path,
        "/prismel-hand-over " + path,
        "/prismel-hand-over 12 \"C:\\Windows\\notepad.exe\"",
        "/prismel-hand-over 12 \"" + kUninstaller,
        "/PRISMEL-HAND-OVER 12 " + path,
        std::string(""),
    };
    for (const std::string& commandLine : forms) {
        HandOverRequest request;
        EXPECT_FALSE(ReadHandOverArguments(commandLine.c_str(), request)) << commandLine;
    }
    HandOverRequest request;
    EXPECT_TRUE(ReadHandOverArguments(("  /prismel-hand-over 12 " + path).c_str(), request));
}

// Any command line whose first word is the switch is the copy's, refused or not; any other
// leaves the program taking no arguments.
TEST(HandOverArguments, AreAskedForByTheSwitchAsFirstWordOnly) {
    EXPECT_TRUE(AsksForHandOver("/prismel-hand-over"));
    EXPECT_TRUE(AsksForHandOver(" /prismel-hand-over nonsense"));
    EXPECT_FALSE(AsksForHandOver(""));
    EXPECT_FALSE(AsksForHandOver("/prismel-hand-overs 12"));
    EXPECT_FALSE(AsksForHandOver("/S /prismel-hand-over 12"));
}

TEST(HandOverCopy, IsNamedByItsPrefixAndADigitRun) {
    EXPECT_TRUE(NamesHandOverCopy("C:\\Temp\\Prismel-cleanup-1234.exe"));
    EXPECT_TRUE(NamesHandOverCopy("Prismel-cleanup-0.exe"));
    EXPECT_FALSE(NamesHandOverCopy("C:\\Prismel\\uninstall.exe"));
    EXPECT_FALSE(NamesHandOverCopy("C:\\Temp\\Prismel-cleanup-.exe"));
    EXPECT_FALSE(NamesHandOverCopy("C:\\Temp\\Prismel-cleanup-12.exe.bak"));
    EXPECT_FALSE(NamesHandOverCopy("C:\\Prismel-cleanup-1.exe\\uninstall.exe"));
}

class CRecordingFinish : public CFinishOperations {
public:
    bool isProcess = true;
    int attemptsUntilGone = 1;
    std::vector<std::string> calls;

    bool WaitForFirstProcess(std::uint32_t handle) override {
        calls.push_back("wait " + std::to_string(handle));
        return isProcess;
    }
    void RemoveFile(const char* path) override {
        calls.push_back(std::string("file ") + path);
        --attemptsUntilGone;
    }
    void RemoveFolder(const char* path) override { calls.push_back(std::string("folder ") + path); }
    bool ItemExists(const char*) override { return attemptsUntilGone > 0; }
    void Pause(unsigned milliseconds) override {
        calls.push_back("pause " + std::to_string(milliseconds));
    }
    void ScheduleOwnRemoval() override { calls.push_back("schedule own removal"); }
};

std::string CommandLine(std::uint32_t handle) {
    HandOverArguments arguments;
    EXPECT_TRUE(ComposeHandOverArguments(handle, kUninstaller.c_str(), arguments));
    return arguments.data();
}

TEST(FinishUninstall, WaitsThenRemovesTheFileAndItsFolderThenSchedulesItself) {
    CRecordingFinish finish;
    EXPECT_EQ(FinishUninstall(finish, CommandLine(88).c_str()), 0);
    EXPECT_EQ(finish.calls,
              (std::vector<std::string>{"wait 88", "file " + kUninstaller, "folder " + kFolder,
                                        "schedule own removal"}));
}

TEST(FinishUninstall, RetriesAFileStillHeldForAWhileThenGivesUp) {
    CRecordingFinish held;
    held.attemptsUntilGone = 3;
    EXPECT_EQ(FinishUninstall(held, CommandLine(5).c_str()), 0);
    EXPECT_EQ(held.calls,
              (std::vector<std::string>{"wait 5", "file " + kUninstaller, "pause 100",
                                        "file " + kUninstaller, "pause 100", "file " + kUninstaller,
                                        "folder " + kFolder, "schedule own removal"}));

    CRecordingFinish stuck;
    stuck.attemptsUntilGone = 1000;
    EXPECT_EQ(FinishUninstall(stuck, CommandLine(5).c_str()), 1);
    EXPECT_EQ(std::count(stuck.calls.begin(), stuck.calls.end(), "file " + kUninstaller),
              kRemovalAttempts);
    EXPECT_EQ(stuck.calls.back(), "schedule own removal");
}

TEST(FinishUninstall, TouchesNothingForARefusedRequestOrAHandleThatIsNoProcess) {
    CRecordingFinish refused;
    EXPECT_EQ(FinishUninstall(refused, "/prismel-hand-over 5 \"C:\\Windows\\notepad.exe\""), 1);
    EXPECT_EQ(refused.calls, std::vector<std::string>{});

    CRecordingFinish noProcess;
    noProcess.isProcess = false;
    EXPECT_EQ(FinishUninstall(noProcess, CommandLine(5).c_str()), 1);
    EXPECT_EQ(noProcess.calls, std::vector<std::string>{"wait 5"});
}

} // namespace
} // namespace uninstall
