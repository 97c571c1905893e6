#include "hand_over.h"

#include <cstring>

namespace uninstall {
namespace {

constexpr char kInstalledTail[] = "\\Prismel\\uninstall.exe";
constexpr std::size_t kLongestPath = sizeof(ComposedPath) - 1;

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool EndsWith(const char* text, std::size_t length, const char* tail) {
    const std::size_t tailLength = std::strlen(tail);
    return length >= tailLength && std::memcmp(text + length - tailLength, tail, tailLength) == 0;
}

// Every part between separators names something: none is empty, "." or "..".
bool PartsAreNames(const char* from, const char* end) {
    const char* part = from;
    for (const char* at = from; at <= end; ++at) {
        if (at == end || *at == '\\') {
            const std::size_t length = static_cast<std::size_t>(at - part);
            if (length == 0 || (length == 1 && part[0] == '.') ||
                (length == 2 && part[0] == '.' && part[1] == '.')) {
                return false;
            }
            part = at + 1;
        }
    }
    return true;
}

const char* SkipBlanks(const char* text) {
    while (*text == ' ' || *text == '\t') {
        ++text;
    }
    return text;
}

// The uninstaller's folder, "<base>Prismel\": the path without the file's name.
void FolderOf(const char* uninstaller, ComposedPath& folder) {
    const std::size_t length = std::strlen(uninstaller) - (sizeof "uninstall.exe" - 1);
    std::memcpy(folder.data(), uninstaller, length);
    folder[length] = '\0';
}

} // namespace

bool NamesInstalledUninstaller(const char* path) {
    const std::size_t length = std::strlen(path);
    if (length > kLongestPath || !EndsWith(path, length, kInstalledTail)) {
        return false;
    }
    for (std::size_t at = 0; at < length; ++at) {
        const unsigned char c = static_cast<unsigned char>(path[at]);
        if (c < 0x20 || c == '"' || c == '*' || c == '?' || c == '/' || c == '<' || c == '>' ||
            c == '|' || (c == ':' && at != 1)) {
            return false;
        }
    }
    // A drive's folder, or a network share's: never relative to some current folder.
    const char* parts = nullptr;
    if (IsLetter(path[0]) && path[1] == ':' && path[2] == '\\') {
        parts = path + 3;
    } else if (path[0] == '\\' && path[1] == '\\') {
        parts = path + 2;
    } else {
        return false;
    }
    return PartsAreNames(parts, path + length);
}

bool AsksForHandOver(const char* commandLine) {
    const char* word = SkipBlanks(commandLine);
    const std::size_t length = sizeof kHandOverSwitch - 1;
    return std::strncmp(word, kHandOverSwitch, length) == 0 &&
           (word[length] == '\0' || word[length] == ' ' || word[length] == '\t');
}

bool ComposeHandOverArguments(std::uint32_t firstProcess, const char* uninstaller,
                              HandOverArguments& arguments) {
    arguments[0] = '\0';
    if (firstProcess == 0 || !NamesInstalledUninstaller(uninstaller)) {
        return false;
    }
    char digits[10];
    int count = 0;
    for (std::uint32_t rest = firstProcess; rest != 0; rest /= 10) {
        digits[count++] = static_cast<char>('0' + rest % 10);
    }
    char* out = arguments.data();
    std::memcpy(out, kHandOverSwitch, sizeof kHandOverSwitch - 1);
    out += sizeof kHandOverSwitch - 1;
    *out++ = ' ';
    while (count > 0) {
        *out++ = digits[--count];
    }
    *out++ = ' ';
    *out++ = '"';
    const std::size_t length = std::strlen(uninstaller);
    std::memcpy(out, uninstaller, length);
    out += length;
    *out++ = '"';
    *out = '\0';
    return true;
}

bool ReadHandOverArguments(const char* commandLine, HandOverRequest& request) {
    request = HandOverRequest{};
    const char* at = SkipBlanks(commandLine);
    const std::size_t switchLength = sizeof kHandOverSwitch - 1;
    if (std::strncmp(at, kHandOverSwitch, switchLength) != 0 || at[switchLength] != ' ') {
        return false;
    }
    at += switchLength + 1;
    // The handle: decimal, no leading zero, not zero, within 32 bits.
    if (!IsDigit(*at) || *at == '0') {
        return false;
    }
    std::uint64_t handle = 0;
    for (int digits = 0; IsDigit(*at); ++at, ++digits) {
        if (digits == 10) {
            return false;
        }
        handle = handle * 10 + static_cast<std::uint64_t>(*at - '0');
    }
    if (handle > 0xFFFFFFFFu || at[0] != ' ' || at[1] != '"') {
        return false;
    }
    at += 2;
    const char* close = std::strchr(at, '"');
    if (close == nullptr || close[1] != '\0' ||
        static_cast<std::size_t>(close - at) > kLongestPath) {
        return false;
    }
    ComposedPath path{};
    std::memcpy(path.data(), at, static_cast<std::size_t>(close - at));
    if (!NamesInstalledUninstaller(path.data())) {
        return false;
    }
    request.firstProcess = static_cast<std::uint32_t>(handle);
    request.uninstaller = path;
    return true;
}

bool NamesHandOverCopy(const char* path) {
    const char* name = std::strrchr(path, '\\');
    name = name == nullptr ? path : name + 1;
    const std::size_t prefixLength = sizeof kCopyNamePrefix - 1;
    if (std::strncmp(name, kCopyNamePrefix, prefixLength) != 0) {
        return false;
    }
    const char* digit = name + prefixLength;
    const char* end = digit;
    while (IsDigit(*end)) {
        ++end;
    }
    return end != digit && std::strcmp(end, ".exe") == 0;
}

int FinishUninstall(CFinishOperations& operations, const char* commandLine) {
    HandOverRequest request;
    if (!ReadHandOverArguments(commandLine, request) ||
        !operations.WaitForFirstProcess(request.firstProcess)) {
        return kFailureExitCode;
    }
    const char* uninstaller = request.uninstaller.data();
    bool gone = false;
    for (int attempt = 0; attempt < kRemovalAttempts && !gone; ++attempt) {
        if (attempt > 0) {
            operations.Pause(kRemovalPauseMs);
        }
        operations.RemoveFile(uninstaller);
        gone = !operations.ItemExists(uninstaller);
    }
    ComposedPath folder{};
    FolderOf(uninstaller, folder);
    operations.RemoveFolder(folder.data());
    operations.ScheduleOwnRemoval();
    return gone ? kSuccessExitCode : kFailureExitCode;
}

} // namespace uninstall
