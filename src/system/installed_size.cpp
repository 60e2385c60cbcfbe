#include "system/installed_size.hpp"

#include "base/paths.hpp"
#include "base/text.hpp"
#include "record/record_format.hpp"

#include <algorithm>
#include <limits>
#include <map>
#include <optional>
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
    // The names this run copied, with their sizes then.
    std::map<std::wstring, std::uint64_t> copiedBytes;
};
using FilesByDirectory = std::map<std::wstring, Directory>;

void addFile(FilesByDirectory& found, const std::wstring& path,
             std::optional<std::uint64_t> copiedBytes) {
    const auto slash = path.rfind(L'\\');
    if (slash == std::wstring::npos) {
        return;
    }
    Directory& directory = found[base::asciiUpper(path.substr(0, slash))];
    directory.path = path.substr(0, slash);
    const std::wstring name = base::asciiUpper(path.substr(slash + 1));
    directory.names.insert(name);
    if (copiedBytes) {
        directory.copiedBytes[name] = *copiedBytes;
    }
}

std::uint64_t bytesIn(const Directory& directory, const platform::FileSystem& files) {
    std::uint64_t bytes = 0;
    // All its files copied by this run: their sizes are known. Counting some known and
    // the rest from a listing could count one file twice, under two spellings.
    if (directory.copiedBytes.size() == directory.names.size()) {
        for (const auto& [name, size] : directory.copiedBytes) {
            bytes += size;
        }
        return bytes;
    }
    for (const auto& entry : files.list(directory.path, L"*")) {
        if (!entry.isDirectory && directory.names.count(base::asciiUpper(entry.name)) != 0) {
            bytes += entry.size;
        }
    }
    return bytes;
}

} // namespace

std::uint32_t installedKilobytes(const record::RecordWriter& record,
                                 const model::CopiedSizes& copied,
                                 const platform::FileSystem& files, const std::wstring& setupdir) {
    FilesByDirectory installed;
    for (const auto& key : record.file().keyNames(record::kFileSection)) {
        const record::FileKey file = record::readFileKey(key);
        if (file.suffix != kKeptSuffix) {
            addFile(installed, file.path, copied.sizeOf(file.path));
        }
    }
    addFile(installed, base::withoutOneTrailingBackslash(setupdir) + L"\\uninstall.exe",
            std::nullopt);

    std::uint64_t bytes = 0;
    for (const auto& [folded, directory] : installed) {
        bytes += bytesIn(directory, files);
    }
    const std::uint64_t kilobytes = (bytes + 1023) / 1024;
    return std::uint32_t(
        std::min<std::uint64_t>(kilobytes, std::numeric_limits<std::uint32_t>::max()));
}

} // namespace parcelkit::system
