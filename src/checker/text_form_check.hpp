#pragma once

#include "checker/check_context.hpp"

namespace parcelkit::checker {

// What kind of file: the profile functions read only UTF-16 LE with its mark as Unicode,
// the registry editor also UTF-8 with its mark.
enum class TextKind { Profile, RegistryFile };

// The file's encoding and line ends.
void checkTextForm(const CheckContext& context, const ScriptFile& file, TextKind kind);

// Keys and sections written twice, and values longer than a lookup returns.
void checkProfileLayout(const CheckContext& context, const ScriptFile& file);

} // namespace parcelkit::checker
