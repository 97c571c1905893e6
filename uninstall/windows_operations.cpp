#include "windows_operations.h"

#include "removal_plan.h"

namespace uninstall {
namespace {

// This program's own file; false when its path is longer than MAX_PATH.
bool OwnProgramFile(char (&path)[MAX_PATH]) {
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return length > 0 && length < MAX_PATH;
}

bool ItemAt(const char* path) {
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

// Full access: the values are deleted once read. The build's own registry view is the one the
// installer of the same build wrote.
bool CWindowsOperations::OpenRecordKey() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRecordKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
        return false;
    }
    record.reset(key);
    return true;
}

bool CWindowsOperations::QueryRecordValue(const char* name, BaseString& data, ValueKind& kind) {
    DWORD type = REG_NONE;
    DWORD size = static_cast<DWORD>(data.size());
    if (RegQueryValueExA(record.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                         &size) != ERROR_SUCCESS) {
        return false;
    }
    // An expandable string is taken as it is stored.
    kind = type == REG_SZ || type == REG_EXPAND_SZ ? ValueKind::String : ValueKind::Other;
    return true;
}

void CWindowsOperations::DeleteRecordValue(const char* name) {
    RegDeleteValueA(record.get(), name);
}

void CWindowsOperations::CloseRecordKey() {
    record.reset();
}

// The entry holds values only, so the plain delete takes it; in the same view as the record.
void CWindowsOperations::DeleteProgramListEntry() {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kProgramListKey);
}

void CWindowsOperations::RemoveFile(const char* path) {
    DeleteFileA(path);
}

void CWindowsOperations::RemoveFolder(const char* path) {
    RemoveDirectoryA(path);
}

bool CWindowsOperations::ItemExists(const char* path) {
    return ItemAt(path);
}

// The exclamation-mark icon and a single OK button, owned by the desktop: there is no window
// of our own.
void CWindowsOperations::ShowClosingMessage(const char* text, const char* caption) {
    constexpr UINT kStyle = MB_OK | MB_ICONWARNING;
    static_assert(kStyle == 0x30, "the closing message's style");
    MessageBoxA(GetDesktopWindow(), text, caption, kStyle);
}

// The copy runs in the temporary folder, not in the installation folder it is to remove, and
// waits on a handle to this process that only it inherits the right to.
void CWindowsOperations::HandOverUninstaller(const char* uninstaller) {
    char temporary[MAX_PATH];
    char own[MAX_PATH];
    const DWORD temporaryLength = GetTempPathA(MAX_PATH, temporary);
    if (temporaryLength == 0 || temporaryLength >= MAX_PATH || !OwnProgramFile(own)) {
        return;
    }
    char copy[MAX_PATH + 32];
    wsprintfA(copy, "%s%s%lu.exe", temporary, kCopyNamePrefix, GetCurrentProcessId());
    if (!CopyFileA(own, copy, FALSE)) {
        return;
    }
    HANDLE self = nullptr;
    DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &self,
                    SYNCHRONIZE | PROCESS_QUERY_INFORMATION, TRUE, 0);
    const framework::CUniqueKernelObject selfForCopy(self);
    HandOverArguments arguments;
    if (!self || !ComposeHandOverArguments(static_cast<std::uint32_t>(HandleToULong(self)),
                                           uninstaller, arguments)) {
        DeleteFileA(copy);
        return;
    }
    char commandLine[sizeof copy + sizeof arguments + 3];
    wsprintfA(commandLine, "\"%s\" %s", copy, arguments.data());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(copy, commandLine, nullptr, nullptr, TRUE, 0, nullptr, temporary, &startup,
                        &started)) {
        DeleteFileA(copy);
        return;
    }
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
}

bool CWindowsFinishOperations::WaitForFirstProcess(std::uint32_t handle) {
    const HANDLE process = ULongToHandle(handle);
    if (GetProcessId(process) == 0 || GetProcessId(process) == GetCurrentProcessId()) {
        return false;
    }
    WaitForSingleObject(process, kFirstProcessWaitMs);
    CloseHandle(process);
    return true;
}

void CWindowsFinishOperations::RemoveFile(const char* path) {
    DeleteFileA(path);
}

void CWindowsFinishOperations::RemoveFolder(const char* path) {
    RemoveDirectoryA(path);
}

bool CWindowsFinishOperations::ItemExists(const char* path) {
    return ItemAt(path);
}

void CWindowsFinishOperations::Pause(unsigned milliseconds) {
    Sleep(milliseconds);
}

// The file cannot go while it runs: Windows deletes it at its next start.
void CWindowsFinishOperations::ScheduleOwnRemoval() {
    char own[MAX_PATH];
    if (OwnProgramFile(own) && NamesHandOverCopy(own)) {
        MoveFileExA(own, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    }
}

} // namespace uninstall
