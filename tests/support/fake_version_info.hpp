#pragma once

#include "platform/version_info.hpp"

#include <map>

namespace parcelkit::doubles {

// Version resources by path; a file that is not listed has none.
struct FakeVersionInfo : platform::VersionInfo {
    std::map<std::wstring, platform::FileVersion> versions;

    std::optional<platform::FileVersion> fileVersion(const std::wstring& path) const override {
        const auto it = versions.find(path);
        if (it == versions.end()) {
            return std::nullopt;
        }
        return it->second;
    }
};

} // namespace parcelkit::doubles
