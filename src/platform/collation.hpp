#pragma once

#include <string>

namespace parcelkit::platform {

// The order of texts as the user's locale sees it, letter case significant. The component
// folders are listed in this order, so packagers see the order that Explorer shows.
class Collation {
public:
    virtual ~Collation() = default;
    // Negative when a comes before b, zero when they are equal, positive otherwise.
    virtual int compare(const std::wstring& a, const std::wstring& b) const = 0;
};

} // namespace parcelkit::platform
