#include "checker/script_file.hpp"

#include "base/text.hpp"
#include "script/text_files.hpp"

#include <algorithm>

namespace parcelkit::checker {

std::wstring shownPath(const FolderAccess& folder, const std::wstring& path) {
    std::wstring shown = path;
    const std::wstring prefix = folder.root + L"\\";
    if (shown.size() > prefix.size() &&
        base::equalsIgnoreCase(shown.substr(0, prefix.size()), prefix)) {
        shown = shown.substr(prefix.size());
    }
    for (auto& c : shown) {
        if (c == L'\\') {
            c = L'/';
        }
    }
    return shown;
}

namespace {

std::optional<std::string> bytesOf(const FolderAccess& folder, const std::wstring& path) {
    auto read = folder.bytes.read(path);
    if (!read) {
        return std::nullopt;
    }
    return std::move(*read);
}

} // namespace

ScriptFile::ScriptFile(const FolderAccess& folder, std::wstring path)
    : path_(std::move(path)), shown_(shownPath(folder, path_)), bytes_(bytesOf(folder, path_)),
      text_(bytes_ ? script::decodeText(*bytes_, folder.bytes) : std::wstring()),
      profile_(folder.profiles.open(path_)), document_(path_, text_) {}

std::vector<ScriptFile::ListEntry> ScriptFile::listEntries(const std::wstring& section) const {
    std::vector<ListEntry> entries;
    const auto* found = document_.find(section);
    if (found == nullptr) {
        return entries;
    }
    std::vector<std::wstring> seen;
    for (const auto& entry : found->entries) {
        const std::wstring key = base::asciiLower(entry.key);
        if (std::find(seen.begin(), seen.end(), key) != seen.end()) {
            continue;
        }
        seen.push_back(key);
        entries.push_back({entry.key + L"=" + value(section, entry.key), entry.line});
    }
    return entries;
}

std::size_t ScriptFile::sectionLine(const std::wstring& section) const {
    const auto* found = document_.find(section);
    return found == nullptr ? 0 : found->line;
}

std::size_t ScriptFile::keyLine(const std::wstring& section, const std::wstring& key) const {
    const auto* found = document_.find(section);
    if (found == nullptr) {
        return 0;
    }
    for (const auto& entry : found->entries) {
        if (base::equalsIgnoreCase(entry.key, key)) {
            return entry.line;
        }
    }
    return found->line;
}

} // namespace parcelkit::checker
