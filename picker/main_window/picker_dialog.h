// Tintview's main window: one colour shown five ways (three sliders, three decimal fields, the
// hexadecimal field, the swatch), kept in step whichever the user changes, and "Snap", which
// takes the colour of any pixel on the screen.
#pragma once

#include "controls.h"
#include "dialog.h"
#include "gdi_objects.h"
#include "help_window/help_window.h"
#include "main_window/swatch_bitmaps.h"
#include "rules/colour_text.h"
#include "rules/recent_colours.h"
#include "rules/sampling_keys.h"
#include "sampling/sampling_session.h"

#include <optional>
#include <string>
#include <vector>

namespace picker {

class CPickerDialog : public framework::CDialog {
public:
    CPickerDialog();
    ~CPickerDialog() override;

private:
    const framework::CMessageTable* GetMessageTable() const override { return &messageTable; }
    static const framework::CMessageTable messageTable;

    // Start-up and window.
    BOOL InitialiseWindow() override;
    void ShowHelp(DWORD_PTR data, UINT command) override;
    void ShowOwnHelp(UINT command);
    void OnSystemCommand(UINT commandId);
    void OnExitClicked();
    void OnWindowDestroyed();
    void OnSessionEnding(bool ending);
    void RestoreArrowCursor();
    void ReleaseBrushes();
    // The buttons carry pictures, not words: each gets a tooltip.
    void AddTooltips();

    // Colour state.
    void DoDataExchange(framework::CDataExchange& exchange) override;
    bool ReadControls() { return UpdateData(true); }
    bool WriteControls() { return UpdateData(false); }
    void PaintSwatch(COLORREF colour);
    void ApplyComponentFromSlider(UINT code, HWND source);
    void OnDecimalFieldChanged(UINT fieldId);
    void OnHexFieldChanged();
    void LoadSampledColour(COLORREF colour);
    void FormatHexText();
    picker::Components CurrentComponents() const { return {red, green, blue}; }

    // Sampling: a session lives while the mode is on.
    void OnSnapClicked();
    // Win+Shift+C, from any program: starts sampling without taking the focus, or ends it.
    void OnShortcut();
    void StartSampling(picker::SamplingStart start);
    LRESULT OnPickPoint(LONG x, LONG y);
    // A key sampling took, wherever the focus was (sampling/keyboard_watch.h).
    void OnSamplingKey(picker::SamplingKey key, bool shift);
    // Ends the mode, whichever way the program goes: with no session, the arrow is put back and
    // the hook removed all the same.
    void EndSampling();
    // While sampling, the arrow keys on the window or its buttons move the pointer.
    bool PreTranslateMessage(const MSG& message) override;
    bool TakesPointerKeys(HWND focus) const;

    // Copying: the context menu puts the colour on the clipboard as hex, rgb() or hsl(). The
    // notation last chosen there is also the one a pick started by the shortcut copies.
    void OnContextMenuRequest(HWND window, POINT point);
    void CopyToClipboard(const std::string& text);
    // What the copy command `command` copies of `colour`.
    static std::string CopiedText(UINT command, const Components& colour);
    // "Copy as": the colour in each notation, and its nearest name.
    void AppendCopyAs(HMENU menu, const Components& colour) const;
    // "Recent colours": the colours loaded before, newest first, each with its swatch.
    void AppendRecentColours(HMENU menu, const std::vector<Rgb>& recent,
                             CSwatchBitmaps& swatches) const;
    void LoadChosenColour(COLORREF colour);

    // Appearance.
    HBRUSH OnControlColour(HDC dc, HWND control, UINT kind);
    void PaintWindow();
    HICON DragIconRequested();

    framework::CBrush colourBrush;
    framework::CUniqueCursor savedArrow; // a private copy: the system's own is replaced
    framework::CBitmap patternBitmap;
    framework::CBitmap snapActiveBitmap;
    framework::CBitmap snapBitmap;
    framework::CBitmap exitBitmap;
    framework::CBitmap helpBitmap;
    framework::CBrush patternBrush;
    framework::CEdit blueField;
    framework::CEdit greenField;
    framework::CEdit redField;
    framework::CButton helpButton;
    framework::CButton exitButton;
    framework::CButton snapButton;
    framework::CEdit hexField;
    framework::CStatic swatch;
    framework::CSliderCtrl blueSlider;
    framework::CSliderCtrl greenSlider;
    framework::CSliderCtrl redSlider;
    std::int32_t red = 0;
    std::int32_t green = 0;
    std::int32_t blue = 0;
    std::string hexText = "000000";
    HICON icon; // shared resource, never destroyed
    // Where the platform's help viewer is only the stub newer Windows keep in its place, the
    // help shows in a window of the program's own. Looked up at the first request for help.
    std::optional<bool> helpViewerIsStub;
    std::optional<CHelpWindow> helpWindow;
    std::optional<CLensWindow> lens; // made at the first sampling, kept for the next
    std::optional<picker::CSamplingSession> sampling;
    bool shortcutRegistered = false; // not where another program holds the shortcut
    HWND tooltips = nullptr;         // owned by the window, destroyed with it
    UINT lastCopyCommand = 1;        // #RRGGBB until another is chosen
    CRecentColours recentColours;    // for the run only
};

} // namespace picker
