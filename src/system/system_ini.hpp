#pragma once

#include "model/install_context.hpp"

#include <string>
#include <vector>

namespace parcelkit::system {

// The system.ini of the Windows directory.
std::wstring systemIniPath(const model::Session& session);

// Writes the entries ("section,key=value") into system.ini, on the 9x family only, each
// recorded under the component name in the uninstall record's [system.ini] before it is
// applied. The value gets the path macros and then the escape tags decoded; the key side
// is used as written. An entry without a section or a key name is passed over.
void systemini(model::InstallContext& context, const std::vector<std::wstring>& entries,
               const std::wstring& name);

} // namespace parcelkit::system
