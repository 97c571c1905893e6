// CWnd: a C++ object bound to a window. Bound by Attach, it only wraps the handle; bound by
// SubclassWindow, the window's messages go through the object's message table first, and what
// the table does not handle (or a handler passes on with Default) reaches the window's own
// procedure.
#pragma once

#include "message_table.h"

#include <string>
#include <unordered_map>

namespace framework {

// A window's whole text.
std::string WindowText(HWND window);

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return hwnd; }
    void Attach(HWND window) { hwnd = window; }
    bool SubclassWindow(HWND window);
    // Binds to the dialog control `id` of `parent`: subclassed when this class handles
    // messages of its own, attached otherwise.
    void BindToDlgItem(HWND parent, UINT id);

    // The object subclassing `window`, if any.
    static CWnd* FromHandlePermanent(HWND window);

    std::string GetWindowText() const { return WindowText(hwnd); }
    // A child control by its identifier. Remembered once found: asking the window for it costs a
    // round trip to the window server each time.
    HWND GetDlgItem(UINT id) const;
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(hwnd, message, wParam, lParam);
    }

    // The window's help routine. The default is the framework's standard help call.
    virtual void ShowHelp(DWORD_PTR data, UINT command);

    // Offered each key message for this top-level window or one of its children before the
    // framework's message loops dispatch it; true when it was handled there. A modeless window
    // handles its dialog keys here, which no modal run's own dialog handling sees.
    virtual bool PreTranslateMessage(const MSG&) { return false; }

protected:
    // The message being handled, passed on to the window's own procedure.
    LRESULT Default();
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Commands: the table's handler, else the application's; notifications from controls are
    // dropped while a field exchange runs (see CDialog::UpdateData).
    virtual bool HandleCommand(WPARAM wParam, LPARAM lParam);
    // Offered a notification this control sent to its parent; true when it answered it.
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    bool notificationsLocked = false;

private:
    struct Message {
        UINT number;
        WPARAM wParam;
        LPARAM lParam;
    };
    static LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void Unsubclass();

    HWND hwnd = nullptr;
    WNDPROC ownProcedure = nullptr;
    mutable std::unordered_map<UINT, HWND> children;
    Message current{};
};

} // namespace framework
