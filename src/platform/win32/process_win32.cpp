#include "platform/win32/process_win32.hpp"

#include "platform/win32/error_text.hpp"
#include "platform/win32/handles.hpp"

#include <windows.h>

namespace parcelkit::win32 {

namespace {

class Win32RunningProcess : public platform::RunningProcess {
public:
    explicit Win32RunningProcess(UniqueHandleObject process) : process_(std::move(process)) {}

    bool wait(std::uint32_t milliseconds) override {
        return ::WaitForSingleObject(process_.get(), DWORD(milliseconds)) == WAIT_OBJECT_0;
    }

private:
    UniqueHandleObject process_;
};

} // namespace

platform::Result<platform::ProcessRun>
Win32Processes::run(const platform::ProcessRequest& request) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = WORD(request.showCommand);
    PROCESS_INFORMATION info{};
    // CreateProcessW may write into the command line.
    std::wstring commandLine = request.commandLine;
    const wchar_t* directory =
        request.workingDirectory.empty() ? nullptr : request.workingDirectory.c_str();
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                          DWORD(request.creationFlags), nullptr, directory, &startup, &info)) {
        return lastFailure();
    }
    UniqueHandleObject process(info.hProcess);
    const UniqueHandleObject thread(info.hThread);
    platform::ProcessRun outcome;
    outcome.ended =
        ::WaitForSingleObject(process.get(), DWORD(request.waitMilliseconds)) == WAIT_OBJECT_0;
    if (!outcome.ended) {
        outcome.running = std::make_unique<Win32RunningProcess>(std::move(process));
    }
    return outcome;
}

} // namespace parcelkit::win32
