// The application object: one per program. It runs the program, holds the main window, routes
// commands nobody else handles (the help command), and knows the program's help file.
#pragma once

#include "framework_ids.h"
#include "window.h"

#include <string>

namespace framework {

class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    static CWinApp* Current();
    static HINSTANCE ResourceInstance();

    // The program: StartProgram. Returns the exit code: the last quit request's, else 0.
    int Run();
    // Runs the whole program (a dialog-based one: its main window's modal run). The framework
    // has no message loop of its own to run afterwards, so a program returns false.
    virtual bool StartProgram() = 0;

    CWnd* MainWindow() const { return mainWindow; }
    void SetMainWindow(CWnd* window) { mainWindow = window; }

    // The program's own path with everything from its last "." replaced by ".HLP".
    const std::string& HelpFilePath() const { return helpFilePath; }
    // The program's file name without folder and extension: the caption of its messages.
    const std::string& ProgramName() const { return programName; }

    // Keys go first to their top-level window's own PreTranslateMessage; then F1 (no Shift,
    // Ctrl or Alt) in the main window is the help command.
    bool PreTranslateMessage(const MSG& message);
    bool RouteCommand(WPARAM wParam, LPARAM lParam);

    // Standard help handling: asks the active dialog for help in its own context.
    void OnHelp();

protected:
    const CMessageTable* GetMessageTable() const override { return &messageTable; }
    static const CMessageTable messageTable;

private:
    CWnd* mainWindow = nullptr;
    std::string helpFilePath;
    std::string programName;
};

} // namespace framework
