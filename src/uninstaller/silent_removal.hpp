#pragma once

#include "platform/file_removal.hpp"
#include "uninstaller/removal_machine.hpp"

#include <string>
#include <vector>

namespace parcelkit::uninstaller {

// Exit codes of a run that asks nothing: the caller learns the outcome from them.
inline constexpr int kExitRemoved = 0;
inline constexpr int kExitLeftovers = 1603;     // something the record names is still there
inline constexpr int kExitRestartNeeded = 3010; // the usual code for "done at the restart"
inline constexpr int kExitCancelled = 1602;     // the user closed the window before removing

// The NAMEs of every component the record beside the program lists.
std::vector<std::wstring> installedComponentNames(platform::ProfileStore& profiles,
                                                  const std::wstring& program);

// Hands the program's own file and the directories that hold it to the self removal when
// the report asks for it; a refusal becomes a leftover.
void finishSelfRemoval(RemovalReport& report, platform::SelfRemoval& self);

// "/s": removes everything, with the related registry entries, and tells the outcome by
// the exit code.
int removeSilently(RemovalMachine& machine, platform::SelfRemoval& self);

int exitCodeFor(const RemovalReport& report);

} // namespace parcelkit::uninstaller
