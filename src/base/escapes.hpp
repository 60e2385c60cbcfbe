#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace parcelkit::base {

// Escape tags back into the characters a profile value cannot carry.
std::wstring extstr(std::wstring_view text);
// Characters into escape tags, for paths written as keys of the uninstall record.
std::wstring de_extstr(std::wstring_view text);

// Cuts the first field off list at the first separator and returns it; list keeps what
// follows the one separator character. Without a separator the whole list is the field.
std::wstring parse(std::wstring& list, std::wstring_view separator);

// Appends the non-empty fields of text, split at separator, to target (not emptied first).
void extstring(std::wstring_view separator, std::wstring_view text,
               std::vector<std::wstring>& target);

} // namespace parcelkit::base
