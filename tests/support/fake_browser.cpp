#include "fake_browser.h"

#include "handle_owners.h"

#include "unix_command.h"

#include <fstream>
#include <memory>

namespace testing_support {
namespace {

const char kBrowserKey[] = "Software\\Wine\\WineBrowser";
const char kBrowsersValue[] = "Browsers";

using OwnedKey = CUniqueRegistryKey;

OwnedKey BrowserKey() {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, kBrowserKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                    &key, nullptr);
    return OwnedKey(key);
}

std::optional<std::string> ReadString(HKEY key, const char* name) {
    char data[1024] = "";
    DWORD size = sizeof data - 1;
    DWORD type = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ) {
        return std::nullopt;
    }
    return std::string(data);
}

void WriteString(HKEY key, const char* name, const std::string& text) {
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
}

} // namespace

FakeBrowser::FakeBrowser()
    : script_(UniqueTemporaryFile("-browser.sh")), log_(UniqueTemporaryFile("-browser.log")) {
    {
        std::ofstream script(WindowsPathOf(script_), std::ios::binary);
        script << "#!/bin/sh\nprintf '%s\\n' \"$*\" >>" << ShellQuoted(log_) << "\n";
    }
    const OwnedKey key = BrowserKey();
    if (!key || RunUnixCommand("chmod +x " + ShellQuoted(script_)) != 0) {
        return;
    }
    previousBrowsers_ = ReadString(key.get(), kBrowsersValue);
    WriteString(key.get(), kBrowsersValue, script_);
    ready_ = true;
}

FakeBrowser::~FakeBrowser() {
    if (ready_) {
        const OwnedKey key = BrowserKey();
        if (previousBrowsers_) {
            WriteString(key.get(), kBrowsersValue, *previousBrowsers_);
        } else {
            RegDeleteValueA(key.get(), kBrowsersValue);
        }
    }
    DeleteFileA(WindowsPathOf(script_).c_str());
    DeleteFileA(WindowsPathOf(log_).c_str());
}

std::vector<std::string> FakeBrowser::Addresses() const {
    std::vector<std::string> addresses;
    std::ifstream log(WindowsPathOf(log_));
    for (std::string line; std::getline(log, line);) {
        addresses.push_back(line);
    }
    return addresses;
}

} // namespace testing_support
