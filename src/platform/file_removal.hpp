#pragma once

#include "platform/outcome.hpp"

#include <string>
#include <vector>

namespace parcelkit::platform {

// Taking files and directories away again.
class FileRemoval {
public:
    virtual ~FileRemoval() = default;

    // Deletes a file, clearing read-only, hidden and system first (a file copied from a
    // CD keeps its read-only mark).
    virtual Outcome removeFile(const std::wstring& path) = 0;
    // Removes a directory only when it is empty; the system refuses any other.
    virtual Outcome removeEmptyDirectory(const std::wstring& path) = 0;
    // Has the system delete a file, or an empty directory, at the next restart, after the
    // deletions asked for before it.
    virtual Outcome deleteAtRestart(const std::wstring& path) = 0;
};

// The running uninstaller's own file: a program cannot delete itself while it runs.
class SelfRemoval {
public:
    virtual ~SelfRemoval() = default;
    // The full path of the running program.
    virtual std::wstring programPath() const = 0;
    // Arranges that, once this program has ended, its file is deleted and then the given
    // directories are removed in order, each only when empty.
    virtual Outcome removeAfterExit(const std::vector<std::wstring>& directories) = 0;
    // Gets ready for removeAfterExit while there is other work to do, so that the program's
    // end is not followed by more waiting. Nothing is removed unless removeAfterExit asks.
    virtual void prepareRemoval() {}
};

} // namespace parcelkit::platform
