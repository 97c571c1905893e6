#include "registry_record.h"

#include "child_process.h"

namespace uninstall_test {

std::string Stored(const std::string& text) {
    return text + '\0';
}

CRecordInView::OwnedKey CRecordInView::Open() const {
    HKEY key = nullptr;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRecordKey, 0, KEY_READ | view, &key);
    return OwnedKey(key);
}

CRecordInView::OwnedKey CRecordInView::Create() const {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRecordKey, 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr,
                    &key, nullptr);
    return OwnedKey(key);
}

bool CRecordInView::KeyExists() const {
    return static_cast<bool>(Open());
}

void CRecordInView::Erase() const {
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kRecordKey, view, 0);
}

void CRecordInView::Lay(const Bases& bases) const {
    SetString("InstallPath", bases.install);
    SetString("CommonPath", bases.common);
    SetString("DeskPath", bases.desk);
}

bool CRecordInView::LayWithRegTool(const Bases& bases) const {
    const std::string viewOption = view == KEY_WOW64_32KEY ? " /reg:32" : " /reg:64";
    bool laid = true;
    for (const auto& [name, base] :
         {std::pair{"InstallPath", bases.install}, std::pair{"CommonPath", bases.common},
          std::pair{"DeskPath", bases.desk}}) {
        // The bases hold no spaces, so they go unquoted and their final "\" stays as it is.
        const auto code =
            testing_support::RunToEnd(std::string("reg add HKLM\\") + kRecordKey + " /v " + name +
                                      " /t REG_SZ /d " + base + " /f" + viewOption);
        laid = laid && code == 0u;
    }
    return laid;
}

void CRecordInView::SetString(const char* name, const std::string& text, DWORD type) const {
    SetData(name, type, Stored(text));
}

void CRecordInView::SetData(const char* name, DWORD type, const std::string& bytes) const {
    const OwnedKey key = Create();
    // The registry adds a string's missing terminator when one follows the data given; a byte
    // that is none keeps the data exactly as given.
    const std::string followed = bytes + 'x';
    RegSetValueExA(key.get(), name, 0, type, reinterpret_cast<const BYTE*>(followed.data()),
                   static_cast<DWORD>(bytes.size()));
}

std::optional<std::string> CRecordInView::Data(const char* name) const {
    const OwnedKey key = Open();
    char data[1024];
    DWORD size = sizeof data;
    if (!key || RegQueryValueExA(key.get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(data),
                                 &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::string(data, size);
}

std::vector<std::string> CRecordInView::ValueNames() const {
    const OwnedKey key = Open();
    std::vector<std::string> names;
    for (DWORD index = 0; key; ++index) {
        char name[256];
        DWORD length = sizeof name;
        if (RegEnumValueA(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        names.emplace_back(name, length);
    }
    return names;
}

namespace {
const std::string kProgramList = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
} // namespace

void CProgramListInView::LayEntry(const std::string& name, const std::string& uninstaller) const {
    HKEY raw = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, (kProgramList + name).c_str(), 0, nullptr, 0,
                    KEY_ALL_ACCESS | view, nullptr, &raw, nullptr);
    const testing_support::CUniqueRegistryKey key(raw);
    const std::string command = "\"" + uninstaller + "\"";
    RegSetValueExA(key.get(), "DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>(name.c_str()),
                   static_cast<DWORD>(name.size() + 1));
    RegSetValueExA(key.get(), "UninstallString", 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>(command.size() + 1));
}

bool CProgramListInView::HasEntry(const std::string& name) const {
    HKEY raw = nullptr;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, (kProgramList + name).c_str(), 0, KEY_READ | view, &raw);
    return static_cast<bool>(testing_support::CUniqueRegistryKey(raw));
}

void CProgramListInView::EraseEntry(const std::string& name) const {
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, (kProgramList + name).c_str(), view, 0);
}

} // namespace uninstall_test
