#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace parcelkit::checker {

// The known name closest to a misspelt one, compared without regard to case, when it is
// close enough to be what was meant (a letter or two wrong, missing, extra or swapped).
std::optional<std::wstring> nearestName(std::wstring_view written,
                                        const std::vector<std::wstring>& known);

// ", did you mean X?" for the nearest name, or nothing.
std::wstring didYouMean(std::wstring_view written, const std::vector<std::wstring>& known,
                        std::wstring_view before = L"", std::wstring_view after = L"");

} // namespace parcelkit::checker
