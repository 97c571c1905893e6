#include "registry_record.h"

#include "child_process.h"

namespace uninstall_test {

std::string Stored(const std::string& text) {
    return text + '\0';
}

RecordInView::OwnedKey RecordInView::Open() const {
    HKEY key = nullptr;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRecordKey, 0, KEY_READ | view_, &key);
    return OwnedKey(key);
}

RecordInView::OwnedKey RecordInView::Create() const {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRecordKey, 0, nullptr, 0, KEY_ALL_ACCESS | view_, nullptr,
                    &key, nullptr);
    return OwnedKey(key);
}

bool RecordInView::KeyExists() const {
    return static_cast<bool>(Open());
}

void RecordInView::Erase() const {
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kRecordKey, view_, 0);
}

void RecordInView::Lay(const Bases& bases) const {
    SetString("InstallPath", bases.install);
    SetString("CommonPath", bases.common);
    SetString("DeskPath", bases.desk);
}

bool RecordInView::LayWithRegTool(const Bases& bases) const {
    const std::string view = view_ == KEY_WOW64_32KEY ? " /reg:32" : " /reg:64";
    bool laid = true;
    for (const auto& [name, base] :
         {std::pair{"InstallPath", bases.install}, std::pair{"CommonPath", bases.common},
          std::pair{"DeskPath", bases.desk}}) {
        // The bases hold no spaces, so they go unquoted and their final "\" stays as it is.
        const auto code =
            testing_support::RunToEnd(std::string("reg add HKLM\\") + kRecordKey + " /v " + name +
                                      " /t REG_SZ /d " + base + " /f" + view);
        laid = laid && code == 0u;
    }
    return laid;
}

void RecordInView::SetString(const char* name, const std::string& text, DWORD type) const {
    SetData(name, type, Stored(text));
}

void RecordInView::SetData(const char* name, DWORD type, const std::string& bytes) const {
    const OwnedKey key = Create();
    // The registry adds a string's missing terminator when one follows the data given; a byte
    // that is none keeps the data exactly as given.
    const std::string followed = bytes + 'x';
    RegSetValueExA(key.get(), name, 0, type, reinterpret_cast<const BYTE*>(followed.data()),
                   static_cast<DWORD>(bytes.size()));
}

std::optional<std::string> RecordInView::Data(const char* name) const {
    const OwnedKey key = Open();
    char data[1024];
    DWORD size = sizeof data;
    if (!key || RegQueryValueExA(key.get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(data),
                                 &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::string(data, size);
}

std::vector<std::string> RecordInView::ValueNames() const {
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

} // namespace uninstall_test
