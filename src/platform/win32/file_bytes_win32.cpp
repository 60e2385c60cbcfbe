#include "platform/win32/file_bytes_win32.hpp"

#include "base/error.hpp"
#include "platform/win32/error_text.hpp"
#include "platform/win32/handles.hpp"

#include <windows.h>

#include <climits>

namespace parcelkit::win32 {

namespace {

// Registry files are small; anything near this size is not one.
constexpr LONGLONG kLargestFile = 64LL * 1024 * 1024;

[[noreturn]] void fail(const std::wstring& operation, const std::wstring& path, DWORD code) {
    throw base::PlatformError(operation, path, errorText(code));
}

} // namespace

std::optional<std::string> Win32FileBytes::read(const std::wstring& path) const {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD code = ::GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) {
            return std::nullopt;
        }
        fail(L"Cannot open file", path, code);
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) {
        fail(L"Cannot read file", path, ::GetLastError());
    }
    if (size.QuadPart > kLargestFile) {
        fail(L"Cannot read file", path, ERROR_FILE_TOO_LARGE);
    }
    std::string bytes(std::size_t(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        if (!::ReadFile(file.get(), bytes.data() + done, DWORD(bytes.size() - done), &read,
                        nullptr)) {
            fail(L"Cannot read file", path, ::GetLastError());
        }
        if (read == 0) {
            break;
        }
        done += read;
    }
    bytes.resize(done);
    return bytes;
}

void Win32FileBytes::write(const std::wstring& path, const std::string& bytes) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        fail(L"Cannot create file", path, ::GetLastError());
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        if (!::WriteFile(file.get(), bytes.data() + done, DWORD(bytes.size() - done), &written,
                         nullptr) ||
            written == 0) {
            const DWORD code = ::GetLastError();
            file.reset();
            ::DeleteFileW(path.c_str());
            fail(L"Cannot write file", path, code);
        }
        done += written;
    }
}

std::wstring Win32FileBytes::fromAnsi(const std::string& bytes) const {
    if (bytes.empty() || bytes.size() > std::size_t(INT_MAX)) {
        return {};
    }
    const int length =
        ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), int(bytes.size()), nullptr, 0);
    std::wstring text(std::size_t(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), int(bytes.size()), text.data(), length);
    return text;
}

} // namespace parcelkit::win32
