#include "sampling/lens_window.h"

#include "app.h"
#include "rules/colour_text.h"
#include "rules/lens_geometry.h"
#include "rules/lens_picture.h"
#include "message_crackers.h"
#include "sampling/screen_pixel.h"

#include <algorithm>

namespace picker {

using namespace framework;

namespace {

// Above every window, never active, not in the task bar, and never the target of the mouse:
// clicks fall through to the window beneath.
constexpr DWORD kLensStyles =
    WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TRANSPARENT;

// One tick a frame of the display while anything changes (a timer due a little early meets each
// frame). A lens with nothing to redraw costs only its ticks, so after this many such ticks it
// ticks every other frame until something changes, so a pointer that starts to move is followed
// within two frames. Reading the pixels costs as much again as the tick itself, so while it rests
// the lens reads them only at every third tick (about ten times a second): what changes under a
// still pointer shows a little later, the pointer's own moves as soon as ever.
constexpr int kTicksBeforeResting = 30;
constexpr int kRestingTicksPerRead = 3;

bool IsResting(int unchangedTicks) {
    return unchangedTicks >= kTicksBeforeResting;
}

UINT FrameMilliseconds() {
    const CUniqueDeviceContext display(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
    const int rate = display ? GetDeviceCaps(display.get(), VREFRESH) : 0;
    return rate > 1 ? std::max<UINT>(USER_TIMER_MINIMUM, 1000 / rate - 1) : 15;
}

UINT RestingMilliseconds(UINT frame) {
    return std::min<UINT>(2 * frame + 1, 33);
}

BOOL CALLBACK AddDisplay(HMONITOR, HDC, LPRECT area, LPARAM list) {
    reinterpret_cast<std::vector<LensRect>*>(list)->push_back(
        LensRect{area->left, area->top, area->right, area->bottom});
    return TRUE;
}

std::vector<LensRect> Displays() {
    std::vector<LensRect> displays;
    EnumDisplayMonitors(nullptr, nullptr, &AddDisplay, reinterpret_cast<LPARAM>(&displays));
    return displays;
}

} // namespace

const CMessageTable CLensWindow::messageTable{
    &CWnd::messageTable,
    {
        WhenTimer<&CLensWindow::OnTimer>(),
        WhenPaint<&CLensWindow::PaintWindow>(),
        WhenMouseActivates<&CLensWindow::OnMouseActivates>(),
    }};

CLensWindow::CLensWindow()
    : reader(picker::kLensWidth, picker::kLensHeight),
      canvas(picker::kLensWidth, picker::kLensHeight) {
    displays = Displays();
    if (CreateOwnWindow(OwnWindowClass{kClassName}, kLensStyles, "", WS_POPUP,
                        RECT{0, 0, picker::kLensWidth, picker::kLensHeight}, nullptr)) {
        // Layered but opaque: what makes a window click-through for every program.
        SetLayeredWindowAttributes(GetSafeHwnd(), 0, 255, LWA_ALPHA);
    }
}

int CLensWindow::OnMouseActivates() {
    return MA_NOACTIVATE;
}

CLensWindow::~CLensWindow() {
    if (const HWND window = GetSafeHwnd()) {
        DestroyWindow(window);
    }
}

void CLensWindow::Start() {
    if (!GetSafeHwnd() || !reader.Ready() || !canvas.Ready()) {
        return; // sampling goes on without the lens
    }
    following = true;
    shown = false;
    frameMs = FrameMilliseconds();
    unchangedTicks = 0;
    Tick(frameMs);
    Update();
}

void CLensWindow::Stop() {
    following = false;
    const HWND window = GetSafeHwnd();
    if (!window) {
        return;
    }
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                     SWP_ASYNCWINDOWPOS);
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
        Hide();
    }
}

void CLensWindow::Tick(UINT milliseconds) {
    SetTimer(GetSafeHwnd(), kTimerId, milliseconds, nullptr);
}

void CLensWindow::Hide() {
    KillTimer(GetSafeHwnd(), kTimerId);
    Withdraw();
    backdrop.Clear();
}

void CLensWindow::Withdraw() {
    ShowWindow(GetSafeHwnd(), SW_HIDE);
    backdrop.Leave();
    shown = false;
}

void CLensWindow::OnTimer(UINT_PTR id) {
    if (id != kTimerId) {
        return;
    }
    if (!following) {
        Hide(); // stopped from another thread
        return;
    }
    Update();
}

