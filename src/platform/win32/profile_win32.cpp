#include "platform/win32/profile_win32.hpp"

#include "base/text_encoding.hpp"
#include "platform/win32/error_text.hpp"
#include "platform/win32/file_bytes_win32.hpp"

#include <windows.h>

namespace parcelkit::win32 {

namespace {

// Splits a double-NUL-terminated list of names.
std::vector<std::wstring> splitNameList(const std::wstring& buffer, DWORD length) {
    std::vector<std::wstring> names;
    std::size_t start = 0;
    while (start < length && buffer[start] != L'\0') {
        const std::size_t end = buffer.find(L'\0', start);
        names.push_back(buffer.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

// Reads a name list, growing the buffer until the list fits (the call returns size - 2
// when it had to cut the list short).
template <typename Read> std::vector<std::wstring> readNameList(Read read) {
    for (DWORD size = 4096;; size *= 4) {
        std::wstring buffer(size, L'\0');
        const DWORD length = read(buffer.data(), size);
        if (length + 2 < size) {
            return splitNameList(buffer, length);
        }
    }
}

} // namespace

std::wstring Win32Profile::readString(const std::wstring& section, const std::wstring& key,
                                      const std::wstring& def) const {
    wchar_t buffer[platform::kMaxProfileValue + 1] = {};
    const DWORD length = ::GetPrivateProfileStringW(
        section.c_str(), key.c_str(), def.c_str(), buffer, DWORD(std::size(buffer)), path_.c_str());
    return std::wstring(buffer, length);
}

std::vector<std::wstring> Win32Profile::keyNames(const std::wstring& section) const {
    // An empty default: with another one a missing section would read as one key.
    return readNameList([&](wchar_t* buffer, DWORD size) {
        return ::GetPrivateProfileStringW(section.c_str(), nullptr, L"", buffer, size,
                                          path_.c_str());
    });
}

std::vector<std::wstring> Win32Profile::sectionNames() const {
    return readNameList([&](wchar_t* buffer, DWORD size) {
        return ::GetPrivateProfileSectionNamesW(buffer, size, path_.c_str());
    });
}

platform::Outcome Win32Profile::writeString(const std::wstring& section, const std::wstring& key,
                                            const std::wstring& value) {
    return outcomeOf(
        ::WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path_.c_str()));
}

// A null value removes the key, a null key the whole section.
platform::Outcome Win32Profile::deleteKey(const std::wstring& section, const std::wstring& key) {
    return outcomeOf(
        ::WritePrivateProfileStringW(section.c_str(), key.c_str(), nullptr, path_.c_str()));
}

platform::Outcome Win32Profile::deleteSection(const std::wstring& section) {
    return outcomeOf(
        ::WritePrivateProfileStringW(section.c_str(), nullptr, nullptr, path_.c_str()));
}

std::unique_ptr<platform::ProfileFile> Win32ProfileStore::open(const std::wstring& path) {
    return std::make_unique<Win32Profile>(path);
}

platform::Result<std::wstring> Win32ProfileStore::readText(const std::wstring& path) const {
    const Win32FileBytes files;
    const auto bytes = files.read(path);
    if (!bytes) {
        return bytes.failure();
    }
    return base::decodeMarkedText(*bytes).value_or(files.fromAnsi(*bytes));
}

platform::Outcome Win32ProfileStore::writeText(const std::wstring& path, const std::wstring& text) {
    base::encodeUtf16(text, encoded_);
    return Win32FileBytes().write(path, encoded_);
}

} // namespace parcelkit::win32
