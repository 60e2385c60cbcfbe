#pragma once

#include "platform/outcome.hpp"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace parcelkit::platform {

// Last-write time in 100-nanosecond units since 1601-01-01 UTC.
using FileTime = std::uint64_t;

struct DirectoryEntry {
    std::wstring name;
    bool isDirectory = false;
    // In bytes; a directory's is 0. The listing has it at no further cost.
    std::uint64_t size = 0;
};

struct CopyRequest {
    std::wstring from;
    std::wstring to;
};

// Hears of the copies of one copyFiles call: the position of the request, and its outcome.
using CopyReport = std::function<void(std::size_t, const Outcome&)>;

// Files and directories, with Windows path rules (backslashes, drive letters).
class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual bool fileExists(const std::wstring& path) const = 0;      // a file, not a directory
    virtual bool directoryExists(const std::wstring& path) const = 0; // a directory
    // Creates one directory level; done when it exists afterwards.
    virtual Outcome createDirectory(const std::wstring& path) = 0;
    // The 8.3 form of an existing path; nullopt when the system gives none.
    virtual std::optional<std::wstring> shortPath(const std::wstring& path) const = 0;
    // Entries of a directory matching a pattern with "*" and "?" ("." and ".." left out).
    virtual std::vector<DirectoryEntry> list(const std::wstring& directory,
                                             const std::wstring& pattern) const = 0;
    virtual std::optional<FileTime> lastWriteTime(const std::wstring& path) const = 0;
    // Copies, replacing an existing target.
    virtual Outcome copyFile(const std::wstring& from, const std::wstring& to) = 0;
    // Copies each pair as copyFile does, perhaps several at once, and reports each outcome
    // on the calling thread in the order of the requests. The targets must differ. When
    // the report throws, the copies still under way end before the call does.
    virtual void copyFiles(const std::vector<CopyRequest>& copies, const CopyReport& report) {
        for (std::size_t i = 0; i < copies.size(); ++i) {
            report(i, copyFile(copies[i].from, copies[i].to));
        }
    }
    virtual Outcome deleteFile(const std::wstring& path) = 0;
    virtual Outcome setNormalAttributes(const std::wstring& path) = 0;
    // Creates an empty file under a name of its own in the directory: the prefix (at most
    // three characters), hexadecimal digits and ".TMP". Its full path.
    virtual Result<std::wstring> createTemporaryFile(const std::wstring& directory,
                                                     const std::wstring& prefix) = 0;
    // Has the system move the file onto target at the next restart, replacing what is
    // there then (the NT family keeps the request in the registry).
    virtual Outcome moveAtRestart(const std::wstring& from, const std::wstring& to) = 0;
    virtual std::wstring currentDirectory() const = 0;
    // Makes an existing directory the process's current directory.
    virtual Outcome setCurrentDirectory(const std::wstring& path) = 0;
};

} // namespace parcelkit::platform
