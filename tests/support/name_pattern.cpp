#include "name_pattern.hpp"

#include "base/text.hpp"

namespace parcelkit::doubles {

bool matchesNamePattern(std::wstring_view name, std::wstring_view pattern) {
    if (pattern.empty()) {
        return name.empty();
    }
    if (pattern[0] == L'*') {
        for (std::size_t i = 0; i <= name.size(); ++i) {
            if (matchesNamePattern(name.substr(i), pattern.substr(1))) {
                return true;
            }
        }
        return false;
    }
    if (name.empty()) {
        return false;
    }
    if (pattern[0] == L'?' || base::asciiLower(pattern[0]) == base::asciiLower(name[0])) {
        return matchesNamePattern(name.substr(1), pattern.substr(1));
    }
    return false;
}

} // namespace parcelkit::doubles
