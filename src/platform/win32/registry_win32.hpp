#pragma once

#include "platform/registry.hpp"

namespace parcelkit::win32 {

class Win32Registry : public platform::Registry {
public:
    std::optional<std::wstring> readString(platform::RootKey root, const std::wstring& subkey,
                                           const std::wstring& name) const override;
    bool keyExists(platform::RootKey root, const std::wstring& subkey) const override;
    platform::Outcome writeString(platform::RootKey root, const std::wstring& subkey,
                                  const std::wstring& name, const std::wstring& value) override;
    platform::Outcome writeDword(platform::RootKey root, const std::wstring& subkey,
                                 const std::wstring& name, std::uint32_t value) override;
    platform::Outcome deleteTree(platform::RootKey root, const std::wstring& subkey) override;
};

} // namespace parcelkit::win32
