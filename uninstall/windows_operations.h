// The uninstall run's operations on the real registry, file system and desktop.
#pragma once

#include "uninstall_operations.h"

#include <windows.h>

namespace prismel::uninstall {

// Owns one open registry key.
class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() { Close(); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    bool Open(HKEY root, const char* name, REGSAM access);
    void Close();
    HKEY Handle() const { return key_; }

private:
    HKEY key_ = nullptr;
};

class WindowsOperations final : public UninstallOperations {
public:
    bool OpenRecordKey() override;
    bool QueryRecordValue(const char* name, BaseString& data, ValueKind& kind) override;
    void DeleteRecordValue(const char* name) override;
    void CloseRecordKey() override;
    void RemoveFile(const char* path) override;
    void RemoveFolder(const char* path) override;
    void ShowClosingMessage(const char* text, const char* caption) override;

private:
    RegistryKey record_;
};

} // namespace prismel::uninstall
