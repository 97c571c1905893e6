// A text label that works as a web link: underlined, red while the pointer is over it, and a
// click asks the desktop shell to open its target. Bound to an existing static control.
#pragma once

#include "controls.h"
#include "gdi_objects.h"

#include <cstdint>
#include <string>

namespace picker {

class CLinkLabel : public framework::CStatic {
public:
    CLinkLabel();
    ~CLinkLabel() override;

    // What a click opens; the text shown is the control's own and is not touched.
    void SetTarget(const std::string& text);
    // Asks the shell to open the target with the user's handler for it; true on success.
    bool OpenTarget();

protected:
    const framework::CMessageTable* GetMessageTable() const override { return &messageTable; }
    static const framework::CMessageTable messageTable;

private:
    enum : std::int32_t { kNormal = 0, kVisited = 1, kHover = 2 };

    BOOL OnPointerShapeRequest(HWND window, UINT hitTest, UINT mouseMessage);
    void OnButtonPressed(UINT keys, POINT point);
    void OnPointerMoved(UINT keys, POINT point);
    HBRUSH OnStaticColour(HDC dc);
    void OnContextMenuRequest(HWND window, POINT screenPoint);
    void SetHover(bool on);
    void MakeUnderlinedFont(HDC dc);

    std::string target;
    HCURSOR linkPointer; // a shared system shape, never freed
    COLORREF normalColour;
    COLORREF visitedColour;
    COLORREF hoverColour;
    std::int32_t state = kNormal;
    std::int32_t stateBeforeHover = kNormal;
    framework::CFont underlinedFont; // made at the first paint
};

} // namespace picker
