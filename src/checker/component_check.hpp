#pragma once

#include "checker/check_context.hpp"

#include <string>

namespace parcelkit::checker {

// One component file and what it names: its [main] values, every list section in every
// OS-family and language variant, the detection sections and the registry files.
void checkComponent(const CheckContext& context, const std::wstring& folder,
                    const std::wstring& ininame);

} // namespace parcelkit::checker
