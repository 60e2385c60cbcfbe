#pragma once

#include "checker/check_context.hpp"

namespace parcelkit::checker {

// setup.ini: its [main] values, its programs and, without a language file, its [language]
// section. The file must exist.
void checkSetupScript(const CheckContext& context, const ScriptFile& setupini);

} // namespace parcelkit::checker
