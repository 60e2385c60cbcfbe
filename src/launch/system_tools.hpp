#pragma once

#include "platform/file_system.hpp"

#include <string>

namespace parcelkit::launch {

// The full path of one of the system's own programs (regedit.exe, regsvr32.exe). Named
// bare, the system would look for it beside the installer first, where anyone can leave a
// program of that name. The system directory comes first: on 64-bit Windows a 32-bit
// installer reaches the 32-bit tool there, which writes the registry view it expects; the
// registry editor lives in the Windows directory elsewhere. Both directories are given
// without a trailing backslash. A tool found in neither is named in the Windows directory,
// so that its start fails rather than finds another program.
std::wstring systemToolPath(const platform::FileSystem& files, const std::wstring& systemDirectory,
                            const std::wstring& windowsDirectory, const std::wstring& name);

} // namespace parcelkit::launch
