#pragma once

#include "platform/outcome.hpp"

#include <cstdint>
#include <optional>
#include <string>

namespace parcelkit::platform {

enum class RootKey { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig };

// The registry, addressed by root and sub-key path.
class Registry {
public:
    virtual ~Registry() = default;

    // A string value of an existing key, opened for reading only; nullopt when the key
    // or the value is missing or not a string.
    virtual std::optional<std::wstring> readString(RootKey root, const std::wstring& subkey,
                                                   const std::wstring& name) const = 0;
    virtual bool keyExists(RootKey root, const std::wstring& subkey) const = 0;
    // Creates the key as needed; refused for example without the rights.
    virtual Outcome writeString(RootKey root, const std::wstring& subkey, const std::wstring& name,
                                const std::wstring& value) = 0;
    // A 32-bit number (REG_DWORD), the key created as needed like writeString's.
    virtual Outcome writeDword(RootKey root, const std::wstring& subkey, const std::wstring& name,
                               std::uint32_t value) = 0;
    virtual Outcome deleteTree(RootKey root, const std::wstring& subkey) = 0;
};

} // namespace parcelkit::platform
