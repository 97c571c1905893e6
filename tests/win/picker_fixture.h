// Tintview's main window, run by the real application object in this test program on a thread
// of its own, and driven as a user drives it: real X input, the clipboard, message boxes.
#pragma once

#include "message_boxes.h"
#include "app/picker_app.h"
#include "screenshot.h"
#include "ui_thread.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class PickerWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND Window() const { return window_; }
    // A dialog of the UI thread with `caption` once it shows, or none after `timeoutMs`.
    HWND WaitForDialog(const char* caption, DWORD timeoutMs) const;
    HWND Control(UINT id) const { return GetDlgItem(window_, id); }
    std::string Text(UINT id) const;
    int SliderPosition(UINT id) const;
    // Centre of a control, in screen coordinates.
    POINT Centre(UINT id) const;
    // The colour on the screen in the middle of the swatch.
    COLORREF SwatchPixel() const;
    // Lets the UI thread do every repaint it has pending in `window` (the main window when
    // none) and its children.
    void WaitPainted(HWND window = nullptr) const;
    // The share (0 to 1) of the button's pixels on `shot` that show bitmap `bitmapId` (this
    // program carries Tintview's resources), placed as the button centres its picture.
    double ButtonPictureShare(const testing_support::Screenshot& shot, UINT buttonId,
                              UINT bitmapId) const;

    // Gives the field the focus with its whole text selected, as a user's click and select-all.
    void SelectAll(UINT fieldId);
    // Types `text` into the focused field one key at a time, each key's handling done first.
    void TypeKeys(UINT fieldId, const std::string& text);
    // Replaces the field's selection with `text` through the clipboard (Ctrl+V).
    void Paste(UINT fieldId, const std::string& text);
    // Waits until the field reads `expected`.
    bool WaitForText(UINT id, const std::string& expected, DWORD timeoutMs = 3000) const;

    // The caption of the framework's messages: this program's name.
    static std::string ProgramName();
    // Expects a warning box saying `text`, and dismisses it.
    void ExpectWarning(const std::string& text);
    bool Ended(DWORD timeoutMs) { return ui_->WaitForEnd(timeoutMs); }

    picker::CPickerApp app_;
    std::unique_ptr<testing_support::UiThread> ui_;
    HWND window_ = nullptr;
};
