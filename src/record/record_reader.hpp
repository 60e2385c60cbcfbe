#pragma once

#include "platform/profile.hpp"
#include "record/record_format.hpp"

#include <string>
#include <vector>

namespace parcelkit::record {

struct InstalledComponent {
    std::wstring name;    // NAME, the key in [list]
    std::wstring caption; // as the component tree showed it
};

// One [file] key: the path, then "|" and the suffix; the value names the owner (empty for
// the readme, which belongs to the installation).
struct RecordedFile {
    std::wstring key;
    std::wstring path; // escape tags decoded
    std::wstring suffix;
    std::wstring owner;
};

// One [dir] key: an escaped directory path; the value names its owner or "#share#".
struct RecordedDirectory {
    std::wstring key;
    std::wstring path;
    std::wstring owner;
};

// One [system.ini] key: "section,key" as the script wrote it; the value names the owner.
struct RecordedSetting {
    std::wstring key;
    std::wstring section;
    std::wstring name;
    std::wstring owner;
};

// What uninstall.ini says was installed, read once before anything is removed.
struct RemovalRecord {
    std::wstring id;
    std::wstring name;
    std::vector<InstalledComponent> components;
    std::vector<RecordedFile> files;
    std::vector<RecordedDirectory> directories;
    std::vector<RecordedSetting> settings;

    std::vector<RecordedFile> filesOf(const std::wstring& owner) const;
    std::vector<RecordedDirectory> directoriesOf(const std::wstring& owner) const;
    std::vector<RecordedSetting> settingsOf(const std::wstring& owner) const;
};

RemovalRecord readRemovalRecord(const platform::ProfileFile& record);

// Owners are NAMEs, upper-cased by the installer; compared without regard to case so a
// hand-edited record still matches.
bool sameOwner(const std::wstring& a, const std::wstring& b);

} // namespace parcelkit::record
