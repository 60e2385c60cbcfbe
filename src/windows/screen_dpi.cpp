#include "windows/screen_dpi.hpp"

namespace parcelkit::windows {

namespace {

template <typename Function> Function lookUp(const char* name) {
    const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(user32, name)));
}

struct NewerFunctions {
    UINT(WINAPI* dpiForWindow)(HWND) = lookUp<decltype(dpiForWindow)>("GetDpiForWindow");
    BOOL(WINAPI* adjustForDpi)
    (RECT*, DWORD, BOOL, DWORD, UINT) = lookUp<decltype(adjustForDpi)>("AdjustWindowRectExForDpi");
    int(WINAPI* metricForDpi)(int, UINT) = lookUp<decltype(metricForDpi)>("GetSystemMetricsForDpi");
    BOOL(WINAPI* nonClientScaling)
    (HWND) = lookUp<decltype(nonClientScaling)>("EnableNonClientDpiScaling");
};

const NewerFunctions& newer() {
    static const NewerFunctions functions;
    return functions;
}

int screenDpi() {
    const HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

} // namespace

int dpiOf(HWND window) {
    if (newer().dpiForWindow != nullptr && window != nullptr) {
        if (const UINT dpi = newer().dpiForWindow(window); dpi != 0) {
            return static_cast<int>(dpi);
        }
    }
    return screenDpi();
}

RECT frameAround(const RECT& client, DWORD style, DWORD exStyle, int dpi) {
    RECT frame = client;
    if (newer().adjustForDpi == nullptr ||
        newer().adjustForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi)) == FALSE) {
        frame = client;
        ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    }
    return frame;
}

int systemMetricAt(int index, int dpi) {
    if (newer().metricForDpi != nullptr) {
        return newer().metricForDpi(index, static_cast<UINT>(dpi));
    }
    return ::GetSystemMetrics(index);
}

void scaleTitleBarWithWindow(HWND window) {
    if (newer().nonClientScaling != nullptr) {
        newer().nonClientScaling(window);
    }
}

} // namespace parcelkit::windows
