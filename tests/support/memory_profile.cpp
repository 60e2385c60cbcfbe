#include "memory_profile.hpp"

#include "base/error.hpp"
#include "base/text.hpp"
#include "script/profile_document.hpp"

#include <algorithm>
#include <cstdint>

namespace parcelkit::doubles {

using base::equalsIgnoreCase;

namespace {

char32_t byteAt(const std::string& bytes, std::size_t i) {
    return static_cast<unsigned char>(bytes[i]);
}

void appendCodePoint(std::wstring& out, char32_t cp) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(wchar_t(0xD800 + (cp >> 10)));
            out.push_back(wchar_t(0xDC00 + (cp & 0x3FF)));
            return;
        }
    }
    out.push_back(wchar_t(cp));
}

std::wstring decodeUtf16(const std::string& bytes, std::size_t from) {
    std::wstring out;
    for (std::size_t i = from; i + 1 < bytes.size(); i += 2) {
        const char32_t unit = byteAt(bytes, i) | (byteAt(bytes, i + 1) << 8);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
            const char32_t low = byteAt(bytes, i + 2) | (byteAt(bytes, i + 3) << 8);
            if (low >= 0xDC00 && low < 0xE000) {
                appendCodePoint(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        appendCodePoint(out, unit);
    }
    return out;
}

std::wstring decodeUtf8(const std::string& bytes, std::size_t from) {
    std::wstring out;
    std::size_t i = from;
    while (i < bytes.size()) {
        const char32_t lead = byteAt(bytes, i);
        int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
        ++i;
        for (; extra > 0 && i < bytes.size(); --extra, ++i) {
            cp = (cp << 6) | (byteAt(bytes, i) & 0x3F);
        }
        appendCodePoint(out, cp);
    }
    return out;
}

} // namespace

std::wstring decodeProfileBytes(const std::string& bytes) {
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
        return decodeUtf16(bytes, 2);
    }
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        return decodeUtf8(bytes, 3);
    }
    std::wstring out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        out.push_back(wchar_t(byteAt(bytes, i)));
    }
    return out;
}

MemoryProfile::MemoryProfile(std::wstring path, std::shared_ptr<std::wstring> text,
                             std::shared_ptr<const ProfileEncoding> encoding)
    : path_(std::move(path)), text_(std::move(text)), encoding_(std::move(encoding)) {}

std::vector<MemoryProfile::Section> MemoryProfile::parsed() const {
    std::vector<Section> sections;
    const script::ProfileDocument document(*text_);
    for (const auto& section : document.sections()) {
        Section copy{section.name, {}};
        for (const auto& entry : section.entries) {
            copy.entries.push_back({entry.key, entry.value});
        }
        sections.push_back(std::move(copy));
    }
    return sections;
}

std::wstring MemoryProfile::readString(const std::wstring& section, const std::wstring& key,
                                       const std::wstring& def) const {
    return script::ProfileDocument(*text_).value(section, key).value_or(def);
}

std::vector<std::wstring> MemoryProfile::keyNames(const std::wstring& section) const {
    return script::ProfileDocument(*text_).keyNames(section);
}

std::vector<std::wstring> MemoryProfile::sectionNames() const {
    return script::ProfileDocument(*text_).sectionNames();
}

namespace {

const platform::Failure kRefused{platform::Failure::kAccessDenied, L"Access is denied."};

} // namespace

platform::Outcome MemoryProfile::writeString(const std::wstring& section, const std::wstring& key,
                                             const std::wstring& value) {
    if (refuseWrites_) {
        return kRefused;
    }
    auto sections = parsed();
    auto it = std::find_if(sections.begin(), sections.end(),
                           [&](const Section& s) { return equalsIgnoreCase(s.name, section); });
    if (it == sections.end()) {
        sections.push_back({section, {}});
        it = std::prev(sections.end());
    }
    auto entry = std::find_if(it->entries.begin(), it->entries.end(),
                              [&](const Entry& e) { return equalsIgnoreCase(e.key, key); });
    if (entry == it->entries.end()) {
        it->entries.push_back({key, value});
    } else {
        entry->value = value;
    }
    store(sections);
    return {};
}

platform::Outcome MemoryProfile::deleteKey(const std::wstring& section, const std::wstring& key) {
    if (refuseWrites_) {
        return kRefused;
    }
    auto sections = parsed();
    for (auto& s : sections) {
        if (equalsIgnoreCase(s.name, section)) {
            std::erase_if(s.entries, [&](const Entry& e) { return equalsIgnoreCase(e.key, key); });
        }
    }
    store(sections);
    return {};
}

platform::Outcome MemoryProfile::deleteSection(const std::wstring& section) {
    if (refuseWrites_) {
        return kRefused;
    }
    auto sections = parsed();
    std::erase_if(sections, [&](const Section& s) { return equalsIgnoreCase(s.name, section); });
    store(sections);
    return {};
}

void MemoryProfile::store(const std::vector<Section>& sections) {
    // Rewritten whole, as the system does on every changing write.
    std::wstring out;
    for (const auto& s : sections) {
        out += L"[" + s.name + L"]\r\n";
        for (const auto& e : s.entries) {
            out += e.key + L"=" + e.value + L"\r\n";
        }
    }
    if (encoding_ && *encoding_ == ProfileEncoding::Ansi) {
        std::replace_if(
            out.begin(), out.end(), [](wchar_t c) { return std::uint32_t(c) > 0xFF; }, L'?');
    }
    *text_ = out;
}

// Changed in place: like a file on disk, the new text is seen by profiles already open.
void MemoryProfileStore::put(const std::wstring& path, std::wstring text) {
    auto& stored = files_[path];
    auto& encoding = encodings_[path];
    if (!stored) {
        stored = std::make_shared<std::wstring>();
        encoding = std::make_shared<ProfileEncoding>();
    }
    *stored = std::move(text);
    *encoding = ProfileEncoding::Utf16;
}

void MemoryProfileStore::putBytes(const std::wstring& path, const std::string& bytes) {
    put(path, decodeProfileBytes(bytes));
    *encodings_[path] = bytes.compare(0, 2, "\xFF\xFE") == 0       ? ProfileEncoding::Utf16
                        : bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? ProfileEncoding::Utf8
                                                                   : ProfileEncoding::Ansi;
}

std::optional<ProfileEncoding> MemoryProfileStore::encoding(const std::wstring& path) const {
    const auto it = encodings_.find(path);
    if (it == encodings_.end()) {
        return std::nullopt;
    }
    return *it->second;
}

const std::wstring* MemoryProfileStore::text(const std::wstring& path) const {
    const auto it = files_.find(path);
    return it == files_.end() ? nullptr : it->second.get();
}

std::unique_ptr<platform::ProfileFile> MemoryProfileStore::open(const std::wstring& path) {
    auto& text = files_[path];
    auto& encoding = encodings_[path];
    if (!text) {
        text = std::make_shared<std::wstring>();
        encoding = std::make_shared<ProfileEncoding>(ProfileEncoding::Ansi);
    }
    return std::make_unique<MemoryProfile>(path, text, encoding);
}

platform::Outcome MemoryProfileStore::makeUnicode(const std::wstring& path) {
    open(path);
    *encodings_[path] = ProfileEncoding::Utf16;
    return {};
}

} // namespace parcelkit::doubles
