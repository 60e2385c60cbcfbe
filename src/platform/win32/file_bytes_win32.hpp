#pragma once

#include "platform/file_bytes.hpp"

namespace parcelkit::win32 {

class Win32FileBytes : public platform::FileBytes {
public:
    platform::Result<std::string> read(const std::wstring& path) const override;
    platform::Outcome write(const std::wstring& path, const std::string& bytes) override;
    std::wstring fromAnsi(const std::string& bytes) const override;
};

} // namespace parcelkit::win32
