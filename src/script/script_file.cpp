#include "script/script_file.hpp"

#include "platform/profile.hpp"

namespace parcelkit::script {

bool sectionExists(const platform::ProfileFile& file, const std::wstring& section) {
    return !file.keyNames(section).empty();
}

std::vector<std::wstring> readListSection(const platform::ProfileFile& file,
                                          const std::wstring& section) {
    std::vector<std::wstring> lines;
    for (const auto& key : file.keyNames(section)) {
        lines.push_back(key + L"=" + file.readString(section, key, L""));
    }
    return lines;
}

} // namespace parcelkit::script
