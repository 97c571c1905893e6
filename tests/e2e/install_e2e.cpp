// Prismel's setup program on a machine that has never seen Prismel: an unattended install lays
// every file, shortcut and registry value that uninstall.exe relies on; Tintview starts from
// the installed copy; the installed uninstall.exe removes it again. The cases run in order, as a
// user goes, on the one machine (a Wine prefix made for this run).
//   install_e2e.exe SETUP WIN64_BIN WIN32_BIN      (Windows paths; the two builds' bin folders)
#include "child_process.h"
#include "handle_owners.h"
#include "closing_message.h"
#include "file_facts.h"
#include "hand_over_traces.h"
#include "install_layout.h"
#include "installed_copy.h"
#include "message_pump.h"
#include "registry_record.h"
#include "resources/resource_ids.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

namespace install_test {
namespace {

struct Arguments {
    std::string setup;
    std::string win64Bin; // each ending with "\"
    std::string win32Bin;
} arguments;

const char kProgramListKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Prismel";

using HandleOwner = testing_support::CUniqueKernelObject;

const CInstalledCopy& Copy() {
    static const CInstalledCopy copy(ExpectedPlaces());
    return copy;
}

std::string Built(const std::string& name, bool of64BitBuild) {
    return (of64BitBuild ? arguments.win64Bin : arguments.win32Bin) + name;
}

bool RunsUnderWow64() {
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    return wow64;
}

// What a console program writes, once it has ended.
std::string OutputOf(const std::string& commandLine) {
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE rawRead = nullptr, rawWrite = nullptr;
    if (!CreatePipe(&rawRead, &rawWrite, &inheritable, 0)) {
        return "";
    }
    const HandleOwner read(rawRead);
    HandleOwner write(rawWrite);
    SetHandleInformation(read.get(), HANDLE_FLAG_INHERIT, 0); // only the program's end is given
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = write.get();
    PROCESS_INFORMATION info{};
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &info)) {
        return "";
    }
    const HandleOwner process(info.hProcess), thread(info.hThread);
    write.reset(); // the pipe ends when the program's copy of it closes
    std::string output;
    char chunk[512];
    DWORD got = 0;
    while (ReadFile(read.get(), chunk, sizeof chunk, &got, nullptr) && got > 0) {
        output.append(chunk, got);
    }
    WaitForSingleObject(process.get(), 10000);
    return output;
}

std::string ImagePath(HANDLE process) {
    char path[MAX_PATH] = "";
    DWORD length = MAX_PATH;
    QueryFullProcessImageNameA(process, 0, path, &length);
    return path;
}

// The setup's exit code, run unattended; `folder` is the installation folder to choose.
std::optional<DWORD> RunSetup(const std::string& folder = "") {
    // /D= comes last and unquoted, spaces and all.
    return testing_support::RunToEnd(
        "\"" + arguments.setup + "\" /S" + (folder.empty() ? "" : " /D=" + folder), 60000);
}

const std::vector<std::string> kNoValues;

TEST(Setup, RunsUnattendedOnAMachineWithoutPrismelAndEndsWithCodeZero) {
    ASSERT_FALSE(uninstall_test::CRecordInView(KEY_WOW64_32KEY).KeyExists())
        << "not a fresh machine";
    ASSERT_EQ(Take(Copy()).present, std::vector<std::string>{}) << "not a fresh machine";
    EXPECT_EQ(RunSetup(), 0u);
}

TEST(Setup, LaysEveryFileShortcutAndFolderOfTheUninstallersList) {
    EXPECT_EQ(Take(Copy()).present, Copy().Items());
}

TEST(Setup, InstallsThePairOfThisWindowsBitnessAndThe32BitUninstaller) {
    const bool x64 = Copy().Where().ships64Bit;
    for (const char* name : {"Tintview.exe", "Mousetap.dll"}) {
        EXPECT_EQ(Bitness(Copy().Folder() + name), x64 ? 64 : 32) << name;
        EXPECT_TRUE(SameContent(Copy().Folder() + name, Built(name, x64))) << name;
    }
    EXPECT_EQ(Bitness(Copy().Uninstaller()), 32);
    EXPECT_TRUE(SameContent(Copy().Uninstaller(), Built("uninstall.exe", false)));
    EXPECT_TRUE(SameContent(Copy().Folder() + "Tintview.hlp", Built("Tintview.HLP", false)));
    EXPECT_TRUE(SameContent(Copy().Folder() + "Tintview.cnt", Built("Tintview.cnt", false)));
}

