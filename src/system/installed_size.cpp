#include "system/installed_size.hpp"

#include "base/paths.hpp"
#include "base/text.hpp"
#include "record/record_format.hpp"

#include <algorithm>
#include <limits>
#include <map>
#include <set>

namespace parcelkit::system {

namespace {

// Suffix of a file the installation found newer and left in place.
constexpr wchar_t kKeptSuffix[] = L"2";

// The installation's files in one directory, as the record wrote it; names and directories
// folded for the ASCII letters, as the file system compares them.
struct Directory {
    std::wstring path;
    std::set<std::wstring> names;
};
using FilesByDirectory = std::map<std::wstring, Directory>;

void addFile(FilesByDirectory& found, const std::wstring& path) {
    const auto slash = path.rfind(L'\\');
    if (slash == std::wstring::npos) {
        return;
    }
    Directory& directory = found[base::asciiUpper(path.substr(0, slash))];
    directory.path = path.substr(0, slash);
    directory.names.insert(base::asciiUpper(path.substr(slash + 1)));
}

} // namespace

std::uint32_t installedKilobytes(const record::RecordWriter& record,
                                 const model::CopiedSizes& copied,
                                 const platform::FileSystem& files, const std::wstring& setupdir) {
    std::uint64_t bytes = 0;
    std::set<std::wstring> counted; // folded: a file recorded twice counts once
    FilesByDirectory installed;
    for (const auto& key : record.file().keyNames(record::kFileSection)) {
        const record::FileKey file = record::readFileKey(key);
        if (file.suffix == kKeptSuffix) {
            continue;
        }
        if (const auto size = copied.sizeOf(file.path)) {
            if (counted.insert(base::asciiUpper(file.path)).second) {
                bytes += *size;
            }
            continue;
        }
        addFile(installed, file.path);
    }
    const std::wstring uninstaller =
        base::withoutOneTrailingBackslash(setupdir) + L"\\uninstall.exe";
    if (counted.count(base::asciiUpper(uninstaller)) == 0) {
        addFile(installed, uninstaller);
    }

    for (const auto& [folded, directory] : installed) {
        for (const auto& entry : files.list(directory.path, L"*")) {
            if (!entry.isDirectory && directory.names.count(base::asciiUpper(entry.name)) != 0) {
                bytes += entry.size;
            }
        }
    }
    const std::uint64_t kilobytes = (bytes + 1023) / 1024;
    return std::uint32_t(
        std::min<std::uint64_t>(kilobytes, std::numeric_limits<std::uint32_t>::max()));
}

} // namespace parcelkit::system
