// The installer's registry record as the uninstaller tests lay and inspect it, in one view of
// the registry: a 32-bit program's HKLM\SOFTWARE is WOW6432Node, as on 64-bit Windows.
#pragma once

#include "handle_owners.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace uninstall_test {

// The view that the uninstaller of this build reads, and the one it must leave alone.
constexpr REGSAM kOwnView = sizeof(void*) == 4 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
constexpr REGSAM kOtherView = sizeof(void*) == 4 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;

constexpr char kRecordKey[] = "SOFTWARE\\Prismel1.00";

// The three folders the record names, each ending with "\".
struct Bases {
    std::string install;
    std::string common;
    std::string desk;
};

class CRecordInView {
public:
    explicit CRecordInView(REGSAM inView) : view(inView) {}

    bool KeyExists() const;
    void Erase() const;
    void Lay(const Bases& bases) const;
    // Lays the three values with Wine's own `reg add ... /reg:32` (or /reg:64) as an installer
    // script would; true when every call succeeded.
    bool LayWithRegTool(const Bases& bases) const;
    void SetString(const char* name, const std::string& text, DWORD type = REG_SZ) const;
    void SetData(const char* name, DWORD type, const std::string& bytes) const;
    // The value's data as stored, or nothing when it is absent.
    std::optional<std::string> Data(const char* name) const;
    std::vector<std::string> ValueNames() const;

private:
    using OwnedKey = testing_support::CUniqueRegistryKey;
    OwnedKey Open() const;
    OwnedKey Create() const;

    REGSAM view;
};

// Windows' list of installed programs in one registry view: an entry is a key of values named
// after the program, as the setup writes Prismel's.
class CProgramListInView {
public:
    explicit CProgramListInView(REGSAM inView) : view(inView) {}

    void LayEntry(const std::string& name, const std::string& uninstaller) const;
    bool HasEntry(const std::string& name) const;
    void EraseEntry(const std::string& name) const;

private:
    REGSAM view;
};

// The stored form of a string: its characters and the terminator.
std::string Stored(const std::string& text);

} // namespace uninstall_test
