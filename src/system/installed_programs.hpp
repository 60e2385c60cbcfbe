#pragma once

#include "model/install_context.hpp"

#include <string>
#include <utility>
#include <vector>

namespace parcelkit::system {

// The installed-programs key of an installation, below HKEY_LOCAL_MACHINE.
std::wstring installedProgramsKey(const std::wstring& appid);

// The values of the entry, in the order in which they are written.
std::vector<std::pair<std::wstring, std::wstring>>
installedProgramsValues(const model::InstallContext& context);

// Writes the installation's entry in the system's list of installed programs. Without the
// rights to create the key nothing is written and nothing is said; an installation without
// an id has no entry. A value refused after the key was made raises base::Error.
void uninstall(model::InstallContext& context);

} // namespace parcelkit::system
