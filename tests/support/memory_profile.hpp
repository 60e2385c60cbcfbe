#pragma once

#include "platform/profile.hpp"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace parcelkit::doubles {

// Decodes the bytes of a profile file the way the private-profile functions do: FF FE
// means UTF-16LE, EF BB BF means UTF-8, anything else is the ANSI code page (Latin-1 here).
std::wstring decodeProfileBytes(const std::string& bytes);

// How a file is stored on disk. The system creates a new profile file in the ANSI code
// page, where characters beyond it become "?"; a file with a byte-order mark keeps its text.
enum class ProfileEncoding { Ansi, Utf8, Utf16 };

// An in-memory profile file: reads follow script::ProfileDocument, the product's form of
// the private-profile reading rules; writes rewrite the whole text, as the system does.
class MemoryProfile : public platform::ProfileFile {
public:
    // Without an encoding the file keeps any text.
    MemoryProfile(std::wstring path, std::shared_ptr<std::wstring> text,
                  std::shared_ptr<const ProfileEncoding> encoding = nullptr);

    std::wstring readString(const std::wstring& section, const std::wstring& key,
                            const std::wstring& def) const override;
    std::vector<std::wstring> keyNames(const std::wstring& section) const override;
    std::vector<std::wstring> sectionNames() const override;
    platform::Outcome writeString(const std::wstring& section, const std::wstring& key,
                                  const std::wstring& value) override;
    const std::wstring& path() const override { return path_; }
    platform::Outcome deleteKey(const std::wstring& section, const std::wstring& key) override;
    platform::Outcome deleteSection(const std::wstring& section) override;

    // Makes the next writes fail, as refused writes on a full or locked disk would.
    void refuseWrites(bool refuse) { refuseWrites_ = refuse; }

private:
    struct Entry {
        std::wstring key;
        std::wstring value;
    };
    struct Section {
        std::wstring name;
        std::vector<Entry> entries;
    };

    // Writes work on the parsed sections and store the whole text again.
    std::vector<Section> parsed() const;
    void store(const std::vector<Section>& sections);

    std::wstring path_;
    std::shared_ptr<std::wstring> text_;
    std::shared_ptr<const ProfileEncoding> encoding_;
    bool refuseWrites_ = false;
};

// Files by path; the text of a file lives as long as the store.
class MemoryProfileStore : public platform::ProfileStore {
public:
    void put(const std::wstring& path, std::wstring text);
    void putBytes(const std::wstring& path, const std::string& bytes);
    const std::wstring* text(const std::wstring& path) const;
    // nullopt when the file does not exist.
    std::optional<ProfileEncoding> encoding(const std::wstring& path) const;
    std::unique_ptr<platform::ProfileFile> open(const std::wstring& path) override;
    platform::Outcome makeUnicode(const std::wstring& path) override;

private:
    std::map<std::wstring, std::shared_ptr<std::wstring>> files_;
    std::map<std::wstring, std::shared_ptr<ProfileEncoding>> encodings_;
};

} // namespace parcelkit::doubles
