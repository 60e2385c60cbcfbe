#pragma once

#include <windows.h>

namespace parcelkit::windows {

// The resolution functions of newer systems, looked up at run time in user32 (which every
// program has loaded from the system directory): where they are missing, the program
// still starts and lays out at the screen's one resolution.

// Pixels per inch of the screen the window is on; of the whole screen on older systems.
int dpiOf(HWND window);
// The window rectangle around a client rectangle, with the frame, title bar and menu
// sized for that resolution.
RECT frameAround(const RECT& client, DWORD style, DWORD exStyle, int dpi);
// A system metric (the icons' sizes) at that resolution.
int systemMetricAt(int index, int dpi);
// Lets the system scale the title bar with the window where it would not on its own
// (the first per-monitor mode of Windows 10). Called while the window is created.
void scaleTitleBarWithWindow(HWND window);

} // namespace parcelkit::windows
