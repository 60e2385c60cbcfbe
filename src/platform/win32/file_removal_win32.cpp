#include "platform/win32/file_removal_win32.hpp"

#include "platform/win32/error_text.hpp"

#include <windows.h>

namespace parcelkit::win32 {

platform::Outcome Win32FileRemoval::removeFile(const std::wstring& path) {
    if (::DeleteFileW(path.c_str())) {
        return {};
    }
    // DeleteFileW refuses a read-only file; clearing the attribute first for every file
    // would cost a second open of each.
    if (::GetLastError() != ERROR_ACCESS_DENIED ||
        !::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL)) {
        return outcomeOf(FALSE);
    }
    return outcomeOf(::DeleteFileW(path.c_str()));
}

platform::Outcome Win32FileRemoval::removeEmptyDirectory(const std::wstring& path) {
    return outcomeOf(::RemoveDirectoryW(path.c_str()));
}

platform::Outcome Win32FileRemoval::deleteAtRestart(const std::wstring& path) {
    return outcomeOf(::MoveFileExW(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
}

} // namespace parcelkit::win32
