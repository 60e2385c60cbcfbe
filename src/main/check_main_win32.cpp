// parcelkit-check.exe: the console program, reading through the Win32 platform.
#include "main/check_program.hpp"
#include "platform/win32/dll_search.hpp"
#include "platform/win32/file_bytes_win32.hpp"
#include "platform/win32/file_system_win32.hpp"
#include "platform/win32/profile_win32.hpp"

#include <windows.h>

#include <cstdio>
#include <fcntl.h>
#include <io.h>

int wmain(int argc, wchar_t** argv) {
    parcelkit::win32::hardenDllSearch();
    // The report is UTF-8, byte for byte the same as the Linux build's.
    ::SetConsoleOutputCP(CP_UTF8);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);

    parcelkit::win32::Win32FileSystem files;
    parcelkit::win32::Win32FileBytes bytes;
    parcelkit::win32::Win32ProfileStore profiles;
    parcelkit::programs::CheckMachine machine{
        files, bytes, profiles,
        [](const std::wstring& folder) { return ::SetCurrentDirectoryW(folder.c_str()) != 0; }};
    return parcelkit::programs::runCheck(std::vector<std::wstring>(argv + 1, argv + argc), machine);
}
