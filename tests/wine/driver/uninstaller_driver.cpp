// Drives the uninstaller's window from inside Wine: starts it, clicks Uninstall with every
// component chosen (or all but the ones whose list positions follow, counted from 0),
// reads the outcome, clicks Finish and reports the exit code.
// Prints "OUTCOME <text>" and "EXIT <code>" as UTF-8 lines.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>

namespace {

constexpr int kProgress = 108;
constexpr int kUninstall = 110;
constexpr int kCancel = 111;
constexpr int kComponents = 105;

struct Search {
    DWORD process;
    HWND found;
};

BOOL CALLBACK findWindow(HWND window, LPARAM l) {
    auto* search = reinterpret_cast<Search*>(l);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    if (owner == search->process && std::wstring(name) == L"ParcelkitUninstaller") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

std::wstring textOf(HWND window) {
    wchar_t buffer[4096] = {};
    ::SendMessageW(window, WM_GETTEXT, WPARAM(std::size(buffer)), LPARAM(buffer));
    return buffer;
}

void printLine(const char* tag, const std::wstring& text) {
    std::wstring escaped;
    for (const wchar_t c : text) {
        escaped += c == L'\r' ? std::wstring(L"\\r") : c == L'\n' ? L"\\n" : std::wstring(1, c);
    }
    const int size =
        ::WideCharToMultiByte(CP_UTF8, 0, escaped.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(std::size_t(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, escaped.c_str(), -1, utf8.data(), size, nullptr, nullptr);
    std::printf("%s %s\n", tag, utf8.c_str());
    std::fflush(stdout);
}

// The item's state lives in the other process: the LVITEMW must be written there.
bool uncheck(HANDLE process, HWND list, int index) {
    void* remote = ::VirtualAllocEx(process, nullptr, sizeof(LVITEMW), MEM_COMMIT | MEM_RESERVE,
                                    PAGE_READWRITE);
    if (remote == nullptr) {
        return false;
    }
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(1);
    const bool written = ::WriteProcessMemory(process, remote, &item, sizeof item, nullptr) &&
                         ::SendMessageW(list, LVM_SETITEMSTATE, WPARAM(index), LPARAM(remote));
    ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return written;
}

int fail(HANDLE process, const char* why) {
    std::printf("FAIL %s\n", why);
    ::TerminateProcess(process, 99);
    return 1;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        return 2;
    }
    std::wstring line = L"\"" + std::wstring(argv[1]) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(argv[1], line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &started)) {
        std::printf("FAIL cannot start\n");
        return 1;
    }
    ::CloseHandle(started.hThread);
    const HANDLE process = started.hProcess;
    Search search{started.dwProcessId, nullptr};
    for (int i = 0; i < 200 && search.found == nullptr; ++i) {
        ::Sleep(50);
        ::EnumWindows(findWindow, LPARAM(&search));
    }
    if (search.found == nullptr) {
        return fail(process, "no window");
    }
    const HWND window = search.found;
    // The window is found as soon as it exists; its controls and the check marks of the
    // components come a moment later, and a click before then is lost.
    bool ready = false;
    for (int i = 0; i < 200 && !ready; ++i) {
        const HWND button = ::GetDlgItem(window, kUninstall);
        ready = ::IsWindowVisible(window) && button != nullptr && ::IsWindowEnabled(button);
        if (!ready) {
            ::Sleep(50);
        }
    }
    if (!ready) {
        return fail(process, "Uninstall never enabled");
    }
    for (int i = 2; i < argc; ++i) {
        if (!uncheck(process, ::GetDlgItem(window, kComponents), std::stoi(argv[i]))) {
            return fail(process, "cannot uncheck a component");
        }
    }
    ::PostMessageW(::GetDlgItem(window, kUninstall), BM_CLICK, 0, 0);
    bool done = false;
    for (int i = 0; i < 400 && !done; ++i) {
        ::Sleep(50);
        done = !::IsWindowVisible(::GetDlgItem(window, kUninstall));
    }
    if (!done) {
        return fail(process, "no outcome");
    }
    printLine("OUTCOME", textOf(::GetDlgItem(window, kProgress)));
    printLine("FINISH", textOf(::GetDlgItem(window, kCancel)));
    ::PostMessageW(::GetDlgItem(window, kCancel), BM_CLICK, 0, 0);
    if (::WaitForSingleObject(process, 10000) != WAIT_OBJECT_0) {
        return fail(process, "did not end");
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process, &code);
    ::CloseHandle(process);
    std::printf("EXIT %lu\n", code);
    return 0;
}
