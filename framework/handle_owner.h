// Move-only owners for Win32 handles. Each kind of handle names its close function once, here.
#pragma once

#include <windows.h>

#include <utility>

namespace framework {

template <class Traits> class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle owned) : handle(owned) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

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

using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;
using UniqueCursor = UniqueHandle<CursorTraits>;
// A context made with CreateDC (for example of the whole display).
using UniqueDeviceContext = UniqueHandle<DeviceContextTraits>;
// A menu no window holds, such as a popup menu of the program's own.
using UniqueMenu = UniqueHandle<MenuTraits>;
// Memory from GlobalAlloc; released when the clipboard takes it over.
using UniqueGlobalMemory = UniqueHandle<GlobalMemoryTraits>;
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;
using UniqueKernelObject = UniqueHandle<KernelObjectTraits>;

// The drawing context of one window's client area, released when it goes.
class WindowDc {
public:
    explicit WindowDc(HWND of) : window(of), dc(GetDC(of)) {}
    ~WindowDc() {
        if (dc) {
            ReleaseDC(window, dc);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc; }

private:
    HWND window;
    HDC dc;
};

// One BeginPaint/EndPaint pair.
class PaintDc {
public:
    explicit PaintDc(HWND of) : window(of), dc(BeginPaint(of, &paint)) {}
    ~PaintDc() { EndPaint(window, &paint); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC get() const { return dc; }

private:
    HWND window;
    PAINTSTRUCT paint{};
    HDC dc;
};

} // namespace framework
