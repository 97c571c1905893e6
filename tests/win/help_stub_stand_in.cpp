// Stands in, in a test prefix, for the winhlp32.exe that Windows 10 and 11 keep in the Windows
// folder: its version record describes it as a stub, as theirs does. Started, it only appends its
// command line to help-stub-started.log beside itself, so that a test sees it was started.
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    char path[MAX_PATH];
    const std::string program(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    const std::string log =
        program.substr(0, program.find_last_of('\\') + 1) + "help-stub-started.log";
    if (std::FILE* file = std::fopen(log.c_str(), "a")) {
        std::fprintf(file, "started: %s\n", commandLine);
        std::fclose(file);
    }
    return 0;
}
