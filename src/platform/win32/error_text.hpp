#pragma once

#include <windows.h>

#include <string>

namespace parcelkit::win32 {

// The system's own text for an error code, without the trailing line break.
std::wstring errorText(DWORD code);

} // namespace parcelkit::win32
