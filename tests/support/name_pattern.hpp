#pragma once

#include <string_view>

namespace parcelkit::doubles {

// "*" and "?" matching without regard to case, as the system's directory search does.
bool matchesNamePattern(std::wstring_view name, std::wstring_view pattern);

} // namespace parcelkit::doubles
