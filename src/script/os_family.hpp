#pragma once

#include <string_view>

namespace parcelkit::script {

// The two families of Windows that the installer tells apart wherever they need different
// treatment: the 9x family and the NT family.
enum class OsFamily { Unknown, Nine, Nt };

// The family's word in section names and in the scripts' `system` keys: "98", "2000", or
// empty for a family the installer does not know.
constexpr std::wstring_view osWord(OsFamily family) {
    switch (family) {
    case OsFamily::Nine:
        return L"98";
    case OsFamily::Nt:
        return L"2000";
    case OsFamily::Unknown:
        break;
    }
    return L"";
}

} // namespace parcelkit::script
