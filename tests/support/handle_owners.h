// The tests own their handles as the product does: move-only owners built on the framework's
// (framework/handle_owner.h), one per kind of handle, each naming its close function once here.
#pragma once

#include "gdi_objects.h"
#include "handle_owner.h"

#include <windows.h>

namespace testing_support {

template <class Object> struct TypedGdiObjectTraits {
    using Handle = Object;
    static void Close(Handle handle) { DeleteObject(handle); }
};
struct IconTraits {
    using Handle = HICON;
    static void Close(Handle handle) { DestroyIcon(handle); }
};
struct ModuleTraits {
    using Handle = HMODULE;
    static void Close(Handle handle) { FreeLibrary(handle); }
};

using CUniqueBitmap = framework::CUniqueHandle<TypedGdiObjectTraits<HBITMAP>>;
using CUniqueBrush = framework::CUniqueHandle<TypedGdiObjectTraits<HBRUSH>>;
using CUniqueIcon = framework::CUniqueHandle<IconTraits>;
using framework::CUniqueCursor;
// A context made with CreateCompatibleDC (or CreateDC).
using CUniqueMemoryDc = framework::CUniqueDeviceContext;
using framework::CUniqueKernelObject;
using framework::CUniqueRegistryKey;
using CUniqueModule = framework::CUniqueHandle<ModuleTraits>;

// The whole screen's drawing context, released when it goes.
class ScreenDc : public framework::CWindowDc {
public:
    ScreenDc() : CWindowDc(nullptr) {}
};

// What GetIconInfo tells of an icon or a cursor, with the two bitmaps it makes for the caller,
// freed with it.
struct IconBitmaps {
    explicit IconBitmaps(HICON icon)
        : ok(GetIconInfo(icon, &info) != FALSE), mask(info.hbmMask), colour(info.hbmColor) {}
    ICONINFO info{};
    bool ok;
    CUniqueBitmap mask, colour;
};

// The colour GDI reads at a point of the screen (screen coordinates), as a program sees it.
inline COLORREF ScreenPixel(POINT point) {
    return GetPixel(ScreenDc().get(), point.x, point.y);
}

// Selects an object into a context for the owner's lifetime, then puts the previous one back.
using Selection = framework::CSelectedObject;

} // namespace testing_support
