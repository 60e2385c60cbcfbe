// Stands in for a version.dll that someone left beside a program: its functions answer
// "no version resource" for every file. A program that used this copy instead of the
// system's would decide every replacement by last-write time alone, which a case whose
// outcome depends on version resources shows. (Loading alone proves nothing under Wine:
// its user32.dll imports version.dll and calls it, so every window program loads and
// calls a copy that Wine is told to prefer, whatever the program itself does.)
// Not windows.h: it declares the version functions as imports, which this file defines.
// clang-format off
#include <windef.h>
#include <winbase.h>
// clang-format on

extern "C" {

__declspec(dllexport) DWORD WINAPI GetFileVersionInfoSizeW(LPCWSTR, LPDWORD handle) {
    if (handle != nullptr) {
        *handle = 0;
    }
    return 0;
}

__declspec(dllexport) BOOL WINAPI GetFileVersionInfoW(LPCWSTR, DWORD, DWORD, LPVOID) {
    return FALSE;
}

__declspec(dllexport) BOOL WINAPI VerQueryValueW(LPCVOID, LPCWSTR, LPVOID*, PUINT) {
    return FALSE;
}
}
