#pragma once

#include <windows.h>

namespace parcelkit::win32 {

// One message to its window, with the dialog keys (Tab, Enter, Esc) of our windows.
void dispatch(MSG& message);
// Everything pending, without waiting.
void pumpPendingMessages();

} // namespace parcelkit::win32
