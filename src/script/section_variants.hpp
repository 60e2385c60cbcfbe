#pragma once

#include "script/os_family.hpp"

#include <string>
#include <vector>

namespace parcelkit::script {

// The kinds of entries that come in section variants by OS family and language.
enum class EntryKind { Programs, UninstallPrograms, Directories, Files, Shortcuts, SystemIni };

// The literal section name that stands for "no language file in use".
inline constexpr wchar_t kNoLanguageSection[] = L"language";

// A language variant is consulted only when a language section is in use.
bool languageInUse(const std::wstring& langsection);

// Section names of a kind in the order they are processed: base, OS-family variant,
// language variant, OS-family-and-language variant (those that the kind has).
std::vector<std::wstring> sectionVariants(EntryKind kind, OsFamily ostype,
                                          const std::wstring& langsection);

// The detection section: the language one replaces the base one when it exists.
std::wstring detectionSection(bool languageSectionExists, const std::wstring& langsection);

// Registry-file keys ("reg" or "unreg") and their OS-family variant, in reading order.
std::vector<std::wstring> registryKeys(const std::wstring& base, OsFamily ostype);

} // namespace parcelkit::script
