#pragma once

#include "checker/check_context.hpp"

#include <string>

namespace parcelkit::checker {

// Each reads the entries of one list section with setup.exe's own reading code and
// reports what setup.exe would refuse, skip, or do otherwise than it looks.
void checkRunEntries(const CheckContext& context, const ScriptFile& file,
                     const std::wstring& section);
void checkFileEntries(const CheckContext& context, const ScriptFile& file,
                      const std::wstring& section, const std::wstring& componentFolder);
void checkDirectoryEntries(const CheckContext& context, const ScriptFile& file,
                           const std::wstring& section);
void checkShortcutEntries(const CheckContext& context, const ScriptFile& file,
                          const std::wstring& section);

// The longest path Windows programs of this kind can open: MAX_PATH less the final NUL.
inline constexpr std::size_t kLongestPath = 259;

} // namespace parcelkit::checker
