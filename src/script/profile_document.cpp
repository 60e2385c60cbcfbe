#include "script/profile_document.hpp"

#include "base/text.hpp"

namespace parcelkit::script {

namespace {

// Trimmed and folded in one copy: every lookup and every write of a key folds its name.
std::wstring folded(std::wstring_view name) {
    return base::asciiLower(base::trimmedBlanks(name));
}

} // namespace

std::wstring ProfileDocument::lookedUp(std::wstring value) {
    if (value.size() >= 2 && (value[0] == L'"' || value[0] == L'\'') && value.back() == value[0]) {
        value = value.substr(1, value.size() - 2);
    }
    if (value.size() > platform::kMaxProfileValue) {
        value.resize(platform::kMaxProfileValue);
    }
    return value;
}

ProfileDocument::ProfileDocument(std::wstring path, std::wstring_view text)
    : path_(std::move(path)) {
    parse(text);
}

void ProfileDocument::parse(std::wstring_view text) {
    std::optional<std::size_t> current;
    std::size_t start = 0;
    std::size_t lineNumber = 0;
    while (start <= text.size()) {
        auto end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring_view::npos) {
            end = text.size();
        }
        ++lineNumber;
        const std::wstring line = base::trimBlanks(text.substr(start, end - start));
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
            addSection(base::trimBlanks(line.substr(
                           1, close == std::wstring::npos ? std::wstring::npos : close - 1)),
                       lineNumber);
            current = sections_.size() - 1;
            continue;
        }
        // A line without "=", or before any section, is no key.
        const auto eq = line.find(L'=');
        if (current && eq != std::wstring::npos) {
            addEntry(*current, base::trimBlanks(line.substr(0, eq)),
                     base::trimBlanks(line.substr(eq + 1)), lineNumber);
        }
    }
}

void ProfileDocument::addSection(std::wstring name, std::size_t line) {
    // A repeated header keeps its keys apart: lookups see the first section only.
    firstSection_.try_emplace(folded(name), sections_.size());
    sections_.push_back({std::move(name), line, {}, false});
    keys_.emplace_back();
}

void ProfileDocument::addEntry(std::size_t section, std::wstring key, std::wstring value,
                               std::size_t line) {
    auto& entries = sections_[section].entries;
    keys_[section][folded(key)].push_back(entries.size());
    entries.push_back({std::move(key), std::move(value), line, false});
    ++entries_;
}

std::optional<std::size_t> ProfileDocument::indexOf(const std::wstring& name) const {
    const auto it = firstSection_.find(folded(name));
    if (it == firstSection_.end()) {
        return std::nullopt;
    }
    return it->second;
}

const ProfileDocument::Section* ProfileDocument::find(const std::wstring& name) const {
    const auto index = indexOf(name);
    return index ? &sections_[*index] : nullptr;
}

std::size_t ProfileDocument::sectionFor(const std::wstring& name) {
    if (const auto index = indexOf(name)) {
        return *index;
    }
    addSection(name, 0);
    return sections_.size() - 1;
}

std::optional<std::wstring> ProfileDocument::value(const std::wstring& section,
                                                   const std::wstring& key) const {
    const auto index = indexOf(section);
    if (!index) {
        return std::nullopt;
    }
    const auto entry = keys_[*index].find(folded(key));
    if (entry == keys_[*index].end()) {
        return std::nullopt;
    }
    return lookedUp(sections_[*index].entries[entry->second.front()].value);
}

std::wstring ProfileDocument::readString(const std::wstring& section, const std::wstring& key,
                                         const std::wstring& def) const {
    return value(section, key).value_or(def);
}

std::vector<std::wstring> ProfileDocument::keyNames(const std::wstring& section) const {
    std::vector<std::wstring> keys;
    if (const Section* found = find(section)) {
        for (const auto& entry : found->entries) {
            if (!entry.removed) {
                keys.push_back(entry.key);
            }
        }
    }
    return keys;
}

std::vector<std::wstring> ProfileDocument::sectionNames() const {
    std::vector<std::wstring> names;
    for (const auto& section : sections_) {
        if (!section.removed) {
            names.push_back(section.name);
        }
    }
    return names;
}

platform::Outcome ProfileDocument::writeString(const std::wstring& section, const std::wstring& key,
                                               const std::wstring& value) {
    const std::size_t target = sectionFor(section);
    const auto entry = keys_[target].find(folded(key));
    if (entry == keys_[target].end()) {
        addEntry(target, key, value, 0);
    } else {
        sections_[target].entries[entry->second.front()].value = value;
    }
    changed_ = true;
    return {};
}

platform::Outcome ProfileDocument::deleteKey(const std::wstring& section, const std::wstring& key) {
    const std::wstring name = folded(key);
    const std::wstring sectionName = folded(section);
    // Every section of the name, every entry of the key: none may show it again.
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        if (sections_[i].removed || folded(sections_[i].name) != sectionName) {
            continue;
        }
        const auto found = keys_[i].find(name);
        if (found == keys_[i].end()) {
            continue;
        }
        for (const std::size_t index : found->second) {
            sections_[i].entries[index].removed = true;
            --entries_;
        }
        keys_[i].erase(found);
        changed_ = true;
    }
    return {};
}

platform::Outcome ProfileDocument::deleteSection(const std::wstring& section) {
    const std::wstring name = folded(section);
    if (firstSection_.erase(name) == 0) {
        return {};
    }
    for (auto& candidate : sections_) {
        if (!candidate.removed && folded(candidate.name) == name) {
            candidate.removed = true;
            for (const auto& entry : candidate.entries) {
                entries_ -= entry.removed ? 0 : 1;
            }
        }
    }
    changed_ = true;
    return {};
}

std::wstring ProfileDocument::text() const {
    std::wstring out;
    textInto(out);
    return out;
}

void ProfileDocument::textInto(std::wstring& out) const {
    // Measured first, then appended piece by piece: the record is written out this way
    // after every group of copies, and it holds thousands of lines.
    std::size_t size = 0;
    for (const auto& section : sections_) {
        if (!section.removed) {
            size += section.name.size() + 4;
            for (const auto& entry : section.entries) {
                size += entry.removed ? 0 : entry.key.size() + entry.value.size() + 3;
            }
        }
    }
    out.clear();
    out.reserve(size);
    for (const auto& section : sections_) {
        if (section.removed) {
            continue;
        }
        out.append(L"[").append(section.name).append(L"]\r\n");
        for (const auto& entry : section.entries) {
            if (!entry.removed) {
                out.append(entry.key).append(L"=").append(entry.value).append(L"\r\n");
            }
        }
    }
}

} // namespace parcelkit::script
