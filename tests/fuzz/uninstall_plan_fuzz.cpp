// One uninstall run over a registry record made from the fuzzer's input: each of the three values
// present or absent, a string or some other type, terminated or not, of any length up to and
// beyond 255 bytes, with or without its trailing "\". The run goes against a fake of its
// operations that checks every call as it arrives; the whole run is then held against what the
// record allows.
//
// The input is text, so the seeds read easily:
//   line 1: five flags: the key ('-' absent, anything else present), then one for each of
//           InstallPath, CommonPath and DeskPath: '-' absent, 'o' some other type, 'r' a string
//           stored without a terminator, anything else a string stored with its terminator;
//           then whether the uninstaller's own file stands after the pass ('-' no, else yes);
//   lines 2 to 4: the bytes of InstallPath, CommonPath and DeskPath.
// A missing flag stands for a terminated string, a missing line for an empty one.
#include "fuzz_rule.h"
#include "hand_over.h"
#include "removal_plan.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace uninstall {
namespace {

// What the composed-path buffer holds besides its terminator.
constexpr std::size_t kLongestPath = sizeof(ComposedPath) - 1;

struct StoredValue {
    bool present = true;
    ValueKind kind = ValueKind::String;
    std::string bytes; // exactly what the registry hands over
};

// In the order the run reads them.
constexpr std::array<const char*, 3> kValueNames = {kInstallPath, kCommonPath, kDeskPath};

struct FuzzedRecord {
    bool keyPresent = true;
    bool uninstallerStands = true;
    std::array<StoredValue, 3> values; // in the order of kValueNames

    const StoredValue& Named(const char* name) const {
        for (std::size_t at = 0; at < kValueNames.size(); ++at) {
            if (std::strcmp(kValueNames[at], name) == 0) {
                return values[at];
            }
        }
        fuzzing::RuleBroken("the run asks only for the three values of the record", __FILE__,
                            __LINE__);
    }
};

std::string_view TakeLine(std::string_view& input) {
    const std::size_t end = std::min(input.find('\n'), input.size());
    const std::string_view line = input.substr(0, end);
    input.remove_prefix(std::min(end + 1, input.size()));
    return line;
}

FuzzedRecord ReadRecord(std::string_view input) {
    const std::string_view flags = TakeLine(input);
    FuzzedRecord record;
    record.keyPresent = flags.empty() || flags[0] != '-';
    record.uninstallerStands = flags.size() < 5 || flags[4] != '-';
    for (std::size_t at = 0; at < record.values.size(); ++at) {
        const char flag = at + 1 < flags.size() ? flags[at + 1] : 's';
        StoredValue& value = record.values[at];
        value.present = flag != '-';
        value.kind = flag == 'o' ? ValueKind::Other : ValueKind::String;
        value.bytes = TakeLine(input);
        if (flag != 'o' && flag != 'r') {
            value.bytes += '\0';
        }
    }
    return record;
}

// The value's text as the run may use it, or nothing when it can be no path at all.
std::optional<std::string> UsableBase(const StoredValue& value) {
    if (!value.present || value.kind != ValueKind::String ||
        value.bytes.size() > sizeof(BaseString)) {
        return std::nullopt;
    }
    // Shorter data is terminated by the buffer's zero fill; data that fills it needs its own.
    const std::size_t end = value.bytes.find('\0');
    if (end == std::string::npos && value.bytes.size() == sizeof(BaseString)) {
        return std::nullopt;
    }
    return value.bytes.substr(0, end);
}

struct Removal {
    Operation operation;
    std::string path;
};

class CCheckingOperations final : public CUninstallOperations {
public:
    explicit CCheckingOperations(const FuzzedRecord& fuzzed) : record(fuzzed) {}

