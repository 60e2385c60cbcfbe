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
    // The whole text of a profile file, decoded as the profile functions read it: by its
    // byte-order mark (UTF-16LE, UTF-16BE, UTF-8), otherwise in the ANSI code page. A
    // missing file is a failure whose notFound() is true.
    virtual Result<std::wstring> readText(const std::wstring& path) const = 0;
    // Replaces the file as a whole by the text, in UTF-16LE with the mark FF FE so that
    // any text survives (the system would create a new file in the ANSI code page). The
    // new file takes the old one's place only once it is complete and on the disk: a
    // failure or a kill leaves the one or the other, never a torn or empty file.
    virtual Outcome writeText(const std::wstring& path, const std::wstring& text) = 0;
};

// Longest value the private-profile functions hand back.
inline constexpr std::size_t kMaxProfileValue = 2047;

} // namespace parcelkit::platform
