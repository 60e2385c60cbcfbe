#pragma once

#include "platform/file_system.hpp"
#include "platform/win32/parallel_copy.hpp"

#include <vector>

namespace parcelkit::win32 {

class Win32FileSystem : public platform::FileSystem {
public:
    bool fileExists(const std::wstring& path) const override;
    bool directoryExists(const std::wstring& path) const override;
    platform::Outcome createDirectory(const std::wstring& path) override;
    std::optional<std::wstring> shortPath(const std::wstring& path) const override;
    std::vector<platform::DirectoryEntry> list(const std::wstring& directory,
                                               const std::wstring& pattern) const override;
    std::optional<platform::FileTime> lastWriteTime(const std::wstring& path) const override;
    platform::Outcome copyFile(const std::wstring& from, const std::wstring& to) override;
    void copyFiles(const std::vector<platform::CopyRequest>& copies,
                   const platform::CopyReport& report) override;
    platform::Outcome deleteFile(const std::wstring& path) override;
    platform::Outcome setNormalAttributes(const std::wstring& path) override;
    platform::Result<std::wstring> createTemporaryFile(const std::wstring& directory,
                                                       const std::wstring& prefix) override;
    platform::Outcome moveAtRestart(const std::wstring& from, const std::wstring& to) override;
    std::wstring currentDirectory() const override;
    platform::Outcome setCurrentDirectory(const std::wstring& path) override;

private:
    ParallelCopier copier_;
};

} // namespace parcelkit::win32
