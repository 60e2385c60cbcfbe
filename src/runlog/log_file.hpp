#pragma once

#include "platform/run_log.hpp"

#include <string>

namespace parcelkit::runlog {

// Where a run asked for a log writes it: the path given, or, for "/log" alone, a file in
// the temporary folder named after the setup's id and the program ("<id>-setup.log"), so
// that an administrator finds it without having named it.
std::wstring logFilePath(const std::wstring& asked, const std::wstring& tempDirectory,
                         const std::wstring& id, const std::wstring& program);

// Opens the log and writes its first line, the command line the run was started with.
platform::Outcome startLog(platform::RunLog& log, const std::wstring& path,
                           const std::wstring& commandLine);

} // namespace parcelkit::runlog
