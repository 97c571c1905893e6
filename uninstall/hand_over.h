// The hand-over. A running uninstall.exe cannot delete its own program file, nor so the folder
// that holds it. It hands those two to a copy of itself in the temporary folder, which waits for
// it to end, removes just those two and has itself deleted when Windows next starts. The copy
// learns what to remove from its command line:
//   /prismel-hand-over <process handle> "<base>Prismel\uninstall.exe"
// where the handle, inherited from the first process, is what it waits on. Anyone can type a
// command line, so the copy takes only that exact form and only a path that names an installed
// uninstall.exe, and removes nothing but that file and its folder (the folder only when empty).
#pragma once

#include "removal_plan.h"

#include <array>
#include <cstdint>

namespace uninstall {

constexpr char kHandOverSwitch[] = "/prismel-hand-over";
// The copy's name in the temporary folder: this prefix, the first process's id, ".exe".
constexpr char kCopyNamePrefix[] = "Prismel-cleanup-";
// How long the copy waits for the first process, and how it retries a file still held open for
// a moment after that process has ended.
constexpr unsigned kFirstProcessWaitMs = 60000;
constexpr int kRemovalAttempts = 20;
constexpr unsigned kRemovalPauseMs = 100;

// The switch, a space, the handle's 10 digits at most, a space, the quoted path, terminator.
using HandOverArguments = std::array<char, sizeof kHandOverSwitch + 11 + sizeof(ComposedPath) + 2>;

struct HandOverRequest {
    std::uint32_t firstProcess = 0; // the value of the handle the copy inherited
    ComposedPath uninstaller{};
};

// True for "<drive>:\...\Prismel\uninstall.exe" (or a network path "\\...") of 255 characters at
// most, with no wildcard, quote, stream name, control character, "." or ".." or empty part: the
// only file a copy removes.
bool NamesInstalledUninstaller(const char* path);

// True when the command line's first word is the switch; every other command line is ignored.
bool AsksForHandOver(const char* commandLine);

// False, leaving `arguments` empty, for a null handle or a path NamesInstalledUninstaller refuses.
bool ComposeHandOverArguments(std::uint32_t firstProcess, const char* uninstaller,
                              HandOverArguments& arguments);

// Takes exactly what ComposeHandOverArguments writes (leading blanks aside); false otherwise.
bool ReadHandOverArguments(const char* commandLine, HandOverRequest& request);

// True for a path whose file name is the copy's: the prefix, digits, ".exe".
bool NamesHandOverCopy(const char* path);

class CFinishOperations {
public:
    // Waits (kFirstProcessWaitMs at most) for the process `handle` refers to; false, at once,
    // when the value is no process handle of this process's.
    virtual bool WaitForFirstProcess(std::uint32_t handle) = 0;
    virtual void RemoveFile(const char* path) = 0;
    virtual void RemoveFolder(const char* path) = 0;
    virtual bool ItemExists(const char* path) = 0;
    virtual void Pause(unsigned milliseconds) = 0;
    // Has this program's own file deleted when Windows next starts, when that file is the copy.
    virtual void ScheduleOwnRemoval() = 0;

protected:
    ~CFinishOperations() = default;
};

// The copy's whole run: 0 when the uninstaller's file is gone, 1 otherwise. A malformed or
// refused command line, or a handle that is no process, removes nothing.
int FinishUninstall(CFinishOperations& operations, const char* commandLine);

} // namespace uninstall