    bool OpenRecordKey() override {
        FUZZ_RULE(timesOpened == 0);
        ++timesOpened;
        keyOpen = record.keyPresent;
        return keyOpen;
    }
    bool QueryRecordValue(const char* name, BaseString& data, ValueKind& kind) override {
        FUZZ_RULE(keyOpen);
        FUZZ_RULE(std::all_of(data.begin(), data.end(), [](char c) { return c == '\0'; }));
        const StoredValue& value = record.Named(name);
        if (!value.present || value.bytes.size() > data.size()) {
            return false;
        }
        std::copy(value.bytes.begin(), value.bytes.end(), data.begin());
        kind = value.kind;
        return true;
    }
    void DeleteRecordValue(const char* name) override {
        FUZZ_RULE(keyOpen);
        deletedValues.emplace_back(name);
    }
    void CloseRecordKey() override {
        FUZZ_RULE(keyOpen);
        keyOpen = false;
        ++timesClosed;
    }
    // Once the three values are gone, and before anything on disk.
    void DeleteProgramListEntry() override {
        FUZZ_RULE(!keyOpen && timesClosed == 1 && deletedValues.size() == 3);
        FUZZ_RULE(listEntryDeletions == 0 && removals.empty());
        ++listEntryDeletions;
    }
    void RemoveFile(const char* path) override { Remove(Operation::DeleteFile, path); }
    void RemoveFolder(const char* path) override { Remove(Operation::RemoveFolder, path); }
    // Asked only after the message, of the uninstaller's own file.
    bool ItemExists(const char* path) override {
        FUZZ_RULE(closingMessages == 1 && handedOver.empty());
        FUZZ_RULE(std::strlen(path) <= kLongestPath);
        asked.emplace_back(path);
        return record.uninstallerStands;
    }
    void ShowClosingMessage(const char* text, const char* caption) override {
        FUZZ_RULE(!keyOpen && text != nullptr && caption != nullptr);
        ++closingMessages;
    }
    // Once, after the message, of a file it asked about and found there, and only one that the
    // copy accepts.
    void HandOverUninstaller(const char* uninstaller) override {
        FUZZ_RULE(closingMessages == 1 && handedOver.empty());
        FUZZ_RULE(!asked.empty() && asked.back() == uninstaller && record.uninstallerStands);
        FUZZ_RULE(NamesInstalledUninstaller(uninstaller));
        handedOver.emplace_back(uninstaller);
    }

    bool keyOpen = false;
    int timesOpened = 0;
    int timesClosed = 0;
    int closingMessages = 0;
    int listEntryDeletions = 0;
    std::vector<std::string> deletedValues;
    std::vector<std::string> asked;
    std::vector<std::string> handedOver;
    std::vector<Removal> removals;

private:
    // The disk is touched only once the record is taken and its key closed again. A path whose
    // terminator lay beyond its buffer would already have been caught by AddressSanitizer here.
    void Remove(Operation operation, const char* path) {
        FUZZ_RULE(timesClosed == 1 && !keyOpen && closingMessages == 0);
        FUZZ_RULE(std::strlen(path) <= kLongestPath);
        removals.push_back({operation, path});
    }

    const FuzzedRecord& record;
};

const std::string& BaseOf(Base base, const std::array<std::string, 3>& bases) {
    switch (base) {
    case Base::Install:
        return bases[0];
    case Base::Common:
        return bases[1];
    case Base::Desk:
        break;
    }
    return bases[2];
}

void CheckRun(const FuzzedRecord& record, const CCheckingOperations& run, int exitCode) {
    FUZZ_RULE(run.closingMessages == 1);
    FUZZ_RULE(!run.keyOpen && run.timesClosed == (record.keyPresent ? 1 : 0));

    std::array<std::string, 3> bases;
    bool wholeRecord = record.keyPresent;
    for (std::size_t at = 0; at < bases.size() && wholeRecord; ++at) {
        const std::optional<std::string> base = UsableBase(record.values[at]);
        wholeRecord = base.has_value();
        bases[at] = base.value_or("");
    }
    FUZZ_RULE(run.listEntryDeletions == (wholeRecord ? 1 : 0));
    if (!wholeRecord) {
        FUZZ_RULE(run.handedOver.empty());
        FUZZ_RULE(run.deletedValues.empty());
        FUZZ_RULE(run.removals.empty());
        FUZZ_RULE(exitCode == kFailureExitCode);
        return;
    }
    FUZZ_RULE(
        (run.deletedValues == std::vector<std::string>{kCommonPath, kInstallPath, kDeskPath}));
    if (bases[0].empty()) {
        FUZZ_RULE(run.handedOver.empty());
        FUZZ_RULE(run.removals.empty());
        FUZZ_RULE(exitCode == kFailureExitCode);
        return;
    }
    FUZZ_RULE(exitCode == kSuccessExitCode);
    // Each step whose base is set and whose whole path fits is applied, in order, to exactly its
    // base followed by its name; every other step is skipped, never cut short.
    std::size_t next = 0;
    for (const RemovalStep& step : kRemovalSteps) {
        const std::string& base = BaseOf(step.base, bases);
        const std::string path = base + step.relativeName;
        if (base.empty() || path.size() > kLongestPath) {
            continue;
        }
        FUZZ_RULE(next < run.removals.size());
        FUZZ_RULE(run.removals[next].operation == step.operation);
        FUZZ_RULE(run.removals[next].path == path);
        ++next;
    }
    FUZZ_RULE(next == run.removals.size());
    // Only ever the uninstaller's own step-6 path is handed over.
    FUZZ_RULE(run.handedOver.empty() || run.handedOver[0] == bases[0] + kUninstallerName);
}

} // namespace
} // namespace uninstall

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace uninstall;
    const FuzzedRecord record =
        ReadRecord(std::string_view(reinterpret_cast<const char*>(data), size));
    CCheckingOperations run(record);
    const int exitCode = RunUninstall(run);
    CheckRun(record, run, exitCode);
    return 0;
}
