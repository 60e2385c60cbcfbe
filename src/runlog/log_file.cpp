#include "runlog/log_file.hpp"

#include <string_view>

namespace parcelkit::runlog {

std::wstring logFilePath(const std::wstring& asked, const std::wstring& tempDirectory,
                         const std::wstring& id, const std::wstring& program) {
    if (!asked.empty()) {
        return asked;
    }
    std::wstring folder = tempDirectory;
    if (!folder.empty() && folder.back() != L'\\') {
        folder += L'\\';
    }
    // An id may hold characters a file name cannot.
    std::wstring name = id.empty() ? std::wstring(L"parcelkit") : id;
    for (auto& c : name) {
        if (std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos || c < L' ') {
            c = L'_';
        }
    }
    return folder + name + L"-" + program + L".log";
}

platform::Outcome startLog(platform::RunLog& log, const std::wstring& path,
                           const std::wstring& commandLine) {
    auto opened = log.open(path);
    if (opened) {
        log.write(L"\tstarted\t" + commandLine);
    }
    return opened;
}

} // namespace parcelkit::runlog
