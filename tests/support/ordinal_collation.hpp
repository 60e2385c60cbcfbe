#pragma once

#include "platform/collation.hpp"

namespace parcelkit::doubles {

// Orders texts by their UTF-16 code units. Not the locale's order that the system gives
// (there "_x" and "-x" sort by their letters, and "a" comes before "B"); tests that
// depend on that order belong to the Wine tier.
struct OrdinalCollation : platform::Collation {
    int compare(const std::wstring& a, const std::wstring& b) const override {
        return a.compare(b);
    }
};

} // namespace parcelkit::doubles
