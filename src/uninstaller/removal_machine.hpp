#pragma once

#include "platform/file_bytes.hpp"
#include "platform/file_removal.hpp"
#include "platform/file_system.hpp"
#include "platform/process.hpp"
#include "platform/profile.hpp"
#include "platform/registry.hpp"
#include "platform/run_log.hpp"
#include "platform/system_info.hpp"

#include <string>
#include <vector>

namespace parcelkit::uninstaller {

// Everything through which the removal reaches the machine.
struct RemovalMachine {
    platform::ProfileStore& profiles;
    platform::FileSystem& files;
    platform::FileRemoval& removal;
    platform::FileBytes& bytes;
    platform::Registry& registry;
    platform::Processes& processes;
    platform::SystemInfo& system;
    platform::RunLog& log = platform::RunLog::none();
};

struct RemovalOptions {
    bool silent = false;         // "/s": only the programs marked "always" run
    bool registryEntries = true; // apply the components' blocks of unreg.reg
};

// Something the record names that is still there, and why.
struct Leftover {
    std::wstring object;
    std::wstring reason;
};

struct RemovalReport {
    std::vector<std::wstring> removedComponents;
    std::vector<Leftover> leftovers;
    std::vector<std::wstring> atRestart; // deleted by the system at the next restart
    // Every component is gone and so is the record: the installation no longer exists.
    bool installationRemoved = false;
    // Left for after this program has ended: its own file, then these directories.
    bool removeProgramAfterExit = false;
    std::vector<std::wstring> directoriesAfterExit;

    bool restartNeeded() const { return !atRestart.empty(); }
};

} // namespace parcelkit::uninstaller
