#pragma once

#include "checker/check_context.hpp"

namespace parcelkit::checker {

// One language section: page titles the wizard could mix up, the installed-programs
// values left empty, the readme it names. file is language.ini, or setup.ini whose
// [language] section stands in for it.
void checkLanguageSection(const CheckContext& context, const ScriptFile& file,
                          const std::wstring& section, bool setupMode);

} // namespace parcelkit::checker
