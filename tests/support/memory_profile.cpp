#include "memory_profile.hpp"

#include "base/error.hpp"
#include "base/text.hpp"

#include <algorithm>
#include <cstdint>

namespace parcelkit::doubles {

using base::equalsIgnoreCase;
using base::trimBlanks;

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

script::ProfileDocument MemoryProfile::document() const {
    return script::ProfileDocument(path_, *text_);
}

std::wstring MemoryProfile::readString(const std::wstring& section, const std::wstring& key,
                                       const std::wstring& def) const {
    return document().readString(section, key, def);
}

std::vector<std::wstring> MemoryProfile::keyNames(const std::wstring& section) const {
    return document().keyNames(section);
}

std::vector<std::wstring> MemoryProfile::sectionNames() const {
    return document().sectionNames();
}

namespace {

const platform::Failure kRefused{platform::Failure::kAccessDenied, L"Access is denied."};

} // namespace

template <typename Change> platform::Outcome MemoryProfile::change(Change change) {
    if (refuseWrites_) {
        return kRefused;
    }
    script::ProfileDocument changed = document();
    platform::notChecked(change(changed));
    store(changed.text());
    return {};
}

platform::Outcome MemoryProfile::writeString(const std::wstring& section, const std::wstring& key,
                                             const std::wstring& value) {
    return change([&](script::ProfileDocument& d) { return d.writeString(section, key, value); });
}

platform::Outcome MemoryProfile::deleteKey(const std::wstring& section, const std::wstring& key) {
    return change([&](script::ProfileDocument& d) { return d.deleteKey(section, key); });
}

platform::Outcome MemoryProfile::deleteSection(const std::wstring& section) {
    return change([&](script::ProfileDocument& d) { return d.deleteSection(section); });
}

// Rewritten whole, as the system does on every changing write; a file in the ANSI code
// page loses what it cannot hold.
void MemoryProfile::store(std::wstring text) {
    if (encoding_ && *encoding_ == ProfileEncoding::Ansi) {
        std::replace_if(
            text.begin(), text.end(), [](wchar_t c) { return std::uint32_t(c) > 0xFF; }, L'?');
    }
    *text_ = std::move(text);
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

platform::Result<std::wstring> MemoryProfileStore::readText(const std::wstring& path) const {
    const auto* found = text(path);
    if (found == nullptr) {
        return platform::Failure{platform::Failure::kFileNotFound,
                                 L"The system cannot find the file specified."};
    }
    return *found;
}

platform::Outcome MemoryProfileStore::writeText(const std::wstring& path,
                                                const std::wstring& text) {
    if (refusedWrites_.count(path) != 0) {
        return kRefused;
    }
    ++wholeWrites_[path];
    put(path, text);
    return {};
}

} // namespace parcelkit::doubles
