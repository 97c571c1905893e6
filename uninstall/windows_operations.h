// The uninstall run's and the hand-over copy's operations on the real registry, file system,
// processes and desktop.
#pragma once

#include "hand_over.h"
#include "handle_owner.h"
#include "uninstall_operations.h"

#include <windows.h>

namespace uninstall {

class CWindowsOperations final : public CUninstallOperations {
public:
    bool OpenRecordKey() override;
    bool QueryRecordValue(const char* name, BaseString& data, ValueKind& kind) override;
    void DeleteRecordValue(const char* name) override;
    void CloseRecordKey() override;
    void DeleteProgramListEntry() override;
    void RemoveFile(const char* path) override;
    void RemoveFolder(const char* path) override;
    bool ItemExists(const char* path) override;
    void ShowClosingMessage(const char* text, const char* caption) override;
    void HandOverUninstaller(const char* uninstaller) override;

private:
    framework::CUniqueRegistryKey record;
};

class CWindowsFinishOperations final : public CFinishOperations {
public:
    bool WaitForFirstProcess(std::uint32_t handle) override;
    void RemoveFile(const char* path) override;
    void RemoveFolder(const char* path) override;
    bool ItemExists(const char* path) override;
    void Pause(unsigned milliseconds) override;
    void ScheduleOwnRemoval() override;
};

} // namespace uninstall
