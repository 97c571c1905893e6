#include "help_window/help_window.h"

#include "app.h"
#include "busy_pointer.h"
#include "message_crackers.h"
#include "resources/resource_ids.h"

#include <algorithm>
#include <string>

namespace picker {

using namespace framework;

namespace {

constexpr char kWindowClass[] = "PrismelHelpWindow";
constexpr UINT kContentsButtonId = 100; // clear of IDOK and IDCANCEL, which the dialog keys send
constexpr UINT kBackButtonId = 101;
constexpr UINT kTextId = 102;
// Posted by a click on a link (wParam: the page), so the page changes after the control has
// finished with the click rather than under it.
constexpr UINT kFollowJump = WM_APP + 1;

// The opening size, in the font's average characters and lines; and the least one.
constexpr int kWidthInCharacters = 80;
constexpr int kHeightInLines = 34;
constexpr int kLeastLines = 16;

// A caption for SetWindowTextW. (A vector rather than std::wstring, whose library code would add
// some 24 KB to the program.)
std::vector<wchar_t> WideText(const std::string& utf8) {
    std::vector<wchar_t> wide(utf8.size() + 1, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                        static_cast<int>(utf8.size()));
    return wide;
}

std::string ResourceString(UINT id) {
    char text[128] = "";
    LoadStringA(CWinApp::ResourceInstance(), id, text, sizeof text);
    return text;
}

OwnWindowClass HelpWindowClass(HINSTANCE instance) {
    OwnWindowClass windowClass{kWindowClass};
    windowClass.icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PROGRAM));
    windowClass.smallIcon = static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    windowClass.cursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    return windowClass;
}

bool KeyDown(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

} // namespace

const CMessageTable CHelpWindow::messageTable{
    &CWnd::messageTable,
    {
        WhenClicked<&CHelpWindow::OnContentsClicked>(kContentsButtonId),
        WhenClicked<&CHelpWindow::OnBackClicked>(kBackButtonId),
        WhenCommand<&CHelpWindow::OnCancel>(IDCANCEL),
        WhenSized<&CHelpWindow::OnSized>(),
        WhenFocusReceived<&CHelpWindow::OnFocusReceived>(),
        WhenActivated<&CHelpWindow::OnActivated>(),
        WhenNotified<EN_LINK, ENLINK, &CHelpWindow::OnLinkEvent>(kTextId),
        WhenOwnMessage<kFollowJump, &CHelpWindow::OnFollowJump>(),
        WhenSizeLimitsAsked<&CHelpWindow::OnSizeLimitsAsked>(),
        WhenScaleChanged<&CHelpWindow::OnScaleChanged>(),
        WhenDestroyed<&CHelpWindow::OnWindowDestroyed>(),
    }};

CHelpWindow::CHelpWindow() = default;

CHelpWindow::~CHelpWindow() {
    Close();
}

bool CHelpWindow::ShowContents(HWND owner) {
    if (!IsOpen()) {
        const CBusyPointer busy;
        if (!LoadPages() || !Create(owner)) {
            return false;
        }
        Show(Place{0, {0, 0}});
        ShowWindow(GetSafeHwnd(), SW_SHOWNORMAL);
    } else {
        OnContentsClicked();
        if (IsIconic(GetSafeHwnd())) {
            ShowWindow(GetSafeHwnd(), SW_RESTORE);
        }
    }
    SetForegroundWindow(GetSafeHwnd());
    return true;
}

void CHelpWindow::Close() {
    if (IsOpen()) {
        DestroyWindow(GetSafeHwnd());
    }
}

bool CHelpWindow::LoadPages() {
    if (help) {
        return true;
    }
    const HINSTANCE instance = CWinApp::ResourceInstance();
    const HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(IDR_HELP_PAGES), RT_RCDATA);
    const HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (bytes) {
        help = picker::ReadHelpPages(std::string_view(bytes, SizeofResource(instance, found)));
    }
    return help.has_value();
}

