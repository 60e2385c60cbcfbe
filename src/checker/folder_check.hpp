#pragma once

#include "checker/finding.hpp"
#include "checker/script_file.hpp"

namespace parcelkit::checker {

// Reads a setup folder as setup.exe would, for both OS families and every language
// section, and reports what it finds.
Findings checkFolder(const FolderAccess& folder);

} // namespace parcelkit::checker
