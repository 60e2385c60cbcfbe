#include "fake_removal_disk.hpp"

#include "base/text.hpp"
#include "base/text_encoding.hpp"
#include "name_pattern.hpp"

#include <cwchar>
#include <iterator>

namespace parcelkit::doubles {

namespace {

std::wstring parentOf(const std::wstring& path) {
    const auto slash = path.rfind(L'\\');
    return slash == std::wstring::npos || slash < 3 ? std::wstring() : path.substr(0, slash);
}

platform::Failure refused(std::uint32_t code, const wchar_t* reason) {
    return {code, reason};
}

const platform::Failure kNotFound{platform::Failure::kFileNotFound,
                                  L"The system cannot find the file specified."};

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

platform::Outcome FakeRemovalDisk::createDirectory(const std::wstring& path) {
    addDirectory(path);
    return {};
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
                                                            const std::wstring& pattern) const {
    const std::wstring folded = fold(directory);
    std::vector<platform::DirectoryEntry> entries;
    const auto add = [&](const std::wstring& path, bool isDirectory) {
        const std::wstring name = path.substr(path.rfind(L'\\') + 1);
        if (matchesNamePattern(name, pattern)) {
            entries.push_back({name, isDirectory});
        }
    };
    for (const auto& [file, entry] : files_) {
        if (isChildOf(file, folded)) {
            add(entry.path, false);
        }
    }
    for (const auto& [dir, written] : dirs_) {
        if (isChildOf(dir, folded)) {
            add(written, true);
        }
    }
    return entries;
}

platform::Outcome FakeRemovalDisk::copyFile(const std::wstring& from, const std::wstring& to) {
    const auto* source = text(from);
    if (source == nullptr) {
        return kNotFound;
    }
    addFile(to, *source);
    return {};
}

platform::Outcome FakeRemovalDisk::setNormalAttributes(const std::wstring& path) {
    if (!fileExists(path)) {
        return kNotFound;
    }
    return {};
}

platform::Result<std::wstring> FakeRemovalDisk::createTemporaryFile(const std::wstring& directory,
                                                                    const std::wstring& prefix) {
    // Numbered like the system's own: the prefix, a hexadecimal counter and ".TMP".
    for (unsigned n = 1;; ++n) {
        wchar_t digits[16] = {};
        std::swprintf(digits, std::size(digits), L"%X", n);
        const std::wstring path = directory + L"\\" + prefix.substr(0, 3) + digits + L".TMP";
        if (!fileExists(path)) {
            addFile(path, L"");
            log.push_back(L"create " + path);
            return path;
        }
    }
}

platform::Outcome FakeRemovalDisk::moveAtRestart(const std::wstring&, const std::wstring&) {
    return refused(platform::Failure::kNotSupported, L"Not used by the removal.");
}

platform::Outcome FakeRemovalDisk::removeFile(const std::wstring& path) {
    const std::wstring folded = fold(path);
    log.push_back(L"delete " + path);
    if (locked_.count(folded) != 0) {
        return refused(platform::Failure::kSharingViolation,
                       L"The process cannot access the file because it is being used by "
                       L"another process.");
    }
    if (files_.count(folded) == 0) {
        return kNotFound;
    }
    files_.erase(folded);
    return {};
}

platform::Outcome FakeRemovalDisk::removeEmptyDirectory(const std::wstring& path) {
    const std::wstring folded = fold(path);
    log.push_back(L"rmdir " + path);
    if (hasChildren(folded)) {
        return refused(145, L"The directory is not empty.");
    }
    if (dirs_.count(folded) == 0 || protected_.count(folded) != 0) {
        return refused(platform::Failure::kAccessDenied, L"Access is denied.");
    }
    dirs_.erase(folded);
    return {};
}

platform::Outcome FakeRemovalDisk::deleteAtRestart(const std::wstring& path) {
    if (refuseRestart_) {
        return refused(platform::Failure::kAccessDenied, L"Access is denied.");
    }
    log.push_back(L"restart " + path);
    atRestart.push_back(path);
    return {};
}

platform::Result<std::string> FakeRemovalDisk::read(const std::wstring& path) const {
    const auto* found = text(path);
    if (found == nullptr) {
        return kNotFound;
    }
    return base::encodeUtf16(*found);
}

platform::Outcome FakeRemovalDisk::write(const std::wstring& path, const std::string& bytes) {
    if (!directoryExists(parentOf(path))) {
        return refused(platform::Failure::kPathNotFound,
                       L"The system cannot find the path specified.");
    }
    log.push_back(L"write " + path);
    addFile(path, base::decodeMarkedText(bytes).value_or(fromAnsi(bytes)));
    return {};
}

// Latin-1 stands in for the ANSI code page.
std::wstring FakeRemovalDisk::fromAnsi(const std::string& bytes) const {
    std::wstring text;
    for (const char c : bytes) {
        text.push_back(wchar_t(static_cast<unsigned char>(c)));
    }
    return text;
}

} // namespace parcelkit::doubles
