#include "windows/window_base.hpp"

#include "windows/controls.hpp"

namespace parcelkit::windows {

static_assert(sizeof(presenters::MessageWord) == sizeof(WPARAM) &&
              sizeof(presenters::MessageLong) == sizeof(LPARAM) &&
              sizeof(presenters::MessageLong) == sizeof(LRESULT));

WindowBase::WindowBase(presenters::Form form, presenters::HandlerGuard& guard)
    : form_(form), guard_(guard),
      routes_(guard, [this](unsigned message, presenters::MessageWord wParam,
                            presenters::MessageLong lParam) {
          return static_cast<presenters::MessageLong>(
              defaultHandling(message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam)));
      }) {}

void WindowBase::create(const wchar_t* className, DWORD style, DWORD exStyle) {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    if (::GetClassInfoExW(instance, className, &windowClass) == FALSE) {
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &WindowBase::procedure;
        windowClass.hInstance = instance;
        windowClass.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(1));
        windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = className;
        ::RegisterClassExW(&windowClass);
    }
    const presenters::FormLayout& form = presenters::layoutOf(form_);
    RECT frame{0, 0, form.clientWidth, form.clientHeight};
    ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const std::wstring caption(form.designCaption);
    const HWND hwnd = ::CreateWindowExW(exStyle, className, caption.c_str(), style, CW_USEDEFAULT,
                                        CW_USEDEFAULT, frame.right - frame.left,
                                        frame.bottom - frame.top, nullptr, nullptr, instance, this);
    window_.reset(hwnd);
    centreOn(hwnd, hwnd);
}

void WindowBase::createControls(const wchar_t* richEditClass) {
    for (const auto& layout : creationOrder(form_)) {
        const auto index = static_cast<std::size_t>(layout.id);
        if (controls_.size() <= index) {
            controls_.resize(index + 1);
        }
        controls_[index] = createControl(hwnd(), layout, richEditClass);
    }
    // A group box lies under the controls drawn on it: each then paints only its own part.
    for (const auto& layout : presenters::controlLayouts()) {
        if (layout.form == form_ && layout.kind == presenters::ControlKind::GroupBox) {
            ::SetWindowPos(control(layout.id), HWND_BOTTOM, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
}

void WindowBase::setControlFonts(HFONT font, bool redraw) const {
    for (const HWND child : controls_) {
        ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
    }
}

LRESULT CALLBACK WindowBase::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* self = static_cast<WindowBase*>(create->lpCreateParams);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<WindowBase*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    }
    // Messages during creation have no object to go to: the object's handle is set only
    // when CreateWindowExW has returned.
    if (self == nullptr || self->hwnd() != hwnd) {
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    const LRESULT result = static_cast<LRESULT>(
        self->routes_.dispatch(message, static_cast<presenters::MessageWord>(wParam),
                               static_cast<presenters::MessageLong>(lParam)));
    if (message == WM_NCDESTROY) {
        // Destroyed by the system: the handle is no longer the object's to destroy.
        self->window_.release();
    }
    return result;
}

void centreOn(HWND window, HWND reference) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(::MonitorFromWindow(reference, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT rect{};
    ::GetWindowRect(window, &rect);
    const RECT& area = monitor.rcWork;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    ::SetWindowPos(window, nullptr, area.left + (area.right - area.left - width) / 2,
                   area.top + (area.bottom - area.top - height) / 2, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace parcelkit::windows
