#pragma once

#include "checker/finding.hpp"

#include <string>
#include <vector>

namespace parcelkit::checker {

// A line of a registry file that the registry editor rejects or reads otherwise than
// written; line counts from 1.
struct RegistryProblem {
    std::size_t line = 0;
    Severity severity = Severity::Error;
    std::string id;
    std::wstring text;
};

// The registry editor's reading of a file's lines, as setup.exe hands them over (macros
// expanded, tags decoded): the header, key lines, value lines and their continuations.
std::vector<RegistryProblem> registrySyntaxProblems(const std::vector<std::wstring>& lines);

} // namespace parcelkit::checker
