#pragma once

#include "model/install_context.hpp"

#include <string>

namespace parcelkit::engine {

// Prefix of the stand-in copies that wait in the temporary directory for the restart.
inline constexpr wchar_t kStandInPrefix[] = L"$$$";

// For a target that could not be overwritten (typically a program in use): copies the
// source to a stand-in file in the temporary directory and has it moved onto the target at
// the next restart, by the system on the NT family and through wininit.ini [rename] on the
// 9x family. Sets needreboot. False when the replacement could not be arranged; throws
// base::Error when wininit.ini cannot be written.
bool replaceAtRestart(model::InstallContext& context, const std::wstring& source,
                      const std::wstring& target);

} // namespace parcelkit::engine
