// uninstall.exe: removes an installed Prismel in one unattended pass. It takes no arguments; only
// the copy it starts to remove its own file and folder is told what to do (hand_over.h).
#include "hand_over.h"
#include "removal_plan.h"
#include "windows_operations.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    if (uninstall::AsksForHandOver(commandLine)) {
        uninstall::CWindowsFinishOperations operations;
        return uninstall::FinishUninstall(operations, commandLine);
    }
    uninstall::CWindowsOperations operations;
    return uninstall::RunUninstall(operations);
}
