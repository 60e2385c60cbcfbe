#pragma once

#include "platform/file_removal.hpp"

namespace parcelkit::win32 {

class Win32FileRemoval : public platform::FileRemoval {
public:
    platform::Outcome removeFile(const std::wstring& path) override;
    platform::Outcome removeEmptyDirectory(const std::wstring& path) override;
    platform::Outcome deleteAtRestart(const std::wstring& path) override;
};

} // namespace parcelkit::win32
