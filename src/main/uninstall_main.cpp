#include "base/text.hpp"
#include "main/logged_win32_machine.hpp"
#include "model/command_line.hpp"
#include "platform/win32/dll_search.hpp"
#include "platform/win32/file_bytes_win32.hpp"
#include "platform/win32/file_removal_win32.hpp"
#include "platform/win32/self_removal_win32.hpp"
#include "runlog/step_line.hpp"
#include "uninstaller/removal_log.hpp"
#include "uninstaller/silent_removal.hpp"
#include "windows/uninstaller_window.hpp"

#include <windows.h>

namespace {

// A process's current directory cannot be removed while it runs.
void leaveTheInstallationDirectory() {
    wchar_t temp[MAX_PATH + 1] = {};
    if (::GetTempPathW(DWORD(std::size(temp)), temp) != 0) {
        ::SetCurrentDirectoryW(temp);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    parcelkit::win32::hardenDllSearch();
    const auto arguments = parcelkit::win32::Win32SystemInfo().arguments();
    if (arguments.size() > 1 &&
        parcelkit::base::equalsIgnoreCase(arguments[1], parcelkit::win32::kCleanupSwitch)) {
        return parcelkit::win32::runCleanup(arguments);
    }
    leaveTheInstallationDirectory();

    parcelkit::programs::LoggedWin32Machine logged;
    parcelkit::win32::Win32FileRemoval systemRemoval;
    parcelkit::runlog::LoggedFileRemoval removal(systemRemoval, logged.log);
    parcelkit::win32::Win32FileBytes bytes;
    parcelkit::win32::Win32SelfRemoval self;
    parcelkit::uninstaller::RemovalMachine machine{
        logged.profiles, logged.files,     removal,       bytes,
        logged.registry, logged.processes, logged.system, logged.log};

    const auto line = parcelkit::model::readCommandLine(logged.system.commandLine(), arguments);
    if (const auto& asked = line.deployment.logFile;
        asked && !parcelkit::uninstaller::startRemovalLog(machine, self.programPath(), *asked)) {
        return parcelkit::uninstaller::kExitLeftovers;
    }
    const int code = line.silent ? parcelkit::uninstaller::removeSilently(machine, self)
                                 : parcelkit::windows::runUninstallerWindow(machine, self);
    parcelkit::runlog::logExitCode(logged.log, code);
    return code;
}
