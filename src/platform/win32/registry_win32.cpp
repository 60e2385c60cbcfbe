#include "platform/win32/registry_win32.hpp"

#include "platform/win32/error_text.hpp"
#include "platform/win32/handles.hpp"

#include <windows.h>

namespace parcelkit::win32 {

namespace {

HKEY handleOf(platform::RootKey root) {
    switch (root) {
    case platform::RootKey::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    case platform::RootKey::CurrentUser:
        return HKEY_CURRENT_USER;
    case platform::RootKey::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    case platform::RootKey::Users:
        return HKEY_USERS;
    case platform::RootKey::CurrentConfig:
        return HKEY_CURRENT_CONFIG;
    }
    return HKEY_LOCAL_MACHINE;
}

// Key paths in the script may start with a backslash; the registry calls want none.
std::wstring relative(const std::wstring& subkey) {
    std::size_t start = 0;
    while (start < subkey.size() && subkey[start] == L'\\') {
        ++start;
    }
    return subkey.substr(start);
}

platform::Outcome writeValue(platform::RootKey root, const std::wstring& subkey,
                             const std::wstring& name, DWORD type, const void* data, DWORD bytes) {
    UniqueKey key;
    LSTATUS status = ::RegCreateKeyExW(handleOf(root), relative(subkey).c_str(), 0, nullptr, 0,
                                       KEY_WRITE, nullptr, key.put(), nullptr);
    if (status == ERROR_SUCCESS) {
        status = ::RegSetValueExW(key.get(), name.c_str(), 0, type, static_cast<const BYTE*>(data),
                                  bytes);
    }
    if (status != ERROR_SUCCESS) {
        return failureOf(DWORD(status));
    }
    return {};
}

} // namespace

std::optional<std::wstring> Win32Registry::readString(platform::RootKey root,
                                                      const std::wstring& subkey,
                                                      const std::wstring& name) const {
    UniqueKey key;
    if (::RegOpenKeyExW(handleOf(root), relative(subkey).c_str(), 0, KEY_READ, key.put()) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    DWORD type = 0;
    DWORD bytes = 0;
    if (::RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &bytes) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::nullopt;
    }
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = DWORD(value.size() * sizeof(wchar_t));
    if (::RegQueryValueExW(key.get(), name.c_str(), nullptr, &type,
                           reinterpret_cast<BYTE*>(value.data()), &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.resize(bytes / sizeof(wchar_t));
    while (!value.empty() && value.back() == L'\0') {
        value.pop_back();
    }
    return value;
}

bool Win32Registry::keyExists(platform::RootKey root, const std::wstring& subkey) const {
    UniqueKey key;
    return ::RegOpenKeyExW(handleOf(root), relative(subkey).c_str(), 0, KEY_READ, key.put()) ==
           ERROR_SUCCESS;
}

platform::Outcome Win32Registry::writeString(platform::RootKey root, const std::wstring& subkey,
                                             const std::wstring& name, const std::wstring& value) {
    return writeValue(root, subkey, name, REG_SZ, value.c_str(),
                      DWORD((value.size() + 1) * sizeof(wchar_t)));
}

platform::Outcome Win32Registry::writeDword(platform::RootKey root, const std::wstring& subkey,
                                            const std::wstring& name, std::uint32_t value) {
    const DWORD data = value;
    return writeValue(root, subkey, name, REG_DWORD, &data, sizeof data);
}

platform::Outcome Win32Registry::deleteTree(platform::RootKey root, const std::wstring& subkey) {
    const std::wstring path = relative(subkey);
    // Never the root itself: an empty path would name the whole hive.
    if (path.empty()) {
        return failureOf(ERROR_INVALID_PARAMETER);
    }
    LSTATUS status = ::RegDeleteTreeW(handleOf(root), path.c_str());
    if (status != ERROR_SUCCESS) {
        return failureOf(DWORD(status));
    }
    status = ::RegDeleteKeyW(handleOf(root), path.c_str());
    if (status != ERROR_SUCCESS && keyExists(root, subkey)) {
        return failureOf(DWORD(status));
    }
    return {};
}

} // namespace parcelkit::win32
