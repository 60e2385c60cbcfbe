#pragma once

#include "platform/file_removal.hpp"

#include <string>
#include <vector>

namespace parcelkit::win32 {

// A copy of the uninstaller in the temporary directory waits for the original to end,
// deletes it and removes the directories; the copy itself goes at the next restart.
class Win32SelfRemoval : public platform::SelfRemoval {
public:
    std::wstring programPath() const override;
    platform::Outcome removeAfterExit(const std::vector<std::wstring>& directories) override;
};

// The copy's command line starts with this switch.
inline constexpr wchar_t kCleanupSwitch[] = L"/cleanup";

// The copy's work: arguments are the switch, the original's process handle, the
// original's path and the directories. Returns the exit code.
int runCleanup(const std::vector<std::wstring>& arguments);

} // namespace parcelkit::win32
