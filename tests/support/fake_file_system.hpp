#pragma once

#include "platform/file_system.hpp"

#include <map>
#include <set>

namespace parcelkit::doubles {

// Files and directories held in memory; paths compared as written.
class FakeFileSystem : public platform::FileSystem {
public:
    void addFile(const std::wstring& path, platform::FileTime time = 0) { files_[path] = time; }
    void addDirectory(const std::wstring& path) { directories_.insert(path); }
    // The size the listing reports for a file; a copy takes it along.
    void setSize(const std::wstring& path, std::uint64_t bytes) { sizes_[path] = bytes; }
    void setShortPath(const std::wstring& path, const std::wstring& shortForm) {
        shortForms_[path] = shortForm;
    }
    int shortPathLookups() const { return shortPathLookups_; }
    // A file that another program holds open without sharing: copies onto it fail.
    void lockFile(const std::wstring& path) { locked_.insert(path); }
    // Copies onto a read-only file fail until its attributes are reset.
    void setReadOnly(const std::wstring& path) { readOnly_.insert(path); }
    bool isReadOnly(const std::wstring& path) const { return readOnly_.count(path) != 0; }
    // Every copy, in order, as (from, to), whether it succeeded or not.
    struct Copy {
        std::wstring from;
        std::wstring to;
    };
    const std::vector<Copy>& copies() const { return copies_; }
    // Moves registered for the next restart, in order.
    const std::vector<Copy>& movesAtRestart() const { return moves_; }
    void refuseMovesAtRestart(bool refuse) { refuseMoves_ = refuse; }

    bool fileExists(const std::wstring& path) const override { return files_.count(path) != 0; }
    bool directoryExists(const std::wstring& path) const override {
        return directories_.count(path) != 0;
    }
    platform::Outcome createDirectory(const std::wstring& path) override;
    std::optional<std::wstring> shortPath(const std::wstring& path) const override;
    std::vector<platform::DirectoryEntry> list(const std::wstring& directory,
                                               const std::wstring& pattern) const override;
    std::optional<platform::FileTime> lastWriteTime(const std::wstring& path) const override;
    platform::Outcome copyFile(const std::wstring& from, const std::wstring& to) override;
    platform::Outcome deleteFile(const std::wstring& path) override;
    platform::Outcome setNormalAttributes(const std::wstring& path) override;
    // Names like the system's: the prefix, a hexadecimal counter and ".TMP"; the directory
    // must exist.
    platform::Result<std::wstring> createTemporaryFile(const std::wstring& directory,
                                                       const std::wstring& prefix) override;
    platform::Outcome moveAtRestart(const std::wstring& from, const std::wstring& to) override;
    std::wstring currentDirectory() const override { return current_; }
    // Any path: a test lays out only what it looks at.
    platform::Outcome setCurrentDirectory(const std::wstring& path) override {
        current_ = path;
        return {};
    }

private:
    std::map<std::wstring, platform::FileTime> files_;
    std::map<std::wstring, std::uint64_t> sizes_;
    std::set<std::wstring> directories_;
    std::map<std::wstring, std::wstring> shortForms_;
    std::wstring current_ = L"C:\\setup";
    mutable int shortPathLookups_ = 0;
    std::set<std::wstring> locked_;
    std::set<std::wstring> readOnly_;
    std::vector<Copy> copies_;
    std::vector<Copy> moves_;
    bool refuseMoves_ = false;
    unsigned temporaryCounter_ = 0;
};

} // namespace parcelkit::doubles
