#include "platform/win32/system_info_win32.hpp"

#include <windows.h>

#include <shellapi.h>

namespace parcelkit::win32 {

namespace {

// The directory calls take a buffer of MAX_PATH + 1 characters.
template <typename Get> std::wstring directoryFrom(Get get) {
    wchar_t buffer[MAX_PATH + 1] = {};
    const UINT length = get(buffer, UINT(std::size(buffer)));
    return length < std::size(buffer) ? std::wstring(buffer, length) : std::wstring();
}

} // namespace

unsigned Win32SystemInfo::platformId() const {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ::GetVersionExW(&info);
#pragma GCC diagnostic pop
    return info.dwPlatformId;
}

std::wstring Win32SystemInfo::windowsDirectory() const {
    return directoryFrom([](wchar_t* b, UINT n) { return ::GetWindowsDirectoryW(b, n); });
}

std::wstring Win32SystemInfo::systemDirectory() const {
    return directoryFrom([](wchar_t* b, UINT n) { return ::GetSystemDirectoryW(b, n); });
}

std::wstring Win32SystemInfo::tempDirectory() const {
    return directoryFrom([](wchar_t* b, UINT n) { return UINT(::GetTempPathW(n, b)); });
}

std::wstring Win32SystemInfo::environment(const std::wstring& name) const {
    const DWORD needed = ::GetEnvironmentVariableW(name.c_str(), nullptr, 0);
    if (needed == 0) {
        return {};
    }
    std::wstring buffer(needed, L'\0');
    const DWORD length = ::GetEnvironmentVariableW(name.c_str(), buffer.data(), needed);
    buffer.resize(length < needed ? length : 0);
    return buffer;
}

std::uint32_t Win32SystemInfo::systemLocale() const {
    return ::GetSystemDefaultLCID();
}

std::wstring Win32SystemInfo::commandLine() const {
    return ::GetCommandLineW();
}

std::vector<std::wstring> Win32SystemInfo::arguments() const {
    int count = 0;
    wchar_t** list = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::wstring> args;
    if (list == nullptr) {
        return args;
    }
    for (int i = 0; i < count; ++i) {
        args.emplace_back(list[i]);
    }
    ::LocalFree(list);
    return args;
}

std::wstring Win32SystemInfo::programDirectory() const {
    // A path longer than the buffer is cut short by the call: grow until it fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const auto slash = path.rfind(L'\\');
    if (slash == std::wstring::npos) {
        return {};
    }
    return path.substr(0, slash == 2 && path[1] == L':' ? slash + 1 : slash);
}

platform::Date Win32SystemInfo::localDate() const {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay};
}

} // namespace parcelkit::win32
