#include "platform/win32/self_removal_win32.hpp"

#include "base/paths.hpp"
#include "platform/win32/error_text.hpp"
#include "platform/win32/handles.hpp"
#include "platform/win32/read_all.hpp"
#include "platform/win32/write_all.hpp"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <cwchar>
#include <optional>

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

void Win32SelfRemoval::prepareRemoval() {
    if (prepared_) {
        return;
    }
    prepared_ = true;
    const std::wstring program = programPath();
    const std::wstring temp = temporaryDirectory();
    const auto made = copyUnderNewName(program, temp);
    if (!made) {
        started_ = made.failure();
        return;
    }
    const std::wstring& copy = *made;
    const auto fail = [&] {
        started_ = lastFailure();
        ::DeleteFileW(copy.c_str());
    };
    // The copy waits on this handle, which it inherits: a process id could be reused.
    HANDLE self = nullptr;
    if (!::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentProcess(), ::GetCurrentProcess(),
                           &self, SYNCHRONIZE, TRUE, 0)) {
        fail();
        return;
    }
    const UniqueHandleObject selfForCopy(self);
    HANDLE reading = nullptr;
    HANDLE writing = nullptr;
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    if (!::CreatePipe(&reading, &writing, &inherited, 0)) {
        fail();
        return;
    }
    const UniqueHandleObject readingForCopy(reading);
    UniqueHandleObject pipe(writing);
    // Only the copy's end goes to the copy: with both, the pipe would never close.
    ::SetHandleInformation(writing, HANDLE_FLAG_INHERIT, 0);
    std::wstring line = quoted(copy) + L" " + kCleanupSwitch + L" " +
                        std::to_wstring(reinterpret_cast<std::uintptr_t>(self)) + L" " +
                        std::to_wstring(reinterpret_cast<std::uintptr_t>(reading)) + L" " +
                        quoted(program);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    // Started in the temporary directory, so that it holds no installation directory open.
    if (!::CreateProcessW(copy.c_str(), line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                          nullptr, temp.c_str(), &startup, &started)) {
        fail();
        return;
    }
    const UniqueHandleObject process(started.hProcess);
    const UniqueHandleObject thread(started.hThread);
    directoriesPipe_ = std::move(pipe);
}

platform::Outcome Win32SelfRemoval::removeAfterExit(const std::vector<std::wstring>& directories) {
    prepareRemoval();
    if (!started_) {
        return started_;
    }
    if (!directoriesPipe_) {
        return failureOf(ERROR_INVALID_HANDLE);
    }
    const std::wstring message = directoriesMessage(directories);
    const auto bytes = reinterpret_cast<const char*>(message.data());
    const platform::Outcome written =
        writeAll(directoriesPipe_.get(), bytes, message.size() * sizeof(wchar_t))
            ? platform::Outcome()
            : lastFailure();
    directoriesPipe_.reset();
    return written;
}

std::wstring directoriesMessage(const std::vector<std::wstring>& directories) {
    std::wstring message;
    for (const auto& dir : directories) {
        message += dir + L'\0';
    }
    return message + L'\0';
}

std::optional<std::vector<std::wstring>> directoriesInMessage(std::wstring_view message) {
    if (message.empty() || message.back() != L'\0' ||
        (message.size() > 1 && message[message.size() - 2] != L'\0')) {
        return std::nullopt;
    }
    std::vector<std::wstring> directories;
    for (std::size_t start = 0; start + 1 < message.size();) {
        const std::size_t end = message.find(L'\0', start);
        directories.emplace_back(message.substr(start, end - start));
        start = end + 1;
    }
    return directories;
}

namespace {

std::wstring textToEnd(HANDLE pipe) {
    const std::string bytes = readToEnd(pipe);
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
    return text;
}

} // namespace

int runCleanup(const std::vector<std::wstring>& arguments) {
    if (arguments.size() < 5) {
        return 1;
    }
    const auto handleAt = [&](std::size_t index) {
        return reinterpret_cast<HANDLE>(
            std::uintptr_t(std::wcstoull(arguments[index].c_str(), nullptr, 10)));
    };
    const UniqueHandleObject original(handleAt(2));
    const UniqueHandleObject pipe(handleAt(3));
    const std::wstring& program = arguments[4];
    // This copy cannot delete itself either; without the rights it stays in the
    // temporary directory.
    const std::wstring self = Win32SelfRemoval().programPath();
    ::MoveFileExW(self.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    const auto directories = directoriesInMessage(textToEnd(pipe.get()));
    if (!directories || !original ||
        ::WaitForSingleObject(original.get(), 60000) != WAIT_OBJECT_0) {
        return 1;
    }
    deleteWithPatience(program);
    for (const auto& dir : *directories) {
        // Only the directories that held the program: this copy removes nothing else.
        if (base::isWithin(program, dir) && base::isRemovablePath(dir)) {
            ::RemoveDirectoryW(dir.c_str());
        }
    }
    return ::GetFileAttributesW(program.c_str()) == INVALID_FILE_ATTRIBUTES ? 0 : 1;
}

} // namespace parcelkit::win32
