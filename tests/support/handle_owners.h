// The tests own their handles as the product does: move-only owners built on the framework's
// (framework/handle_owner.h), one per kind of handle, each naming its close function once here.
#pragma once

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
struct RegistryKeyTraits {
    using Handle = HKEY;
    static void Close(Handle handle) { RegCloseKey(handle); }
};
// A process, thread, event or pipe end: anything CloseHandle closes whose "none" is null (not a
// file handle, whose "none" is INVALID_HANDLE_VALUE).
struct KernelObjectTraits {
    using Handle = HANDLE;
    static void Close(Handle handle) { CloseHandle(handle); }
};
struct ModuleTraits {
    using Handle = HMODULE;
    static void Close(Handle handle) { FreeLibrary(handle); }
};

using UniqueBitmap = framework::UniqueHandle<TypedGdiObjectTraits<HBITMAP>>;
using UniqueBrush = framework::UniqueHandle<TypedGdiObjectTraits<HBRUSH>>;
using UniqueIcon = framework::UniqueHandle<IconTraits>;
using framework::UniqueCursor;
// A context made with CreateCompatibleDC (or CreateDC).
using UniqueMemoryDc = framework::UniqueDeviceContext;
using UniqueRegistryKey = framework::UniqueHandle<RegistryKeyTraits>;
using UniqueKernelObject = framework::UniqueHandle<KernelObjectTraits>;
using UniqueModule = framework::UniqueHandle<ModuleTraits>;

// The whole screen's drawing context, released when it goes.
class ScreenDc : public framework::WindowDc {
public:
    ScreenDc() : WindowDc(nullptr) {}
};

// Selects an object into a context for the owner's lifetime, then puts the previous one back.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc_, previous_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

} // namespace testing_support
