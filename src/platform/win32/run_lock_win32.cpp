#include "platform/win32/run_lock_win32.hpp"

#include <windows.h>

#include <algorithm>

namespace parcelkit::win32 {

bool Win32RunLocks::acquire(const std::wstring& name) {
    // A backslash would name a namespace.
    std::wstring local = name;
    std::replace(local.begin(), local.end(), L'\\', L'_');
    const std::wstring global = L"Global\\" + local;
    UniqueHandleObject mutex(::CreateMutexW(nullptr, FALSE, global.c_str()));
    if (!mutex) {
        // Systems without namespaces (the 9x family) refuse the prefix.
        mutex.reset(::CreateMutexW(nullptr, FALSE, local.c_str()));
    }
    if (!mutex) {
        return true; // no lock to be had: the run goes on as it always did
    }
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        return false;
    }
    held_.push_back(std::move(mutex));
    return true;
}

} // namespace parcelkit::win32
