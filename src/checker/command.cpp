#include "checker/command.hpp"

namespace parcelkit::checker {

std::optional<CheckCommand> readCheckCommand(const std::vector<std::wstring>& arguments) {
    CheckCommand command;
    bool haveFolder = false;
    for (const auto& argument : arguments) {
        if (argument == L"--json") {
            command.json = true;
        } else if (!argument.empty() && argument[0] != L'-' && !haveFolder) {
            command.folder = argument;
            haveFolder = true;
        } else {
            return std::nullopt;
        }
    }
    if (!haveFolder) {
        return std::nullopt;
    }
    return command;
}

} // namespace parcelkit::checker
