#pragma once

#include "platform/system_info.hpp"

namespace parcelkit::win32 {

class Win32SystemInfo : public platform::SystemInfo {
public:
    unsigned platformId() const override;
    std::wstring windowsDirectory() const override;
    std::wstring systemDirectory() const override;
    std::wstring tempDirectory() const override;
    std::wstring environment(const std::wstring& name) const override;
    std::uint32_t systemLocale() const override;
    std::wstring commandLine() const override;
    std::vector<std::wstring> arguments() const override;
    std::wstring programDirectory() const override;
    platform::Date localDate() const override;
};

} // namespace parcelkit::win32
