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

// Posted to the lens by the main thread.
constexpr UINT WM_LENS_START = WM_APP + 1;
constexpr UINT WM_LENS_STOP = WM_APP + 2;
constexpr UINT WM_LENS_UPDATE = WM_APP + 3;
// How long making the lens may wait for its thread to have made the window.
constexpr DWORD kOpenBoundMs = 2000;

// The lock over what the lens thread changes in what the main thread reads, held for a scope:
// exclusively by the writer, shared by readers.
template <void(WINAPI* Acquire)(PSRWLOCK), void(WINAPI* Release)(PSRWLOCK)> class CLockHeld {
public:
    explicit CLockHeld(SRWLOCK& held) : lock(held) { Acquire(&lock); }
    ~CLockHeld() { Release(&lock); }
    CLockHeld(const CLockHeld&) = delete;
    CLockHeld& operator=(const CLockHeld&) = delete;

private:
    SRWLOCK& lock;
};
using CExclusive = CLockHeld<AcquireSRWLockExclusive, ReleaseSRWLockExclusive>;
using CShared = CLockHeld<AcquireSRWLockShared, ReleaseSRWLockShared>;

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
        WhenOwnMessage<WM_LENS_START, &CLensWindow::OnStart>(),
        WhenOwnMessage<WM_LENS_STOP, &CLensWindow::OnStop>(),
        WhenOwnMessage<WM_LENS_UPDATE, &CLensWindow::OnUpdate>(),
        // Sent to every top-level window when a display is added, removed or changed.
        WhenOwnMessage<WM_DISPLAYCHANGE, &CLensWindow::OnDisplaysChanged>(),
    }};

CLensWindow::CLensWindow(HWND owner) : displays(Displays()), ownerProbe(owner) {
    ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread = CreateThread(nullptr, 0, &Run, this, 0, &threadId);
    if (thread && ready) {
        WaitForSingleObject(ready, kOpenBoundMs);
    }
}

CLensWindow::~CLensWindow() {
    following = false;
    if (thread) {
        PostThreadMessageA(threadId, WM_QUIT, 0, 0);
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
    if (ready) {
        CloseHandle(ready);
    }
}

DWORD WINAPI CLensWindow::Run(LPVOID parameter) {
    auto* self = static_cast<CLensWindow*>(parameter);
    // A thread's queue exists once it asks for a message: made before anyone posts to it.
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    self->Open();
    SetEvent(self->ready);
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
    }
    if (const HWND window = self->GetSafeHwnd()) {
        DestroyWindow(window);
    }
    // Its device contexts go on the thread that made them.
    self->reader.reset();
    self->canvas.reset();
    return 0;
}

void CLensWindow::Open() {
    reader.emplace(picker::kLensWidth, picker::kLensHeight);
    canvas.emplace(picker::kLensWidth, picker::kLensHeight);
    if (!reader->Ready() || !canvas->Ready()) {
        return; // sampling goes on without the lens
    }
    if (CreateOwnWindow(OwnWindowClass{kClassName}, kLensStyles, "", WS_POPUP,
                        RECT{0, 0, picker::kLensWidth, picker::kLensHeight}, nullptr)) {
        // Layered but opaque: what makes a window click-through for every program.
        SetLayeredWindowAttributes(GetSafeHwnd(), 0, 255, LWA_ALPHA);
    }
}

int CLensWindow::OnMouseActivates() {
    return MA_NOACTIVATE;
}

void CLensWindow::Start() {
    if (!GetSafeHwnd()) {
        return; // sampling goes on without the lens
    }
    // Set here, not on the lens's thread: a Stop that follows before that thread gets to the
    // start is not undone by it.
    following = true;
    PostMessageA(GetSafeHwnd(), WM_LENS_START, 0, 0);
}

void CLensWindow::OnStart(WPARAM) {
    if (!following) {
        return; // stopped meanwhile
    }
    OnDisplaysChanged(0);
    shown = false;
    frameMs = FrameMilliseconds();
    unchangedTicks = 0;
    Tick(frameMs);
    Follow();
}

void CLensWindow::Stop() {
    following = false;
    const HWND window = GetSafeHwnd();
    if (!window) {
        return;
    }
    if (threadId == GetCurrentThreadId()) {
        // The lens's own thread failed, and takes no more messages; it may have failed while
        // holding the backdrop's lock, which this hide leaves alone.
        KillTimer(window, kTimerId);
        ShowWindow(window, SW_HIDE);
    } else {
        PostMessageA(window, WM_LENS_STOP, 0, 0);
    }
}

void CLensWindow::OnStop(WPARAM) {
    Hide();
}

void CLensWindow::Update() {
    if (const HWND window = GetSafeHwnd()) {
        PostMessageA(window, WM_LENS_UPDATE, 0, 0);
    }
}

