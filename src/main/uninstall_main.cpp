#include "base/text.hpp"
#include "platform/win32/dll_search.hpp"
#include "platform/win32/file_bytes_win32.hpp"
#include "platform/win32/file_removal_win32.hpp"
#include "platform/win32/file_system_win32.hpp"
#include "platform/win32/process_win32.hpp"
#include "platform/win32/profile_win32.hpp"
#include "platform/win32/registry_win32.hpp"
#include "platform/win32/self_removal_win32.hpp"
#include "platform/win32/system_info_win32.hpp"
#include "uninstaller/silent_removal.hpp"
#include "windows/uninstaller_window.hpp"

#include <windows.h>

#include <algorithm>

namespace {

// A process's current directory cannot be removed while it runs.
void leaveTheInstallationDirectory() {
    wchar_t temp[MAX_PATH + 1] = {};
    if (::GetTempPathW(DWORD(std::size(temp)), temp) != 0) {
        ::SetCurrentDirectoryW(temp);
    }
}

bool hasSwitch(const std::vector<std::wstring>& arguments, const wchar_t* name) {
    return std::any_of(arguments.begin() + (arguments.empty() ? 0 : 1), arguments.end(),
                       [&](const auto& a) { return parcelkit::base::equalsIgnoreCase(a, name); });
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    parcelkit::win32::hardenDllSearch();
    parcelkit::win32::Win32SystemInfo system;
    const auto arguments = system.arguments();
    if (arguments.size() > 1 &&
        parcelkit::base::equalsIgnoreCase(arguments[1], parcelkit::win32::kCleanupSwitch)) {
        return parcelkit::win32::runCleanup(arguments);
    }
    leaveTheInstallationDirectory();

    parcelkit::win32::Win32ProfileStore profiles;
    parcelkit::win32::Win32FileSystem files;
    parcelkit::win32::Win32FileRemoval removal;
    parcelkit::win32::Win32FileBytes bytes;
    parcelkit::win32::Win32Registry registry;
    parcelkit::win32::Win32Processes processes;
    parcelkit::win32::Win32SelfRemoval self;
    parcelkit::uninstaller::RemovalMachine machine{profiles, files,     removal, bytes,
                                                   registry, processes, system};
    if (hasSwitch(arguments, L"/s")) {
        return parcelkit::uninstaller::removeSilently(machine, self);
    }
    return parcelkit::windows::runUninstallerWindow(machine, self);
}
