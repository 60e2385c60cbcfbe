#include "fake_file_system.hpp"

#include "base/text.hpp"
#include "name_pattern.hpp"

namespace parcelkit::doubles {

namespace {

platform::Failure refused(std::uint32_t code, const wchar_t* reason) {
    return {code, reason};
}

} // namespace

platform::Outcome FakeFileSystem::createDirectory(const std::wstring& path) {
    directories_.insert(path);
    return {};
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
        if (name.find(L'\\') == std::wstring::npos && matchesNamePattern(name, pattern)) {
            const auto size = sizes_.find(path);
            entries.push_back({name, isDirectory, size == sizes_.end() ? 0 : size->second});
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

platform::Outcome FakeFileSystem::copyFile(const std::wstring& from, const std::wstring& to) {
    copies_.push_back({from, to});
    const auto it = files_.find(from);
    if (it == files_.end()) {
        return refused(platform::Failure::kFileNotFound,
                       L"The system cannot find the file specified.");
    }
    if (locked_.count(to) != 0) {
        return refused(platform::Failure::kSharingViolation,
                       L"The process cannot access the file because it is being used by "
                       L"another process.");
    }
    if (readOnly_.count(to) != 0) {
        return refused(platform::Failure::kAccessDenied, L"Access is denied.");
    }
    files_[to] = it->second;
    if (const auto size = sizes_.find(from); size != sizes_.end()) {
        sizes_[to] = size->second;
    } else {
        sizes_.erase(to);
    }
    return {};
}

platform::Outcome FakeFileSystem::deleteFile(const std::wstring& path) {
    if (locked_.count(path) != 0) {
        return refused(platform::Failure::kSharingViolation, L"The file is in use.");
    }
    if (readOnly_.count(path) != 0) {
        return refused(platform::Failure::kAccessDenied, L"Access is denied.");
    }
    sizes_.erase(path);
    if (files_.erase(path) == 0) {
        return refused(platform::Failure::kFileNotFound,
                       L"The system cannot find the file specified.");
    }
    return {};
}

platform::Outcome FakeFileSystem::setNormalAttributes(const std::wstring& path) {
    readOnly_.erase(path);
    if (!fileExists(path)) {
        return refused(platform::Failure::kFileNotFound,
                       L"The system cannot find the file specified.");
    }
    return {};
}

platform::Result<std::wstring> FakeFileSystem::createTemporaryFile(const std::wstring& directory,
                                                                   const std::wstring& prefix) {
    if (!directoryExists(directory)) {
        return refused(platform::Failure::kPathNotFound,
                       L"The system cannot find the path specified.");
    }
    static constexpr wchar_t kHex[] = L"0123456789ABCDEF";
    for (;;) {
        std::wstring digits;
        for (unsigned n = ++temporaryCounter_; n != 0; n /= 16) {
            digits.insert(digits.begin(), kHex[n % 16]);
        }
        std::wstring path = directory + L"\\" + prefix.substr(0, 3) + digits + L".TMP";
        if (!fileExists(path)) {
            files_[path] = 0;
            return path;
        }
    }
}

platform::Outcome FakeFileSystem::moveAtRestart(const std::wstring& from, const std::wstring& to) {
    if (refuseMoves_) {
        return refused(platform::Failure::kAccessDenied, L"Access is denied.");
    }
    moves_.push_back({from, to});
    return {};
}

} // namespace parcelkit::doubles
