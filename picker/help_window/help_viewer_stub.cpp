#include "help_window/help_viewer_stub.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace picker {

namespace {

// The version functions, from the system's own version.dll. It is loaded at the first look-up:
// most runs never ask for help, and a library loaded with the program costs every start.
struct VersionFunctions {
    decltype(&GetFileVersionInfoSizeA) size = nullptr;
    decltype(&GetFileVersionInfoA) read = nullptr;
    decltype(&VerQueryValueA) query = nullptr;
};

template <class Function> Function Resolve(HMODULE library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

const VersionFunctions& Version() {
    static const VersionFunctions functions = [] {
        VersionFunctions found;
        char folder[MAX_PATH];
        const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) {
            return found;
        }
        // By its full path: never a version.dll of the program's own folder.
        const HMODULE library = LoadLibraryA((std::string(folder) + "\\version.dll").c_str());
        if (library) {
            found.size = Resolve<decltype(found.size)>(library, "GetFileVersionInfoSizeA");
            found.read = Resolve<decltype(found.read)>(library, "GetFileVersionInfoA");
            found.query = Resolve<decltype(found.query)>(library, "VerQueryValueA");
        }
        return found;
    }();
    return functions;
}

} // namespace

std::string HelpViewerProgram() {
    // GetWindowsDirectory gives a private folder per user on a terminal server; the platform's
    // programs live in the shared one.
    char folder[MAX_PATH];
    const UINT length = GetSystemWindowsDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return "";
    }
    std::string program(folder, length);
    if (program.back() != '\\') {
        program += '\\';
    }
    return program + "winhlp32.exe";
}

bool IsDescribedAsStub(const std::string& program) {
    const VersionFunctions& version = Version();
    if (!version.size || !version.read || !version.query || program.empty()) {
        return false;
    }
    DWORD ignored = 0;
    const DWORD size = version.size(program.c_str(), &ignored);
    if (size == 0) {
        return false;
    }
    std::vector<char> record(size);
    if (!version.read(program.c_str(), 0, size, record.data())) {
        return false;
    }
    // The record's languages, and the common English ones should it list none.
    std::vector<DWORD> blocks;
    struct Translation {
        WORD language;
        WORD codePage;
    };
    void* translations = nullptr;
    UINT translationBytes = 0;
    if (version.query(record.data(), "\\VarFileInfo\\Translation", &translations,
                      &translationBytes)) {
        const auto* listed = static_cast<const Translation*>(translations);
        for (UINT i = 0; i < translationBytes / sizeof(Translation); ++i) {
            blocks.push_back(MAKELONG(listed[i].codePage, listed[i].language));
        }
    }
    blocks.insert(blocks.end(), {0x040904B0, 0x040904E4, 0x04090000});
    for (DWORD block : blocks) {
        char name[64];
        std::snprintf(name, sizeof name, "\\StringFileInfo\\%08lX\\FileDescription",
                      static_cast<unsigned long>(block));
        void* text = nullptr;
        UINT characters = 0;
        if (version.query(record.data(), name, &text, &characters) && text && characters > 0) {
            const std::string description(static_cast<const char*>(text),
                                          strnlen(static_cast<const char*>(text), characters));
            return description.find("Stub") != std::string::npos;
        }
    }
    return false;
}

} // namespace picker
