#pragma once

#include "platform/outcome.hpp"

#include <string>
#include <vector>

namespace parcelkit::win32 {

// Copies a file's bytes, attributes and last write time over the target, as CopyFileW
// does, but with one open of the target instead of two (CopyFileW first looks whether the
// target is there, and on Wine every open of a new name searches its directory), and in
// pieces the size of the buffer. A copy that fails leaves no partial target behind.
platform::Outcome copyWholeFile(const std::wstring& from, const std::wstring& to,
                                std::vector<char>& buffer);

} // namespace parcelkit::win32
