#pragma once

#include <optional>
#include <string>
#include <vector>

namespace parcelkit::platform {

// Taking files and directories away again, and the whole-file texts the uninstaller keeps
// beside them (its undo registry file).
class FileRemoval {
public:
    virtual ~FileRemoval() = default;

    // Deletes a file, clearing read-only, hidden and system first (a file copied from a
    // CD keeps its read-only mark). False with the system's reason when refused.
    virtual bool deleteFile(const std::wstring& path, std::wstring* reason) = 0;
    // Removes a directory only when it is empty; the system refuses any other.
    virtual bool removeEmptyDirectory(const std::wstring& path, std::wstring* reason) = 0;
    // Has the system delete a file, or an empty directory, at the next restart, after the
    // deletions asked for before it. False when refused.
    virtual bool deleteAtRestart(const std::wstring& path) = 0;
    // A whole text file, decoded by its byte-order mark (UTF-16LE, UTF-8), otherwise in
    // the system's code page; nullopt when it cannot be read.
    virtual std::optional<std::wstring> readText(const std::wstring& path) const = 0;
    // Writes a text file as UTF-16LE with the byte-order mark FF FE, replacing it.
    virtual bool writeUtf16(const std::wstring& path, const std::wstring& text,
                            std::wstring* reason) = 0;
};

// The running uninstaller's own file: a program cannot delete itself while it runs.
class SelfRemoval {
public:
    virtual ~SelfRemoval() = default;
    // The full path of the running program.
    virtual std::wstring programPath() const = 0;
    // Arranges that, once this program has ended, its file is deleted and then the given
    // directories are removed in order, each only when empty. False when it cannot be
    // arranged.
    virtual bool removeAfterExit(const std::vector<std::wstring>& directories) = 0;
};

} // namespace parcelkit::platform
