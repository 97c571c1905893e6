// The real uninstaller against the real registry and real files in the prefix's drive C:. The
// record lies in the registry view this build's uninstaller reads; the other view holds a
// record naming the same folders, which must be neither read nor touched. So do Windows' lists of
// installed programs: Prismel's entry in this build's view goes with the record's values; the
// other view's, and another program's entry beside it, stay. Every test also lays decoys beside
// and above the layout and proves that each of them survives.
#include "closing_message.h"
#include "hand_over_traces.h"
#include "install_layout.h"
#include "registry_record.h"
#include "test_paths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace uninstall_test {
namespace {

constexpr char kSuccess[] = "Prismel has been uninstalled successfully.";
constexpr char kFailure[] = "Prismel could not be uninstalled.";

std::string ProgramRoot() {
    return "C:\\prismel-test-" + std::to_string(GetCurrentProcessId());
}

std::string TestRoot() {
    return ProgramRoot() + "\\" + testing::UnitTest::GetInstance()->current_test_info()->name() +
           "\\";
}

class Uninstaller : public testing::Test {
protected:
    Uninstaller() : root(TestRoot()), layout(root) {}

    void SetUp() override {
        own.Erase();
        other.Erase();
        other.Lay(layout.BasesOf());
        layout.LayDecoys();
        layout.LayInstallation();
        for (const CProgramListInView& list : {ownList, otherList}) {
            list.EraseEntry("Prismel");
            list.EraseEntry(kOtherProgram);
        }
        ownList.LayEntry("Prismel", layout.InstallFolder() + "uninstall.exe");
        ownList.LayEntry(kOtherProgram, layout.BasesOf().install + "Prismel2\\uninstall.exe");
        otherList.LayEntry("Prismel", layout.InstallFolder() + "uninstall.exe");
    }

    static void TearDownTestSuite() { RemoveTree(ProgramRoot()); }

    void TearDown() override {
        EXPECT_EQ(layout.MissingDecoys(), std::vector<std::string>{});
        for (const char* name : {"InstallPath", "CommonPath", "DeskPath"}) {
            EXPECT_EQ(other.Data(name), Stored(ValueIn(layout.BasesOf(), name)))
                << "the other registry view's " << name;
        }
        EXPECT_TRUE(ownList.HasEntry(kOtherProgram)) << "another program's entry";
        EXPECT_TRUE(otherList.HasEntry("Prismel")) << "the other view's entry";
        own.Erase();
        other.Erase();
        for (const CProgramListInView& list : {ownList, otherList}) {
            list.EraseEntry("Prismel");
            list.EraseEntry(kOtherProgram);
        }
        RemoveTree(root);
    }

    static std::string ValueIn(const Bases& bases, const std::string& name) {
        return name == "InstallPath"  ? bases.install
               : name == "CommonPath" ? bases.common
                                      : bases.desk;
    }

    // Runs the build's uninstaller in the layout's current folder; it must show its one
    // closing message, which is answered.
    UninstallerRun Run(const std::string& program = testing_support::BesideTest("uninstall.exe")) {
        UninstallerRun run = RunUninstaller(program, layout.Current());
        EXPECT_TRUE(run.messageShown);
        EXPECT_EQ(run.caption, "Uninstall Information");
        EXPECT_EQ(run.visibleButtons, 1) << "a single OK button";
        EXPECT_TRUE(run.warningIcon) << "the exclamation mark";
        return run;
    }

    void ExpectSuccess(const UninstallerRun& run) {
        EXPECT_EQ(run.text, kSuccess);
        EXPECT_EQ(run.exitCode, 0u);
    }
    void ExpectFailure(const UninstallerRun& run) {
        EXPECT_EQ(run.text, kFailure);
        EXPECT_EQ(run.exitCode, 1u);
    }

    void ExpectGone(const std::vector<std::string>& paths) {
        for (const std::string& path : paths) {
            EXPECT_FALSE(Exists(path)) << path;
        }
    }
    void ExpectPresent(const std::vector<std::string>& paths) {
        for (const std::string& path : paths) {
            EXPECT_TRUE(Exists(path)) << path;
        }
    }
    std::vector<std::string> WholeInstallation() const {
        std::vector<std::string> all = layout.InstalledFiles();
        all.push_back(layout.InstallFolder());
        all.push_back(layout.GroupFolder());
        return all;
    }
    // The installed items under one base: its files, and its folder where it has one.
    std::vector<std::string> Under(const std::string& base) const {
        std::vector<std::string> items;
        for (const std::string& path : WholeInstallation()) {
            if (path.compare(0, base.size(), base) == 0) {
                items.push_back(path);
            }
        }
        return items;
    }
    const Bases& bases() const { return layout.BasesOf(); }

