// One uninstall run: read the installer's record, delete its three values, then remove the
// installed items under the three recorded folders, and say how it ended.
#pragma once

#include "uninstall_operations.h"

#include <array>

namespace prismel::uninstall {

// The record under HKEY_LOCAL_MACHINE.
constexpr char kRecordKey[] = "SOFTWARE\\Prismel1.00";
constexpr char kInstallPath[] = "InstallPath";
constexpr char kCommonPath[] = "CommonPath";
constexpr char kDeskPath[] = "DeskPath";

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

// Each folder comes after every file removed from it; the desktop shortcut comes last.
constexpr std::array<RemovalStep, 12> kRemovalSteps = {{
    {Base::Install, "Prismel\\Tintview.exe", Operation::DeleteFile},
    {Base::Install, "Prismel\\Tintview.hlp", Operation::DeleteFile},
    {Base::Install, "Prismel\\Tintview.cnt", Operation::DeleteFile},
    {Base::Install, "Prismel\\Mousetap.dll", Operation::DeleteFile},
    {Base::Install, "Prismel\\Tintview.gid", Operation::DeleteFile},
    {Base::Install, "Prismel\\uninstall.exe", Operation::DeleteFile},
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

// Runs the whole pass, shows the closing message and returns the exit code.
int RunUninstall(UninstallOperations& operations);

} // namespace prismel::uninstall
