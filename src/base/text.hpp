#pragma once

#include <string>
#include <string_view>

namespace parcelkit::base {

// Letter case folded for the ASCII letters only: the tags, macros and keywords that the
// script compares without regard to case are all ASCII.
wchar_t asciiLower(wchar_t c);
std::wstring asciiLower(std::wstring_view text);
std::wstring asciiUpper(std::wstring_view text);
bool equalsIgnoreCase(std::wstring_view a, std::wstring_view b);

// Replaces every occurrence of pattern, matched without regard to case, scanning left to
// right; inserted text is not searched again.
std::wstring replaceAllIgnoreCase(std::wstring_view text, std::wstring_view pattern,
                                  std::wstring_view replacement);
// The same with an exact match.
std::wstring replaceAll(std::wstring_view text, std::wstring_view pattern,
                        std::wstring_view replacement);

// Surrounding blanks (spaces and tabs) removed.
std::wstring trimBlanks(std::wstring_view text);
// The same part of the text, without a copy.
std::wstring_view trimmedBlanks(std::wstring_view text);

} // namespace parcelkit::base
