// One uninstall run: read the installer's record, delete its three values and the programs-list
// entry, then remove the installed items under the three recorded folders, say how it ended, and
// hand what the running uninstall.exe could not remove to a copy of itself.
#pragma once

#include "uninstall_operations.h"

#include <array>

namespace uninstall {

// The record under HKEY_LOCAL_MACHINE.
constexpr char kRecordKey[] = "SOFTWARE\\Prismel1.00";
constexpr char kInstallPath[] = "InstallPath";
constexpr char kCommonPath[] = "CommonPath";
constexpr char kDeskPath[] = "DeskPath";
// The setup's entry in Windows' list of installed programs, under HKEY_LOCAL_MACHINE.
constexpr char kProgramListKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Prismel";

constexpr char kClosingCaption[] = "Uninstall Information";
constexpr char kSuccessText[] = "Prismel has been uninstalled successfully.";
constexpr char kFailureText[] = "Prismel could not be uninstalled.";
constexpr int kSuccessExitCode = 0;
constexpr int kFailureExitCode = 1;

// Room for 255 characters and the terminator.
using ComposedPath = std::array<char, 256>;

enum class Base { Install, Common, Desk };
enum class Operation { DeleteFile, RemoveFolder };

struct RemovalStep {
    Base base;
    const char* relativeName; // appended to the base as it stands
    Operation operation;
};

// The uninstaller's own file, under the "InstallPath" base.
constexpr char kUninstallerName[] = "Prismel\\uninstall.exe";

// Each folder comes after every file removed from it; the desktop shortcut comes last.
constexpr std::array<RemovalStep, 12> kRemovalSteps = {{
    {Base::Install, "Prismel\\Tintview.exe", Operation::DeleteFile},
    {Base::Install, "Prismel\\Tintview.hlp", Operation::DeleteFile},
    {Base::Install, "Prismel\\Tintview.cnt", Operation::DeleteFile},
    {Base::Install, "Prismel\\Mousetap.dll", Operation::DeleteFile},
    {Base::Install, "Prismel\\Tintview.gid", Operation::DeleteFile},
    {Base::Install, kUninstallerName, Operation::DeleteFile},
    {Base::Install, "Prismel\\", Operation::RemoveFolder},
    {Base::Common, "Prismel\\Tintview.exe.lnk", Operation::DeleteFile},
    {Base::Common, "Prismel\\Tintview.hlp.lnk", Operation::DeleteFile},
    {Base::Common, "Prismel\\uninstall.exe.lnk", Operation::DeleteFile},
    {Base::Common, "Prismel", Operation::RemoveFolder},
    {Base::Desk, "Tintview.exe.lnk", Operation::DeleteFile},
}};

// Joins `base` and `relativeName` into `path`. False, leaving `path` empty, when the result
// would not fit: a shortened path would name some other file or folder.
bool ComposeStepPath(const char* base, const char* relativeName, ComposedPath& path);

// Runs the whole pass, shows the closing message and returns the exit code. When the pass
// succeeded but the uninstaller's own file is still there (it is the running program), that file
// and its folder are handed over once the message has been dismissed.
int RunUninstall(CUninstallOperations& operations);

} // namespace uninstall
