#pragma once

#include "platform/win32/handles.hpp"
#include "presenters/layout.hpp"
#include "presenters/message_routes.hpp"

#include <windows.h>

#include <optional>
#include <vector>

namespace parcelkit::windows {

// A top-level window laid out by one form of the layout table. Its procedure hands every
// message to the window's routes: derived windows route each message they handle to a
// member, which runs through the program's handler guard; the rest get the default handling.
class WindowBase {
public:
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    HWND hwnd() const { return window_.get(); }

protected:
    WindowBase(presenters::Form form, presenters::HandlerGuard& guard);
    ~WindowBase() = default;

    // Registers the class once per process and creates the window, hidden, with the form's
    // client size and design caption, centred on the screen.
    void create(const wchar_t* className, DWORD style, DWORD exStyle);
    // The form's controls in creation order; richEditClass names the rich-text class.
    void createControls(const wchar_t* richEditClass);
    // Derived windows call this in their destructor: the window's last messages still
    // reach a whole object.
    void destroy() { window_.reset(); }

    template <typename Window>
    void route(UINT message, LRESULT (Window::*handler)(WPARAM, LPARAM)) {
        auto* window = static_cast<Window*>(this);
        routes_.route(message, [window, handler](presenters::MessageWord wParam,
                                                 presenters::MessageLong lParam) {
            return static_cast<presenters::MessageLong>(
                (window->*handler)(static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam)));
        });
    }
    LRESULT defaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
        return ::DefWindowProcW(hwnd(), message, wParam, lParam);
    }

    HWND control(int id) const { return controls_.at(static_cast<std::size_t>(id)); }
    const std::vector<HWND>& controls() const { return controls_; }
    // The control of this window that a WM_COMMAND comes from, if any.
    std::optional<int> controlOfCommand(int commandId) const {
        return presenters::controlOfCommand(form_, commandId);
    }
    void setControlFonts(HFONT font, bool redraw) const;
    presenters::HandlerGuard& guard() const { return guard_; }

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    presenters::Form form_;
    presenters::HandlerGuard& guard_;
    presenters::MessageRoutes routes_;
    std::vector<HWND> controls_;
    win32::UniqueWindow window_;
};

// Centres a window on the work area of the monitor nearest to the reference window.
void centreOn(HWND window, HWND reference);

} // namespace parcelkit::windows
