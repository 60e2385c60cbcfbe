#pragma once

#include "platform/file_system.hpp"
#include "platform/message_box.hpp"
#include "platform/process.hpp"
#include "platform/profile.hpp"
#include "platform/registry.hpp"
#include "platform/run_log.hpp"
#include "platform/system_info.hpp"
#include "platform/version_info.hpp"

namespace parcelkit::platform {

// Everything through which the portable code reaches the machine.
struct Platform {
    ProfileStore& profiles;
    FileSystem& files;
    SystemInfo& system;
    Registry& registry;
    Processes& processes;
    MessageBoxes& boxes;
    VersionInfo& versions;
    RunLog& log = RunLog::none();
};

} // namespace parcelkit::platform
