// The uninstall run against a fake of its operations that records every call in order.
#include "removal_plan.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <utility>
#include <string>
#include <vector>

namespace uninstall {
namespace {

struct StoredValue {
    std::string bytes; // exactly what the registry hands over, terminator included when stored
    ValueKind kind = ValueKind::String;
};

StoredValue Text(const std::string& text) {
    return {text + '\0', ValueKind::String};
}

class CRecordingOperations : public CUninstallOperations {
public:
    bool keyExists = true;
    std::set<std::string> standing; // items that are there when asked after
    std::map<std::string, StoredValue> values = {{kInstallPath, Text("C:\\Program Files\\")},
                                                 {kCommonPath, Text("C:\\Menu\\Programs\\")},
                                                 {kDeskPath, Text("C:\\Desktop\\")}};
    std::vector<std::string> calls;

    bool OpenRecordKey() override {
        calls.push_back("open key");
        return keyExists;
    }
    bool QueryRecordValue(const char* name, BaseString& data, ValueKind& kind) override {
        calls.push_back(std::string("query ") + name);
        for (char c : data) {
            EXPECT_EQ(c, '\0') << "the base string arrives zero-filled";
        }
        const auto value = values.find(name);
        if (value == values.end() || value->second.bytes.size() > data.size()) {
            return false;
        }
        value->second.bytes.copy(data.data(), data.size());
        kind = value->second.kind;
        return true;
    }
    void DeleteRecordValue(const char* name) override {
        calls.push_back(std::string("delete value ") + name);
    }
    void CloseRecordKey() override { calls.push_back("close key"); }
    void DeleteProgramListEntry() override { calls.push_back("delete list entry"); }
    void RemoveFile(const char* path) override { calls.push_back(std::string("file ") + path); }
    void RemoveFolder(const char* path) override { calls.push_back(std::string("folder ") + path); }
    bool ItemExists(const char* path) override {
        calls.push_back(std::string("exists? ") + path);
        return standing.count(path) != 0;
    }
    void ShowClosingMessage(const char* text, const char* caption) override {
        calls.push_back(std::string("message ") + text + " | " + caption);
    }
    void HandOverUninstaller(const char* uninstaller) override {
        calls.push_back(std::string("hand over ") + uninstaller);
    }
};

const std::string kSuccessMessage =
    "message Prismel has been uninstalled successfully. | Uninstall Information";
const std::string kFailureMessage =
    "message Prismel could not be uninstalled. | Uninstall Information";

const std::string kOwnFile = "C:\\Program Files\\Prismel\\uninstall.exe";

// A successful run asks, once its message is dismissed, whether its own file stayed.
std::vector<std::string> SuccessEnd(const std::string& ownFile = kOwnFile) {
    return {kSuccessMessage, "exists? " + ownFile};
}

const std::vector<std::string> kRecordTaken = {"open key",
                                               "query InstallPath",
                                               "query CommonPath",
                                               "query DeskPath",
                                               "delete value CommonPath",
                                               "delete value InstallPath",
                                               "delete value DeskPath",
                                               "close key",
                                               "delete list entry"};

std::vector<std::string> InstallSteps(const std::string& base) {
    return {"file " + base + "Prismel\\Tintview.exe",
            "file " + base + "Prismel\\Tintview.hlp",
            "file " + base + "Prismel\\Tintview.cnt",
            "file " + base + "Prismel\\Mousetap.dll",
            "file " + base + "Prismel\\Tintview.gid",
            "file " + base + "Prismel\\uninstall.exe",
            "folder " + base + "Prismel\\"};
}
std::vector<std::string> CommonSteps(const std::string& base) {
    return {"file " + base + "Prismel\\Tintview.exe.lnk",
            "file " + base + "Prismel\\Tintview.hlp.lnk",
            "file " + base + "Prismel\\uninstall.exe.lnk", "folder " + base + "Prismel"};
}
std::vector<std::string> DeskSteps(const std::string& base) {
    return {"file " + base + "Tintview.exe.lnk"};
}

std::vector<std::string> Joined(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

// Runs over the usual record with one value replaced, checks the exit code, returns the calls.
std::vector<std::string> CallsOfRunWith(const char* name, const StoredValue& value, int exitCode) {
    CRecordingOperations operations;
    operations.values[name] = value;
    EXPECT_EQ(RunUninstall(operations), exitCode);
    return operations.calls;
}

TEST(UninstallRun, TakesTheRecordThenWorksThroughTheTwelveStepsInOrder) {
    CRecordingOperations operations;
    EXPECT_EQ(RunUninstall(operations), 0);
    EXPECT_EQ(operations.calls, Joined({kRecordTaken, InstallSteps("C:\\Program Files\\"),
                                        CommonSteps("C:\\Menu\\Programs\\"),
                                        DeskSteps("C:\\Desktop\\"), SuccessEnd()}));
}

TEST(UninstallRun, WithoutTheKeyTouchesNothingAndFails) {
    CRecordingOperations operations;
    operations.keyExists = false;
    EXPECT_EQ(RunUninstall(operations), 1);
    EXPECT_EQ(operations.calls, (std::vector<std::string>{"open key", kFailureMessage}));
}

// Each value in turn is unusable in each way: the reads stop there, the key is closed, no value
// is deleted and nothing on disk is touched.
struct UnusableValue {
    const char* description;
    std::optional<StoredValue> value; // nothing: the value is absent
};

TEST(UninstallRun, AnUnusableValueLeavesTheRecordWholeAndFails) {
    const std::vector<UnusableValue> unusable = {
        {"absent", std::nullopt},
        {"larger than 255 bytes", Text(std::string(255, 'a'))},
        {"a number", StoredValue{std::string("\x01\x00\x00\x00", 4), ValueKind::Other}},
        {"a string list", StoredValue{std::string("C:\\\0\0", 5), ValueKind::Other}},
        {"255 bytes without a terminator", StoredValue{std::string(255, 'a'), ValueKind::String}},
    };
    const std::vector<std::string> names = {kInstallPath, kCommonPath, kDeskPath};
    for (size_t position = 0; position < names.size(); ++position) {
        for (const UnusableValue& row : unusable) {
            SCOPED_TRACE(names[position] + " " + row.description);
            CRecordingOperations operations;
            if (row.value) {
                operations.values[names[position]] = *row.value;
            } else {
                operations.values.erase(names[position]);
            }
            EXPECT_EQ(RunUninstall(operations), 1);
            std::vector<std::string> expected = {"open key"};
            for (size_t read = 0; read <= position; ++read) {
                expected.push_back("query " + names[read]);
            }
            expected.push_back("close key");
            expected.push_back(kFailureMessage);
            EXPECT_EQ(operations.calls, expected);
        }
    }
}

TEST(UninstallRun, TakesStringsThatFillTheBufferWithTheirTerminator) {
    CRecordingOperations operations;
    const std::string longest = "C:\\" + std::string(250, 'p') + "\\"; // 254 characters
    operations.values[kDeskPath] = Text(longest);
    operations.values[kCommonPath] =
        StoredValue{"C:\\Menu\\" + std::string(1, '\0') + "junk", ValueKind::String};
    EXPECT_EQ(RunUninstall(operations), 0);
    EXPECT_EQ(operations.calls, Joined({kRecordTaken, InstallSteps("C:\\Program Files\\"),
                                        CommonSteps("C:\\Menu\\"), SuccessEnd()}))
        << "the 254-character desk base plus its 16-character name does not fit; the common "
           "base ends at its terminator";
}

TEST(UninstallRun, AnEmptyInstallPathDeletesTheValuesButNothingOnDiskAndFails) {
    EXPECT_EQ(CallsOfRunWith(kInstallPath, Text(""), 1), Joined({kRecordTaken, {kFailureMessage}}));
}

TEST(UninstallRun, AnEmptyCommonOrDeskPathSkipsOnlyItsOwnSteps) {
    EXPECT_EQ(CallsOfRunWith(kCommonPath, Text(""), 0),
              Joined({kRecordTaken, InstallSteps("C:\\Program Files\\"), DeskSteps("C:\\Desktop\\"),
                      SuccessEnd()}));

    EXPECT_EQ(CallsOfRunWith(kDeskPath, Text(""), 0),
              Joined({kRecordTaken, InstallSteps("C:\\Program Files\\"),
                      CommonSteps("C:\\Menu\\Programs\\"), SuccessEnd()}));
}

// The uninstaller's path misses its folder too, so there is nothing to hand over.
TEST(UninstallRun, JoinsABaseWithoutItsSeparatorAsItStands) {
    EXPECT_EQ(CallsOfRunWith(kInstallPath, Text("C:\\Apps"), 0),
              Joined({kRecordTaken,
                      InstallSteps("C:\\Apps"),
                      CommonSteps("C:\\Menu\\Programs\\"),
                      DeskSteps("C:\\Desktop\\"),
                      {kSuccessMessage}}));
}

// Steps 1 to 5 name 20 characters, step 6 21, step 7 8: with a 236-character base only the
// folder step fits in 255 characters; the others are skipped, never cut short, and the
// uninstaller's path, which does not fit either, is not handed over.
TEST(UninstallRun, SkipsEveryStepWhosePathWouldNotFit) {
    const std::string base = "C:\\" + std::string(232, 'q') + "\\";
    ASSERT_EQ(base.size(), 236u);
    EXPECT_EQ(CallsOfRunWith(kInstallPath, Text(base), 0),
              Joined({kRecordTaken,
                      {"folder " + base + "Prismel\\"},
                      CommonSteps("C:\\Menu\\Programs\\"),
                      DeskSteps("C:\\Desktop\\"),
                      {kSuccessMessage}}));
}

TEST(UninstallRun, HandsItsOwnFileThatStayedOverOnceTheMessageIsDismissed) {
    CRecordingOperations operations;
    operations.standing = {kOwnFile};
    EXPECT_EQ(RunUninstall(operations), 0);
    EXPECT_EQ(operations.calls, Joined({kRecordTaken,
                                        InstallSteps("C:\\Program Files\\"),
                                        CommonSteps("C:\\Menu\\Programs\\"),
                                        DeskSteps("C:\\Desktop\\"),
                                        SuccessEnd(),
                                        {"hand over " + kOwnFile}}));
}

// Nothing is handed over unless the record was taken whole and the pass ran, nor a path that
// names no installed uninstaller, whatever stands.
TEST(UninstallRun, HandsOverOnlyAfterASuccessfulPassAndOnlyAnInstalledUninstaller) {
    const std::vector<std::pair<const char*, std::string>> rows = {
        {"no key", ""},
        {"empty InstallPath", ""},
        {"relative InstallPath", "Apps\\"},
        {"InstallPath without its separator", "C:\\Apps"},
    };
    for (const auto& [description, base] : rows) {
        SCOPED_TRACE(description);
        CRecordingOperations operations;
        operations.keyExists = std::string(description) != "no key";
        operations.values[kInstallPath] = Text(base);
        operations.standing = {kOwnFile, base + kUninstallerName};
        RunUninstall(operations);
        for (const std::string& call : operations.calls) {
            EXPECT_EQ(call.rfind("hand over", 0), std::string::npos) << call;
        }
    }
}

TEST(ComposeStepPath, FitsUpTo255CharactersAndRefusesMore) {
    ComposedPath path;
    const std::string fits(235, 'b');
    ASSERT_TRUE(ComposeStepPath(fits.c_str(), "Prismel\\Tintview.exe", path));
    EXPECT_EQ(std::string(path.data()), fits + "Prismel\\Tintview.exe");
    EXPECT_EQ(std::string(path.data()).size(), 255u);

    path.fill('x');
    const std::string overflows(236, 'b');
    EXPECT_FALSE(ComposeStepPath(overflows.c_str(), "Prismel\\Tintview.exe", path));
    EXPECT_EQ(path[0], '\0');
    EXPECT_FALSE(ComposeStepPath("", std::string(256, 'c').c_str(), path));
    EXPECT_TRUE(ComposeStepPath("", std::string(255, 'c').c_str(), path));
}

} // namespace
} // namespace uninstall
