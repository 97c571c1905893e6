#include "removal_plan.h"

#include "hand_over.h"

#include <cstring>

namespace uninstall {
namespace {

struct Record {
    BaseString install{};
    BaseString common{};
    BaseString desk{};

    const char* Of(Base base) const {
        switch (base) {
        case Base::Install:
            return install.data();
        case Base::Common:
            return common.data();
        case Base::Desk:
            break;
        }
        return desk.data();
    }
};

// A value counts only as a terminated string: other data is no path, and an unterminated one
// would be read past its end.
bool ReadBase(CUninstallOperations& operations, const char* name, BaseString& base) {
    ValueKind kind = ValueKind::Other;
    return operations.QueryRecordValue(name, base, kind) && kind == ValueKind::String &&
           std::memchr(base.data(), '\0', base.size()) != nullptr;
}

// Reads all three values, then deletes them and the programs-list entry, which could from then
// on only start a run that fails. Nothing is deleted unless all three were read.
bool TakeRecord(CUninstallOperations& operations, Record& record) {
    if (!operations.OpenRecordKey()) {
        return false;
    }
    if (!ReadBase(operations, kInstallPath, record.install) ||
        !ReadBase(operations, kCommonPath, record.common) ||
        !ReadBase(operations, kDeskPath, record.desk)) {
        operations.CloseRecordKey();
        return false;
    }
    operations.DeleteRecordValue(kCommonPath);
    operations.DeleteRecordValue(kInstallPath);
    operations.DeleteRecordValue(kDeskPath);
    operations.CloseRecordKey();
    operations.DeleteProgramListEntry();
    return true;
}

// An empty base would turn each step into a name relative to the current folder, which holds
// nothing of ours: its steps are skipped.
void WorkThroughRemovalList(CUninstallOperations& operations, const Record& record) {
    for (const RemovalStep& step : kRemovalSteps) {
        const char* base = record.Of(step.base);
        ComposedPath path;
        if (base[0] == '\0' || !ComposeStepPath(base, step.relativeName, path)) {
            continue;
        }
        if (step.operation == Operation::DeleteFile) {
            operations.RemoveFile(path.data());
        } else {
            operations.RemoveFolder(path.data());
        }
    }
}

bool Uninstall(CUninstallOperations& operations, Record& record) {
    if (!TakeRecord(operations, record) || record.install[0] == '\0') {
        return false;
    }
    WorkThroughRemovalList(operations, record);
    return true;
}

// Whatever else kept the file, the copy only tries again once this process has ended.
void HandOverWhatStayed(CUninstallOperations& operations, const Record& record) {
    ComposedPath uninstaller;
    if (ComposeStepPath(record.install.data(), kUninstallerName, uninstaller) &&
        NamesInstalledUninstaller(uninstaller.data()) &&
        operations.ItemExists(uninstaller.data())) {
        operations.HandOverUninstaller(uninstaller.data());
    }
}

} // namespace

bool ComposeStepPath(const char* base, const char* relativeName, ComposedPath& path) {
    const std::size_t baseLength = std::strlen(base);
    const std::size_t relativeLength = std::strlen(relativeName);
    path[0] = '\0';
    if (baseLength + relativeLength >= path.size()) {
        return false;
    }
    std::memcpy(path.data(), base, baseLength);
    std::memcpy(path.data() + baseLength, relativeName, relativeLength + 1);
    return true;
}

int RunUninstall(CUninstallOperations& operations) {
    Record record;
    const bool uninstalled = Uninstall(operations, record);
    operations.ShowClosingMessage(uninstalled ? kSuccessText : kFailureText, kClosingCaption);
    if (!uninstalled) {
        return kFailureExitCode;
    }
    HandOverWhatStayed(operations, record);
    return kSuccessExitCode;
}

} // namespace uninstall
