#pragma once

#include <string>

namespace parcelkit::platform {

// Named locks that a run holds until it ends, so that two runs about the same thing do not
// work at once.
class RunLocks {
public:
    virtual ~RunLocks() = default;
    // True when this run now holds the lock of that name; false when another run holds it.
    virtual bool acquire(const std::wstring& name) = 0;
};

} // namespace parcelkit::platform
