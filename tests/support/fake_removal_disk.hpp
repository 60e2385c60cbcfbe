#pragma once

#include "platform/file_removal.hpp"
#include "platform/file_system.hpp"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace parcelkit::doubles {

// Files and directories of one disk, with the path rules of Windows (case does not
// matter), as both the file system and the removal see them. Every change is logged in
// order, so tests can check what happened before what.
class FakeRemovalDisk : public platform::FileSystem, public platform::FileRemoval {
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
    bool createDirectory(const std::wstring& path) override;
    std::optional<std::wstring> shortPath(const std::wstring&) const override {
        return std::nullopt;
    }
    std::vector<platform::DirectoryEntry> list(const std::wstring& directory,
                                               const std::wstring& pattern) const override;
    std::optional<platform::FileTime> lastWriteTime(const std::wstring&) const override {
        return std::nullopt;
    }
    bool copyFile(const std::wstring& from, const std::wstring& to, std::wstring* reason) override;
    bool deleteFile(const std::wstring& path) override { return deleteFile(path, nullptr); }
    bool setNormalAttributes(const std::wstring& path) override { return fileExists(path); }
    std::wstring currentDirectory() const override { return L"C:\\"; }

    bool deleteFile(const std::wstring& path, std::wstring* reason) override;
    bool removeEmptyDirectory(const std::wstring& path, std::wstring* reason) override;
    bool deleteAtRestart(const std::wstring& path) override;
    std::optional<std::wstring> readText(const std::wstring& path) const override;
    bool writeUtf16(const std::wstring& path, const std::wstring& text,
                    std::wstring* reason) override;

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
