// The application object: one per program. It runs the program, holds the main window, routes
// commands nobody else handles (the help command), and knows the program's help file.
#pragma once

#include "window.h"

#include <string>

namespace framework {

// The framework's command for help: the HELP button's identifier (a resource script uses it
// too, hence a macro).
#ifndef ID_HELP
#define ID_HELP 0xE146
#endif

class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    static CWinApp* Current();
    static HINSTANCE ResourceInstance();

    // The program: StartProgram, then (only when it asks for one) a message loop. Returns the
    // exit code: the last quit request's, else 0.
    int Run();
    // Returns whether the framework should run its own message loop afterwards.
    virtual bool StartProgram() = 0;

    CWnd* MainWindow() const { return mainWindow_; }
    void SetMainWindow(CWnd* window) { mainWindow_ = window; }

    // The program's own path with everything from its last "." replaced by ".HLP".
    const std::string& HelpFilePath() const { return helpFilePath_; }
    // The program's file name without folder and extension: the caption of its messages.
    const std::string& ProgramName() const { return programName_; }

    // Keys go first to their top-level window's own PreTranslateMessage; then F1 (no Shift,
    // Ctrl or Alt) in the main window is the help command.
    bool PreTranslateMessage(const MSG& message);
    bool RouteCommand(WPARAM wParam, LPARAM lParam);

    // Standard help handling: asks the active dialog for help in its own context.
    void OnHelp();

protected:
    const MessageTable* GetMessageTable() const override { return &messageTable; }
    static const MessageTable messageTable;

private:
    CWnd* mainWindow_ = nullptr;
    std::string helpFilePath_;
    std::string programName_;
};

} // namespace framework
