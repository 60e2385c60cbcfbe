#pragma once

#include "platform/file_removal.hpp"
#include "uninstaller/removal_machine.hpp"

namespace parcelkit::windows {

// The uninstaller's window: asks what to remove, removes it and shows the outcome.
// Returns the exit code.
int runUninstallerWindow(uninstaller::RemovalMachine& machine, platform::SelfRemoval& self);

} // namespace parcelkit::windows
