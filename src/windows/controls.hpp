#pragma once

#include "model/font_choice.hpp"
#include "platform/win32/handles.hpp"
#include "presenters/layout.hpp"
#include "presenters/screen_layout.hpp"

#include <string>

namespace parcelkit::windows {

// A font as a window asks for it; the window makes it at its resolution.
struct FontRequest {
    std::wstring face;
    int points = 0;
    int pixelHeight = 0; // in the tables' pixels; when not 0 it wins over points
    int charset = 0;
    bool bold = false;

    bool operator==(const FontRequest&) const = default;
};

FontRequest fontRequestOf(const presenters::DesignFont& font);
FontRequest fontRequestOf(const model::FontChoice& font);
win32::UniqueFont createFont(const FontRequest& font, const presenters::Scale& scale);

// Creates the control as a child of the window at the place given in the window's client
// coordinates; a control inside a group box is owned by the window all the same, so that
// its notifications reach it. richEditClass names the registered rich-text class.
HWND createControl(HWND window, const presenters::ControlLayout& layout,
                   const presenters::Rect& place, const presenters::Scale& scale,
                   const wchar_t* richEditClass);
// What a control sizes by itself beside its place: the tree's indent, the check list's
// column.
void scaleControlParts(HWND control, const presenters::ControlLayout& layout,
                       const presenters::Scale& scale);

std::wstring windowText(HWND window);
// The control's place in the client area of its top-level window.
presenters::Rect placeInWindow(HWND control);

} // namespace parcelkit::windows
