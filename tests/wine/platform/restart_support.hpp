#pragma once

#include "platform/win32/handles.hpp"

#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <string>

namespace parcelkit::doubles {

inline std::wstring makeFile(const std::wstring& path, const std::string& content) {
    std::ofstream(std::filesystem::path(path), std::ios::binary) << content;
    return path;
}

inline std::string contentOf(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Paths compared as the file system compares them (the tests' paths are ASCII).
inline std::wstring lower(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](wchar_t c) { return wchar_t(std::towlower(wint_t(c))); });
    return text;
}

inline constexpr wchar_t kSessionManager[] = L"System\\CurrentControlSet\\Control\\Session Manager";
inline constexpr wchar_t kPendingRenames[] = L"PendingFileRenameOperations";

// The system's list of moves for the next restart, as one block of NUL-terminated names:
// source, then target ("!" first: replace an existing file; empty: delete the source).
inline std::wstring pendingRenames() {
    win32::UniqueKey key;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_QUERY_VALUE, key.put()) !=
        ERROR_SUCCESS) {
        return {};
    }
    DWORD size = 0;
    if (::RegQueryValueExW(key.get(), kPendingRenames, nullptr, nullptr, nullptr, &size) !=
        ERROR_SUCCESS) {
        return {};
    }
    std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
    ::RegQueryValueExW(key.get(), kPendingRenames, nullptr, nullptr,
                       reinterpret_cast<BYTE*>(data.data()), &size);
    data.resize(size / sizeof(wchar_t));
    return data;
}

// The entry that a move of from onto an existing to leaves in that list.
inline std::wstring pendingReplacement(const std::wstring& from, const std::wstring& to) {
    return L"\\??\\" + from + std::wstring(1, L'\0') + L"!\\??\\" + to + std::wstring(1, L'\0');
}

// Puts the list back as it was at construction, so that the prefix's next start moves
// nothing of the tests'.
class PendingRenamesRestorer {
public:
    PendingRenamesRestorer() : saved_(pendingRenames()) {}
    PendingRenamesRestorer(const PendingRenamesRestorer&) = delete;
    PendingRenamesRestorer& operator=(const PendingRenamesRestorer&) = delete;
    ~PendingRenamesRestorer() {
        win32::UniqueKey key;
        if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_SET_VALUE, key.put()) !=
            ERROR_SUCCESS) {
            return;
        }
        if (saved_.empty()) {
            ::RegDeleteValueW(key.get(), kPendingRenames);
            return;
        }
        ::RegSetValueExW(key.get(), kPendingRenames, 0, REG_MULTI_SZ,
                         reinterpret_cast<const BYTE*>(saved_.data()),
                         DWORD(saved_.size() * sizeof(wchar_t)));
    }

private:
    std::wstring saved_;
};

} // namespace parcelkit::doubles
