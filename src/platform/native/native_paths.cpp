#include "platform/native/native_paths.hpp"

#include "base/text_encoding.hpp"

#include <cwctype>
#include <system_error>

namespace parcelkit::native {

namespace {

namespace fs = std::filesystem;

wchar_t folded(wchar_t c) {
    return wchar_t(std::towupper(std::wint_t(c)));
}

bool sameName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (folded(a[i]) != folded(b[i])) {
            return false;
        }
    }
    return true;
}

fs::path toNative(std::wstring_view text) {
    return fs::path(base::toUtf8(text));
}

// The step's own spelling when it exists as written, else a sibling whose name differs
// only in case.
std::optional<fs::path> findStep(const fs::path& parent, std::wstring_view step) {
    std::error_code error;
    const fs::path exact = parent / toNative(step);
    if (fs::exists(fs::symlink_status(exact, error))) {
        return exact;
    }
    const fs::path searched = parent.empty() ? fs::path(".") : parent;
    for (fs::directory_iterator it(searched, error), end; !error && it != end;
         it.increment(error)) {
        if (sameName(fromNative(it->path().filename()), step)) {
            return parent / it->path().filename();
        }
    }
    return std::nullopt;
}

} // namespace

std::wstring fromNative(const fs::path& path) {
    return base::decodeMarkedText("\xEF\xBB\xBF" + path.string()).value_or(L"");
}

std::optional<fs::path> existingPath(std::wstring_view windowsPath) {
    fs::path result;
    std::size_t start = 0;
    if (!windowsPath.empty() && (windowsPath[0] == L'\\' || windowsPath[0] == L'/')) {
        result = "/";
        start = 1;
    }
    while (start <= windowsPath.size()) {
        auto end = windowsPath.find_first_of(L"\\/", start);
        if (end == std::wstring_view::npos) {
            end = windowsPath.size();
        }
        const std::wstring_view step = windowsPath.substr(start, end - start);
        start = end + 1;
        if (step.empty() || step == L".") {
            continue;
        }
        if (step == L"..") {
            result /= "..";
            continue;
        }
        auto found = findStep(result, step);
        if (!found) {
            return std::nullopt;
        }
        result = std::move(*found);
    }
    if (result.empty()) {
        result = ".";
    }
    return result;
}

bool matchesPattern(std::wstring_view name, std::wstring_view pattern) {
    if (pattern == L"*.*") {
        pattern = L"*";
    }
    // Greedy match with one point to come back to after the last "*".
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t star = std::wstring_view::npos;
    std::size_t resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == L'?' || folded(pattern[p]) == folded(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == L'*') {
            star = p++;
            resume = n;
        } else if (star != std::wstring_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') {
        ++p;
    }
    return p == pattern.size();
}

} // namespace parcelkit::native
