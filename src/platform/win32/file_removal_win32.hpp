#pragma once

#include "platform/file_removal.hpp"

namespace parcelkit::win32 {

class Win32FileRemoval : public platform::FileRemoval {
public:
    bool deleteFile(const std::wstring& path, std::wstring* reason) override;
    bool removeEmptyDirectory(const std::wstring& path, std::wstring* reason) override;
    bool deleteAtRestart(const std::wstring& path) override;
    std::optional<std::wstring> readText(const std::wstring& path) const override;
    bool writeUtf16(const std::wstring& path, const std::wstring& text,
                    std::wstring* reason) override;
};

} // namespace parcelkit::win32
