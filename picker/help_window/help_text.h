// The text pane of Tintview's own help window: a read-only rich-edit control showing one page
// of the help, its jumps marked as links. Clicks on a link reach the parent as EN_LINK.
#pragma once

#include "rules/help_pages.h"

#include <windows.h>

#include <richedit.h>

namespace picker {

class CHelpText {
public:
    // Loads the rich-edit library (once, at the first call: most runs never open the help) and
    // makes the control as child `id` of `parent`, which destroys it. False when either fails.
    bool Create(HWND parent, UINT id);
    HWND Window() const { return window; }
    // Moves the pane to `area` of the parent's client area, its text inset from the edges.
    void Place(const RECT& area);

    // Shows `page` from its top, the caret at the start. The page must outlive its showing.
    void Show(const picker::HelpPage& page);
    // Where the text is scrolled to, in pixels, to come back to.
    POINT ScrollPosition() const;
    void ScrollTo(POINT position);

    // The jump the selection covers exactly, if any.
    const picker::HelpJump* SelectedJump() const;
    // Selects the next jump after (or before) the selection and brings it into view; false when
    // there is none that way.
    bool SelectNextJump(bool forward);
    // Selects the page's first jump, or (backward) its last; false when it has none.
    bool SelectEdgeJump(bool forward);

private:
    CHARRANGE Selection() const;
    void Select(std::size_t start, std::size_t end);

    HWND window = nullptr; // owned by the parent window
    const picker::HelpPage* page = nullptr;
};

} // namespace picker
