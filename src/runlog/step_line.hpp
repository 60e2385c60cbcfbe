#pragma once

#include "platform/outcome.hpp"
#include "platform/run_log.hpp"

#include <string>

namespace parcelkit::runlog {

// One step as the log shows it, fields apart by tabs: the component, what was done, to
// which path or key, and "done" or "failed" with the system's code and reason. Line
// breaks inside a field become " / ", so that every step stays one line.
std::wstring stepLine(const std::wstring& component, const std::wstring& action,
                      const std::wstring& object, const platform::Outcome& outcome);

// Writes the step when the log is open; the line is not formed otherwise, since most runs
// keep no log. A caller on a path taken once per file checks isOpen() before it puts the
// object's text together.
void logStep(platform::RunLog& log, const std::wstring& action, const std::wstring& object,
             const platform::Outcome& outcome);

// A text the run would show in a box, or shows: an error or a notice.
void logMessage(platform::RunLog& log, bool error, const std::wstring& text);

// The last line of every run.
void logExitCode(platform::RunLog& log, int exitCode);

} // namespace parcelkit::runlog
