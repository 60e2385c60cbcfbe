#include "components/file_list.hpp"

#include "platform/file_system.hpp"

namespace parcelkit::components {

namespace {

// The directory search hands back names of at most this many characters.
constexpr std::size_t kMaxName = 260;

} // namespace

std::optional<std::vector<std::wstring>> GetFileList(const std::wstring& path,
                                                     const platform::FileSystem& files) {
    const auto slash = path.rfind(L'\\');
    // A bare pattern searches the current directory, as the system's search does.
    const std::wstring directory = slash == std::wstring::npos ? L"." : path.substr(0, slash);
    const std::wstring pattern = slash == std::wstring::npos ? path : path.substr(slash + 1);
    if (pattern.empty()) {
        return std::nullopt;
    }
    std::optional<std::vector<std::wstring>> names;
    for (const auto& entry : files.list(directory, pattern)) {
        if (entry.isDirectory) {
            continue;
        }
        if (!names) {
            names.emplace();
        }
        names->push_back(entry.name.substr(0, kMaxName));
    }
    return names;
}

} // namespace parcelkit::components
