#include "windows_operations.h"

#include "removal_plan.h"

namespace prismel::uninstall {

bool RegistryKey::Open(HKEY root, const char* name, REGSAM access) {
    Close();
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, name, 0, access, &key) != ERROR_SUCCESS) {
        return false;
    }
    key_ = key;
    return true;
}

void RegistryKey::Close() {
    if (key_) {
        RegCloseKey(key_);
        key_ = nullptr;
    }
}

// Full access: the values are deleted once read. The build's own registry view is the one the
// installer of the same build wrote.
bool WindowsOperations::OpenRecordKey() {
    return record_.Open(HKEY_LOCAL_MACHINE, kRecordKey, KEY_ALL_ACCESS);
}

bool WindowsOperations::QueryRecordValue(const char* name, BaseString& data, ValueKind& kind) {
    DWORD type = REG_NONE;
    DWORD size = static_cast<DWORD>(data.size());
    if (RegQueryValueExA(record_.Handle(), name, nullptr, &type,
                         reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS) {
        return false;
    }
    // An expandable string is taken as it is stored.
    kind = type == REG_SZ || type == REG_EXPAND_SZ ? ValueKind::String : ValueKind::Other;
    return true;
}

void WindowsOperations::DeleteRecordValue(const char* name) {
    RegDeleteValueA(record_.Handle(), name);
}

void WindowsOperations::CloseRecordKey() {
    record_.Close();
}

void WindowsOperations::RemoveFile(const char* path) {
    DeleteFileA(path);
}

void WindowsOperations::RemoveFolder(const char* path) {
    RemoveDirectoryA(path);
}

// The exclamation-mark icon and a single OK button, owned by the desktop: there is no window
// of our own.
void WindowsOperations::ShowClosingMessage(const char* text, const char* caption) {
    constexpr UINT kStyle = MB_OK | MB_ICONWARNING;
    static_assert(kStyle == 0x30, "the closing message's style");
    MessageBoxA(GetDesktopWindow(), text, caption, kStyle);
}

} // namespace prismel::uninstall
