#include "fake_file_system.hpp"

#include "script/text.hpp"

namespace parcelkit::doubles {

namespace {

// "*" and "?" matching without regard to case, as the system's directory search does.
bool matches(std::wstring_view name, std::wstring_view pattern) {
    if (pattern.empty()) {
        return name.empty();
    }
    if (pattern[0] == L'*') {
        for (std::size_t i = 0; i <= name.size(); ++i) {
            if (matches(name.substr(i), pattern.substr(1))) {
                return true;
            }
        }
        return false;
    }
    if (name.empty()) {
        return false;
    }
    if (pattern[0] == L'?' || script::asciiLower(pattern[0]) == script::asciiLower(name[0])) {
        return matches(name.substr(1), pattern.substr(1));
    }
    return false;
}

} // namespace

bool FakeFileSystem::createDirectory(const std::wstring& path) {
    directories_.insert(path);
    return true;
}

std::optional<std::wstring> FakeFileSystem::shortPath(const std::wstring& path) const {
    ++shortPathLookups_;
    const auto it = shortForms_.find(path);
    if (it != shortForms_.end()) {
        return it->second;
    }
    return std::nullopt;
}

std::vector<platform::DirectoryEntry> FakeFileSystem::list(const std::wstring& directory,
                                                           const std::wstring& pattern) const {
    std::vector<platform::DirectoryEntry> entries;
    const std::wstring prefix = directory + L"\\";
    const auto add = [&](const std::wstring& path, bool isDirectory) {
        if (path.compare(0, prefix.size(), prefix) != 0) {
            return;
        }
        const std::wstring name = path.substr(prefix.size());
        if (name.find(L'\\') == std::wstring::npos && matches(name, pattern)) {
            entries.push_back({name, isDirectory});
        }
    };
    for (const auto& [path, time] : files_) {
        add(path, false);
    }
    for (const auto& path : directories_) {
        add(path, true);
    }
    return entries;
}

std::optional<platform::FileTime> FakeFileSystem::lastWriteTime(const std::wstring& path) const {
    const auto it = files_.find(path);
    if (it == files_.end()) {
        return std::nullopt;
    }
    return it->second;
}

bool FakeFileSystem::copyFile(const std::wstring& from, const std::wstring& to,
                              std::wstring* reason) {
    const auto it = files_.find(from);
    if (it == files_.end()) {
        if (reason != nullptr) {
            *reason = L"The system cannot find the file specified.";
        }
        return false;
    }
    files_[to] = it->second;
    return true;
}

} // namespace parcelkit::doubles
