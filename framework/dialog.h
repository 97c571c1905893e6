// Modal dialogs from resource templates.
#pragma once

#include "window.h"

namespace framework {

class CDataExchange;

class CDialog : public CWnd {
public:
    // Owner: `parent`, else the application's main window (unless this is it).
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // Creates the window, runs it modally and destroys it. The owner is disabled meanwhile.
    // Returns the EndDialog result, or -1 when a quit request ended the run (the request is
    // posted again, so the thread still ends).
    INT_PTR DoModal();
    void EndDialog(INT_PTR result);

    // Moves the fields into the members (true) or the members into the fields (false). While
    // it runs, notifications from the window's own controls are dropped.
    bool UpdateData(bool saveAndValidate);

    // The dialog's context in the help file: the template's number above the resource base.
    DWORD HelpContext() const { return 0x20000 + templateId; }
    // The dialog's help routine. The default is the framework's standard help call.
    virtual void ShowHelp(DWORD_PTR data, UINT command);

    // The innermost dialog running modally on this thread.
    static CDialog* ActiveModal();

protected:
    // The window has been created: binds the control objects and writes the fields. True lets
    // the platform put the focus on the first tab stop.
    virtual BOOL InitialiseWindow();
    virtual void DoDataExchange(CDataExchange&) {}
    // OK ends the run only when the fields read back; Cancel ends it without reading.
    virtual void OnOK();
    virtual void OnCancel();

    // A handler that could not make a resource is abandoned where it failed, with the
    // framework's message; the program goes on.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // A command the dialog's table does not handle goes on to the application (the help button).
    bool HandleCommand(WPARAM wParam, LPARAM lParam) override;

    const CMessageTable* GetMessageTable() const override { return &messageTable; }
    static const CMessageTable messageTable;

private:
    static INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM, LPARAM lParam);
    HWND Owner() const;
    void CentreOver(HWND owner);
    void RunModalLoop();

    UINT templateId;
    CWnd* parent;
    bool runEnding = false;
    INT_PTR runResult = -1;
    CDialog* outerModal = nullptr;
};

} // namespace framework
