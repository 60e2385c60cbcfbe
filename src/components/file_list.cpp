#include "components/file_list.hpp"

#include <algorithm>

namespace parcelkit::components {

namespace {

// The directory search hands back names of at most this many characters.
constexpr std::size_t kMaxName = 260;

} // namespace

std::optional<std::vector<platform::DirectoryEntry>> listFiles(const std::wstring& path,
                                                               const platform::FileSystem& files) {
    const auto slash = path.rfind(L'\\');
    // A bare pattern searches the current directory, as the system's search does.
    const std::wstring directory = slash == std::wstring::npos ? L"." : path.substr(0, slash);
    const std::wstring pattern = slash == std::wstring::npos ? path : path.substr(slash + 1);
    if (pattern.empty()) {
        return std::nullopt;
    }
    std::optional<std::vector<platform::DirectoryEntry>> found;
    for (auto& entry : files.list(directory, pattern)) {
        if (entry.isDirectory) {
            continue;
        }
        if (!found) {
            found.emplace();
        }
        entry.name.resize(std::min(entry.name.size(), kMaxName));
        found->push_back(std::move(entry));
    }
    return found;
}

std::optional<std::vector<std::wstring>> GetFileList(const std::wstring& path,
                                                     const platform::FileSystem& files) {
    auto found = listFiles(path, files);
    if (!found) {
        return std::nullopt;
    }
    std::vector<std::wstring> names;
    names.reserve(found->size());
    for (auto& entry : *found) {
        names.push_back(std::move(entry.name));
    }
    return names;
}

} // namespace parcelkit::components