TEST(Setup, InstalledProgramsCarryVersionRecordsButTheUninstallerNone) {
    const std::pair<const char*, DWORD> recorded[] = {{"Tintview.exe", VFT_APP},
                                                      {"Mousetap.dll", VFT_DLL}};
    for (const auto& [name, type] : recorded) {
        const std::optional<VersionRecord> record = ReadVersionRecord(Copy().Folder() + name);
        ASSERT_TRUE(record) << name;
        EXPECT_EQ(std::make_pair(record->major, record->minor), std::make_pair(WORD{1}, WORD{0}))
            << name;
        EXPECT_EQ(record->fileType, type) << name;
        EXPECT_EQ(record->productVersion, "1.0") << name;
        EXPECT_EQ(record->originalFilename, name);
    }
    EXPECT_FALSE(ReadVersionRecord(Copy().Uninstaller()));
}

TEST(Setup, InstalledTintviewCarriesItsManifestTheOthersNone) {
    const std::string manifest =
        EmbeddedManifest(Copy().Folder() + "Tintview.exe").value_or("(none)");
    EXPECT_NE(manifest.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/"
                            "WindowsSettings\">true/pm</dpiAware>"),
              std::string::npos)
        << manifest;
    EXPECT_NE(manifest.find("<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/"
                            "WindowsSettings\">PerMonitorV2, PerMonitor</dpiAwareness>"),
              std::string::npos)
        << manifest;
    EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\""), std::string::npos);
    EXPECT_FALSE(EmbeddedManifest(Copy().Folder() + "Mousetap.dll"));
    EXPECT_FALSE(EmbeddedManifest(Copy().Uninstaller()));
}

TEST(Setup, ShortcutsStartTheInstalledFilesInTheInstallationFolder) {
    const std::pair<std::string, std::string> shortcuts[] = {
        {Copy().GroupFolder() + "Tintview.exe.lnk", Copy().Folder() + "Tintview.exe"},
        {Copy().GroupFolder() + "Tintview.hlp.lnk", Copy().Folder() + "Tintview.hlp"},
        {Copy().GroupFolder() + "uninstall.exe.lnk", Copy().Uninstaller()},
        {Copy().DesktopShortcut(), Copy().Folder() + "Tintview.exe"},
    };
    for (const auto& [path, target] : shortcuts) {
        const std::optional<Shortcut> shortcut = ReadShortcut(path);
        ASSERT_TRUE(shortcut) << path;
        EXPECT_TRUE(SamePath(shortcut->target, target)) << path << " -> " << shortcut->target;
        EXPECT_TRUE(SamePath(shortcut->workingFolder + "\\", Copy().Folder()))
            << path << " starts in " << shortcut->workingFolder;
    }
}

TEST(Setup, RecordsTheThreeFoldersInThe32BitViewEachEndingWithASeparator) {
    const Places& places = Copy().Where();
    const std::string key = uninstall_test::kRecordKey;
    EXPECT_EQ(MachineString32(key, "InstallPath"), places.base);
    EXPECT_EQ(MachineString32(key, "CommonPath"), places.group);
    EXPECT_EQ(MachineString32(key, "DeskPath"), places.desk);
    if (RunsUnderWow64()) {
        EXPECT_FALSE(uninstall_test::CRecordInView(KEY_WOW64_64KEY).KeyExists())
            << "the 64-bit view, which the shipped uninstaller never reads";
    }
}

TEST(Setup, ListsPrismelAmongTheInstalledProgramsWithItsUninstaller) {
    EXPECT_EQ(MachineString32(kProgramListKey, "DisplayName"), "Prismel");
    EXPECT_EQ(MachineString32(kProgramListKey, "DisplayVersion"), "1.0");
    EXPECT_EQ(MachineString32(kProgramListKey, "UninstallString"),
              "\"" + Copy().Uninstaller() + "\"");
    // Wine's own tool for the list of installed programs: "key|||name" per program.
    EXPECT_NE(OutputOf("uninstaller.exe --list").find("Prismel|||Prismel"), std::string::npos);
}

// Started as the shell starts a shortcut: its target, in its working folder. (Wine's
// ShellExecuteEx starts a shortcut's program but hands back no process to wait for.)
TEST(Setup, TintviewStartsAsItsDesktopShortcutSaysAndExitEndsItWithCodeZero) {
    const std::optional<Shortcut> shortcut = ReadShortcut(Copy().DesktopShortcut());
    ASSERT_TRUE(shortcut);
    testing_support::ChildProcess tintview("\"" + shortcut->target + "\"", shortcut->workingFolder);
    ASSERT_TRUE(tintview.Started()) << shortcut->target;

    const HWND window = tintview.WaitForWindow(15000, "#32770");
    ASSERT_TRUE(window) << "no main window; exit code "
                        << tintview.WaitForExit(0).value_or(STILL_ACTIVE);
    char caption[64] = "";
    GetWindowTextA(window, caption, sizeof caption);
    EXPECT_STREQ(caption, "Prismel");
    EXPECT_TRUE(SamePath(ImagePath(tintview.Handle()), Copy().Folder() + "Tintview.exe"));
    SendMessageA(GetDlgItem(window, IDC_EXIT), BM_CLICK, 0, 0);
    EXPECT_EQ(tintview.WaitForExit(10000), 0u);
}

