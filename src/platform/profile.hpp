#pragma once

#include "platform/outcome.hpp"

#include <memory>
#include <string>
#include <vector>

namespace parcelkit::platform {

// A profile (INI) file read and written one key at a time, with the rules of the
// Windows private-profile functions: names compared without regard to case, values
// trimmed, one pair of enclosing quotes removed, at most 2047 characters of a value.
class ProfileFile {
public:
    virtual ~ProfileFile() = default;

    // The value of key in section, or def when the file, section or key is missing.
    virtual std::wstring readString(const std::wstring& section, const std::wstring& key,
                                    const std::wstring& def) const = 0;
    // Key names of section in file order; a key written twice is listed twice.
    virtual std::vector<std::wstring> keyNames(const std::wstring& section) const = 0;
    // Section names in file order.
    virtual std::vector<std::wstring> sectionNames() const = 0;
    // Creates the file, section or key as needed.
    virtual Outcome writeString(const std::wstring& section, const std::wstring& key,
                                const std::wstring& value) = 0;
    virtual const std::wstring& path() const = 0;
    // Removes a key, or a whole section with its keys; a missing one is no failure.
    virtual Outcome deleteKey(const std::wstring& section, const std::wstring& key) = 0;
    virtual Outcome deleteSection(const std::wstring& section) = 0;
};

// Opens profile files by path; opening never fails (a missing file reads as empty).
class ProfileStore {
public:
    virtual ~ProfileStore() = default;
    virtual std::unique_ptr<ProfileFile> open(const std::wstring& path) = 0;
    // Makes the file UTF-16LE with the byte-order mark FF FE, so that every later write
    // keeps any text: the system creates a new profile file in the ANSI code page. A
    // missing file is created holding only the mark; a file in another encoding (UTF-8
    // with its mark, UTF-16BE, the ANSI code page) is rewritten.
    virtual Outcome makeUnicode(const std::wstring& path) = 0;
};

// Longest value the private-profile functions hand back.
inline constexpr std::size_t kMaxProfileValue = 2047;

} // namespace parcelkit::platform