bool CHelpWindow::Create(HWND owner) {
    const HINSTANCE instance = CWinApp::ResourceInstance();
    if (!font.GetSafeHandle()) {
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof metrics;
        if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
            font.Create(metrics.lfMessageFont);
        }
    }
    // Placed and sized once its font is known (below).
    if (!CreateOwnWindow(HelpWindowClass(instance), 0, "", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                         RECT{0, 0, 0, 0}, owner)) {
        return false;
    }
    const HWND window = GetSafeHwnd();
    SetWindowTextW(window, WideText(help->title).data());
    const HGDIOBJ shownFont =
        font.GetSafeHandle() ? font.GetSafeHandle() : GetStockObject(DEFAULT_GUI_FONT);
    {
        const CWindowDc dc(window);
        const CSelectedObject selected(dc.get(), shownFont);
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc.get(), &metrics);
        character = SIZE{std::max<LONG>(metrics.tmAveCharWidth, 4), metrics.tmHeight};
        SIZE widest{0, 0};
        for (UINT id : {IDS_HELP_CONTENTS, IDS_HELP_BACK}) {
            const std::string label = ResourceString(id);
            SIZE extent{};
            GetTextExtentPoint32A(dc.get(), label.c_str(), static_cast<int>(label.size()), &extent);
            widest.cx = std::max(widest.cx, extent.cx);
        }
        button = SIZE{widest.cx + 4 * character.cx, character.cy * 7 / 4};
    }
    const auto makeButton = [&](UINT id, UINT label) {
        const HWND made = CreateWindowExA(
            0, "Button", ResourceString(label).c_str(),
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, button.cx, button.cy, window,
            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), instance, nullptr);
        ::SendMessageA(made, WM_SETFONT, reinterpret_cast<WPARAM>(shownFont), FALSE);
        return made;
    };
    contentsButton = makeButton(kContentsButtonId, IDS_HELP_CONTENTS);
    backButton = makeButton(kBackButtonId, IDS_HELP_BACK);
    if (!contentsButton || !backButton || !text.Create(window, kTextId)) {
        DestroyWindow(window);
        return false;
    }
    history.clear();
    focusedChild = text.Window();
    const RECT frame = OpeningFrame(owner);
    SetWindowPos(window, nullptr, frame.left, frame.top, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut();
    return true;
}

RECT CHelpWindow::OpeningFrame(HWND owner) const {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT area = monitor.rcWork;
    const LONG areaWidth = area.right - area.left;
    const LONG areaHeight = area.bottom - area.top;
    RECT frame{0, 0, kWidthInCharacters * character.cx, kHeightInLines * character.cy};
    if (lastFrame) {
        frame = *lastFrame;
    }
    LONG width = std::min(frame.right - frame.left, areaWidth);
    LONG height = std::min(frame.bottom - frame.top, areaHeight);
    LONG left = area.left + (areaWidth - width) / 2;
    LONG top = area.top + (areaHeight - height) / 2;
    RECT ownerFrame{};
    if (lastFrame) {
        left = frame.left;
        top = frame.top;
    } else if (owner && IsWindowVisible(owner) && !IsIconic(owner) &&
               GetWindowRect(owner, &ownerFrame)) {
        // Beside the picker rather than over it: below it, else above it, where at least a
        // useful height fits; over it only when neither has room.
        const LONG gap = character.cx;
        const LONG least = kLeastLines * character.cy;
        const LONG below = area.bottom - (ownerFrame.bottom + gap);
        const LONG above = ownerFrame.top - gap - area.top;
        left = ownerFrame.left;
        if (below >= std::min(height, least)) {
            height = std::min(height, below);
            top = ownerFrame.bottom + gap;
        } else if (above >= std::min(height, least)) {
            height = std::min(height, above);
            top = ownerFrame.top - gap - height;
        }
    }
    left = std::max(area.left, std::min(left, area.right - width));
    top = std::max(area.top, std::min(top, area.bottom - height));
    return RECT{left, top, left + width, top + height};
}

void CHelpWindow::LayOut() {
    RECT client{};
    GetClientRect(GetSafeHwnd(), &client);
    const int margin = character.cx;
    MoveWindow(contentsButton, margin, margin, button.cx, button.cy, TRUE);
    MoveWindow(backButton, 2 * margin + button.cx, margin, button.cx, button.cy, TRUE);
    const int top = button.cy + 2 * margin;
    text.Place(RECT{0, top, client.right, std::max<LONG>(client.bottom, top)});
}

void CHelpWindow::Show(Place place) {
    current = place;
    pressedJump = -1;
    text.Show(help->pages.at(place.page));
    text.ScrollTo(place.scrolled);
    if (history.empty() && GetFocus() == backButton) {
        SetFocus(text.Window());
    }
    EnableWindow(backButton, !history.empty());
}

void CHelpWindow::GoTo(std::size_t page) {
    history.push_back(Place{current.page, text.ScrollPosition()});
    Show(Place{page, {0, 0}});
}

