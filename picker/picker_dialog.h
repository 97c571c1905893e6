// Tintview's main window: one colour shown five ways (three sliders, three decimal fields, the
// hexadecimal field, the swatch), kept in step whichever the user changes, and "Snap", which
// takes the colour of any pixel on the screen.
#pragma once

#include "colour_text.h"
#include "controls.h"
#include "dialog.h"
#include "gdi_objects.h"

#include <memory>
#include <optional>
#include <string>

class CHelpWindow;
class CLensWindow;

class CPickerDialog : public framework::CDialog {
public:
    CPickerDialog();
    ~CPickerDialog() override;

    // Start-up and window.
    void ShowHelp(DWORD_PTR data, UINT command) override;
    void RestoreArrowCursor();

    // Colour state.
    bool ReadControls() { return UpdateData(true); }
    bool WriteControls() { return UpdateData(false); }
    void PaintSwatch(COLORREF colour);
    void LoadSampledColour(COLORREF colour);

    // Sampling: removes the hook and puts the arrow back, whatever the mode's state.
    void EndSampling();

protected:
    BOOL InitialiseWindow() override;
    // While sampling, the arrow keys on the window or its buttons move the pointer.
    bool PreTranslateMessage(const MSG& message) override;
    void DoDataExchange(framework::CDataExchange& exchange) override;
    const framework::MessageTable* GetMessageTable() const override { return &messageTable; }
    static const framework::MessageTable messageTable;

private:
    // Start-up and window.
    void OnSystemCommand(UINT commandId);
    void OnExitClicked();
    void OnWindowDestroyed();
    void OnSessionEnding(bool ending);
    void ReleaseBrushes();
    void ShowOwnHelp(UINT command);

    // Colour state.
    void ApplyComponentFromSlider(UINT code, HWND source);
    void OnDecimalFieldChanged(UINT fieldId);
    void OnHexFieldChanged();
    void FormatHexText();

    // Sampling.
    void OnSnapClicked();
    LRESULT OnPickPoint(LONG x, LONG y);
    bool TakesPointerKeys(HWND focus) const;
    void MovePointerBy(LONG dx, LONG dy);
    picker::Components CurrentComponents() const { return {red, green, blue}; }

    // Copying: the context menu puts the colour on the clipboard as hex, rgb() or hsl().
    void OnContextMenuRequest(HWND window, POINT point);

    // Appearance.
    HBRUSH OnControlColour(HDC dc, HWND control, UINT kind);
    void PaintWindow();
    HICON DragIconRequested();

    std::unique_ptr<CLensWindow> lens; // made on the first "Snap"
    std::unique_ptr<framework::CBrush> colourBrush;
    framework::UniqueCursor savedArrow; // a private copy: the system's own is replaced
    framework::CBitmap patternBitmap;
    framework::CBitmap snapActiveBitmap;
    framework::CBitmap snapBitmap;
    framework::CBitmap exitBitmap;
    framework::CBitmap helpBitmap;
    std::unique_ptr<framework::CBrush> patternBrush;
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
    std::unique_ptr<CHelpWindow> helpWindow;
};
