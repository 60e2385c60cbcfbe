#include "script/profile_document.hpp"

#include "base/text.hpp"
#include "platform/profile.hpp"

namespace parcelkit::script {

using base::equalsIgnoreCase;
using base::trimBlanks;

ProfileDocument::ProfileDocument(std::wstring_view text) {
    Section* current = nullptr;
    std::size_t start = 0;
    std::size_t lineNumber = 0;
    while (start <= text.size()) {
        auto end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring_view::npos) {
            end = text.size();
        }
        ++lineNumber;
        const std::wstring line = trimBlanks(text.substr(start, end - start));
        // CR LF ends one line, not two.
        start = end + 1;
        if (end < text.size() && text[end] == L'\r' && start < text.size() &&
            text[start] == L'\n') {
            ++start;
        }
        if (line.empty() || line[0] == L';') {
            continue;
        }
        if (line[0] == L'[') {
            const auto close = line.find(L']');
            const std::wstring name = trimBlanks(
                line.substr(1, close == std::wstring::npos ? std::wstring::npos : close - 1));
            sections_.push_back({name, lineNumber, {}});
            current = &sections_.back();
            continue;
        }
        if (current == nullptr) {
            continue;
        }
        // A line without "=" is no key (as measured under Wine).
        const auto eq = line.find(L'=');
        if (eq != std::wstring::npos) {
            current->entries.push_back(
                {trimBlanks(line.substr(0, eq)), trimBlanks(line.substr(eq + 1)), lineNumber});
        }
    }
}

const ProfileDocument::Section* ProfileDocument::find(std::wstring_view name) const {
    // Only the first section of a name is seen; a repeated header adds nothing.
    for (const auto& section : sections_) {
        if (equalsIgnoreCase(section.name, name)) {
            return &section;
        }
    }
    return nullptr;
}

std::wstring ProfileDocument::lookedUp(std::wstring value) {
    if (value.size() >= 2 && (value[0] == L'"' || value[0] == L'\'') && value.back() == value[0]) {
        value = value.substr(1, value.size() - 2);
    }
    if (value.size() > platform::kMaxProfileValue) {
        value.resize(platform::kMaxProfileValue);
    }
    return value;
}

std::optional<std::wstring> ProfileDocument::value(std::wstring_view section,
                                                   std::wstring_view key) const {
    const Section* found = find(section);
    if (found == nullptr) {
        return std::nullopt;
    }
    const std::wstring wanted = trimBlanks(key);
    for (const auto& entry : found->entries) {
        if (equalsIgnoreCase(entry.key, wanted)) {
            return lookedUp(entry.value);
        }
    }
    return std::nullopt;
}

std::vector<std::wstring> ProfileDocument::keyNames(std::wstring_view section) const {
    std::vector<std::wstring> keys;
    if (const Section* found = find(section)) {
        for (const auto& entry : found->entries) {
            keys.push_back(entry.key);
        }
    }
    return keys;
}

std::vector<std::wstring> ProfileDocument::sectionNames() const {
    std::vector<std::wstring> names;
    for (const auto& section : sections_) {
        names.push_back(section.name);
    }
    return names;
}

} // namespace parcelkit::script
