#pragma once

#include "checker/finding.hpp"

#include <string>

namespace parcelkit::checker {

// One line per finding, "FILE:LINE: error|warning: text", then the summary line; UTF-8.
std::string textReport(const Findings& findings);
// The findings and the counts as a JSON document for tools; UTF-8.
std::string jsonReport(const Findings& findings);
// 0 clean, 1 warnings only, 2 errors.
int exitCode(const Findings& findings);

} // namespace parcelkit::checker
