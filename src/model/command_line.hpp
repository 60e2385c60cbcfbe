#pragma once

#include "platform/system_info.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace parcelkit::model {

// The switches deployment tools add. They are taken out of paramlist and do not make a run
// one "started with arguments": a run with only these behaves like a run without them.
struct DeploymentSwitches {
    // "log": the log's path; empty for "/log" alone (a file in the temporary folder).
    std::optional<std::wstring> logFile;
    std::optional<std::wstring> destination; // "dir:"
    std::optional<std::wstring> components;  // "components:", the list as typed
};

// What the command line asks for.
struct CommandLine {
    // The pieces between the slashes after the program's own path, untrimmed; the first
    // "id:" piece and the deployment switches are taken out.
    std::vector<std::wstring> paramlist;
    std::optional<std::wstring> languageId; // the four characters after "id:", as typed
    DeploymentSwitches deployment;
    bool usage = false;       // "/?" as the first argument
    bool silent = false;      // a piece "s"
    bool anyArgument = false; // started with arguments, deployment switches aside
};

// The command line split at every "/", empty pieces dropped, without the program's own
// path. Double quotes are dropped and a "/" between them belongs to the piece, so that
// /log:"C:\a b/x.log" and "/log:C:\a b/x.log" read alike; a quote that opens an argument
// does not hide the slash right after it.
std::vector<std::wstring> splitParamlist(std::wstring_view commandLine);

// Takes the first piece whose trimmed text is "id:" (any case) and four characters out of
// paramlist and returns those four characters.
std::optional<std::wstring> takeLanguageId(std::vector<std::wstring>& paramlist);

// Takes every "log", "log:", "dir:" and "components:" piece (any case) out of paramlist;
// a later one of the same name wins. Values are trimmed of blanks.
DeploymentSwitches takeDeploymentSwitches(std::vector<std::wstring>& paramlist);

// A piece that asks for an installation without questions: "s" in either case.
bool isSilentParameter(std::wstring_view piece);

// "/?" counts only as the first argument, written exactly so.
bool isUsageRequest(const std::vector<std::wstring>& arguments);

// All of the above from the command line and its argument list (program first).
CommandLine readCommandLine(std::wstring_view commandLine,
                            const std::vector<std::wstring>& arguments);

// Started with arguments: such a run is unattended. It asks none of the questions that
// would stop it, shows no not-found box, and runs only the programs marked "always". The
// one test of it for every step that depends on it.
bool startedWithArguments(const platform::SystemInfo& system);

} // namespace parcelkit::model
