#pragma once

namespace parcelkit::win32 {

// Loads system DLLs from the system directory only and takes the current directory out
// of the search order. Both programs start from folders where others can drop a DLL (a
// downloads folder, an installation directory), so each calls this before anything else.
void hardenDllSearch();

} // namespace parcelkit::win32
