// The baseline of the uninstaller benchmark: what deleting a folder costs with nothing
// else done.
#include <windows.h>

#include <string>

namespace {

bool deleteTree(const std::wstring& dir) {
    WIN32_FIND_DATAW data{};
    const HANDLE find = ::FindFirstFileW((dir + L"\\*").c_str(), &data);
    bool ok = true;
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::wstring path = dir + L"\\" + name;
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                ok = deleteTree(path) && ok;
            } else {
                ok = ::DeleteFileW(path.c_str()) && ok;
            }
        } while (::FindNextFileW(find, &data));
        ::FindClose(find);
    }
    return ::RemoveDirectoryW(dir.c_str()) && ok;
}

} // namespace

// bare_delete DIR
int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        return 2;
    }
    return deleteTree(argv[1]) ? 0 : 1;
}
