#include "platform/win32/run_log_win32.hpp"

#include "base/text_encoding.hpp"
#include "platform/win32/error_text.hpp"
#include "platform/win32/write_all.hpp"

#include <cstdio>

namespace parcelkit::win32 {

platform::Outcome Win32RunLog::open(const std::wstring& path) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return lastFailure();
    }
    file_ = std::move(file);
    return {};
}

void Win32RunLog::write(const std::wstring& line) {
    if (!file_) {
        return;
    }
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    char stamp[32];
    const int length =
        std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u.%03u\t", now.wYear,
                      now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
    const std::string text = std::string(stamp, std::size_t(length)) + base::toUtf8(line) + "\r\n";
    // A log that cannot be written any more must not stop the installation it describes.
    if (!writeAll(file_.get(), text.data(), text.size())) {
        file_.reset();
    }
}

} // namespace parcelkit::win32
