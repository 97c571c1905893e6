// uninstall.exe: removes an installed Prismel in one unattended pass. It takes no arguments.
#include "removal_plan.h"
#include "windows_operations.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    prismel::uninstall::WindowsOperations operations;
    return prismel::uninstall::RunUninstall(operations);
}
