#pragma once

#include "platform/win32/handles.hpp"
#include "presenters/layout.hpp"

#include <string>
#include <vector>

namespace parcelkit::windows {

// The controls of one form in creation order, which is the tab order: controls that are
// no tab stop first, then by tab order, a group box's contents right after it.
std::vector<presenters::ControlLayout> creationOrder(presenters::Form form);

// Creates the control as a child of the window; a control inside a group box is placed
// relative to the box but owned by the window, so that its notifications reach it.
// richEditClass names the registered rich-text class.
HWND createControl(HWND window, const presenters::ControlLayout& layout,
                   const wchar_t* richEditClass);

// Negative heights ask for the character height, as points do.
win32::UniqueFont createFont(const std::wstring& face, int points, int pixelHeight, int charset,
                             bool bold);
win32::UniqueFont createFont(const presenters::DesignFont& font);

std::wstring windowText(HWND window);
// Sizes an auto-sized label to its text in its font.
void fitToText(HWND label);
int windowWidth(HWND window);

} // namespace parcelkit::windows
