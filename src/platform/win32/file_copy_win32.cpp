#include "platform/win32/file_copy_win32.hpp"

#include "platform/win32/error_text.hpp"
#include "platform/win32/handles.hpp"
#include "platform/win32/write_all.hpp"

#include <windows.h>

#include <algorithm>

namespace parcelkit::win32 {

namespace {

constexpr std::size_t kBufferSize = 1 << 20;

// The attributes a new file may be created with; the rest belong to the file system.
constexpr DWORD kCopiedAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                    FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

bool copyBytes(HANDLE from, HANDLE to, std::vector<char>& buffer) {
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(from, buffer.data(), DWORD(buffer.size()), &read, nullptr)) {
            return false;
        }
        if (read == 0) {
            return true;
        }
        if (!writeAll(to, buffer.data(), read)) {
            return false;
        }
    }
}

} // namespace

platform::Outcome copyWholeFile(const std::wstring& from, const std::wstring& to,
                                std::vector<char>& buffer) {
    UniqueFile source(::CreateFileW(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    // Asked of the open file: a lookup by name would search the path once more. Not
    // GetFileInformationByHandle: on Wine it also asks for the volume and the full name,
    // which costs more than the copy of a small file.
    FILE_BASIC_INFO basic{};
    if (!source ||
        !::GetFileInformationByHandleEx(source.get(), FileBasicInfo, &basic, sizeof basic)) {
        return lastFailure();
    }
    FILETIME lastWrite{};
    lastWrite.dwLowDateTime = basic.LastWriteTime.LowPart;
    lastWrite.dwHighDateTime = DWORD(basic.LastWriteTime.HighPart);
    // Open once, created or truncated: an existing target that may not be replaced (in
    // use, read-only, hidden) refuses here, as it would refuse CopyFileW.
    const DWORD attributes = basic.FileAttributes & kCopiedAttributes;
    UniqueFile target(::CreateFileW(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes, nullptr));
    if (!target) {
        return lastFailure();
    }
    if (buffer.size() < kBufferSize) {
        buffer.resize(kBufferSize);
    }
    if (!copyBytes(source.get(), target.get(), buffer) ||
        !::SetFileTime(target.get(), nullptr, nullptr, &lastWrite)) {
        const platform::Failure failure = lastFailure();
        target.reset();
        // A read-only target cannot be deleted without its attribute cleared first.
        ::SetFileAttributesW(to.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(to.c_str());
        return failure;
    }
    return {};
}

} // namespace parcelkit::win32
