#include "platform/win32/collation_win32.hpp"

#include <windows.h>

namespace parcelkit::win32 {

int Win32Collation::compare(const std::wstring& a, const std::wstring& b) const {
    return ::lstrcmpW(a.c_str(), b.c_str());
}

} // namespace parcelkit::win32
