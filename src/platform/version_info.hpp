#pragma once

#include <array>
#include <optional>
#include <string>

namespace parcelkit::platform {

// The four parts of a file version: major, minor, build, revision.
using FileVersion = std::array<unsigned, 4>;

class VersionInfo {
public:
    virtual ~VersionInfo() = default;
    // The fixed version block of a file; nullopt when the file has no version resource.
    virtual std::optional<FileVersion> fileVersion(const std::wstring& path) const = 0;
};

} // namespace parcelkit::platform
