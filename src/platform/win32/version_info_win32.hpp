#pragma once

#include "platform/version_info.hpp"

namespace parcelkit::win32 {

class Win32VersionInfo : public platform::VersionInfo {
public:
    std::optional<platform::FileVersion> fileVersion(const std::wstring& path) const override;
};

} // namespace parcelkit::win32
