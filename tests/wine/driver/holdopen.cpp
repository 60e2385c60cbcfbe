// Holds a file open with no sharing, as a running program holds its own DLL, so that the
// installer's copy onto it fails. Prints READY once the file is held and lets go when its
// standard input closes.
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputs("usage: holdopen <file>\n", stderr);
        return 2;
    }
    HANDLE file = CreateFileW(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "cannot open: error %lu\n", GetLastError());
        return 1;
    }
    std::puts("READY");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    CloseHandle(file);
    return 0;
}
