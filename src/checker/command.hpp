#pragma once

#include <optional>
#include <string>
#include <vector>

namespace parcelkit::checker {

// The checker's command line: parcelkit-check [--json] SETUP-FOLDER.
struct CheckCommand {
    std::wstring folder;
    bool json = false;
};

// nullopt for anything else: the caller prints the usage.
std::optional<CheckCommand> readCheckCommand(const std::vector<std::wstring>& arguments);

inline constexpr char kCheckUsage[] =
    "usage: parcelkit-check [--json] SETUP-FOLDER\n"
    "Reads a setup folder as setup.exe would and reports each finding as\n"
    "FILE:LINE: error|warning: text. Exit code: 0 clean, 1 warnings only, 2 errors,\n"
    "3 when the folder cannot be checked.\n";

// The exit code when the folder cannot be checked at all.
inline constexpr int kCannotCheck = 3;

} // namespace parcelkit::checker
