#pragma once

#include "model/install_context.hpp"

#include <string>
#include <vector>

namespace parcelkit::engine {

// Installs the files of one file section of a component: for each entry the matching files
// of the component folder are copied into the entry's target directory as its overwrite
// mode allows, recorded for the uninstaller and, as their registration flag asks,
// registered with regsvr32.exe once the section's last entry is copied. A target in use is
// replaced at the next restart. The component file itself and the names on skiplist are
// never copied; the component file's name is added to skiplist. name is the component's
// NAME, componentDir its folder.
//
// Throws MalformedEntry for an entry without a source or a target directory, and
// base::Error when the uninstall record or wininit.ini cannot be written; what was
// installed and recorded before stays.
void filecopy(model::InstallContext& context, const std::vector<std::wstring>& lines,
              std::vector<std::wstring>& skiplist, const std::wstring& name,
              const std::wstring& componentDir);

} // namespace parcelkit::engine