// Decoys a careless uninstall could take: a folder beside the installation folder, files named
// like ours above it, another program's entry in the list of installed programs, and Prismel's
// entry in the list of the registry view the shipped uninstaller never reads.
struct Decoys {
    std::vector<std::string> files;
    bool otherView = false;

    explicit Decoys(const CInstalledCopy& copy) {
        const std::string base = copy.Where().base;
        files = {base + "Prismel2\\uninstall.exe", base + "Prismel2\\Tintview.exe",
                 base + "uninstall.exe", copy.Where().desk + "Tintview.exe"};
        for (const std::string& file : files) {
            uninstall_test::LayFile(file);
        }
        uninstall_test::CProgramListInView(KEY_WOW64_32KEY).LayEntry("Prismel2", files[0]);
        otherView = RunsUnderWow64();
        if (otherView) {
            uninstall_test::CProgramListInView(KEY_WOW64_64KEY).LayEntry("Prismel", files[0]);
        }
    }
    void ExpectIntact() const {
        for (const std::string& file : files) {
            EXPECT_TRUE(uninstall_test::Exists(file)) << file;
        }
        EXPECT_TRUE(uninstall_test::CProgramListInView(KEY_WOW64_32KEY).HasEntry("Prismel2"));
        if (otherView) {
            EXPECT_TRUE(uninstall_test::CProgramListInView(KEY_WOW64_64KEY).HasEntry("Prismel"));
        }
    }
};

// Deleted at the next start of Windows: a restart, as `wineboot -r` carries it out.
void RestartWindows() {
    ASSERT_EQ(testing_support::RunToEnd("wineboot.exe -r", 120000), 0u);
}

// Started as its shortcut and the list of programs start it, from the installation folder. It
// cannot delete its own running program file: a copy of it in the temporary folder removes that
// file and the folder once it has ended, and is itself deleted at the next start of Windows.
TEST(Uninstall, TheInstalledUninstallerRemovesEverythingItselfIncludedAndEndsWithCodeZero) {
    const Decoys decoys(Copy());
    ASSERT_EQ(uninstall_test::HandOverCopies(), kNoValues) << "not a fresh machine";
    const uninstall_test::UninstallerRun run =
        uninstall_test::RunUninstaller(Copy().Uninstaller(), Copy().Folder());
    EXPECT_TRUE(run.messageShown);
    EXPECT_EQ(run.caption, "Uninstall Information");
    EXPECT_EQ(run.text, "Prismel has been uninstalled successfully.");
    EXPECT_EQ(run.exitCode, 0u);

    EXPECT_TRUE(uninstall_test::WaitUntilGone({Copy().Uninstaller(), Copy().Folder()}, 10000));
    const Survey after = Take(Copy());
    EXPECT_EQ(after.present, kNoValues);
    EXPECT_TRUE(after.recordKey) << "the key stays; only its three values go";
    EXPECT_EQ(after.recordValues, kNoValues);
    EXPECT_FALSE(uninstall_test::CProgramListInView(KEY_WOW64_32KEY).HasEntry("Prismel"));
    EXPECT_EQ(OutputOf("uninstaller.exe --list").find("Prismel|||Prismel"), std::string::npos);
    decoys.ExpectIntact();

    EXPECT_TRUE(uninstall_test::WaitForHandOverCopiesToEnd(10000));
    const std::vector<std::string> copies = uninstall_test::HandOverCopies();
    ASSERT_EQ(copies.size(), 1u) << "the copy that finished the uninstall";
    const std::vector<std::string> pending = uninstall_test::PendingDeletions();
    EXPECT_NE(std::find_if(pending.begin(), pending.end(),
                           [&](const std::string& path) { return SamePath(path, copies[0]); }),
              pending.end());
    RestartWindows();
    EXPECT_EQ(uninstall_test::HandOverCopies(), kNoValues);
    EXPECT_EQ(uninstall_test::PendingDeletions(), kNoValues);
    decoys.ExpectIntact();
}

