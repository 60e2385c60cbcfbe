#pragma once

#include "platform/file_bytes.hpp"
#include "platform/file_system.hpp"

namespace parcelkit::native {

// The file system read on a machine that is not Windows, for tools that only look at a
// setup folder: paths are found with Windows' rules, and every changing request is
// refused.
class ReadOnlyFileSystem : public platform::FileSystem {
public:
    bool fileExists(const std::wstring& path) const override;
    bool directoryExists(const std::wstring& path) const override;
    platform::Outcome createDirectory(const std::wstring& path) override;
    std::optional<std::wstring> shortPath(const std::wstring& path) const override;
    std::vector<platform::DirectoryEntry> list(const std::wstring& directory,
                                               const std::wstring& pattern) const override;
    std::optional<platform::FileTime> lastWriteTime(const std::wstring& path) const override;
    platform::Outcome copyFile(const std::wstring& from, const std::wstring& to) override;
    platform::Outcome deleteFile(const std::wstring& path) override;
    platform::Outcome setNormalAttributes(const std::wstring& path) override;
    platform::Result<std::wstring> createTemporaryFile(const std::wstring& directory,
                                                       const std::wstring& prefix) override;
    platform::Outcome moveAtRestart(const std::wstring& from, const std::wstring& to) override;
    std::wstring currentDirectory() const override;
    platform::Outcome setCurrentDirectory(const std::wstring& path) override;
};

// Whole files as bytes, read only. The ANSI code page is taken to be Windows-1252, the
// one Wine gives an English system, so that both builds of a tool read a file alike.
class ReadOnlyFileBytes : public platform::FileBytes {
public:
    platform::Result<std::string> read(const std::wstring& path) const override;
    platform::Outcome write(const std::wstring& path, const std::string& bytes) override;
    std::wstring fromAnsi(const std::string& bytes) const override;
};

} // namespace parcelkit::native
