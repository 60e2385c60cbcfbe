// Northwind Notes helper: a console program that the demo setup folder runs
// after the installation and hands to the uninstaller. It stands in for the
// small maintenance tools that real products ship; it accepts any arguments
// and ends at once with exit code 0, so running it is always harmless.

#include <cwchar>

int wmain(int argc, wchar_t* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"/version") == 0) {
            std::wprintf(L"Northwind Notes helper 1.4.2\n");
        }
    }
    return 0;
}
