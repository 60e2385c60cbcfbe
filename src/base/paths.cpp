#include "base/paths.hpp"

#include "base/text.hpp"

#include <algorithm>
#include <vector>

namespace parcelkit::base {

namespace {

bool isDriveLetter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

std::vector<std::wstring> stepsOf(std::wstring_view path) {
    std::vector<std::wstring> steps;
    std::size_t start = 0;
    while (start <= path.size()) {
        const auto end = std::min(path.find(L'\\', start), path.size());
        steps.emplace_back(path.substr(start, end - start));
        start = end + 1;
    }
    return steps;
}

bool isPlainStep(const std::wstring& step) {
    if (step.empty() || step == L"." || step == L"..") {
        return false;
    }
    // ":" would name an alternate stream, "/" another separator; the rest are not
    // allowed in names and only a hand-made record would hold them.
    return step.find_first_of(L"*?:/\"<>|") == std::wstring::npos &&
           std::none_of(step.begin(), step.end(), [](wchar_t c) { return c < 0x20; });
}

} // namespace

std::wstring withoutOneTrailingBackslash(std::wstring path) {
    if (!path.empty() && path.back() == L'\\') {
        path.pop_back();
    }
    return path;
}

std::wstring withoutTrailingBackslashes(std::wstring_view path) {
    while (!path.empty() && path.back() == L'\\') {
        path.remove_suffix(1);
    }
    return std::wstring(path);
}

bool isRemovablePath(std::wstring_view path) {
    const std::wstring trimmed = withoutTrailingBackslashes(path);
    std::vector<std::wstring> steps;
    if (trimmed.size() >= 3 && isDriveLetter(trimmed[0]) && trimmed[1] == L':' &&
        trimmed[2] == L'\\') {
        steps = stepsOf(std::wstring_view(trimmed).substr(3));
    } else if (trimmed.size() > 2 && trimmed.compare(0, 2, L"\\\\") == 0) {
        steps = stepsOf(std::wstring_view(trimmed).substr(2));
        // Server and share are the root of a network path.
        if (steps.size() < 3) {
            return false;
        }
    } else {
        return false;
    }
    return std::all_of(steps.begin(), steps.end(), isPlainStep);
}

std::size_t depthOf(std::wstring_view path) {
    const std::wstring trimmed = withoutTrailingBackslashes(path);
    return std::size_t(std::count(trimmed.begin(), trimmed.end(), L'\\'));
}

bool isWithin(std::wstring_view path, std::wstring_view directory) {
    const std::wstring inner = withoutTrailingBackslashes(path);
    const std::wstring outer = withoutTrailingBackslashes(directory);
    if (outer.empty() || inner.size() < outer.size() ||
        !base::equalsIgnoreCase(std::wstring_view(inner).substr(0, outer.size()), outer)) {
        return false;
    }
    return inner.size() == outer.size() || inner[outer.size()] == L'\\';
}

std::wstring parentOf(std::wstring_view path) {
    const std::wstring trimmed = withoutTrailingBackslashes(path);
    const auto slash = trimmed.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : trimmed.substr(0, slash);
}

bool isFullPath(std::wstring_view path) {
    const bool drive =
        path.size() >= 3 &&
        ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z')) &&
        path[1] == L':' && path[2] == L'\\';
    return drive || (path.size() > 2 && path.starts_with(L"\\\\") && path[2] != L'\\');
}

} // namespace parcelkit::base
