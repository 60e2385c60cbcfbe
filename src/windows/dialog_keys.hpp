#pragma once

#include <windows.h>

namespace parcelkit::windows {

// A box of several lines asks for every key, Tab, Enter and Esc included, as if the user
// were typing into it: the focus could then never leave a read-only box by the keyboard.
// After this call it keeps the arrows and page keys for scrolling and leaves Tab, Enter and
// Esc to the window's dialog keys.
void leaveDialogKeysToTheWindow(HWND box);

} // namespace parcelkit::windows
