#pragma once

#include "checker/check_context.hpp"

#include <string>

namespace parcelkit::checker {

// A registry file that a component names: for import (reg) or for the uninstaller's
// collected undo file (unreg).
void checkRegistryFile(const CheckContext& context, const std::wstring& path, bool undo);

} // namespace parcelkit::checker
