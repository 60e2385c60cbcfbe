#pragma once

#include "platform/win32/file_system_win32.hpp"
#include "platform/win32/process_win32.hpp"
#include "platform/win32/profile_win32.hpp"
#include "platform/win32/registry_win32.hpp"
#include "platform/win32/run_log_win32.hpp"
#include "platform/win32/system_info_win32.hpp"
#include "runlog/logged_machine.hpp"

namespace parcelkit::programs {

// The Win32 machine both programs change it through: every change is written to the log
// once the command line has asked for one.
struct LoggedWin32Machine {
    win32::Win32RunLog log;
    win32::Win32SystemInfo system;
    win32::Win32ProfileStore systemProfiles;
    runlog::LoggedProfileStore profiles{systemProfiles, log};
    win32::Win32FileSystem systemFiles;
    runlog::LoggedFileSystem files{systemFiles, log};
    win32::Win32Registry systemRegistry;
    runlog::LoggedRegistry registry{systemRegistry, log};
    win32::Win32Processes systemProcesses;
    runlog::LoggedProcesses processes{systemProcesses, log};
};

} // namespace parcelkit::programs
