#pragma once

#include "uninstaller/removal_machine.hpp"

#include <string>

namespace parcelkit::uninstaller {

// Opens the log "/log" asks for: the path given, or "<id>-uninstall.log" in the temporary
// folder, the id read from the record beside the program. The refusal, when it cannot be
// written.
platform::Outcome startRemovalLog(RemovalMachine& machine, const std::wstring& program,
                                  const std::wstring& asked);

} // namespace parcelkit::uninstaller
