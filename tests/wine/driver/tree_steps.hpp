#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace pkdriver {

// The steps that act on a tree view of the program under test. The tree's items live in
// the other process: every message that carries a pointer gets memory allocated there.

// Prints "TREE" and then every item in display order as
// "NODE <depth>\t<text>\t<state image index>[\tbold]". False while no tree is visible.
bool printTree(HANDLE process, const std::vector<HWND>& controls);

// Clicks the state image (the check box) of the first item whose text is exactly the
// given one, with a posted press and release at a point the tree's hit test puts on the
// state image; an item without one is clicked left of its text all the same. False while
// no such item is visible.
bool clickCheckBox(HANDLE process, const std::vector<HWND>& controls, const std::wstring& text);

// Prints "CHECKIMAGE <width>": how wide the tree's hit test finds the state image (the check
// box) of the first shown item that has one. Nothing when no tree shows such an item.
void printCheckImageWidth(HANDLE process, const std::vector<HWND>& controls);

// Moves the pointer (a posted WM_MOUSEMOVE) over the middle of the item's text, or over
// the empty space below the last item when the text is empty.
bool hoverItem(HANDLE process, const std::vector<HWND>& controls, const std::wstring& text);

// The Space key pressed and released in the tree (posted).
bool pressSpace(const std::vector<HWND>& controls);

// A right-button press and release (posted) in the middle of the tree.
bool rightClick(const std::vector<HWND>& controls);

} // namespace pkdriver
