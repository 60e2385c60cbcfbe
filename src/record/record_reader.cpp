#include "record/record_reader.hpp"

#include "base/escapes.hpp"
#include "base/text.hpp"

namespace parcelkit::record {

namespace {

template <typename Entry>
std::vector<Entry> ownedBy(const std::vector<Entry>& entries, const std::wstring& owner) {
    std::vector<Entry> owned;
    for (const auto& entry : entries) {
        if (sameOwner(entry.owner, owner)) {
            owned.push_back(entry);
        }
    }
    return owned;
}

} // namespace

bool sameOwner(const std::wstring& a, const std::wstring& b) {
    return base::equalsIgnoreCase(a, b);
}

std::vector<RecordedFile> RemovalRecord::filesOf(const std::wstring& owner) const {
    return ownedBy(files, owner);
}

std::vector<RecordedDirectory> RemovalRecord::directoriesOf(const std::wstring& owner) const {
    return ownedBy(directories, owner);
}

std::vector<RecordedSetting> RemovalRecord::settingsOf(const std::wstring& owner) const {
    return ownedBy(settings, owner);
}

RemovalRecord readRemovalRecord(const platform::ProfileFile& record) {
    RemovalRecord read;
    read.id = record.readString(kMainSection, L"id", L"");
    read.name = record.readString(kMainSection, L"name", L"");
    for (const auto& name : record.keyNames(kListSection)) {
        read.components.push_back({name, record.readString(kListSection, name, L"")});
    }
    for (const auto& key : record.keyNames(kFileSection)) {
        FileKey file = readFileKey(key);
        read.files.push_back({key, std::move(file.path), std::move(file.suffix),
                              record.readString(kFileSection, key, L"")});
    }
    for (const auto& key : record.keyNames(kDirSection)) {
        read.directories.push_back({key, dirPath(key), record.readString(kDirSection, key, L"")});
    }
    for (const auto& key : record.keyNames(kSystemIniSection)) {
        std::wstring name = key;
        std::wstring section = base::parse(name, L",");
        read.settings.push_back(
            {key, section, name, record.readString(kSystemIniSection, key, L"")});
    }
    return read;
}

} // namespace parcelkit::record
