#pragma once

#include "platform/win32/handles.hpp"

#include <windows.h>

namespace parcelkit::windows {

// A top-level window whose procedure forwards every message to its object: the object is
// stored with the window at WM_NCCREATE.
class WindowBase {
public:
    WindowBase() = default;
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;
    virtual ~WindowBase() = default;

    HWND hwnd() const { return window_.get(); }

protected:
    // Registers the class once per process and creates the window, hidden, with the given
    // client size centred on the screen.
    void create(const wchar_t* className, DWORD style, DWORD exStyle, int clientWidth,
                int clientHeight);
    // Derived windows call this in their destructor: the window's last messages still
    // reach a whole object.
    void destroy() { window_.reset(); }
    virtual LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    LRESULT defaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
        return ::DefWindowProcW(hwnd(), message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    win32::UniqueWindow window_;
};

// Centres a window on the work area of the monitor nearest to the reference window.
void centreOn(HWND window, HWND reference);

} // namespace parcelkit::windows
