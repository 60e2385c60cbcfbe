#pragma once

#include "platform/win32/handles.hpp"

#include <string>

namespace parcelkit::win32 {

// The system directory, without a trailing backslash.
std::wstring systemDirectory();

// Loads a DLL by its full path in the system directory. Only the DLLs that Windows always
// takes from there are imported; any other one, named bare, would be looked for beside the
// program first, where anyone could have left a copy.
UniqueModule loadSystemLibrary(const wchar_t* name);

} // namespace parcelkit::win32
