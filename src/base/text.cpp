#include "base/text.hpp"

namespace parcelkit::base {

wchar_t asciiLower(wchar_t c) {
    return (c >= L'A' && c <= L'Z') ? wchar_t(c - L'A' + L'a') : c;
}

static wchar_t asciiUpperChar(wchar_t c) {
    return (c >= L'a' && c <= L'z') ? wchar_t(c - L'a' + L'A') : c;
}

std::wstring asciiLower(std::wstring_view text) {
    std::wstring out(text);
    for (auto& c : out) {
        c = asciiLower(c);
    }
    return out;
}

std::wstring asciiUpper(std::wstring_view text) {
    std::wstring out(text);
    for (auto& c : out) {
        c = asciiUpperChar(c);
    }
    return out;
}

bool equalsIgnoreCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

namespace {

template <typename Equal>
std::wstring replaceEach(std::wstring_view text, std::wstring_view pattern,
                         std::wstring_view replacement, Equal equal) {
    if (pattern.empty()) {
        return std::wstring(text);
    }
    std::wstring out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text.size() - i >= pattern.size() && equal(text.substr(i, pattern.size()), pattern)) {
            out.append(replacement);
            i += pattern.size();
        } else {
            out.push_back(text[i]);
            ++i;
        }
    }
    return out;
}

} // namespace

std::wstring replaceAllIgnoreCase(std::wstring_view text, std::wstring_view pattern,
                                  std::wstring_view replacement) {
    return replaceEach(text, pattern, replacement, [](std::wstring_view a, std::wstring_view b) {
        return equalsIgnoreCase(a, b);
    });
}

std::wstring replaceAll(std::wstring_view text, std::wstring_view pattern,
                        std::wstring_view replacement) {
    return replaceEach(text, pattern, replacement,
                       [](std::wstring_view a, std::wstring_view b) { return a == b; });
}

std::wstring_view trimmedBlanks(std::wstring_view text) {
    const auto isBlank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

std::wstring trimBlanks(std::wstring_view text) {
    return std::wstring(trimmedBlanks(text));
}

} // namespace parcelkit::base
