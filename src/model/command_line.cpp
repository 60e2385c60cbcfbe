#include "model/command_line.hpp"

#include "base/escapes.hpp"
#include "base/text.hpp"

#include <algorithm>

namespace parcelkit::model {

namespace {

// A quoted program path may hold slashes of its own ("C:/s/setup.exe" would otherwise
// read as the parameter "s"), so it is cut off whole; an unquoted one ends at the first
// slash, which keeps "setup/s" working.
std::wstring_view withoutQuotedProgram(std::wstring_view commandLine) {
    if (commandLine.empty() || commandLine[0] != L'"') {
        return commandLine;
    }
    const auto close = commandLine.find(L'"', 1);
    if (close == std::wstring_view::npos) {
        return {};
    }
    const auto rest = commandLine.substr(close + 1);
    const auto slash = rest.find(L'/');
    return slash == std::wstring_view::npos ? std::wstring_view() : rest.substr(slash);
}

constexpr std::size_t kLanguageIdPieceLength = 7; // "id:" and four hexadecimal digits

} // namespace

std::vector<std::wstring> splitParamlist(std::wstring_view commandLine) {
    std::vector<std::wstring> pieces;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        base::extstring(L"/", withoutQuotedProgram(commandLine), pieces);
        return pieces;
    }
    base::extstring(L"/", commandLine, pieces);
    // The first piece is the program's own path. A line that starts with a slash has no
    // such piece before it, but the system never hands out such a line.
    if (!pieces.empty()) {
        pieces.erase(pieces.begin());
    }
    return pieces;
}

std::optional<std::wstring> takeLanguageId(std::vector<std::wstring>& paramlist) {
    const auto found = std::find_if(paramlist.begin(), paramlist.end(), [](const auto& piece) {
        const std::wstring trimmed = base::trimBlanks(piece);
        return trimmed.size() == kLanguageIdPieceLength &&
               base::asciiLower(std::wstring_view(trimmed).substr(0, 3)) == L"id:";
    });
    if (found == paramlist.end()) {
        return std::nullopt;
    }
    std::wstring id = base::trimBlanks(*found).substr(3);
    paramlist.erase(found);
    return id;
}

bool isSilentParameter(std::wstring_view piece) {
    return base::asciiLower(base::trimBlanks(piece)) == L"s";
}

bool isUsageRequest(const std::vector<std::wstring>& arguments) {
    return arguments.size() > 1 && arguments[1] == L"/?";
}

bool startedWithArguments(const std::vector<std::wstring>& arguments) {
    return arguments.size() > 1;
}

CommandLine readCommandLine(std::wstring_view commandLine,
                            const std::vector<std::wstring>& arguments) {
    CommandLine result;
    result.usage = isUsageRequest(arguments);
    result.anyArgument = startedWithArguments(arguments);
    result.paramlist = splitParamlist(commandLine);
    result.languageId = takeLanguageId(result.paramlist);
    result.silent = std::any_of(result.paramlist.begin(), result.paramlist.end(),
                                [](const auto& piece) { return isSilentParameter(piece); });
    return result;
}

} // namespace parcelkit::model
