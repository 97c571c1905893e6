// The real uninstaller against the real registry and real files in the prefix's drive C:. The
// record lies in the registry view this build's uninstaller reads; the other view holds a
// record naming the same folders, which must be neither read nor touched. Every test also lays
// decoys beside and above the layout and proves that each of them survives.
#include "closing_message.h"
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
    Uninstaller() : root_(TestRoot()), layout_(root_) {}

    void SetUp() override {
        own_.Erase();
        other_.Erase();
        other_.Lay(layout_.BasesOf());
        layout_.LayDecoys();
        layout_.LayInstallation();
    }

    static void TearDownTestSuite() { RemoveTree(ProgramRoot()); }

    void TearDown() override {
        EXPECT_EQ(layout_.MissingDecoys(), std::vector<std::string>{});
        for (const char* name : {"InstallPath", "CommonPath", "DeskPath"}) {
            EXPECT_EQ(other_.Data(name), Stored(ValueIn(layout_.BasesOf(), name)))
                << "the other registry view's " << name;
        }
        own_.Erase();
        other_.Erase();
        RemoveTree(root_);
    }

    static std::string ValueIn(const Bases& bases, const std::string& name) {
        return name == "InstallPath"  ? bases.install
               : name == "CommonPath" ? bases.common
                                      : bases.desk;
    }

    // Runs the build's uninstaller in the layout's current folder; it must show its one
    // closing message, which is answered.
    UninstallerRun Run(const std::string& program = testing_support::BesideTest("uninstall.exe")) {
        UninstallerRun run = RunUninstaller(program, layout_.Current());
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
        std::vector<std::string> all = layout_.InstalledFiles();
        all.push_back(layout_.InstallFolder());
        all.push_back(layout_.GroupFolder());
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
    const Bases& bases() const { return layout_.BasesOf(); }

    std::string root_;
    InstallLayout layout_;
    RecordInView own_{kOwnView};
    RecordInView other_{kOtherView};
};

TEST_F(Uninstaller, RemovesAFullInstallationAndTheThreeValuesButKeepsTheKey) {
    ASSERT_TRUE(own_.LayWithRegTool(bases()));
    own_.SetString("Version", "1.00"); // the installer's own; it stays with the key
    ASSERT_EQ(own_.Data("DeskPath"), Stored(bases().desk)) << "laid as the tool lays it";

    ExpectSuccess(Run());
    ExpectGone(WholeInstallation());
    EXPECT_TRUE(own_.KeyExists());
    EXPECT_EQ(own_.ValueNames(), std::vector<std::string>{"Version"});
}

TEST_F(Uninstaller, WithoutItsRecordTouchesNothing) {
    ExpectFailure(Run());
    ExpectPresent(WholeInstallation());
    EXPECT_FALSE(own_.KeyExists()) << "the key is not created";
}

TEST_F(Uninstaller, AMissingValueLeavesTheOtherValuesAndEveryFile) {
    own_.SetString("InstallPath", bases().install);
    own_.SetString("CommonPath", bases().common);
    ExpectFailure(Run());
    ExpectPresent(WholeInstallation());
    EXPECT_EQ(own_.Data("InstallPath"), Stored(bases().install));
    EXPECT_EQ(own_.Data("CommonPath"), Stored(bases().common));
}

TEST_F(Uninstaller, AnEmptyInstallPathDeletesTheValuesButNoFile) {
    own_.Lay(bases());
    own_.SetString("InstallPath", "");
    ExpectFailure(Run());
    ExpectPresent(WholeInstallation());
    EXPECT_TRUE(own_.KeyExists());
    EXPECT_EQ(own_.ValueNames(), std::vector<std::string>{});
}

TEST_F(Uninstaller, ASecondRunFindsNoRecordAndTouchesNothing) {
    own_.Lay(bases());
    ExpectSuccess(Run());
    layout_.LayInstallation(); // as though it had come back
    ExpectFailure(Run());
    ExpectPresent(WholeInstallation());
}

TEST_F(Uninstaller, SucceedsWhenEveryInstalledItemIsAlreadyGone) {
    RemoveTree(layout_.InstallFolder());
    RemoveTree(layout_.GroupFolder());
    DeleteFileA(layout_.DesktopShortcut().c_str());
    own_.Lay(bases());
    ExpectSuccess(Run());
    EXPECT_EQ(own_.ValueNames(), std::vector<std::string>{});
}

TEST_F(Uninstaller, KeepsAFolderThatHoldsAFileOfTheUsersOwn) {
    const std::string notes = layout_.InstallFolder() + "notes.txt";
    const std::string link = layout_.GroupFolder() + "Other.lnk";
    LayFile(notes);
    LayFile(link);
    own_.Lay(bases());
    ExpectSuccess(Run());
    ExpectGone(layout_.InstalledFiles());
    ExpectPresent({notes, link});
}

TEST_F(Uninstaller, StartedFromTheInstallationFolderLeavesOnlyItself) {
    const std::string itself = layout_.InstallFolder() + "uninstall.exe";
    ASSERT_TRUE(
        CopyFileA(testing_support::BesideTest("uninstall.exe").c_str(), itself.c_str(), FALSE));
    own_.Lay(bases());
    ExpectSuccess(Run(itself));
    std::vector<std::string> others = layout_.InstalledFiles();
    others.erase(std::find(others.begin(), others.end(), itself));
    ExpectGone(others);
    ExpectGone({layout_.GroupFolder()});
    ExpectPresent({itself, layout_.InstallFolder()});
}

// The names are joined to the base's last folder name ("programsPrismel\..."), so they miss.
TEST_F(Uninstaller, ABaseWithoutItsSeparatorMissesItsItems) {
    own_.Lay(bases());
    own_.SetString("InstallPath", bases().install.substr(0, bases().install.size() - 1));
    ExpectSuccess(Run());
    ExpectPresent(Under(bases().install));
    ExpectGone(Under(bases().common));
    ExpectGone({layout_.DesktopShortcut()});
}

TEST_F(Uninstaller, TakesAnExpandableStringAsItIsStored) {
    own_.Lay(bases());
    own_.SetString("CommonPath", bases().common, REG_EXPAND_SZ);
    ExpectSuccess(Run());
    ExpectGone(WholeInstallation());
}

// An empty base would make its names relative to the current folder, where decoys of every name
// lie: its steps are skipped, the other bases' still run.
TEST_F(Uninstaller, SkipsTheStepsOfAnEmptyCommonOrDeskPath) {
    own_.Lay(bases());
    own_.SetString("CommonPath", "");
    own_.SetString("DeskPath", "");
    ExpectSuccess(Run());
    ExpectGone(Under(bases().install));
    ExpectPresent(Under(bases().common));
    ExpectPresent({layout_.DesktopShortcut()});
}

// With a 236-character base, each program file's path needs 256 characters or more; cut to the
// buffer's 255 it would name the files laid here. The folder step fits and finds it not empty.
TEST_F(Uninstaller, SkipsAStepWhosePathWouldNotFitInsteadOfCuttingItShort) {
    std::string longBase = root_ + "long\\";
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
    own_.Lay({longBase, bases().common, bases().desk});
    ExpectSuccess(Run());
    ExpectPresent(truncated);
    ExpectGone(Under(bases().common));
    ExpectGone({layout_.DesktopShortcut()});
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
        own_.Lay(bases());
        own_.SetData(row.name, row.type, row.bytes);
        ExpectFailure(Run());
        ExpectPresent(WholeInstallation());
        EXPECT_EQ(own_.ValueNames().size(), 3u);
    }
}

} // namespace
} // namespace uninstall_test
