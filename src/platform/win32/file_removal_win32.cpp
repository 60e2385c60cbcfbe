#include "platform/win32/file_removal_win32.hpp"

#include "platform/win32/error_text.hpp"
#include "platform/win32/handles.hpp"

#include <windows.h>

#include <cstring>
#include <string>

namespace parcelkit::win32 {

namespace {

bool failed(std::wstring* reason) {
    if (reason != nullptr) {
        *reason = errorText(::GetLastError());
    }
    return false;
}

std::wstring decodeCodePage(UINT codePage, const char* bytes, int length) {
    const int size = ::MultiByteToWideChar(codePage, 0, bytes, length, nullptr, 0);
    std::wstring text(std::size_t(size), L'\0');
    ::MultiByteToWideChar(codePage, 0, bytes, length, text.data(), size);
    return text;
}

std::wstring decode(const std::string& bytes) {
    if (bytes.size() >= 2 && bytes.compare(0, 2, "\xFF\xFE") == 0) {
        std::wstring text((bytes.size() - 2) / 2, L'\0');
        std::memcpy(text.data(), bytes.data() + 2, text.size() * sizeof(wchar_t));
        return text;
    }
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        return decodeCodePage(CP_UTF8, bytes.data() + 3, int(bytes.size() - 3));
    }
    return decodeCodePage(CP_ACP, bytes.data(), int(bytes.size()));
}

} // namespace

bool Win32FileRemoval::deleteFile(const std::wstring& path, std::wstring* reason) {
    // DeleteFileW refuses a read-only file.
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return ::DeleteFileW(path.c_str()) != 0 || failed(reason);
}

bool Win32FileRemoval::removeEmptyDirectory(const std::wstring& path, std::wstring* reason) {
    return ::RemoveDirectoryW(path.c_str()) != 0 || failed(reason);
}

bool Win32FileRemoval::deleteAtRestart(const std::wstring& path) {
    return ::MoveFileExW(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
}

std::optional<std::wstring> Win32FileRemoval::readText(const std::wstring& path) const {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart > 64 * 1024 * 1024) {
        return std::nullopt;
    }
    std::string bytes(std::size_t(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        (!::ReadFile(file.get(), bytes.data(), DWORD(bytes.size()), &read, nullptr) ||
         read != bytes.size())) {
        return std::nullopt;
    }
    return decode(bytes);
}

bool Win32FileRemoval::writeUtf16(const std::wstring& path, const std::wstring& text,
                                  std::wstring* reason) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return failed(reason);
    }
    std::string bytes = "\xFF\xFE";
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    DWORD written = 0;
    if (!::WriteFile(file.get(), bytes.data(), DWORD(bytes.size()), &written, nullptr) ||
        written != bytes.size()) {
        return failed(reason);
    }
    return true;
}

} // namespace parcelkit::win32