void CLensWindow::Update() {
    POINT cursor;
    if (!following || !GetCursorPos(&cursor)) {
        return;
    }
    const LensPoint pointer{cursor.x, cursor.y};
    if (shown && IsResting(unchangedTicks) && pointer == lastPointer &&
        (unchangedTicks - kTicksBeforeResting) % kRestingTicksPerRead != 0) {
        ++unchangedTicks;
        return; // a still pointer: the pixels are read at a later tick
    }
    reader.Read(picker::MagnifiedSquare(pointer), read);
    backdrop.Uncover(read);
    if (shown && pointer == lastPointer && read == square && !captionChanged) {
        if (++unchangedTicks == kTicksBeforeResting) {
            Tick(RestingMilliseconds(frameMs));
        }
        return; // nothing to redraw
    }
    if (IsResting(unchangedTicks)) {
        Tick(frameMs);
    }
    unchangedTicks = 0;
    lastPointer = pointer;
    captionChanged = false;
    std::swap(square, read);
    // What a pick here would load: the pixel, or the square's average.
    const LensReadout readout{
        AverageColour(square, pointer, side, displays).value_or(square.At(pointer)), pointer, held,
        side};
    ShowText(readout);

    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &monitor);
    const LensRect display{monitor.rcMonitor.left, monitor.rcMonitor.top, monitor.rcMonitor.right,
                           monitor.rcMonitor.bottom};
    const auto place = picker::PlaceLens(pointer, display, picker::kLensWidth, picker::kLensHeight);
    // Hidden while no place fits, and for one tick when the pointer has jumped onto the lens.
    // Clicks go through the lens, but a display server may give the input that lands there in
    // positions relative to the lens, which the system then places by wherever the lens is when
    // it takes the input in (Wine's virtual desktop does): moved on at once, the lens would send
    // the click to a spot it never touched. Hidden where it lay, it lets that input in first and
    // shows beside the pointer at the next tick.
    if (!place || (shown && shownPlace.Contains(pointer))) {
        Withdraw();
        return;
    }
    DrawPicture(readout);
    canvas.CopyTo(LensPoint{place->left, place->top}, canvas.Width(), canvas.Height(), picture);
    if (!shown || *place != shownPlace) {
        // What lies there is read before the lens covers it, through what it covers now.
        reader.Read(*place, beneath);
        backdrop.Uncover(beneath);
        backdrop.Cover(beneath, picture);
        SetWindowPos(GetSafeHwnd(), HWND_TOPMOST, place->left, place->top, 0, 0,
                     SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        shownPlace = *place;
        shown = true;
    } else {
        backdrop.Redrawn(picture);
    }
    RedrawWindow(GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CLensWindow::DrawPicture(const LensReadout& readout) {
    drawing.Reset(LensRect{0, 0, kLensWidth, kLensHeight});
    DrawMagnified(square, side, drawing);
    canvas.Put(drawing);

    const HDC dc = canvas.Dc();
    const LensRect area = CaptionArea();
    const RECT caption{area.left, area.top, area.right, area.bottom};
    SetDCBrushColor(dc, GetSysColor(COLOR_WINDOW));
    FillRect(dc, &caption, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    const CSelectedObject font(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    const LensCaption lines = CaptionLines(readout);
    for (std::int32_t index = 0; index < kLensCaptionLines; ++index) {
        const LensRect at = CaptionLine(index);
        RECT line{at.left, at.top, at.right, at.bottom};
        const std::string& words = lines[static_cast<std::size_t>(index)];
        DrawTextA(dc, words.c_str(), static_cast<int>(words.size()), &line,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

void CLensWindow::ShowText(const LensReadout& readout) {
    // Screen readers hear of each change of the text: it changes only with the caption.
    std::string now = LensWindowText(readout);
    if (now != text) {
        text = std::move(now);
        SetWindowTextA(GetSafeHwnd(), text.c_str());
    }
}

void CLensWindow::SetSide(std::int32_t sampled) {
    if (sampled != side) {
        side = sampled;
        captionChanged = true;
        Update();
    }
}

void CLensWindow::SetHeld(COLORREF colour) {
    const Rgb rgb = RgbOf(colour);
    if (rgb != held) {
        held = rgb;
        captionChanged = true;
    }
}

void CLensWindow::PaintWindow() {
    const CPaintDc paint(GetSafeHwnd());
    BitBlt(paint.get(), 0, 0, canvas.Width(), canvas.Height(), canvas.Dc(), 0, 0, SRCCOPY);
}

std::optional<COLORREF> CLensWindow::ScreenPixel(POINT point) {
    if (!reader.Ready()) {
        return picker::ReadScreenPixel(point);
    }
    if (!MonitorFromPoint(point, MONITOR_DEFAULTTONULL)) {
        return std::nullopt;
    }
    CPixelBlock pixel;
    reader.Read(LensRect{point.x, point.y, point.x + 1, point.y + 1}, pixel);
    backdrop.Uncover(pixel);
    return ColourValueOfRgb(pixel.At(LensPoint{point.x, point.y}));
}

std::optional<COLORREF> CLensWindow::ScreenAverage(POINT point, std::int32_t sampled) {
    if (sampled <= kSmallestSampleSide || !reader.Ready()) {
        return ScreenPixel(point);
    }
    const LensPoint centre{point.x, point.y};
    CPixelBlock block;
    reader.Read(SampleSquare(centre, sampled), block);
    backdrop.Uncover(block);
    const auto average = AverageColour(block, centre, sampled, displays);
    return average ? std::optional<COLORREF>(ColourValueOfRgb(*average)) : std::nullopt;
}

} // namespace picker
