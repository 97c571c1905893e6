#include "gdi_objects.h"

#include "app.h"

namespace framework {

bool CBitmap::Load(UINT resourceId) {
    return Attach(LoadImageA(CWinApp::ResourceInstance(), MAKEINTRESOURCEA(resourceId),
                             IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

CBrush::CBrush(COLORREF colour) {
    if (!Attach(CreateSolidBrush(colour))) {
        throw ResourceUnavailable();
    }
}

CBrush::CBrush(const CBitmap& bitmap) {
    if (!Attach(CreatePatternBrush(bitmap.get()))) {
        throw ResourceUnavailable();
    }
}

bool CFont::Create(const LOGFONTA& description) {
    return Attach(CreateFontIndirectA(&description));
}

} // namespace framework
