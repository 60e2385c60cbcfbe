#pragma once

#include "platform/win32/handles.hpp"

#include <windows.h>

#include <objbase.h>

namespace parcelkit::windows {

// The system's accessibility helpers (oleacc.dll). Not every Windows has loaded it for a
// program, so it is loaded by its full path in the system directory the first time a
// screen reader asks, and stays loaded until the program ends: the objects it helped to
// hand out may be in use until then.
class AccessibilityLibrary {
public:
    static const AccessibilityLibrary& get();

    bool loaded() const { return lresultFromObject_ != nullptr; }
    // WM_GETOBJECT's answer for the object; 0 when the library is missing.
    LRESULT answer(REFIID interfaceId, WPARAM wParam, IUnknown* object) const;
    // The system's own object for a part of the window (the window, its client area).
    HRESULT standardObject(HWND window, LONG objectId, REFIID interfaceId, void** object) const;

private:
    AccessibilityLibrary();

    win32::UniqueModule module_;
    LRESULT(WINAPI* lresultFromObject_)(REFIID, WPARAM, IUnknown*) = nullptr;
    HRESULT(WINAPI* createStdAccessibleObject_)(HWND, LONG, REFIID, void**) = nullptr;
};

} // namespace parcelkit::windows
