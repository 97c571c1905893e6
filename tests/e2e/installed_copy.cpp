#include "installed_copy.h"

#include "install_layout.h"
#include "registry_record.h"

#include <windows.h>

#include <shlobj.h>

namespace install_test {
namespace {

std::string SystemFolder(int csidl) {
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return WithSeparator(path);
}

bool RunsOnX64() {
    SYSTEM_INFO system{};
    GetNativeSystemInfo(&system);
    return system.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64;
}

// This test is a 32-bit program: on 64-bit Windows its own program-files folder is the 32-bit
// one, and the environment names the other.
std::string ProgramFiles(bool of64BitPrograms) {
    if (!of64BitPrograms) {
        return SystemFolder(CSIDL_PROGRAM_FILES);
    }
    char path[MAX_PATH] = "";
    GetEnvironmentVariableA("ProgramW6432", path, MAX_PATH);
    return WithSeparator(path);
}

} // namespace

std::string WithSeparator(std::string folder) {
    return folder.empty() || folder.back() == '\\' ? folder : folder + "\\";
}

Places ExpectedPlaces() {
    const bool x64 = RunsOnX64();
    return {ProgramFiles(x64), SystemFolder(CSIDL_COMMON_PROGRAMS),
            SystemFolder(CSIDL_COMMON_DESKTOPDIRECTORY), x64};
}

std::vector<std::string> CInstalledCopy::Items() const {
    std::vector<std::string> items;
    for (const char* name :
         {"Tintview.exe", "Tintview.hlp", "Tintview.cnt", "Mousetap.dll", "uninstall.exe"}) {
        items.push_back(Folder() + name);
    }
    items.push_back(Folder());
    for (const char* name : {"Tintview.exe.lnk", "Tintview.hlp.lnk", "uninstall.exe.lnk"}) {
        items.push_back(GroupFolder() + name);
    }
    items.push_back(GroupFolder());
    items.push_back(DesktopShortcut());
    return items;
}

Survey Take(const CInstalledCopy& copy) {
    Survey survey;
    for (const std::string& item : copy.Items()) {
        if (uninstall_test::Exists(item)) {
            survey.present.push_back(item);
        }
    }
    const uninstall_test::CRecordInView record(KEY_WOW64_32KEY);
    survey.recordKey = record.KeyExists();
    survey.recordValues = record.ValueNames();
    return survey;
}

} // namespace install_test