void CHelpWindow::OnContentsClicked() {
    if (current.page != 0) {
        GoTo(0);
    } else {
        text.ScrollTo(POINT{0, 0});
    }
}

void CHelpWindow::OnBackClicked() {
    if (!history.empty()) {
        const Place previous = history.back();
        history.pop_back();
        Show(previous);
    }
}

void CHelpWindow::OnCancel() {
    Close();
}

void CHelpWindow::OnSized() {
    Default();
    LayOut();
}

void CHelpWindow::OnFocusReceived() {
    // A plain window keeps no focus of its own: it goes back to the control that had it.
    const HWND child =
        focusedChild && IsChild(GetSafeHwnd(), focusedChild) && IsWindowEnabled(focusedChild)
            ? focusedChild
            : text.Window();
    SetFocus(child);
}

void CHelpWindow::OnActivated(bool active) {
    if (!active) {
        const HWND focus = GetFocus();
        if (focus && IsChild(GetSafeHwnd(), focus)) {
            focusedChild = focus;
        }
    }
    Default();
}

LRESULT CHelpWindow::OnLinkEvent(const ENLINK& link) {
    switch (link.msg) {
    case WM_SETCURSOR:
        SetCursor(LoadCursorA(nullptr, IDC_HAND));
        return TRUE;
    case WM_LBUTTONDOWN:
        pressedJump = link.chrg.cpMin;
        return TRUE;
    case WM_LBUTTONUP:
        // A click: pressed and released on the same link.
        if (pressedJump == link.chrg.cpMin && link.chrg.cpMin >= 0) {
            const picker::HelpJump* jump = picker::JumpAt(
                help->pages.at(current.page), static_cast<std::size_t>(link.chrg.cpMin));
            if (jump) {
                PostMessageA(GetSafeHwnd(), kFollowJump, jump->target, 0);
            }
        }
        pressedJump = -1;
        return TRUE;
    default:
        return 0;
    }
}

void CHelpWindow::OnFollowJump(std::size_t page) {
    if (help && page < help->pages.size()) {
        GoTo(page);
    }
}

void CHelpWindow::OnSizeLimitsAsked(MINMAXINFO& limits) const {
    limits.ptMinTrackSize.x =
        std::max<LONG>(limits.ptMinTrackSize.x, 2 * button.cx + 24 * character.cx);
    limits.ptMinTrackSize.y = std::max<LONG>(limits.ptMinTrackSize.y, 10 * character.cy);
}

void CHelpWindow::OnScaleChanged(const RECT& suggested) {
    SetWindowPos(GetSafeHwnd(), nullptr, suggested.left, suggested.top,
                 suggested.right - suggested.left, suggested.bottom - suggested.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void CHelpWindow::OnWindowDestroyed() {
    RECT frame{};
    if (!IsIconic(GetSafeHwnd()) && !IsZoomed(GetSafeHwnd()) &&
        GetWindowRect(GetSafeHwnd(), &frame)) {
        lastFrame = frame;
    }
    Default();
}

void CHelpWindow::MoveFocusByTab(bool forward) {
    const HWND focus = GetFocus();
    if (focus == text.Window() && text.SelectNextJump(forward)) {
        return;
    }
    const HWND next = GetNextDlgTabItem(GetSafeHwnd(), focus, !forward);
    if (!next) {
        return;
    }
    SetFocus(next);
    if (next == text.Window()) {
        // Coming into the text: its first jump, or going backward its last.
        text.SelectEdgeJump(forward);
    }
}

bool CHelpWindow::PreTranslateMessage(const MSG& message) {
    if (!IsOpen()) {
        return false;
    }
    if (message.message == WM_KEYDOWN && !KeyDown(VK_MENU)) {
        switch (message.wParam) {
        case VK_ESCAPE:
            Close();
            return true;
        case VK_TAB:
            MoveFocusByTab(!KeyDown(VK_SHIFT));
            return true;
        case VK_RETURN:
            if (message.hwnd == text.Window()) {
                if (const picker::HelpJump* jump = text.SelectedJump()) {
                    PostMessageA(GetSafeHwnd(), kFollowJump, jump->target, 0);
                }
                return true;
            }
            break;
        default:
            break;
        }
    }
    MSG copy = message;
    return IsDialogMessageA(GetSafeHwnd(), &copy) != FALSE;
}

} // namespace picker
