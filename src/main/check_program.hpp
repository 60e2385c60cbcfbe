#pragma once

#include "platform/file_bytes.hpp"
#include "platform/file_system.hpp"
#include "platform/profile.hpp"

#include <functional>
#include <string>
#include <vector>

namespace parcelkit::programs {

// What parcelkit-check needs of the machine it runs on.
struct CheckMachine {
    const platform::FileSystem& files;
    const platform::FileBytes& bytes;
    platform::ProfileStore& profiles;
    // Makes the folder the current directory, as setup.exe runs in its setup folder.
    std::function<bool(const std::wstring&)> enterFolder;
};

// The whole run of parcelkit-check: reads the command line, checks the folder, writes the
// report to standard output (UTF-8) and returns the exit code.
int runCheck(const std::vector<std::wstring>& arguments, CheckMachine& machine);

} // namespace parcelkit::programs
