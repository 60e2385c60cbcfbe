#pragma once

#include "platform/outcome.hpp"

#include <string>

namespace parcelkit::win32 {

// Makes the file UTF-16LE with the byte-order mark FF FE: creates it holding only the
// mark when it is missing, rewrites it when it is in another encoding (UTF-8 with its
// mark, UTF-16BE with its mark, otherwise the ANSI code page), leaves it alone when it
// is UTF-16LE already.
platform::Outcome convertToUtf16File(const std::wstring& path);

} // namespace parcelkit::win32
