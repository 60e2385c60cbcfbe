#pragma once

#include "platform/run_lock.hpp"
#include "platform/win32/handles.hpp"

#include <vector>

namespace parcelkit::win32 {

// Named mutexes, held open until the program ends: every session of the machine sees them.
class Win32RunLocks : public platform::RunLocks {
public:
    bool acquire(const std::wstring& name) override;

private:
    std::vector<UniqueHandleObject> held_;
};

} // namespace parcelkit::win32
