#pragma once

#include "platform/profile.hpp"

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace parcelkit::script {

// A profile file held in memory with the rules of the system's private-profile functions
// (the profile contract tests run the same cases against both): names compared without
// regard to ASCII case, values trimmed, one pair of enclosing quotes removed, at most 2047
// characters of a value read; a repeated section header adds nothing to the first; a key
// written twice is listed twice and read with its first value. Reads and writes take the
// same time whatever the size of the file, unlike the system's functions, which rewrite
// and reread the whole file on every call. Every section and key read from the text keeps
// its line number, for whoever has to point at it.
class ProfileDocument : public platform::ProfileFile {
public:
    struct Entry {
        std::wstring key;
        std::wstring value; // trimmed, quotes still on
        std::size_t line = 0;
        bool removed = false;
    };
    struct Section {
        std::wstring name;
        std::size_t line = 0;
        std::vector<Entry> entries;
        bool removed = false;
    };

    explicit ProfileDocument(std::wstring path, std::wstring_view text = {});

    // Every section header in file order, repeated ones too; removed ones are marked.
    const std::vector<Section>& sections() const { return sections_; }
    // The first section of that name: the only one the system reads.
    const Section* find(const std::wstring& name) const;
    // What a lookup returns; nullopt when the section or key is missing.
    std::optional<std::wstring> value(const std::wstring& section, const std::wstring& key) const;
    // A written value as a lookup returns it.
    static std::wstring lookedUp(std::wstring value);

    std::wstring readString(const std::wstring& section, const std::wstring& key,
                            const std::wstring& def) const override;
    std::vector<std::wstring> keyNames(const std::wstring& section) const override;
    std::vector<std::wstring> sectionNames() const override;
    platform::Outcome writeString(const std::wstring& section, const std::wstring& key,
                                  const std::wstring& value) override;
    const std::wstring& path() const override { return path_; }
    platform::Outcome deleteKey(const std::wstring& section, const std::wstring& key) override;
    platform::Outcome deleteSection(const std::wstring& section) override;

    // The text as the system would write the file: every section with its keys, each line
    // ended by CR LF, no blank lines.
    std::wstring text() const;
    // The same into a buffer kept by the caller, whose memory is used again.
    void textInto(std::wstring& out) const;
    // Keys in the file, a key written twice counted twice.
    std::size_t size() const { return entries_; }
    // Changed since it was read, or since the last markSaved().
    bool changed() const { return changed_; }
    void markSaved() { changed_ = false; }

private:
    // Folded key -> its entries in file order (a key written twice has two).
    using KeyIndex = std::unordered_map<std::wstring, std::vector<std::size_t>>;

    void parse(std::wstring_view text);
    std::size_t sectionFor(const std::wstring& name);
    std::optional<std::size_t> indexOf(const std::wstring& name) const;
    void addSection(std::wstring name, std::size_t line);
    void addEntry(std::size_t section, std::wstring key, std::wstring value, std::size_t line);

    std::wstring path_;
    std::vector<Section> sections_;
    std::vector<KeyIndex> keys_;                                 // one per section
    std::unordered_map<std::wstring, std::size_t> firstSection_; // folded name
    std::size_t entries_ = 0;
    bool changed_ = false;
};

} // namespace parcelkit::script
