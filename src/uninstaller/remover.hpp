#pragma once

#include "script/profile_document.hpp"
#include "uninstaller/removal_context.hpp"

#include <string>
#include <vector>

namespace parcelkit::uninstaller {

// The record beside the running uninstaller.
std::wstring recordPathFor(const std::wstring& program);
// That record read whole, once (empty when it cannot be read): a lookup per key through
// the system's profile functions would read the file again for each.
script::ProfileDocument recordOf(platform::ProfileStore& profiles, const std::wstring& program);

// Removes the chosen components (NAMEs of [list]; others are ignored) of the installation
// whose uninstaller is program. When none stays, the installation itself goes as well:
// the [uninstall_run] programs, the readme, the remaining directories, unreg.reg, the
// installed-programs entry and the record; the program's own file and the directories
// that hold it are left for after the program has ended (see the report).
RemovalReport removeInstallation(RemovalMachine& machine, const std::wstring& program,
                                 const std::vector<std::wstring>& chosen,
                                 const RemovalOptions& options, const StatusLine& status = {});

} // namespace parcelkit::uninstaller
