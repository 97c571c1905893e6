// GDI objects, each owned by exactly one C++ object and deleted with it. Brushes are replaced,
// never modified: make a new one and drop the old.
#pragma once

#include "handle_owner.h"

#include <stdexcept>

namespace framework {

// Thrown when a GDI object cannot be made. The window procedure catches it, shows "A required
// resource was unavailable." and abandons the handler that tried; the program goes on.
class CResourceUnavailable : public std::runtime_error {
public:
    CResourceUnavailable() : std::runtime_error("resource unavailable") {}
};

class CGdiObject {
public:
    HGDIOBJ GetSafeHandle() const { return object.get(); }
    explicit operator bool() const { return static_cast<bool>(object); }
    // Deletes the object; this then holds none.
    void DeleteObject() { object.reset(); }

protected:
    CGdiObject() = default;
    // Takes `handle` over; a null handle means the platform could not make the object.
    bool Attach(HGDIOBJ handle) {
        object.reset(handle);
        return handle != nullptr;
    }

private:
    CUniqueGdiObject object;
};

class CBitmap : public CGdiObject {
public:
    // From the program's resources; false when there is no such picture.
    bool Load(UINT resourceId);
    HBITMAP get() const { return static_cast<HBITMAP>(GetSafeHandle()); }
};

// Holds no brush until one is made; making one deletes the one held.
class CBrush : public CGdiObject {
public:
    // A solid brush; throws CResourceUnavailable when it cannot be made (holding none then).
    void CreateSolidBrush(COLORREF colour);
    // A brush that repeats `bitmap` over any area it fills; throws CResourceUnavailable.
    void CreatePatternBrush(const CBitmap& bitmap);
    HBRUSH get() const { return static_cast<HBRUSH>(GetSafeHandle()); }
};

class CFont : public CGdiObject {
public:
    bool Create(const LOGFONTA& description);
    HFONT get() const { return static_cast<HFONT>(GetSafeHandle()); }
};

// Selects an object into a context and puts the previous one back when it goes.
class CSelectedObject {
public:
    CSelectedObject(HDC into, HGDIOBJ object) : dc(into), previous(SelectObject(into, object)) {}
    ~CSelectedObject() { SelectObject(dc, previous); }
    CSelectedObject(const CSelectedObject&) = delete;
    CSelectedObject& operator=(const CSelectedObject&) = delete;

private:
    HDC dc;
    HGDIOBJ previous;
};

} // namespace framework
