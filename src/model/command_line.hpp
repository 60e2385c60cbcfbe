#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace parcelkit::model {

// What the command line asks for.
struct CommandLine {
    // The pieces between the slashes after the program's own path, untrimmed; the first
    // "id:" piece is taken out.
    std::vector<std::wstring> paramlist;
    std::optional<std::wstring> languageId; // the four characters after "id:", as typed
    bool usage = false;                     // "/?" as the first argument
    bool silent = false;                    // a piece "s"
    bool anyArgument = false;               // at least one argument after the program
};

// The whole command line split at every "/", empty pieces dropped, without the program's
// own path.
std::vector<std::wstring> splitParamlist(std::wstring_view commandLine);

// Takes the first piece whose trimmed text is "id:" (any case) and four characters out of
// paramlist and returns those four characters.
std::optional<std::wstring> takeLanguageId(std::vector<std::wstring>& paramlist);

// A piece that asks for an installation without questions: "s" in either case.
bool isSilentParameter(std::wstring_view piece);

// "/?" counts only as the first argument, written exactly so.
bool isUsageRequest(const std::vector<std::wstring>& arguments);

// Started with arguments (program first in the list): such a run is unattended. It asks
// none of the questions that would stop it, shows no not-found box, and runs only the
// programs marked "always". The one test of it for every step that depends on it.
bool startedWithArguments(const std::vector<std::wstring>& arguments);

// All of the above from the command line and its argument list (program first).
CommandLine readCommandLine(std::wstring_view commandLine,
                            const std::vector<std::wstring>& arguments);

} // namespace parcelkit::model