void CLensWindow::OnUpdate(WPARAM) {
    Follow();
}

void CLensWindow::OnDisplaysChanged(WPARAM) {
    std::vector<LensRect> now = Displays();
    reader->SetScreen(BoundsOf(now));
    const CExclusive changing(backdropLock);
    displays = std::move(now);
}

std::vector<LensRect> CLensWindow::DisplaysNow() {
    const CShared reading(backdropLock);
    return displays;
}

void CLensWindow::Tick(UINT milliseconds) {
    SetTimer(GetSafeHwnd(), kTimerId, milliseconds, nullptr);
}

void CLensWindow::Hide() {
    KillTimer(GetSafeHwnd(), kTimerId);
    Withdraw();
    const CExclusive changing(backdropLock);
    backdrop.Clear();
}

void CLensWindow::Withdraw() {
    ShowWindow(GetSafeHwnd(), SW_HIDE);
    const CExclusive changing(backdropLock);
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
    Follow();
}

void CLensWindow::Follow() {
    POINT cursor;
    if (!following || !GetCursorPos(&cursor)) {
        return;
    }
    // A main window that has stopped answering holds no lens over the user's work; the hook
    // lets the clicks through meanwhile. It shows again at the first tick after an answer.
    ownerProbe.Ask();
    if (ownerProbe.Stuck()) {
        if (shown) {
            Withdraw();
        }
        return;
    }
    const std::int32_t sampled = side;
    const Rgb against = held;
    const bool captionChanged = sampled != drawnSide || against != drawnHeld;
    const LensPoint pointer{cursor.x, cursor.y};
    if (shown && IsResting(unchangedTicks) && pointer == lastPointer &&
        (unchangedTicks - kTicksBeforeResting) % kRestingTicksPerRead != 0) {
        ++unchangedTicks;
        return; // a still pointer: the pixels are read at a later tick
    }
    reader->Read(picker::MagnifiedSquare(pointer), read);
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
    drawnSide = sampled;
    drawnHeld = against;
    std::swap(square, read);
    // What a pick here would load: the pixel, or the square's average.
    const LensReadout readout{
        AverageColour(square, pointer, sampled, displays).value_or(square.At(pointer)), pointer,
        against, sampled};
    ShowText(readout);

    // The display list, not the platform: asking it costs more than the pixels' read.
    const LensRect display = DisplayNear(pointer, displays).value_or(LensRect{0, 0, 0, 0});
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
    canvas->CopyTo(LensPoint{place->left, place->top}, canvas->Width(), canvas->Height(), picture);
    if (!shown || *place != shownPlace) {
        // What lies there is read before the lens covers it, through what it covers now.
        reader->Read(*place, beneath);
        backdrop.Uncover(beneath);
        {
            const CExclusive changing(backdropLock);
            backdrop.Cover(beneath, picture);
        }
        SetWindowPos(GetSafeHwnd(), HWND_TOPMOST, place->left, place->top, 0, 0,
                     SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        shownPlace = *place;
        shown = true;
    } else {
        const CExclusive changing(backdropLock);
        backdrop.Redrawn(picture);
    }
    RedrawWindow(GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CLensWindow::DrawPicture(const LensReadout& readout) {
    drawing.Reset(LensRect{0, 0, kLensWidth, kLensHeight});
    DrawMagnified(square, readout.side, drawing);
    canvas->Put(drawing);

    const HDC dc = canvas->Dc();
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
    if (side.exchange(sampled) != sampled) {
        Update();
    }
}

void CLensWindow::SetHeld(COLORREF colour) {
    held = RgbOf(colour); // shown at the lens's next reading
}

void CLensWindow::PaintWindow() {
    const CPaintDc paint(GetSafeHwnd());
    BitBlt(paint.get(), 0, 0, canvas->Width(), canvas->Height(), canvas->Dc(), 0, 0, SRCCOPY);
}

std::optional<COLORREF> CLensWindow::ScreenAverage(POINT point, std::int32_t sampled) {
    if (!pickReader) {
        pickReader.emplace(picker::kLensWidth, picker::kLensHeight);
    }
    if (!pickReader->Ready()) {
        return picker::ReadScreenPixel(point); // the one pixel, as best it can be had
    }
    const LensPoint centre{point.x, point.y};
    const std::vector<LensRect> shownNow = DisplaysNow();
    pickReader->SetScreen(BoundsOf(shownNow));
    CPixelBlock block;
    pickReader->Read(SampleSquare(centre, sampled), block);
    {
        const CShared reading(backdropLock);
        backdrop.Uncover(block);
    }
    // One pixel is a square of one: nothing when no display shows it.
    const auto average = AverageColour(block, centre, sampled, shownNow);
    return average ? std::optional<COLORREF>(ColourValueOfRgb(*average)) : std::nullopt;
}

} // namespace picker
