// The baseline of the installer benchmark: what copying a folder costs with nothing else
// done, file by file as the installer copies (directory search, CopyFileW).
#include <windows.h>

#include <string>

namespace {

bool copyTree(const std::wstring& from, const std::wstring& to) {
    ::CreateDirectoryW(to.c_str(), nullptr);
    WIN32_FIND_DATAW data{};
    const HANDLE find = ::FindFirstFileW((from + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool ok = true;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") {
            continue;
        }
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            ok = copyTree(from + L"\\" + name, to + L"\\" + name) && ok;
        } else {
            ok = ::CopyFileW((from + L"\\" + name).c_str(), (to + L"\\" + name).c_str(), FALSE) &&
                 ok;
        }
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return ok;
}

} // namespace

// bare_copy FROM TO
int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        return 2;
    }
    return copyTree(argv[1], argv[2]) ? 0 : 1;
}
