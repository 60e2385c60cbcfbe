#include "platform/win32/self_removal_win32.hpp"

#include "base/paths.hpp"
#include "platform/win32/error_text.hpp"
#include "platform/win32/handles.hpp"

#include <windows.h>

#include <cstdint>
#include <cwchar>

namespace parcelkit::win32 {

namespace {

std::wstring quoted(const std::wstring& text) {
    return L"\"" + text + L"\"";
}

std::wstring temporaryDirectory() {
    wchar_t buffer[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathW(DWORD(std::size(buffer)), buffer);
    return base::withoutTrailingBackslashes(std::wstring(buffer, length));
}

// The original's file may stay locked for a moment after its process has ended.
void deleteWithPatience(const std::wstring& path) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (::DeleteFileW(path.c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND) {
            return;
        }
        ::Sleep(100);
    }
}

// The copy gets a name nobody holds yet, created by the copy itself: a program left in the
// shared temporary folder under a name the uninstaller might choose is never overwritten
// and started in its place.
platform::Result<std::wstring> copyUnderNewName(const std::wstring& program,
                                                const std::wstring& temp) {
    const std::wstring stem = temp + L"\\pkuninst-" + std::to_wstring(::GetCurrentProcessId());
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        const std::wstring copy =
            stem + (attempt == 0 ? L"" : L"-" + std::to_wstring(attempt)) + L".exe";
        if (::CopyFileW(program.c_str(), copy.c_str(), TRUE)) {
            return copy;
        }
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            return failureOf(error);
        }
    }
    return failureOf(ERROR_FILE_EXISTS);
}

} // namespace

std::wstring Win32SelfRemoval::programPath() const {
    for (DWORD size = MAX_PATH;; size *= 2) {
        std::wstring buffer(size, L'\0');
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length < size) {
            buffer.resize(length);
            return buffer;
        }
    }
}

platform::Outcome Win32SelfRemoval::removeAfterExit(const std::vector<std::wstring>& directories) {
    const std::wstring program = programPath();
    const std::wstring temp = temporaryDirectory();
    const auto made = copyUnderNewName(program, temp);
    if (!made) {
        return made.failure();
    }
    const std::wstring& copy = *made;
    // The copy waits on this handle, which it inherits: a process id could be reused.
    HANDLE self = nullptr;
    if (!::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentProcess(), ::GetCurrentProcess(),
                           &self, SYNCHRONIZE, TRUE, 0)) {
        const platform::Failure failure = lastFailure();
        ::DeleteFileW(copy.c_str());
        return failure;
    }
    const UniqueHandleObject inherited(self);
    std::wstring line = quoted(copy) + L" " + kCleanupSwitch + L" " +
                        std::to_wstring(reinterpret_cast<std::uintptr_t>(self)) + L" " +
                        quoted(program);
    for (const auto& dir : directories) {
        line += L" " + quoted(dir);
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    // Started in the temporary directory, so that it holds no installation directory open.
    if (!::CreateProcessW(copy.c_str(), line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                          nullptr, temp.c_str(), &startup, &started)) {
        const platform::Failure failure = lastFailure();
        ::DeleteFileW(copy.c_str());
        return failure;
    }
    const UniqueHandleObject process(started.hProcess);
    const UniqueHandleObject thread(started.hThread);
    return {};
}

int runCleanup(const std::vector<std::wstring>& arguments) {
    if (arguments.size() < 4) {
        return 1;
    }
    const auto value = std::wcstoull(arguments[2].c_str(), nullptr, 10);
    const UniqueHandleObject original(reinterpret_cast<HANDLE>(std::uintptr_t(value)));
    if (!original || ::WaitForSingleObject(original.get(), 60000) != WAIT_OBJECT_0) {
        return 1;
    }
    const std::wstring& program = arguments[3];
    deleteWithPatience(program);
    for (std::size_t i = 4; i < arguments.size(); ++i) {
        // Only the directories that held the program: this copy removes nothing else.
        if (base::isWithin(program, arguments[i]) && base::isRemovablePath(arguments[i])) {
            ::RemoveDirectoryW(arguments[i].c_str());
        }
    }
    // This copy cannot delete itself either; without the rights it stays in the
    // temporary directory.
    const std::wstring self = Win32SelfRemoval().programPath();
    ::MoveFileExW(self.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    return ::GetFileAttributesW(program.c_str()) == INVALID_FILE_ATTRIBUTES ? 0 : 1;
}

} // namespace parcelkit::win32
