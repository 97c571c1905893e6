// CWnd: a C++ object bound to a window. Bound by Attach, it only wraps the handle; bound by
// SubclassWindow, the window's messages go through the object's message table first, and what
// the table does not handle (or a handler passes on with Default) reaches the window's own
// procedure. A window of the program's own (CreateOwnWindow) goes through its object's table
// from its very first message, and what the table leaves gets the platform's default handling.
#pragma once

#include "message_table.h"

#include <string>
#include <unordered_map>

namespace framework {

// A window's whole text.
std::string WindowText(HWND window);

// A class of windows of the program's own, registered at its first window.
struct OwnWindowClass {
    const char* name;
    HICON icon = nullptr; // shared resources, never freed
    HICON smallIcon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr; // a system colour brush (COLOR_x + 1), or none
};

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return hwnd; }
    void Attach(HWND window) { hwnd = window; }
    bool SubclassWindow(HWND window);
    // Creates a window of `windowClass` bound to this object, which handles every message the
    // window gets, the creation messages included. False when it could not be made.
    bool CreateOwnWindow(const OwnWindowClass& windowClass, DWORD extendedStyle, const char* title,
                         DWORD style, const RECT& frame, HWND owner);
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

    // Offered each key message for this top-level window or one of its children before the
    // framework's message loops dispatch it; true when it was handled there. A modeless window
    // handles its dialog keys here, which no modal run's own dialog handling sees.
    virtual bool PreTranslateMessage(const MSG&) { return false; }

protected:
    // The message being handled, passed on to the window's own procedure.
    LRESULT Default();
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Commands: the table's handler; notifications from controls are dropped while a field
    // exchange runs (see CDialog::UpdateData).
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
    // The procedure of the program's own window classes: binds the window being created to its
    // object at its first message, which comes before CreateWindowEx returns.
    static LRESULT CALLBACK OwnWindowProcedure(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam);
    void Bind(HWND window, WNDPROC procedure);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void Unsubclass();

    HWND hwnd = nullptr;
    WNDPROC ownProcedure = nullptr;
    mutable std::unordered_map<UINT, HWND> children;
    Message current{};
};

} // namespace framework
