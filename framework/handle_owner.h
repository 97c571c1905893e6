// Move-only owners for Win32 handles. Each kind of handle names its close function once, here.
#pragma once

#include <windows.h>

#include <utility>

namespace framework {

template <class Traits> class CUniqueHandle {
public:
    using Handle = typename Traits::Handle;

    CUniqueHandle() = default;
    explicit CUniqueHandle(Handle owned) : handle(owned) {}
    ~CUniqueHandle() { reset(); }
    CUniqueHandle(CUniqueHandle&& other) noexcept : handle(other.release()) {}
    CUniqueHandle& operator=(CUniqueHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    CUniqueHandle(const CUniqueHandle&) = delete;
    CUniqueHandle& operator=(const CUniqueHandle&) = delete;

    Handle get() const { return handle; }
    explicit operator bool() const { return handle != Handle{}; }
    // Gives up ownership, e.g. when the platform takes the handle over.
    Handle release() { return std::exchange(handle, Handle{}); }
    void reset(Handle replacement = Handle{}) {
        if (handle != Handle{}) {
            Traits::Close(handle);
        }
        handle = replacement;
    }

private:
    Handle handle{};
};

struct GdiObjectTraits {
    using Handle = HGDIOBJ;
    static void Close(Handle handle) { DeleteObject(handle); }
};
struct CursorTraits {
    using Handle = HCURSOR;
    static void Close(Handle handle) { DestroyCursor(handle); }
};
struct DeviceContextTraits {
    using Handle = HDC;
    static void Close(Handle handle) { DeleteDC(handle); }
};

struct MenuTraits {
    using Handle = HMENU;
    static void Close(Handle handle) { DestroyMenu(handle); }
};
struct GlobalMemoryTraits {
    using Handle = HGLOBAL;
    static void Close(Handle handle) { GlobalFree(handle); }
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

using CUniqueGdiObject = CUniqueHandle<GdiObjectTraits>;
using CUniqueCursor = CUniqueHandle<CursorTraits>;
// A context made with CreateDC (for example of the whole display).
using CUniqueDeviceContext = CUniqueHandle<DeviceContextTraits>;
// A menu no window holds, such as a popup menu of the program's own.
using CUniqueMenu = CUniqueHandle<MenuTraits>;
// Memory from GlobalAlloc; released when the clipboard takes it over.
using CUniqueGlobalMemory = CUniqueHandle<GlobalMemoryTraits>;
using CUniqueRegistryKey = CUniqueHandle<RegistryKeyTraits>;
using CUniqueKernelObject = CUniqueHandle<KernelObjectTraits>;

// The drawing context of one window's client area, released when it goes.
class CWindowDc {
public:
    explicit CWindowDc(HWND of) : window(of), dc(GetDC(of)) {}
    ~CWindowDc() {
        if (dc) {
            ReleaseDC(window, dc);
        }
    }
    CWindowDc(const CWindowDc&) = delete;
    CWindowDc& operator=(const CWindowDc&) = delete;
    HDC get() const { return dc; }

private:
    HWND window;
    HDC dc;
};

// One BeginPaint/EndPaint pair.
class CPaintDc {
public:
    explicit CPaintDc(HWND of) : window(of), dc(BeginPaint(of, &paint)) {}
    ~CPaintDc() { EndPaint(window, &paint); }
    CPaintDc(const CPaintDc&) = delete;
    CPaintDc& operator=(const CPaintDc&) = delete;
    HDC get() const { return dc; }

private:
    HWND window;
    PAINTSTRUCT paint{};
    HDC dc;
};

} // namespace framework
