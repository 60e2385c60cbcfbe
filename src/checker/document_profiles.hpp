#pragma once

#include "platform/file_bytes.hpp"
#include "platform/profile.hpp"

namespace parcelkit::checker {

// Profile files read from their bytes with the private-profile rules of
// script::ProfileDocument, for machines without the profile functions. Read only: every
// write is refused. A file is read when it is opened.
class DocumentProfiles : public platform::ProfileStore {
public:
    explicit DocumentProfiles(const platform::FileBytes& files) : files_(files) {}

    std::unique_ptr<platform::ProfileFile> open(const std::wstring& path) override;
    platform::Result<std::wstring> readText(const std::wstring& path) const override;
    platform::Outcome writeText(const std::wstring& path, const std::wstring& text) override;

private:
    const platform::FileBytes& files_;
};

} // namespace parcelkit::checker
