// Stands in for a program that setup starts: appends one line with its command line and
// working directory to a log, so that a case can tell which programs ran, in which order
// and how. The log is the first argument when that ends in ".log", else marker.log beside
// the program.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

bool endsWithLog(const std::wstring& text) {
    return text.size() > 4 && _wcsicmp(text.c_str() + text.size() - 4, L".log") == 0;
}

std::wstring besideSelf() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"marker.log";
}

std::string narrow(const std::wstring& text) {
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), size, nullptr, nullptr);
    out.resize(static_cast<std::size_t>(size > 0 ? size - 1 : 0));
    return out;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring log = argc > 1 && endsWithLog(argv[1]) ? argv[1] : besideSelf();
    wchar_t cwd[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, cwd);
    const std::string line = narrow(std::wstring(GetCommandLineW()) + L"\t" + cwd) + "\r\n";
    FILE* out = _wfopen(log.c_str(), L"ab");
    if (out == nullptr) {
        return 1;
    }
    std::fwrite(line.data(), 1, line.size(), out);
    std::fclose(out);
    return 0;
}
