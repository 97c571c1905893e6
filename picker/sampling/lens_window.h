// The lens: while sampling, a small window beside the pointer shows the 15 x 15 pixels around
// it, magnified, and the centre pixel's colour as text. It never activates, takes no focus and
// lets every click through to the window beneath; it is made on the first "Snap".
//
// The window lives on a thread of its own. Input that lands on a window goes through its
// thread, click-through or not, under Wine: a lens of the main window's thread held every click
// where it stood while that thread was stuck. Its thread withdraws the lens while the main
// window leaves a question unanswered for half a second, and brings it back once it answers.
// Only the main thread calls the public members, none of which waits on the lens's thread
// except the destructor; Stop may come from any thread.
#pragma once

#include "rules/lens_backdrop.h"
#include "rules/lens_readout.h"
#include "rules/sample_square.h"
#include "sampling/answer_probe.h"
#include "sampling/pixel_canvas.h"
#include "sampling/screen_reader.h"
#include "window.h"

#include <atomic>
#include <optional>
#include <string>
#include <vector>

namespace picker {

class CLensWindow : public framework::CWnd {
public:
    static constexpr char kClassName[] = "PrismelLens";
    // Each tick of this timer reads the pointer and the pixels around it.
    static constexpr UINT_PTR kTimerId = 1;

    // `owner`: the main window, whose answers the lens watches while it follows the pointer.
    explicit CLensWindow(HWND owner);
    // Ends the lens's thread and waits for it, which never waits on the main thread.
    ~CLensWindow() override;
    CLensWindow(const CLensWindow&) = delete;
    CLensWindow& operator=(const CLensWindow&) = delete;

    // Shows the lens beside the pointer and follows it from now on.
    void Start();
    // Hides the lens and stops following. Safe from any thread (the crash guard calls it from
    // whichever thread failed): the hide is posted to the lens's thread, never sent, so it can
    // never wait on a thread that is stuck.
    void Stop();

    // Asks for a step at once (the pointer was moved from the keyboard): the lens reads the
    // pointer and the pixels around it, and redraws and moves when either changed.
    void Update();

    // The colour the screen shows at `point`, with what the lens covers, or has just left and the
    // window beneath has not repainted, read from what lay beneath it: averaged over the square
    // of `side` around it (rules/sample_square.h), pixels off every display left out. Nothing
    // when none is on one.
    std::optional<COLORREF> ScreenAverage(POINT point, std::int32_t side);

    // What the caption shows besides the pixels: the side of the sampled square, framed in the
    // picture, and the colour the window holds, which the contrast is against.
    void SetSide(std::int32_t side);
    void SetHeld(COLORREF held);

protected:
    const framework::CMessageTable* GetMessageTable() const override { return &messageTable; }
    static const framework::CMessageTable messageTable;

private:
    static DWORD WINAPI Run(LPVOID self);
    void Open();
    void OnStart(WPARAM);
    void OnStop(WPARAM);
    void OnUpdate(WPARAM);
    void OnDisplaysChanged(WPARAM);
    // The main thread's copy of the display list, which the lens's thread may change.
    std::vector<LensRect> DisplaysNow();
    void Follow();
    void OnTimer(UINT_PTR id);
    int OnMouseActivates();
    void PaintWindow();
    void DrawPicture(const LensReadout& readout);
    void ShowText(const LensReadout& readout);
    void Hide();
    void Withdraw();
    void Tick(UINT milliseconds);

    // Shared with the main thread, whose picks read the screen through the backdrop: the lens's
    // thread alone changes it, under the lock held exclusively; reads there need no lock.
    picker::CLensBackdrop backdrop;
    SRWLOCK backdropLock = SRWLOCK_INIT;
    std::atomic<bool> following{false};
    std::atomic<std::int32_t> side{kSmallestSampleSide};
    std::atomic<Rgb> held{0};
    // Read again at each start and each change of the displays, by the lens's thread; under
    // the same lock.
    std::vector<LensRect> displays;
    HANDLE thread = nullptr;
    DWORD threadId = 0;
    HANDLE ready = nullptr;
    // The main thread's own, for its picks.
    std::optional<CScreenReader> pickReader;

    // The lens thread's own.
    std::optional<CScreenReader> reader;
    std::optional<CPixelCanvas> canvas;
    CAnswerProbe ownerProbe;
    bool shown = false;
    std::int32_t drawnSide = kSmallestSampleSide;
    Rgb drawnHeld = 0;
    std::string text; // the window's text, set only when it changes
    UINT frameMs = 15;
    int unchangedTicks = 0;
    picker::LensPoint lastPointer{0, 0};
    picker::LensRect shownPlace{0, 0, 0, 0};
    // Kept from one update to the next so that following the pointer allocates nothing.
    picker::CPixelBlock square;  // the pixels shown
    picker::CPixelBlock read;    // the pixels just read
    picker::CPixelBlock drawing; // the lens's picture, at 0, 0
    picker::CPixelBlock picture; // the same where it is shown
    picker::CPixelBlock beneath;
};

} // namespace picker
