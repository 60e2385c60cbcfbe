#pragma once

#include "platform/shell.hpp"

#include <optional>

namespace parcelkit::win32 {

// Special folders through item identifier lists, links through IShellLinkW and
// IPersistFile. COM must be initialised for the calling thread.
class Win32Shell : public platform::Shell {
public:
    std::optional<std::wstring> specialFolder(int csidl) const override;
    platform::Outcome createLink(const std::wstring& linkFile,
                                 const platform::ShellLink& link) override;

    // What a link file holds, read back through the same objects; nullopt when it cannot
    // be loaded.
    std::optional<platform::ShellLink> readLink(const std::wstring& linkFile) const;
};

} // namespace parcelkit::win32
