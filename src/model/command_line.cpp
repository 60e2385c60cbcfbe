#include "model/command_line.hpp"

#include "base/text.hpp"

#include <algorithm>

namespace parcelkit::model {

namespace {

bool isBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

// The pieces of text between slashes outside quotes, quotes dropped, empty pieces left out.
std::vector<std::wstring> splitOutsideQuotes(std::wstring_view text) {
    std::vector<std::wstring> pieces;
    std::wstring piece;
    bool quoted = false;
    bool quoteOpenedArgument = false; // the last character was a quote that began an argument
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'"') {
            quoteOpenedArgument = !quoted && (i == 0 || isBlank(text[i - 1]));
            quoted = !quoted;
            continue;
        }
        if (c == L'/' && (!quoted || quoteOpenedArgument)) {
            if (!piece.empty()) {
                pieces.push_back(std::move(piece));
            }
            piece.clear();
        } else {
            piece += c;
        }
        quoteOpenedArgument = false;
    }
    if (!piece.empty()) {
        pieces.push_back(std::move(piece));
    }
    return pieces;
}

constexpr std::size_t kLanguageIdPieceLength = 7; // "id:" and four hexadecimal digits

// The value of a piece "name:value" (any case in the name), trimmed; nullopt for another.
std::optional<std::wstring> valueOf(std::wstring_view name, const std::wstring& trimmed) {
    if (trimmed.size() <= name.size() ||
        base::asciiLower(std::wstring_view(trimmed).substr(0, name.size())) != name) {
        return std::nullopt;
    }
    return base::trimBlanks(trimmed.substr(name.size()));
}

bool takeSwitch(DeploymentSwitches& switches, const std::wstring& piece) {
    const std::wstring trimmed = base::trimBlanks(piece);
    if (base::asciiLower(trimmed) == L"log") {
        switches.logFile = L"";
    } else if (auto log = valueOf(L"log:", trimmed)) {
        switches.logFile = std::move(log);
    } else if (auto dir = valueOf(L"dir:", trimmed)) {
        switches.destination = std::move(dir);
    } else if (auto list = valueOf(L"components:", trimmed)) {
        switches.components = std::move(list);
    } else {
        return false;
    }
    return true;
}

// Text between the program's own path and the first switch, as "x" in "setup.exe x /log":
// an argument that is no switch.
bool textBeforeFirstSwitch(std::wstring_view commandLine) {
    std::wstring_view rest;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        const auto close = commandLine.find(L'"', 1);
        if (close == std::wstring_view::npos) {
            return false;
        }
        rest = commandLine.substr(close + 1);
    } else {
        const auto blank = commandLine.find_first_of(L" \t");
        if (blank == std::wstring_view::npos || commandLine.find(L'/') < blank) {
            return false;
        }
        rest = commandLine.substr(blank);
    }
    return !base::trimBlanks(rest.substr(0, rest.find_first_of(L"/\""))).empty();
}

} // namespace

std::vector<std::wstring> splitParamlist(std::wstring_view commandLine) {
    if (commandLine.empty() || commandLine[0] != L'"') {
        // The first piece is the program's own path. A line that starts with a slash has
        // no such piece before it, but the system never hands out such a line.
        auto pieces = splitOutsideQuotes(commandLine);
        if (!pieces.empty()) {
            pieces.erase(pieces.begin());
        }
        return pieces;
    }
    // A quoted program path may hold slashes of its own ("C:/s/setup.exe" would otherwise
    // read as the parameter "s"), so it is cut off whole; what follows it up to the first
    // slash is not a parameter either.
    const auto close = commandLine.find(L'"', 1);
    if (close == std::wstring_view::npos) {
        return {};
    }
    const auto rest = commandLine.substr(close + 1);
    const auto start = rest.find_first_of(L"/\"");
    return start == std::wstring_view::npos ? std::vector<std::wstring>{}
                                            : splitOutsideQuotes(rest.substr(start));
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

DeploymentSwitches takeDeploymentSwitches(std::vector<std::wstring>& paramlist) {
    DeploymentSwitches switches;
    std::erase_if(paramlist, [&](const auto& piece) { return takeSwitch(switches, piece); });
    return switches;
}

bool isSilentParameter(std::wstring_view piece) {
    return base::asciiLower(base::trimBlanks(piece)) == L"s";
}

bool isUsageRequest(const std::vector<std::wstring>& arguments) {
    return arguments.size() > 1 && arguments[1] == L"/?";
}

CommandLine readCommandLine(std::wstring_view commandLine,
                            const std::vector<std::wstring>& arguments) {
    CommandLine result;
    result.usage = isUsageRequest(arguments);
    result.paramlist = splitParamlist(commandLine);
    const std::size_t pieces = result.paramlist.size();
    result.deployment = takeDeploymentSwitches(result.paramlist);
    const bool onlyDeploymentSwitches =
        pieces > 0 && result.paramlist.empty() && !textBeforeFirstSwitch(commandLine);
    result.anyArgument = arguments.size() > 1 && !onlyDeploymentSwitches;
    result.languageId = takeLanguageId(result.paramlist);
    result.silent = std::any_of(result.paramlist.begin(), result.paramlist.end(),
                                [](const auto& piece) { return isSilentParameter(piece); });
    return result;
}

bool startedWithArguments(const platform::SystemInfo& system) {
    return readCommandLine(system.commandLine(), system.arguments()).anyArgument;
}

} // namespace parcelkit::model
