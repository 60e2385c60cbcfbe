#include "windows/text_extent.hpp"

#include "windows/controls.hpp"

#include <commctrl.h>

#include <algorithm>
#include <compare>
#include <map>
#include <string>

namespace parcelkit::windows {

namespace {

using presenters::ControlKind;

// In the tables' pixels: a push button's frame and focus rectangle on each side; a check
// box's box and the gap after it.
constexpr int kButtonMargin = 4;
constexpr int kCheckBoxBoxAndGap = 19;

// A measurement depends only on the text, the font and the format. Laying out a window
// measures every control again for each control shown or given a text, and under Wine each
// measurement is a round trip to the display: the answers are kept until a font is made.
struct Measurement {
    HFONT font;
    UINT format;
    int width;
    std::wstring text;
    auto operator<=>(const Measurement&) const = default;
};

std::map<Measurement, RECT>& measurements() {
    static std::map<Measurement, RECT> known;
    return known;
}

// The control's text drawn into nothing, with its font, to learn the rectangle it takes.
RECT measure(HWND control, UINT format, int width) {
    const std::wstring text = windowText(control);
    const std::wstring measured = text.empty() ? std::wstring(L" ") : text;
    const auto font = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
    Measurement key{font, format, width, measured};
    if (const auto known = measurements().find(key); known != measurements().end()) {
        return known->second;
    }
    const HDC dc = ::GetDC(control);
    const HGDIOBJ previous = font != nullptr ? ::SelectObject(dc, font) : nullptr;
    RECT rect{0, 0, width, 0};
    ::DrawTextW(dc, measured.c_str(), static_cast<int>(measured.size()), &rect,
                format | DT_CALCRECT | DT_EXPANDTABS);
    if (previous != nullptr) {
        ::SelectObject(dc, previous);
    }
    ::ReleaseDC(control, dc);
    measurements().emplace(std::move(key), rect);
    return rect;
}

UINT prefixFormat(ControlKind kind) {
    // Plain labels show '&' as it is; the others underline the letter after it.
    return kind == ControlKind::Label ? DT_NOPREFIX : 0;
}

int textWidth(HWND control, ControlKind kind) {
    if (windowText(control).empty()) {
        return 0;
    }
    const RECT rect = measure(control, DT_SINGLELINE | prefixFormat(kind), 0);
    return rect.right - rect.left;
}

// What a button's ideal size depends on; kept as the measurements are.
struct IdealSizeQuestion {
    HFONT font;
    LONG style;
    std::wstring text;
    auto operator<=>(const IdealSizeQuestion&) const = default;
};

std::map<IdealSizeQuestion, int>& idealWidths() {
    static std::map<IdealSizeQuestion, int> known;
    return known;
}

// Buttons and check boxes of the common controls 6 know the size their text needs; some
// count their margins in, some only the text. 0 where the control does not say.
int idealWidth(HWND button) {
    IdealSizeQuestion question{reinterpret_cast<HFONT>(::SendMessageW(button, WM_GETFONT, 0, 0)),
                               ::GetWindowLongW(button, GWL_STYLE) & ~(WS_VISIBLE | WS_DISABLED),
                               windowText(button)};
    if (const auto known = idealWidths().find(question); known != idealWidths().end()) {
        return known->second;
    }
    SIZE ideal{};
    const int width = ::SendMessageW(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal))
                          ? static_cast<int>(ideal.cx)
                          : 0;
    idealWidths().emplace(std::move(question), width);
    return width;
}

} // namespace

int neededWidth(HWND control, ControlKind kind, const presenters::Scale& scale) {
    switch (kind) {
    case ControlKind::Button:
        return std::max(idealWidth(control),
                        textWidth(control, kind) + 2 * scale.pixels(kButtonMargin));
    case ControlKind::CheckBox:
        if (const int ideal = idealWidth(control); ideal > 0) {
            return ideal;
        }
        return textWidth(control, kind) + scale.pixels(kCheckBoxBoxAndGap);
    case ControlKind::GroupBox:
        // The caption is indented on both sides by about half a line.
        return textWidth(control, kind) + lineHeight(control);
    default:
        return textWidth(control, kind);
    }
}

int wrappedHeight(HWND control, ControlKind kind, int width) {
    const RECT rect = measure(control, DT_WORDBREAK | prefixFormat(kind), width);
    return rect.bottom - rect.top;
}

void forgetMeasurements() {
    measurements().clear();
    idealWidths().clear();
}

int lineHeight(HWND control) {
    const RECT rect = measure(control, DT_SINGLELINE, 0);
    return rect.bottom - rect.top;
}

} // namespace parcelkit::windows
