#include "removal_plan.h"

#include <cstring>

namespace prismel::uninstall {
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
bool ReadBase(UninstallOperations& operations, const char* name, BaseString& base) {
    ValueKind kind = ValueKind::Other;
    return operations.QueryRecordValue(name, base, kind) && kind == ValueKind::String &&
           std::memchr(base.data(), '\0', base.size()) != nullptr;
}

// Reads all three values, then deletes them. Nothing is deleted unless all three were read.
bool TakeRecord(UninstallOperations& operations, Record& record) {
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
    return true;
}

// An empty base would turn each step into a name relative to the current folder, which holds
// nothing of ours: its steps are skipped.
void WorkThroughRemovalList(UninstallOperations& operations, const Record& record) {
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

bool Uninstall(UninstallOperations& operations) {
    Record record;
    if (!TakeRecord(operations, record) || record.install[0] == '\0') {
        return false;
    }
    WorkThroughRemovalList(operations, record);
    return true;
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

int RunUninstall(UninstallOperations& operations) {
    const bool uninstalled = Uninstall(operations);
    operations.ShowClosingMessage(uninstalled ? kSuccessText : kFailureText, kClosingCaption);
    return uninstalled ? kSuccessExitCode : kFailureExitCode;
}

} // namespace prismel::uninstall
