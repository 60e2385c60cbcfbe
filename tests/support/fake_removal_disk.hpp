#pragma once

#include "platform/file_bytes.hpp"
#include "platform/file_removal.hpp"
#include "platform/file_system.hpp"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace parcelkit::doubles {

// Files and directories of one disk, with the path rules of Windows (case does not
// matter), as the file system, the removal and the whole-file reader see them. Every
// change is logged in order, so tests can check what happened before what.
class FakeRemovalDisk : public platform::FileSystem,
                        public platform::FileRemoval,
                        public platform::FileBytes {
public:
    // Adds the file and its missing parent directories.
    void addFile(const std::wstring& path, std::wstring text = L"");
    void addDirectory(const std::wstring& path);
    // A file another program holds open: it cannot be deleted now.
    void lockFile(const std::wstring& path) { locked_.insert(fold(path)); }
    void refuseDeletesAtRestart() { refuseRestart_ = true; }
    // A directory the system refuses to remove even when empty (no rights).
    void protectDirectory(const std::wstring& path) { protected_.insert(fold(path)); }

    bool hasFile(const std::wstring& path) const { return fileExists(path); }
    bool hasDirectory(const std::wstring& path) const { return directoryExists(path); }
    const std::wstring* text(const std::wstring& path) const;
    // "delete X", "rmdir X", "restart X", "write X", in order.
    std::vector<std::wstring> log;
    std::vector<std::wstring> atRestart; // in the order asked

    bool fileExists(const std::wstring& path) const override;
    bool directoryExists(const std::wstring& path) const override;
    platform::Outcome createDirectory(const std::wstring& path) override;
    std::optional<std::wstring> shortPath(const std::wstring&) const override {
        return std::nullopt;
    }
    std::vector<platform::DirectoryEntry> list(const std::wstring& directory,
                                               const std::wstring& pattern) const override;
    std::optional<platform::FileTime> lastWriteTime(const std::wstring&) const override {
        return std::nullopt;
    }
    platform::Outcome copyFile(const std::wstring& from, const std::wstring& to) override;
    platform::Outcome deleteFile(const std::wstring& path) override { return removeFile(path); }
    platform::Outcome setNormalAttributes(const std::wstring& path) override;
    platform::Result<std::wstring> createTemporaryFile(const std::wstring& directory,
                                                       const std::wstring& prefix) override;
    platform::Outcome moveAtRestart(const std::wstring& from, const std::wstring& to) override;
    std::wstring currentDirectory() const override { return L"C:\\"; }
    // The uninstaller never changes the current directory through the file system.
    platform::Outcome setCurrentDirectory(const std::wstring&) override {
        return platform::Failure{platform::Failure::kNotSupported, L"Not on this disk."};
    }

    platform::Outcome removeFile(const std::wstring& path) override;
    platform::Outcome removeEmptyDirectory(const std::wstring& path) override;
    platform::Outcome deleteAtRestart(const std::wstring& path) override;

    // Files read as UTF-16LE with the mark; written files keep the text their mark names.
    platform::Result<std::string> read(const std::wstring& path) const override;
    platform::Outcome write(const std::wstring& path, const std::string& bytes) override;
    std::wstring fromAnsi(const std::string& bytes) const override;

    static std::wstring fold(const std::wstring& path);

private:
    struct File {
        std::wstring path;
        std::wstring text;
    };
    bool hasChildren(const std::wstring& folded) const;

    std::map<std::wstring, File> files_;        // by folded path
    std::map<std::wstring, std::wstring> dirs_; // folded path -> path as written
    std::set<std::wstring> locked_;
    std::set<std::wstring> protected_;
    bool refuseRestart_ = false;
};

} // namespace parcelkit::doubles
