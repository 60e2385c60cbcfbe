#pragma once

#include "platform/profile.hpp"

namespace parcelkit::win32 {

// A profile file read and written through the private-profile functions.
class Win32Profile : public platform::ProfileFile {
public:
    explicit Win32Profile(std::wstring path) : path_(std::move(path)) {}

    std::wstring readString(const std::wstring& section, const std::wstring& key,
                            const std::wstring& def) const override;
    std::vector<std::wstring> keyNames(const std::wstring& section) const override;
    std::vector<std::wstring> sectionNames() const override;
    platform::Outcome writeString(const std::wstring& section, const std::wstring& key,
                                  const std::wstring& value) override;
    const std::wstring& path() const override { return path_; }
    platform::Outcome deleteKey(const std::wstring& section, const std::wstring& key) override;
    platform::Outcome deleteSection(const std::wstring& section) override;

private:
    std::wstring path_;
};

class Win32ProfileStore : public platform::ProfileStore {
public:
    std::unique_ptr<platform::ProfileFile> open(const std::wstring& path) override;
    platform::Result<std::wstring> readText(const std::wstring& path) const override;
    platform::Outcome writeText(const std::wstring& path, const std::wstring& text) override;

private:
    // The bytes of the last text written: the record is written whole after every group
    // of copies, and a fresh buffer of its size costs a page fault per page.
    std::string encoded_;
};

} // namespace parcelkit::win32
