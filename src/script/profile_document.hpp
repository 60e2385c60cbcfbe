#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace parcelkit::script {

// The text of one profile (INI) file, read with the rules of the Windows private-profile
// functions as measured under Wine (the profile agreement tests hold the two together):
// names compared without regard to case, keys and values trimmed, lines without "=" and
// comment lines no keys, only the first section of a name seen. Every section and key
// keeps its line number, for whoever has to point at it.
class ProfileDocument {
public:
    struct Entry {
        std::wstring key;
        std::wstring value; // trimmed, quotes still on
        std::size_t line = 0;
    };
    struct Section {
        std::wstring name;
        std::size_t line = 0;
        std::vector<Entry> entries;
    };

    explicit ProfileDocument(std::wstring_view text);

    // Every section header in file order, repeated ones too.
    const std::vector<Section>& sections() const { return sections_; }
    // The first section of that name: the only one the system reads.
    const Section* find(std::wstring_view name) const;

    // What a lookup returns: one pair of enclosing quotes removed, at most 2047
    // characters; nullopt when the section or key is missing.
    std::optional<std::wstring> value(std::wstring_view section, std::wstring_view key) const;
    // Key names of the section in file order, a key written twice listed twice.
    std::vector<std::wstring> keyNames(std::wstring_view section) const;
    // Section names in file order.
    std::vector<std::wstring> sectionNames() const;

    // A written value as a lookup returns it.
    static std::wstring lookedUp(std::wstring value);

private:
    std::vector<Section> sections_;
};

} // namespace parcelkit::script
