#include "fake_file_system.hpp"

#include "base/text.hpp"

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
    if (pattern[0] == L'?' || base::asciiLower(pattern[0]) == base::asciiLower(name[0])) {
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
    copies_.push_back({from, to});
    const auto fail = [reason](const wchar_t* text) {
        if (reason != nullptr) {
            *reason = text;
        }
        return false;
    };
    const auto it = files_.find(from);
    if (it == files_.end()) {
        return fail(L"The system cannot find the file specified.");
    }
    if (locked_.count(to) != 0) {
        return fail(L"The process cannot access the file because it is being used by another "
                    L"process.");
    }
    if (readOnly_.count(to) != 0) {
        return fail(L"Access is denied.");
    }
    files_[to] = it->second;
    return true;
}

bool FakeFileSystem::deleteFile(const std::wstring& path) {
    if (locked_.count(path) != 0 || readOnly_.count(path) != 0) {
        return false;
    }
    return files_.erase(path) != 0;
}

bool FakeFileSystem::setNormalAttributes(const std::wstring& path) {
    readOnly_.erase(path);
    return fileExists(path);
}

std::optional<std::wstring> FakeFileSystem::createTemporaryFile(const std::wstring& directory,
                                                                const std::wstring& prefix) {
    if (!directoryExists(directory)) {
        return std::nullopt;
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

bool FakeFileSystem::moveAtRestart(const std::wstring& from, const std::wstring& to) {
    if (refuseMoves_) {
        return false;
    }
    moves_.push_back({from, to});
    return true;
}

} // namespace parcelkit::doubles
