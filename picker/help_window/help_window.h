// Tintview's own help window, for platforms whose help viewer is gone: the help's pages (compiled
// into the program from the same source as its help file) one at a time, each jump leading to its
// topic, with Back and the contents. Owned by the main window, resizable, one at a time.
#pragma once

#include "rules/help_pages.h"
#include "help_window/help_text.h"
#include "gdi_objects.h"
#include "window.h"

#include <richedit.h>

#include <optional>
#include <vector>

namespace picker {

class CHelpWindow : public framework::CWnd {
public:
    CHelpWindow();
    ~CHelpWindow() override;

    // Opens the window, owned by `owner`, at the contents; when it is open already, shows the
    // contents (what it showed stays a Back away) and brings it to the front. False when it
    // cannot be shown: no sound pages in the program, or no rich-edit control.
    bool ShowContents(HWND owner);
    void Close();
    bool IsOpen() const { return GetSafeHwnd() != nullptr; }

    // Its keys, before they are dispatched: Esc closes; Tab goes through the page's jumps and then
    // on to the buttons; Enter follows the selected jump; the buttons' own keys.
    bool PreTranslateMessage(const MSG& message) override;

protected:
    const framework::CMessageTable* GetMessageTable() const override { return &messageTable; }
    static const framework::CMessageTable messageTable;

private:
    struct Place {
        std::size_t page;
        POINT scrolled;
    };

    bool LoadPages();
    bool Create(HWND owner);
    RECT OpeningFrame(HWND owner) const;
    void LayOut();
    void Show(Place place);
    void GoTo(std::size_t page);
    void MoveFocusByTab(bool forward);

    void OnContentsClicked();
    void OnBackClicked();
    void OnCancel();
    void OnSized();
    void OnFocusReceived();
    void OnActivated(bool active);
    LRESULT OnLinkEvent(const ENLINK& link);
    void OnFollowJump(std::size_t page);
    void OnSizeLimitsAsked(MINMAXINFO& limits) const;
    void OnScaleChanged(const RECT& suggested);
    void OnWindowDestroyed();

    std::optional<picker::HelpPages> help;
    Place current{0, {0, 0}};
    std::vector<Place> history; // for Back
    CHelpText text;
    HWND contentsButton = nullptr; // children: destroyed with the window
    HWND backButton = nullptr;
    framework::CFont font;
    SIZE character{8, 16}; // the font's average width and its height
    SIZE button{};
    HWND focusedChild = nullptr;
    LONG pressedJump = -1;         // where a press on a link started
    std::optional<RECT> lastFrame; // where the user left it, for the next opening
};

} // namespace picker
