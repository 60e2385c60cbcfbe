#pragma once

#include "presenters/layout.hpp"
#include "platform/win32/handles.hpp"

#include <string>
#include <vector>

namespace parcelkit::win32 {

// Control ids stay clear of IDOK and IDCANCEL, which Enter and Esc send.
inline constexpr int kFirstControlId = 100;

// The controls of one form in creation order, which is the tab order: controls that are
// no tab stop first, then by tab order, a group box's contents right after it.
std::vector<app::ControlLayout> creationOrder(app::Form form);

// Creates the control as a child of the window; a control inside a group box is placed
// relative to the box but owned by the window, so that its notifications reach it.
// richEditClass names the registered rich-text class.
HWND createControl(HWND window, const app::ControlLayout& layout, const wchar_t* richEditClass);

// Negative heights ask for the character height, as points do.
UniqueFont createFont(const std::wstring& face, int points, int pixelHeight, int charset,
                      bool bold);
UniqueFont createFont(const app::DesignFont& font);

std::wstring windowText(HWND window);
// Sizes an auto-sized label to its text in its font.
void fitToText(HWND label);
int windowWidth(HWND window);

} // namespace parcelkit::win32
