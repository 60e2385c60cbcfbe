#include "platform/win32/shutdown_win32.hpp"

#include "platform/win32/error_text.hpp"
#include "platform/win32/handles.hpp"

#include <windows.h>

namespace parcelkit::win32 {

namespace {

// The system calls take no name for this computer.
const wchar_t* machineOrNull(const std::wstring& machine) {
    return machine.empty() ? nullptr : machine.c_str();
}

} // namespace

bool Win32Shutdown::nineFamily() const {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return (::GetVersion() & 0x80000000u) != 0;
#pragma GCC diagnostic pop
}

platform::Outcome Win32Shutdown::exitWindows(unsigned flags) {
    return outcomeOf(::ExitWindowsEx(flags, 0));
}

platform::Outcome Win32Shutdown::enablePrivilege(const std::wstring& machine,
                                                 const std::wstring& privilege) {
    UniqueHandleObject token;
    ::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.put());
    LUID luid{};
    if (!::LookupPrivilegeValueW(machineOrNull(machine), privilege.c_str(), &luid)) {
        return lastFailure();
    }
    if (token) {
        TOKEN_PRIVILEGES wanted{};
        wanted.PrivilegeCount = 1;
        wanted.Privileges[0].Luid = luid;
        wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        // Without the privilege this changes nothing; the shutdown request then fails.
        ::AdjustTokenPrivileges(token.get(), FALSE, &wanted, 0, nullptr, nullptr);
    }
    return {};
}

platform::Outcome Win32Shutdown::initiateShutdown(const std::wstring& machine, bool force,
                                                  bool restart) {
    std::wstring name = machine;
    return outcomeOf(::InitiateSystemShutdownW(name.empty() ? nullptr : name.data(), nullptr, 0,
                                               force ? TRUE : FALSE, restart ? TRUE : FALSE));
}

} // namespace parcelkit::win32