    std::string root;
    CInstallLayout layout;
    CRecordInView own{kOwnView};
    CRecordInView other{kOtherView};
    CProgramListInView ownList{kOwnView};
    CProgramListInView otherList{kOtherView};
    static constexpr char kOtherProgram[] = "Prismel2";
};

TEST_F(Uninstaller, RemovesAFullInstallationAndTheThreeValuesButKeepsTheKey) {
    ASSERT_TRUE(own.LayWithRegTool(bases()));
    own.SetString("Version", "1.00"); // the installer's own; it stays with the key
    ASSERT_EQ(own.Data("DeskPath"), Stored(bases().desk)) << "laid as the tool lays it";

    ExpectSuccess(Run());
    ExpectGone(WholeInstallation());
    EXPECT_TRUE(own.KeyExists());
    EXPECT_EQ(own.ValueNames(), std::vector<std::string>{"Version"});
    EXPECT_FALSE(ownList.HasEntry("Prismel"));
}

TEST_F(Uninstaller, WithoutItsRecordTouchesNothing) {
    ExpectFailure(Run());
    ExpectPresent(WholeInstallation());
    EXPECT_FALSE(own.KeyExists()) << "the key is not created";
    EXPECT_TRUE(ownList.HasEntry("Prismel"));
}

TEST_F(Uninstaller, AMissingValueLeavesTheOtherValuesAndEveryFile) {
    own.SetString("InstallPath", bases().install);
    own.SetString("CommonPath", bases().common);
    ExpectFailure(Run());
    ExpectPresent(WholeInstallation());
    EXPECT_EQ(own.Data("InstallPath"), Stored(bases().install));
    EXPECT_EQ(own.Data("CommonPath"), Stored(bases().common));
    EXPECT_TRUE(ownList.HasEntry("Prismel"));
}

// The list's entry could from then on only start a run that fails: it goes with the values.
TEST_F(Uninstaller, AnEmptyInstallPathDeletesTheValuesAndTheListEntryButNoFile) {
    own.Lay(bases());
    own.SetString("InstallPath", "");
    ExpectFailure(Run());
    ExpectPresent(WholeInstallation());
    EXPECT_TRUE(own.KeyExists());
    EXPECT_EQ(own.ValueNames(), std::vector<std::string>{});
    EXPECT_FALSE(ownList.HasEntry("Prismel"));
}

TEST_F(Uninstaller, ASecondRunFindsNoRecordAndTouchesNothing) {
    own.Lay(bases());
    ExpectSuccess(Run());
    layout.LayInstallation(); // as though it had come back
    ExpectFailure(Run());
    ExpectPresent(WholeInstallation());
}

TEST_F(Uninstaller, SucceedsWhenEveryInstalledItemIsAlreadyGone) {
    RemoveTree(layout.InstallFolder());
    RemoveTree(layout.GroupFolder());
    DeleteFileA(layout.DesktopShortcut().c_str());
    own.Lay(bases());
    ExpectSuccess(Run());
    EXPECT_EQ(own.ValueNames(), std::vector<std::string>{});
}

TEST_F(Uninstaller, KeepsAFolderThatHoldsAFileOfTheUsersOwn) {
    const std::string notes = layout.InstallFolder() + "notes.txt";
    const std::string link = layout.GroupFolder() + "Other.lnk";
    LayFile(notes);
    LayFile(link);
    own.Lay(bases());
    ExpectSuccess(Run());
    ExpectGone(layout.InstalledFiles());
    ExpectPresent({notes, link});
}

// Its own file cannot go while it runs: a copy of it in the temporary folder removes that file
// and the folder once it has ended, and is itself deleted when Windows next starts. This prefix
// is never restarted, so the test deletes the copy itself.
TEST_F(Uninstaller, StartedFromTheInstallationFolderRemovesItselfAndTheFolderOnceItHasEnded) {
    const std::string itself = layout.InstallFolder() + "uninstall.exe";
    ASSERT_TRUE(
        CopyFileA(testing_support::BesideTest("uninstall.exe").c_str(), itself.c_str(), FALSE));
    own.Lay(bases());
    const std::vector<std::string> copiesBefore = HandOverCopies();
    ExpectSuccess(Run(itself));
    EXPECT_TRUE(WaitUntilGone({itself, layout.InstallFolder()}, 10000));
    ExpectGone(WholeInstallation());

    EXPECT_TRUE(WaitForHandOverCopiesToEnd(10000));
    std::vector<std::string> copies = HandOverCopies();
    for (const std::string& old : copiesBefore) {
        copies.erase(std::remove(copies.begin(), copies.end(), old), copies.end());
    }
    ASSERT_EQ(copies.size(), 1u) << "one copy in the temporary folder";
    const std::vector<std::string> pending = PendingDeletions();
    EXPECT_TRUE(std::any_of(
        pending.begin(), pending.end(),
        [&](const std::string& path) { return lstrcmpiA(path.c_str(), copies[0].c_str()) == 0; }))
        << copies[0] << " is not to be deleted at the next start";
    DeleteNowInsteadOfAtRestart(copies[0]);
    EXPECT_FALSE(Exists(copies[0]));
}

// Anything that keeps the file, not only its running, gets the same hand-over: the copy tries
// for a while, and leaves the file and the folder as they are.
TEST_F(Uninstaller, HandsOverAnUninstallerThatCannotBeDeletedAndTheCopyLeavesIt) {
    const std::string itself = layout.InstallFolder() + "uninstall.exe";
    SetFileAttributesA(itself.c_str(), FILE_ATTRIBUTE_READONLY);
    own.Lay(bases());
    const std::vector<std::string> copiesBefore = HandOverCopies();
    ExpectSuccess(Run());
    EXPECT_TRUE(WaitForHandOverCopiesToEnd(15000));
    ExpectPresent({itself, layout.InstallFolder()});
    for (const std::string& copy : HandOverCopies()) {
        if (std::find(copiesBefore.begin(), copiesBefore.end(), copy) == copiesBefore.end()) {
            DeleteNowInsteadOfAtRestart(copy);
        }
    }
    SetFileAttributesA(itself.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The names are joined to the base's last folder name ("programsPrismel\..."), so they miss.
TEST_F(Uninstaller, ABaseWithoutItsSeparatorMissesItsItems) {
    own.Lay(bases());
    own.SetString("InstallPath", bases().install.substr(0, bases().install.size() - 1));
    ExpectSuccess(Run());
    ExpectPresent(Under(bases().install));
    ExpectGone(Under(bases().common));
    ExpectGone({layout.DesktopShortcut()});
}

TEST_F(Uninstaller, TakesAnExpandableStringAsItIsStored) {
    own.Lay(bases());
    own.SetString("CommonPath", bases().common, REG_EXPAND_SZ);
    ExpectSuccess(Run());
    ExpectGone(WholeInstallation());
}

// An empty base would make its names relative to the current folder, where decoys of every name
// lie: its steps are skipped, the other bases' still run.
TEST_F(Uninstaller, SkipsTheStepsOfAnEmptyCommonOrDeskPath) {
    own.Lay(bases());
    own.SetString("CommonPath", "");
    own.SetString("DeskPath", "");
    ExpectSuccess(Run());
    ExpectGone(Under(bases().install));
    ExpectPresent(Under(bases().common));
    ExpectPresent({layout.DesktopShortcut()});
}

// With a 236-character base, each program file's path needs 256 characters or more; cut to the
// buffer's 255 it would name the files laid here. The folder step fits and finds it not empty.
TEST_F(Uninstaller, SkipsAStepWhosePathWouldNotFitInsteadOfCuttingItShort) {
    std::string longBase = root + "long\\";
    longBase += std::string(236 - longBase.size() - 1, 'x') + "\\";
    ASSERT_EQ(longBase.size(), 236u);
    const std::vector<std::string> truncatedNames = {
        "Prismel\\Tintview.ex", "Prismel\\Tintview.hl", "Prismel\\Tintview.cn",
        "Prismel\\Mousetap.dl", "Prismel\\Tintview.gi", "Prismel\\uninstall.e"};
    std::vector<std::string> truncated;
    for (const std::string& name : truncatedNames) {
        truncated.push_back(longBase + name);
        LayFile(truncated.back());
    }
    own.Lay({longBase, bases().common, bases().desk});
    ExpectSuccess(Run());
    ExpectPresent(truncated);
    ExpectGone(Under(bases().common));
    ExpectGone({layout.DesktopShortcut()});
}

// Data that is no string, or 255 bytes without a terminator, counts as a missing value: the
// record stays whole and nothing is removed, even where the bytes spell a usable path.
TEST_F(Uninstaller, RefusesAValueThatIsNoTerminatedString) {
    struct Row {
        const char* name;
        DWORD type;
        std::string bytes;
    };
    const std::vector<Row> rows = {
        {"InstallPath", REG_DWORD, std::string("\x01\x00\x00\x00", 4)},
        {"CommonPath", REG_MULTI_SZ, bases().common + std::string(2, '\0')},
        {"DeskPath", REG_BINARY, Stored(bases().desk)},
        {"InstallPath", REG_SZ, std::string(255, 'a')},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name) + " of type " + std::to_string(row.type));
        own.Lay(bases());
        own.SetData(row.name, row.type, row.bytes);
        ExpectFailure(Run());
        ExpectPresent(WholeInstallation());
        EXPECT_EQ(own.ValueNames().size(), 3u);
    }
}

} // namespace
} // namespace uninstall_test
