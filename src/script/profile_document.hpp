#pragma once

#include "platform/profile.hpp"

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
// and reread the whole file on every call.
class ProfileDocument : public platform::ProfileFile {
public:
    explicit ProfileDocument(std::wstring path, std::wstring_view text = {});

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
    // Keys in the file, a key written twice counted twice.
    std::size_t size() const { return entries_; }
    // Changed since it was read, or since the last markSaved().
    bool changed() const { return changed_; }
    void markSaved() { changed_ = false; }

private:
    struct Entry {
        std::wstring key;
        std::wstring value;
        bool removed = false;
    };
    struct Section {
        std::wstring name;
        std::vector<Entry> entries;
        // Folded key -> its entries in file order (a key written twice has two).
        std::unordered_map<std::wstring, std::vector<std::size_t>> entriesOf;
        bool removed = false;
    };

    void parse(std::wstring_view text);
    Section& sectionFor(const std::wstring& name);
    const Section* findSection(const std::wstring& name) const;
    Section* findSection(const std::wstring& name);
    void addEntry(Section& section, std::wstring key, std::wstring value);

    std::wstring path_;
    std::vector<Section> sections_;
    std::unordered_map<std::wstring, std::size_t> firstSection_; // folded name
    std::size_t entries_ = 0;
    bool changed_ = false;
};

} // namespace parcelkit::script
