// What Windows itself reads from installed files and from the registry: a shortcut's target, a
// binary's version record and bitness, a value in the 32-bit registry view.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace install_test {

struct Shortcut {
    std::string target;
    std::string workingFolder;
};
// Read through the shell's own link object; needs COM initialised on this thread.
std::optional<Shortcut> ReadShortcut(const std::string& path);

struct VersionRecord {
    WORD major = 0, minor = 0;
    DWORD fileType = 0; // VFT_APP, VFT_DLL
    std::string productVersion;
    std::string originalFilename;
};
std::optional<VersionRecord> ReadVersionRecord(const std::string& path);

// The application manifest a program carries for Windows' loader (resource 1), or nothing.
std::optional<std::string> EmbeddedManifest(const std::string& path);

// 32 or 64 for a Windows program or library; 0 when the file is neither.
int Bitness(const std::string& path);

bool SameContent(const std::string& a, const std::string& b);
bool SamePath(const std::string& a, const std::string& b);

// A string value under HKEY_LOCAL_MACHINE in the 32-bit view, or nothing.
std::optional<std::string> MachineString32(const std::string& key, const std::string& name);

} // namespace install_test
