#include "gdi_objects.h"

#include "app.h"

namespace framework {

bool CBitmap::Load(UINT resourceId) {
    return Attach(LoadImageA(CWinApp::ResourceInstance(), MAKEINTRESOURCEA(resourceId),
                             IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

void CBrush::CreateSolidBrush(COLORREF colour) {
    DeleteObject();
    if (!Attach(::CreateSolidBrush(colour))) {
        throw CResourceUnavailable();
    }
}

void CBrush::CreatePatternBrush(const CBitmap& bitmap) {
    DeleteObject();
    if (!Attach(::CreatePatternBrush(bitmap.get()))) {
        throw CResourceUnavailable();
    }
}

bool CFont::Create(const LOGFONTA& description) {
    return Attach(CreateFontIndirectA(&description));
}

} // namespace framework
