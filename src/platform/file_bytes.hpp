#pragma once

#include <optional>
#include <string>

namespace parcelkit::platform {

// Whole files as bytes, for the text files whose encoding the installer decides itself
// (registry files and their UTF-16 copies).
class FileBytes {
public:
    virtual ~FileBytes() = default;

    // The file's bytes; nullopt when it does not exist. Throws PlatformError when it
    // exists but cannot be read.
    virtual std::optional<std::string> read(const std::wstring& path) const = 0;
    // Creates the file or replaces its content. Throws PlatformError, naming the file and
    // the system's reason, when refused; a half-written file is removed.
    virtual void write(const std::wstring& path, const std::string& bytes) = 0;
    // Text in the system's default (ANSI) code page.
    virtual std::wstring fromAnsi(const std::string& bytes) const = 0;
};

} // namespace parcelkit::platform
