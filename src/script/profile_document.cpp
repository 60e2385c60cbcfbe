#include "script/profile_document.hpp"

#include "base/text.hpp"

namespace parcelkit::script {

namespace {

std::wstring folded(std::wstring_view name) {
    return base::asciiLower(base::trimBlanks(name));
}

std::wstring withoutEnclosingQuotes(std::wstring value) {
    if (value.size() >= 2 && (value[0] == L'"' || value[0] == L'\'') && value.back() == value[0]) {
        value = value.substr(1, value.size() - 2);
    }
    if (value.size() > platform::kMaxProfileValue) {
        value.resize(platform::kMaxProfileValue);
    }
    return value;
}

} // namespace

ProfileDocument::ProfileDocument(std::wstring path, std::wstring_view text)
    : path_(std::move(path)) {
    parse(text);
}

void ProfileDocument::parse(std::wstring_view text) {
    Section* current = nullptr;
    std::size_t start = 0;
    while (start <= text.size()) {
        auto end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring_view::npos) {
            end = text.size();
        }
        const std::wstring line = base::trimBlanks(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == L';') {
            continue;
        }
        if (line[0] == L'[') {
            const auto close = line.find(L']');
            std::wstring name = base::trimBlanks(
                line.substr(1, close == std::wstring::npos ? std::wstring::npos : close - 1));
            // A repeated header keeps its keys apart: lookups see the first section only.
            firstSection_.try_emplace(folded(name), sections_.size());
            sections_.push_back({std::move(name), {}, {}, false});
            current = &sections_.back();
            continue;
        }
        // A line without "=", or before any section, is no key.
        const auto eq = line.find(L'=');
        if (current != nullptr && eq != std::wstring::npos) {
            addEntry(*current, base::trimBlanks(line.substr(0, eq)),
                     base::trimBlanks(line.substr(eq + 1)));
        }
    }
}

void ProfileDocument::addEntry(Section& section, std::wstring key, std::wstring value) {
    section.entriesOf[folded(key)].push_back(section.entries.size());
    section.entries.push_back({std::move(key), std::move(value), false});
    ++entries_;
}

const ProfileDocument::Section* ProfileDocument::findSection(const std::wstring& name) const {
    const auto it = firstSection_.find(folded(name));
    return it == firstSection_.end() ? nullptr : &sections_[it->second];
}

ProfileDocument::Section* ProfileDocument::findSection(const std::wstring& name) {
    const auto it = firstSection_.find(folded(name));
    return it == firstSection_.end() ? nullptr : &sections_[it->second];
}

ProfileDocument::Section& ProfileDocument::sectionFor(const std::wstring& name) {
    if (Section* found = findSection(name)) {
        return *found;
    }
    firstSection_.emplace(folded(name), sections_.size());
    sections_.push_back({name, {}, {}, false});
    return sections_.back();
}

std::wstring ProfileDocument::readString(const std::wstring& section, const std::wstring& key,
                                         const std::wstring& def) const {
    const Section* found = findSection(section);
    if (found == nullptr) {
        return def;
    }
    const auto entry = found->entriesOf.find(folded(key));
    if (entry == found->entriesOf.end()) {
        return def;
    }
    return withoutEnclosingQuotes(found->entries[entry->second.front()].value);
}

std::vector<std::wstring> ProfileDocument::keyNames(const std::wstring& section) const {
    std::vector<std::wstring> keys;
    if (const Section* found = findSection(section)) {
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
    Section& target = sectionFor(section);
    const auto entry = target.entriesOf.find(folded(key));
    if (entry == target.entriesOf.end()) {
        addEntry(target, key, value);
    } else {
        target.entries[entry->second.front()].value = value;
    }
    changed_ = true;
    return {};
}

platform::Outcome ProfileDocument::deleteKey(const std::wstring& section, const std::wstring& key) {
    const std::wstring name = folded(key);
    const std::wstring sectionName = folded(section);
    // Every section of the name, every entry of the key: none may show it again.
    for (auto& candidate : sections_) {
        if (candidate.removed || folded(candidate.name) != sectionName) {
            continue;
        }
        const auto found = candidate.entriesOf.find(name);
        if (found == candidate.entriesOf.end()) {
            continue;
        }
        for (const std::size_t index : found->second) {
            candidate.entries[index].removed = true;
            --entries_;
        }
        candidate.entriesOf.erase(found);
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
    for (const auto& section : sections_) {
        if (section.removed) {
            continue;
        }
        out += L"[" + section.name + L"]\r\n";
        for (const auto& entry : section.entries) {
            if (!entry.removed) {
                out += entry.key + L"=" + entry.value + L"\r\n";
            }
        }
    }
    return out;
}

} // namespace parcelkit::script
