#pragma once

#include "platform/shell.hpp"

#include <map>
#include <vector>

namespace parcelkit::doubles {

// Special folders by CSIDL, and every link handed over for saving.
struct FakeShell : platform::Shell {
    struct SavedLink {
        std::wstring file;
        platform::ShellLink link;
    };

    std::map<int, std::wstring> folders;
    std::vector<SavedLink> saved;
    bool linkObjectAvailable = true;

    std::optional<std::wstring> specialFolder(int csidl) const override {
        const auto it = folders.find(csidl);
        if (it == folders.end()) {
            return std::nullopt;
        }
        return it->second;
    }
    bool createLink(const std::wstring& linkFile, const platform::ShellLink& link) override {
        if (!linkObjectAvailable) {
            return false;
        }
        saved.push_back({linkFile, link});
        return true;
    }
};

} // namespace parcelkit::doubles