TEST(Uninstall, ASecondRunEndsWithCodeOneAndTouchesNothing) {
    // Every listed item back in place, as though the first run had left it all.
    for (const std::string& item : Copy().Items()) {
        if (item.back() == '\\') {
            uninstall_test::MakeFolders(item);
        } else if (item == Copy().Uninstaller()) {
            ASSERT_TRUE(CopyFileA(Built("uninstall.exe", false).c_str(), item.c_str(), FALSE));
        } else if (!uninstall_test::Exists(item)) {
            uninstall_test::LayFile(item);
        }
    }
    const Survey before = Take(Copy());
    ASSERT_EQ(before.present, Copy().Items());

    const uninstall_test::UninstallerRun run =
        uninstall_test::RunUninstaller(Copy().Uninstaller(), Copy().Folder());
    EXPECT_TRUE(run.messageShown);
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_TRUE(uninstall_test::WaitForHandOverCopiesToEnd(10000));
    EXPECT_EQ(uninstall_test::HandOverCopies(), kNoValues) << "nothing is handed over";
    EXPECT_EQ(Take(Copy()), before);
}

CInstalledCopy CopyIn(const std::string& base) {
    Places places = Copy().Where();
    places.base = base;
    return CInstalledCopy(places);
}

// A base of `length` characters, ending with "\".
std::string BaseOfLength(size_t length) {
    const std::string start = "C:\\long\\";
    return start + std::string(length - start.size() - 1, 'x') + "\\";
}

// uninstall.exe composes its paths in 255 characters: the longest base it can serve leaves room
// for "Prismel\uninstall.exe".
TEST(ChosenFolder, ABaseTooLongForTheUninstallerIsRefusedAndNothingIsLaid) {
    const CInstalledCopy copy = CopyIn(BaseOfLength(235));
    EXPECT_EQ(RunSetup(copy.Folder()), 2u);
    EXPECT_FALSE(uninstall_test::Exists(copy.Folder()));
    EXPECT_EQ(uninstall_test::CRecordInView(KEY_WOW64_32KEY).ValueNames(), kNoValues);
}

TEST(ChosenFolder, TheLongestBaseTheUninstallerCanServeIsInstalledAndUninstalled) {
    const CInstalledCopy copy = CopyIn(BaseOfLength(234));
    ASSERT_EQ(copy.Uninstaller().size(), 255u);
    ASSERT_EQ(RunSetup(copy.Folder()), 0u);
    EXPECT_EQ(MachineString32(uninstall_test::kRecordKey, "InstallPath"), copy.Where().base);
    EXPECT_EQ(Take(copy).present, copy.Items());

    const uninstall_test::UninstallerRun run =
        uninstall_test::RunUninstaller(copy.Uninstaller(), copy.Folder());
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(uninstall_test::WaitUntilGone({copy.Uninstaller(), copy.Folder()}, 10000));
    EXPECT_EQ(Take(copy).present, kNoValues);
}

// A folder chosen under another name gets the installation folder "Prismel" inside it; while
// that copy is recorded and there, no other folder is taken, and a plain run updates it.
TEST(ChosenFolder, IsGivenAPrismelFolderAndKeptUntilUninstalled) {
    const CInstalledCopy copy = CopyIn("C:\\Apps\\Colour tools\\");
    ASSERT_EQ(RunSetup("C:\\Apps\\Colour tools"), 0u);
    EXPECT_EQ(MachineString32(uninstall_test::kRecordKey, "InstallPath"), copy.Where().base);
    EXPECT_EQ(Take(copy).present, copy.Items());

    EXPECT_EQ(RunSetup("C:\\Elsewhere\\Prismel"), 2u);
    EXPECT_FALSE(uninstall_test::Exists("C:\\Elsewhere\\Prismel"));
    EXPECT_EQ(RunSetup(), 0u);
    EXPECT_EQ(MachineString32(uninstall_test::kRecordKey, "InstallPath"), copy.Where().base);

    EXPECT_EQ(uninstall_test::RunUninstaller(copy.Uninstaller(), copy.Folder()).exitCode, 0u);
    EXPECT_TRUE(uninstall_test::WaitUntilGone({copy.Uninstaller(), copy.Folder()}, 10000));
    EXPECT_EQ(Take(copy).present, kNoValues);
}

} // namespace
} // namespace install_test

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: install_e2e SETUP WIN64_BIN WIN32_BIN\n");
        return 2;
    }
    install_test::arguments = {argv[1], install_test::WithSeparator(argv[2]),
                               install_test::WithSeparator(argv[3])};
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); // the shell's link object
    const int result = RUN_ALL_TESTS();
    CoUninitialize();
    return result;
}
