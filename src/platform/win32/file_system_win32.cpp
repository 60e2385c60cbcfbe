#include "platform/win32/file_system_win32.hpp"

#include "platform/win32/error_text.hpp"
#include "platform/win32/handles.hpp"

#include <windows.h>

namespace parcelkit::win32 {

namespace {

DWORD attributesOf(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str());
}

} // namespace

bool Win32FileSystem::fileExists(const std::wstring& path) const {
    const DWORD a = attributesOf(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32FileSystem::directoryExists(const std::wstring& path) const {
    const DWORD a = attributesOf(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

platform::Outcome Win32FileSystem::createDirectory(const std::wstring& path) {
    if (::CreateDirectoryW(path.c_str(), nullptr) || directoryExists(path)) {
        return {};
    }
    return lastFailure();
}

std::optional<std::wstring> Win32FileSystem::shortPath(const std::wstring& path) const {
    const DWORD needed = ::GetShortPathNameW(path.c_str(), nullptr, 0);
    if (needed == 0) {
        return std::nullopt;
    }
    std::wstring buffer(needed, L'\0');
    const DWORD length = ::GetShortPathNameW(path.c_str(), buffer.data(), needed);
    if (length == 0 || length >= needed) {
        return std::nullopt;
    }
    buffer.resize(length);
    return buffer;
}

std::vector<platform::DirectoryEntry> Win32FileSystem::list(const std::wstring& directory,
                                                            const std::wstring& pattern) const {
    std::vector<platform::DirectoryEntry> entries;
    WIN32_FIND_DATAW data{};
    UniqueFind find(::FindFirstFileW((directory + L"\\" + pattern).c_str(), &data));
    if (!find) {
        return entries;
    }
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") {
            continue;
        }
        const bool isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        const std::uint64_t size =
            isDirectory ? 0 : (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        entries.push_back({name, isDirectory, size});
    } while (::FindNextFileW(find.get(), &data));
    return entries;
}

std::optional<platform::FileTime> Win32FileSystem::lastWriteTime(const std::wstring& path) const {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    return (platform::FileTime(data.ftLastWriteTime.dwHighDateTime) << 32) |
           data.ftLastWriteTime.dwLowDateTime;
}

platform::Outcome Win32FileSystem::copyFile(const std::wstring& from, const std::wstring& to) {
    return copier_.copy(from, to);
}

void Win32FileSystem::copyFiles(const std::vector<platform::CopyRequest>& copies,
                                const platform::CopyReport& report) {
    if (copies.size() < 2) {
        FileSystem::copyFiles(copies, report);
        return;
    }
    copier_.copy(copies, report);
}

platform::Outcome Win32FileSystem::deleteFile(const std::wstring& path) {
    return outcomeOf(::DeleteFileW(path.c_str()));
}

platform::Outcome Win32FileSystem::setNormalAttributes(const std::wstring& path) {
    return outcomeOf(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL));
}

platform::Result<std::wstring> Win32FileSystem::createTemporaryFile(const std::wstring& directory,
                                                                    const std::wstring& prefix) {
    wchar_t buffer[MAX_PATH + 1] = {};
    if (::GetTempFileNameW(directory.c_str(), prefix.c_str(), 0, buffer) == 0) {
        return lastFailure();
    }
    return std::wstring(buffer);
}

platform::Outcome Win32FileSystem::moveAtRestart(const std::wstring& from, const std::wstring& to) {
    // Without MOVEFILE_REPLACE_EXISTING the system drops a move onto an existing file at
    // the restart.
    return outcomeOf(::MoveFileExW(from.c_str(), to.c_str(),
                                   MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING));
}

std::wstring Win32FileSystem::currentDirectory() const {
    const DWORD needed = ::GetCurrentDirectoryW(0, nullptr);
    std::wstring buffer(needed, L'\0');
    const DWORD length = ::GetCurrentDirectoryW(needed, buffer.data());
    buffer.resize(length < needed ? length : 0);
    return buffer;
}

platform::Outcome Win32FileSystem::setCurrentDirectory(const std::wstring& path) {
    return outcomeOf(::SetCurrentDirectoryW(path.c_str()));
}

} // namespace parcelkit::win32
