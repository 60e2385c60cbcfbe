#pragma once

#include "platform/outcome.hpp"

#include <optional>
#include <string>

namespace parcelkit::platform {

// What a shell link file holds, as the installer sets it.
struct ShellLink {
    std::wstring target;
    std::wstring arguments;
    std::wstring workingDirectory;
    std::wstring description;
    std::wstring iconFile; // empty: the shell shows the target's icon
    int iconIndex = 0;
};

// The shell's special folders and its link objects.
class Shell {
public:
    virtual ~Shell() = default;

    // The file-system path of a special folder by its CSIDL, without a trailing
    // backslash; nullopt when the system has no such folder on disk.
    virtual std::optional<std::wstring> specialFolder(int csidl) const = 0;
    // Writes linkFile through the shell's link object, replacing a file of that name.
    // Refused only when the link object or its file interface is not available; a save
    // that fails afterwards is not reported.
    virtual Outcome createLink(const std::wstring& linkFile, const ShellLink& link) = 0;
};

} // namespace parcelkit::platform
