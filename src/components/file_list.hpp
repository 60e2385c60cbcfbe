#pragma once

#include "platform/file_system.hpp"

#include <optional>
#include <string>
#include <vector>

namespace parcelkit::components {

// The bare names of the plain files that a path names; its last part may hold "*" and
// "?". Sub-folders are neither listed nor entered; the names come in the system's order.
// nullopt when nothing matches.
std::optional<std::vector<std::wstring>> GetFileList(const std::wstring& path,
                                                     const platform::FileSystem& files);
// The same files with the sizes the listing gave.
std::optional<std::vector<platform::DirectoryEntry>> listFiles(const std::wstring& path,
                                                               const platform::FileSystem& files);

} // namespace parcelkit::components
