// What one uninstall run asks of the platform: the registry record the installer left, the
// files and folders it laid, the closing message, and the hand-over of what the running
// uninstall.exe cannot remove itself. Kept free of windows.h, so the run's decisions are tested
// natively against a recording fake.
#pragma once

#include <array>

namespace uninstall {

// A registry value's data as read: 255 bytes at most, terminator included.
using BaseString = std::array<char, 255>;

// Only string data names a folder; anything else is treated as absent.
enum class ValueKind { String, Other };

class CUninstallOperations {
public:
    // Opens the record's key with full access; false when it is absent or refused.
    virtual bool OpenRecordKey() = 0;
    // Reads one value of the open key into `data` (at most its 255 bytes); false when the value
    // is absent or larger. `data` arrives zero-filled.
    virtual bool QueryRecordValue(const char* name, BaseString& data, ValueKind& kind) = 0;
    virtual void DeleteRecordValue(const char* name) = 0;
    virtual void CloseRecordKey() = 0;
    // Removes the setup's entry in Windows' list of installed programs, in the record's registry
    // view; silently when it is absent.
    virtual void DeleteProgramListEntry() = 0;
    // Both fail silently: an item that is absent, in use or (for a folder) not empty stays.
    virtual void RemoveFile(const char* path) = 0;
    virtual void RemoveFolder(const char* path) = 0;
    virtual bool ItemExists(const char* path) = 0;
    // Modal: returns once the user has dismissed it.
    virtual void ShowClosingMessage(const char* text, const char* caption) = 0;
    // Starts a copy of this program from the temporary folder that removes `uninstaller` and
    // its folder once this process has ended. Fails silently: both then stay.
    virtual void HandOverUninstaller(const char* uninstaller) = 0;

protected:
    // Never deleted through this interface, so the program needs no deleting destructor and
    // none of the runtime that comes with it.
    ~CUninstallOperations() = default;
};

} // namespace uninstall
