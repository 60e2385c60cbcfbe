#include "fake_removal_disk.hpp"

#include "base/text.hpp"

namespace parcelkit::doubles {

namespace {

std::wstring parentOf(const std::wstring& path) {
    const auto slash = path.rfind(L'\\');
    return slash == std::wstring::npos || slash < 3 ? std::wstring() : path.substr(0, slash);
}

bool isChildOf(const std::wstring& folded, const std::wstring& parent) {
    return folded.size() > parent.size() + 1 && folded.compare(0, parent.size(), parent) == 0 &&
           folded[parent.size()] == L'\\' &&
           folded.find(L'\\', parent.size() + 1) == std::wstring::npos;
}

} // namespace

std::wstring FakeRemovalDisk::fold(const std::wstring& path) {
    std::wstring folded = base::asciiUpper(path);
    while (folded.size() > 3 && folded.back() == L'\\') {
        folded.pop_back();
    }
    return folded;
}

void FakeRemovalDisk::addFile(const std::wstring& path, std::wstring text) {
    if (const auto parent = parentOf(path); !parent.empty()) {
        addDirectory(parent);
    }
    files_[fold(path)] = {path, std::move(text)};
}

void FakeRemovalDisk::addDirectory(const std::wstring& path) {
    std::wstring trimmed = path;
    while (!trimmed.empty() && trimmed.back() == L'\\') {
        trimmed.pop_back();
    }
    if (trimmed.size() <= 2) {
        return; // a drive alone
    }
    if (const auto parent = parentOf(trimmed); !parent.empty()) {
        addDirectory(parent);
    }
    dirs_.emplace(fold(trimmed), trimmed);
}

const std::wstring* FakeRemovalDisk::text(const std::wstring& path) const {
    const auto it = files_.find(fold(path));
    return it == files_.end() ? nullptr : &it->second.text;
}

bool FakeRemovalDisk::fileExists(const std::wstring& path) const {
    return files_.count(fold(path)) != 0;
}

bool FakeRemovalDisk::directoryExists(const std::wstring& path) const {
    return dirs_.count(fold(path)) != 0;
}

bool FakeRemovalDisk::createDirectory(const std::wstring& path) {
    addDirectory(path);
    return true;
}

bool FakeRemovalDisk::hasChildren(const std::wstring& folded) const {
    for (const auto& [file, entry] : files_) {
        if (isChildOf(file, folded)) {
            return true;
        }
    }
    for (const auto& [dir, written] : dirs_) {
        if (isChildOf(dir, folded)) {
            return true;
        }
    }
    return false;
}

std::vector<platform::DirectoryEntry> FakeRemovalDisk::list(const std::wstring& directory,
                                                            const std::wstring& /*pattern*/) const {
    const std::wstring folded = fold(directory);
    std::vector<platform::DirectoryEntry> entries;
    for (const auto& [file, entry] : files_) {
        if (isChildOf(file, folded)) {
            entries.push_back({entry.path.substr(entry.path.rfind(L'\\') + 1), false});
        }
    }
    for (const auto& [dir, written] : dirs_) {
        if (isChildOf(dir, folded)) {
            entries.push_back({written.substr(written.rfind(L'\\') + 1), true});
        }
    }
    return entries;
}

bool FakeRemovalDisk::copyFile(const std::wstring& from, const std::wstring& to,
                               std::wstring* reason) {
    const auto* source = text(from);
    if (source == nullptr) {
        if (reason != nullptr) {
            *reason = L"The system cannot find the file specified.";
        }
        return false;
    }
    addFile(to, *source);
    return true;
}

bool FakeRemovalDisk::deleteFile(const std::wstring& path, std::wstring* reason) {
    const std::wstring folded = fold(path);
    log.push_back(L"delete " + path);
    if (locked_.count(folded) != 0 || files_.count(folded) == 0) {
        if (reason != nullptr) {
            *reason = locked_.count(folded) != 0
                          ? L"The process cannot access the file because it is being used by "
                            L"another process."
                          : L"The system cannot find the file specified.";
        }
        return false;
    }
    files_.erase(folded);
    return true;
}

bool FakeRemovalDisk::removeEmptyDirectory(const std::wstring& path, std::wstring* reason) {
    const std::wstring folded = fold(path);
    log.push_back(L"rmdir " + path);
    if (dirs_.count(folded) == 0 || hasChildren(folded) || protected_.count(folded) != 0) {
        if (reason != nullptr) {
            *reason = hasChildren(folded) ? L"The directory is not empty." : L"Access is denied.";
        }
        return false;
    }
    dirs_.erase(folded);
    return true;
}

bool FakeRemovalDisk::deleteAtRestart(const std::wstring& path) {
    if (refuseRestart_) {
        return false;
    }
    log.push_back(L"restart " + path);
    atRestart.push_back(path);
    return true;
}

std::optional<std::wstring> FakeRemovalDisk::readText(const std::wstring& path) const {
    const auto* found = text(path);
    return found == nullptr ? std::nullopt : std::optional<std::wstring>(*found);
}

bool FakeRemovalDisk::writeUtf16(const std::wstring& path, const std::wstring& content,
                                 std::wstring* reason) {
    if (!directoryExists(parentOf(path))) {
        if (reason != nullptr) {
            *reason = L"The system cannot find the path specified.";
        }
        return false;
    }
    log.push_back(L"write " + path);
    addFile(path, content);
    return true;
}

} // namespace parcelkit::doubles
