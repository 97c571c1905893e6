#include "hand_over_traces.h"

#include "handle_owners.h"
#include "install_layout.h"

#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>

namespace uninstall_test {
namespace {

using testing_support::CUniqueKernelObject;
using testing_support::CUniqueRegistryKey;

constexpr char kCopyPattern[] = "Prismel-cleanup-*.exe";
constexpr char kSessionManager[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
constexpr char kPendingValue[] = "PendingFileRenameOperations";
constexpr char kNtPrefix[] = "\\??\\";

std::string TemporaryFolder() {
    char path[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, path);
    return path;
}

CUniqueRegistryKey SessionManager(REGSAM access) {
    HKEY key = nullptr;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, access, &key);
    return CUniqueRegistryKey(key);
}

// The value's strings in order: source, target, source, target, ...
std::vector<std::string> PendingPairs() {
    const CUniqueRegistryKey key = SessionManager(KEY_READ);
    std::vector<char> data(64 * 1024);
    DWORD size = static_cast<DWORD>(data.size());
    if (!key || RegQueryValueExA(key.get(), kPendingValue, nullptr, nullptr,
                                 reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS) {
        return {};
    }
    std::vector<std::string> strings;
    for (DWORD at = 0; at < size && data[at] != '\0';) {
        strings.emplace_back(data.data() + at);
        at += static_cast<DWORD>(strings.back().size()) + 1;
        // A target may be empty: it is the string after the source, even when it is "".
        strings.emplace_back(at < size ? data.data() + at : "");
        at += static_cast<DWORD>(strings.back().size()) + 1;
    }
    return strings;
}

std::string WithoutNtPrefix(const std::string& path) {
    return path.compare(0, sizeof kNtPrefix - 1, kNtPrefix) == 0 ? path.substr(sizeof kNtPrefix - 1)
                                                                 : path;
}

} // namespace

std::vector<std::string> HandOverCopies() {
    const std::string folder = TemporaryFolder();
    std::vector<std::string> copies;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + kCopyPattern).c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            copies.push_back(folder + found.cFileName);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return copies;
}

bool WaitForHandOverCopiesToEnd(unsigned timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        bool running = false;
        const CUniqueKernelObject snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
        PROCESSENTRY32 entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32First(snapshot.get(), &entry); more;
             more = Process32Next(snapshot.get(), &entry)) {
            running = running || std::string(entry.szExeFile).rfind("Prismel-cleanup-", 0) == 0;
        }
        if (!running) {
            return true;
        }
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
        Sleep(50);
    }
}

std::vector<std::string> PendingDeletions() {
    const std::vector<std::string> pairs = PendingPairs();
    std::vector<std::string> deletions;
    for (size_t at = 0; at + 1 < pairs.size(); at += 2) {
        if (pairs[at + 1].empty()) {
            deletions.push_back(WithoutNtPrefix(pairs[at]));
        }
    }
    return deletions;
}

void DeleteNowInsteadOfAtRestart(const std::string& path) {
    const std::vector<std::string> pairs = PendingPairs();
    std::string kept;
    for (size_t at = 0; at + 1 < pairs.size(); at += 2) {
        if (lstrcmpiA(WithoutNtPrefix(pairs[at]).c_str(), path.c_str()) != 0) {
            kept += pairs[at] + '\0' + pairs[at + 1] + '\0';
        }
    }
    const CUniqueRegistryKey key = SessionManager(KEY_SET_VALUE);
    if (kept.empty()) {
        RegDeleteValueA(key.get(), kPendingValue);
    } else {
        kept += '\0';
        RegSetValueExA(key.get(), kPendingValue, 0, REG_MULTI_SZ,
                       reinterpret_cast<const BYTE*>(kept.data()), static_cast<DWORD>(kept.size()));
    }
    DeleteFileA(path.c_str());
}

bool WaitUntilGone(const std::vector<std::string>& paths, unsigned timeoutMs) {
    const DWORD start = GetTickCount();
    while (std::any_of(paths.begin(), paths.end(), Exists)) {
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
        Sleep(50);
    }
    return true;
}

} // namespace uninstall_test
