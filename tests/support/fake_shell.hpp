#pragma once

#include "platform/shell.hpp"

#include <map>
#include <set>
#include <vector>

namespace parcelkit::doubles {

// Special folders by CSIDL, and every link saved; the links named in refused are not, as
// in a folder that cannot be written.
struct FakeShell : platform::Shell {
    struct SavedLink {
        std::wstring file;
        platform::ShellLink link;
    };

    std::map<int, std::wstring> folders;
    std::vector<SavedLink> saved;
    std::set<std::wstring> refused;
    bool linkObjectAvailable = true;

    std::optional<std::wstring> specialFolder(int csidl) const override {
        const auto it = folders.find(csidl);
        if (it == folders.end()) {
            return std::nullopt;
        }
        return it->second;
    }
    platform::Outcome createLink(const std::wstring& linkFile,
                                 const platform::ShellLink& link) override {
        if (!linkObjectAvailable) {
            return platform::Failure{platform::Failure::kNotSupported, L"No link object."};
        }
        if (refused.count(linkFile) != 0) {
            return platform::Failure{platform::Failure::kAccessDenied, L"Access is denied."};
        }
        saved.push_back({linkFile, link});
        return {};
    }
};

} // namespace parcelkit::doubles
