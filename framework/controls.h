// The platform's controls, wrapped for the few requests the program makes of them.
#pragma once

#include "window.h"

#include <commctrl.h>

namespace framework {

class CStatic : public CWnd {};

class CButton : public CWnd {
public:
    // Shows `bitmap` on a bitmap-style button; returns the picture shown before.
    HBITMAP SetBitmap(HBITMAP bitmap) {
        return reinterpret_cast<HBITMAP>(
            SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    }
};

class CEdit : public CWnd {
public:
    void SetSel(int start, int end) {
        SendMessage(EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
    }
};

// A trackbar. Setting its position sends no scroll notification.
class CSliderCtrl : public CWnd {
public:
    void SetRangeMin(int minimum, bool redraw) { SendMessage(TBM_SETRANGEMIN, redraw, minimum); }
    void SetRangeMax(int maximum, bool redraw) { SendMessage(TBM_SETRANGEMAX, redraw, maximum); }
    void SetPos(int position) { SendMessage(TBM_SETPOS, TRUE, position); }
    int GetPos() const { return static_cast<int>(SendMessage(TBM_GETPOS)); }
};

} // namespace framework
