#include "platform/win32/process_win32.hpp"

#include "platform/win32/handles.hpp"

#include <windows.h>

namespace parcelkit::win32 {

std::optional<unsigned long> Win32Processes::run(const platform::ProcessRequest& request) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = WORD(request.hidden ? SW_HIDE : SW_SHOWNORMAL);
    PROCESS_INFORMATION info{};
    // CreateProcessW may write into the command line.
    std::wstring commandLine = request.commandLine;
    const wchar_t* directory =
        request.workingDirectory.empty() ? nullptr : request.workingDirectory.c_str();
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          directory, &startup, &info)) {
        return std::nullopt;
    }
    UniqueHandleObject process(info.hProcess);
    UniqueHandleObject thread(info.hThread);
    if (!request.wait) {
        return 0UL;
    }
    ::WaitForSingleObject(process.get(), INFINITE);
    DWORD code = 0;
    ::GetExitCodeProcess(process.get(), &code);
    return static_cast<unsigned long>(code);
}

} // namespace parcelkit::win32
