#include "main/logged_win32_machine.hpp"
#include "main/setup_program.hpp"
#include "platform/platform.hpp"
#include "platform/win32/collation_win32.hpp"
#include "platform/win32/dll_search.hpp"
#include "platform/win32/file_bytes_win32.hpp"
#include "platform/win32/message_box_win32.hpp"
#include "platform/win32/run_lock_win32.hpp"
#include "platform/win32/shell_win32.hpp"
#include "platform/win32/shutdown_win32.hpp"
#include "platform/win32/version_info_win32.hpp"
#include "runlog/logged_machine.hpp"
#include "system/system_steps_impl.hpp"
#include "windows/setup_windows.hpp"

#include <windows.h>

#include <commctrl.h>

#include <ole2.h>

namespace {

// The folder dialog's new style needs OLE on the window thread.
class OleSession {
public:
    OleSession() : initialised_(SUCCEEDED(::OleInitialize(nullptr))) {}
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
    ~OleSession() {
        if (initialised_) {
            ::OleUninitialize();
        }
    }

private:
    bool initialised_;
};

void registerCommonControls() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_TREEVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES;
    ::InitCommonControlsEx(&controls);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    parcelkit::win32::hardenDllSearch();
    const OleSession ole;
    registerCommonControls();

    parcelkit::programs::LoggedWin32Machine machine;
    parcelkit::win32::Win32MessageBoxes boxes;
    parcelkit::win32::Win32VersionInfo versions;
    parcelkit::platform::Platform platform{machine.profiles, machine.files,     machine.system,
                                           machine.registry, machine.processes, boxes,
                                           versions,         machine.log};
    parcelkit::win32::Win32Collation collation;
    parcelkit::win32::Win32Shutdown shutdown;
    parcelkit::win32::Win32RunLocks locks;
    parcelkit::win32::Win32Shell systemShell;
    parcelkit::runlog::LoggedShell shell(systemShell, machine.log);
    parcelkit::win32::Win32FileBytes fileBytes;
    parcelkit::system::SystemStepsImpl systemSteps(shell, fileBytes);
    parcelkit::windows::Win32ProgramWindows windows;
    return parcelkit::programs::runSetup(platform, collation, shutdown, locks, systemSteps,
                                         windows);
}
