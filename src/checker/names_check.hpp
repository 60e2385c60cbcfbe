#pragma once

#include "checker/check_context.hpp"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace parcelkit::checker {

// What setup.exe reads of one section: nullopt for a section it never reads; an empty
// list for a list section, whose keys are entries; else the keys it reads.
using SectionKeys = std::function<std::optional<std::vector<std::wstring>>(const std::wstring&)>;

// Sections and keys that setup.exe never reads, each with the nearest known name.
// knownSections serves the suggestions for an unknown section.
void checkNames(const CheckContext& context, const ScriptFile& file, const SectionKeys& keysOf,
                const std::vector<std::wstring>& knownSections);

} // namespace parcelkit::checker
