#pragma once

#include "platform/collation.hpp"

namespace parcelkit::win32 {

// lstrcmpW: the user's locale, case-sensitive, punctuation weighted low ("a-b" near "ab").
class Win32Collation : public platform::Collation {
public:
    int compare(const std::wstring& a, const std::wstring& b) const override;
};

} // namespace parcelkit::win32
