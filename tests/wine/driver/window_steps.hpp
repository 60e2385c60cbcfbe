#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace pkdriver {

// The steps that look at the program's windows as a whole: how they are laid out, the
// keyboard and the focus. The driver is DPI-aware: it sees the pixels the screen shows.

// "fonts:<font>[;<id>=<font>...]" names the font a text without an ideal size of its own
// (labels, group boxes) is drawn in: the first for every control, the others for the
// controls with that id. A font is written "face/size/charset[/bold]": size in points, or, when
// negative, in pixels at 96 dpi (the driver's steps are separated by commas). A font handle cannot
// be read across processes, so the driver makes the same font at the screen's resolution.
void setFonts(const std::wstring& list);

// "layout" prints "LAYOUT" and one line per visible control of the program's visible
// windows, in the window's client coordinates:
// "CONTROL <window class>\t<id>\t<class>\t<left>\t<top>\t<width>\t<height>\t<needed
// width>\t<needed height>\t<text>". What the text needs: a button's or check box's ideal
// size, which the control computes in its own font; for a label or group box, the extent of
// its text in the font of the "fonts" step, wrapped at the control's width when the control
// is two lines high or more; 0 for the rest. A tree's check box width follows (see
// printCheckImageWidth).
bool printLayout(HANDLE process, const std::vector<HWND>& controls);

// "dpi:<n>" tells the program's visible windows, as Windows does when a window moves to a
// screen of another resolution, that they are now on a screen of n dpi (WM_DPICHANGED), with
// their top left corner as the suggested place. From then on the "layout" step measures
// texts at that resolution.
bool announceDpi(HANDLE process, const std::vector<HWND>& controls, int dpi);

// "key:<keys>" types as the keyboard does (SendInput) into the program's active window:
// tab, shift+tab, enter, esc, space, up, down, or alt+<letter>.
bool pressKeys(const std::wstring& keys);

// "focus" prints "FOCUS <class>\t<text>" of the control with the program's keyboard focus.
bool printFocus(DWORD threadId);

} // namespace pkdriver
