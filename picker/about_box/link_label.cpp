#include "about_box/link_label.h"

#include "busy_pointer.h"
#include "message_crackers.h"
#include "about_box/shell_open.h"

namespace picker {

using namespace framework;

const CMessageTable CLinkLabel::messageTable{
    &CStatic::messageTable,
    {
        WhenCursorAsked<&CLinkLabel::OnPointerShapeRequest>(),
        WhenMouse<WM_LBUTTONDOWN, &CLinkLabel::OnButtonPressed>(),
        WhenMouse<WM_MOUSEMOVE, &CLinkLabel::OnPointerMoved>(),
        WhenReflectedStaticColour<&CLinkLabel::OnStaticColour>(),
        WhenContextMenu<&CLinkLabel::OnContextMenuRequest>(),
    }};

CLinkLabel::CLinkLabel()
    : linkPointer(LoadCursorA(nullptr, IDC_ARROW)), normalColour(RGB(0, 0, 255)),
      visitedColour(RGB(0, 0, 255)), hoverColour(RGB(255, 0, 0)) {}

CLinkLabel::~CLinkLabel() = default;

void CLinkLabel::SetTarget(const std::string& text) {
    target = text;
}

bool CLinkLabel::OpenTarget() {
    CBusyPointer busy;
    const HWND owner = GetParent(GetSafeHwnd());
    return picker::ShellOpen(owner, target.c_str()) > 32;
}

BOOL CLinkLabel::OnPointerShapeRequest(HWND, UINT, UINT) {
    SetCursor(linkPointer);
    return TRUE;
}

void CLinkLabel::OnButtonPressed(UINT, POINT) {
    if (!OpenTarget()) {
        return;
    }
    // While hovering the control holds the capture, which only the end of hover releases:
    // the visit is what hover returns to, so the next movement outside still lets go.
    if (state == kHover) {
        stateBeforeHover = kVisited;
    } else {
        state = kVisited;
    }
}

void CLinkLabel::OnPointerMoved(UINT, POINT point) {
    RECT client;
    GetClientRect(GetSafeHwnd(), &client);
    const bool inside = PtInRect(&client, point) != FALSE;
    if (inside && state != kHover) {
        // Held until the pointer is seen outside: that is how the leaving is seen at all.
        SetCapture(GetSafeHwnd());
        SetHover(true);
    } else if (!inside && state == kHover) {
        SetHover(false);
        ReleaseCapture();
    }
    Default();
}

void CLinkLabel::SetHover(bool on) {
    if (on == (state == kHover)) {
        return;
    }
    if (on) {
        stateBeforeHover = state;
        state = kHover;
    } else {
        state = stateBeforeHover;
    }
    InvalidateRect(GetSafeHwnd(), nullptr, TRUE);
}

HBRUSH CLinkLabel::OnStaticColour(HDC dc) {
    // A static without the notify style lets the pointer through to its parent.
    const LONG style = GetWindowLongA(GetSafeHwnd(), GWL_STYLE);
    if (!(style & SS_NOTIFY)) {
        SetWindowLongA(GetSafeHwnd(), GWL_STYLE, style | SS_NOTIFY);
    }
    if ((style & 0xFF) > SS_RIGHT) {
        return nullptr; // not plain text: the parent colours it
    }
    if (!underlinedFont.GetSafeHandle()) {
        MakeUnderlinedFont(dc);
    }
    if (underlinedFont.GetSafeHandle()) {
        SelectObject(dc, underlinedFont.get());
    }
    SetTextColor(dc, state == kHover     ? hoverColour
                     : state == kVisited ? visitedColour
                                         : normalColour);
    SetBkMode(dc, TRANSPARENT);
    // Nothing is filled behind the text: the parent's background shows through.
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

void CLinkLabel::MakeUnderlinedFont(HDC dc) {
    auto font = reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT));
    if (!font) {
        font = GetCurrentObject(dc, OBJ_FONT); // a control without a font of its own
    }
    LOGFONTA description{};
    if (GetObjectA(font, sizeof description, &description) != sizeof description) {
        return;
    }
    description.lfUnderline = TRUE;
    // On failure the text stays plain this time; the next paint tries again.
    if (underlinedFont.Create(description)) {
        // The static selects its own font after asking for its colours, over the one selected
        // here: the copy becomes its own font too (no redraw, it is being painted).
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(underlinedFont.get()), FALSE);
    }
}

void CLinkLabel::OnContextMenuRequest(HWND, POINT) {
    Default(); // the link has no menu of its own
}

} // namespace picker
