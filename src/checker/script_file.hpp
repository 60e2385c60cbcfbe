#pragma once

#include "platform/file_bytes.hpp"
#include "platform/file_system.hpp"
#include "platform/profile.hpp"
#include "script/profile_document.hpp"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace parcelkit::checker {

// How the checker reaches the setup folder: through the same interfaces as setup.exe.
struct FolderAccess {
    const platform::FileSystem& files;
    const platform::FileBytes& bytes;
    platform::ProfileStore& profiles;
    std::wstring root; // the setup folder, as setup.exe's current directory
};

// A file's path as a report names it: relative to the setup folder, "/" between folders.
std::wstring shownPath(const FolderAccess& folder, const std::wstring& path);

// One file of the folder read twice: its values through the profile functions, as
// setup.exe reads them, and its lines, to say where each key stands.
class ScriptFile {
public:
    ScriptFile(const FolderAccess& folder, std::wstring path);

    bool exists() const { return bytes_.has_value(); }
    const std::wstring& path() const { return path_; }
    const std::wstring& shown() const { return shown_; }
    const std::string& bytes() const { return *bytes_; }
    const std::wstring& text() const { return text_; }
    const platform::ProfileFile& profile() const { return *profile_; }
    const script::ProfileDocument& document() const { return document_; }

    // The value setup.exe reads, or def when the key or section is missing.
    std::wstring value(const std::wstring& section, const std::wstring& key,
                       const std::wstring& def = L"") const {
        return profile_->readString(section, key, def);
    }
    // The entries of a list section as setup.exe reads them ("key=value", the value
    // looked up by its key), each with its line; a key written again is left out.
    struct ListEntry {
        std::wstring line;
        std::size_t lineNumber = 0;
    };
    std::vector<ListEntry> listEntries(const std::wstring& section) const;

    // Where the section's header stands; 0 when there is none.
    std::size_t sectionLine(const std::wstring& section) const;
    // Where the key stands (its first line); the section's line when the key is missing.
    std::size_t keyLine(const std::wstring& section, const std::wstring& key) const;

private:
    std::wstring path_;
    std::wstring shown_;
    std::optional<std::string> bytes_;
    std::wstring text_;
    std::unique_ptr<platform::ProfileFile> profile_;
    script::ProfileDocument document_;
};

} // namespace parcelkit::checker
