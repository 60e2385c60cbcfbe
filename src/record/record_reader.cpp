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

// The suffix follows the last "|": an escaped path holds no "|" of its own.
RecordedFile readFileKey(const std::wstring& key, std::wstring owner) {
    const auto bar = key.rfind(L'|');
    const std::wstring path = bar == std::wstring::npos ? key : key.substr(0, bar);
    const std::wstring suffix = bar == std::wstring::npos ? L"" : key.substr(bar + 1);
    return {key, base::extstr(path), suffix, std::move(owner)};
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
    read.id = record.readString(L"main", L"id", L"");
    read.name = record.readString(L"main", L"name", L"");
    for (const auto& name : record.keyNames(L"list")) {
        read.components.push_back({name, record.readString(L"list", name, L"")});
    }
    for (const auto& key : record.keyNames(L"file")) {
        read.files.push_back(readFileKey(key, record.readString(L"file", key, L"")));
    }
    for (const auto& key : record.keyNames(L"dir")) {
        read.directories.push_back({key, base::extstr(key), record.readString(L"dir", key, L"")});
    }
    for (const auto& key : record.keyNames(L"system.ini")) {
        std::wstring name = key;
        std::wstring section = base::parse(name, L",");
        read.settings.push_back({key, section, name, record.readString(L"system.ini", key, L"")});
    }
    return read;
}

std::vector<std::wstring> readRunLines(const platform::ProfileFile& record,
                                       const std::wstring& section) {
    std::vector<std::wstring> lines;
    for (const auto& key : record.keyNames(section)) {
        lines.push_back(key + L"=" + record.readString(section, key, L""));
    }
    return lines;
}

} // namespace parcelkit::record
