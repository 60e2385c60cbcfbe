#include "platform/win32/file_bytes_win32.hpp"

#include "platform/win32/error_text.hpp"
#include "platform/win32/handles.hpp"

#include <windows.h>

#include <climits>

namespace parcelkit::win32 {

namespace {

// The files read whole are registry files, undo files and records; anything near this
// size is none of them.
constexpr LONGLONG kLargestFile = 64LL * 1024 * 1024;

platform::Outcome writeAll(HANDLE file, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const auto chunk = DWORD(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) {
            return lastFailure();
        }
        if (written == 0) {
            return failureOf(ERROR_WRITE_FAULT);
        }
        done += written;
    }
    // On the disk before it takes the old file's place.
    return outcomeOf(::FlushFileBuffers(file));
}

std::wstring folderOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

} // namespace

platform::Result<std::string> Win32FileBytes::read(const std::wstring& path) const {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return lastFailure();
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) {
        return lastFailure();
    }
    if (size.QuadPart > kLargestFile) {
        return failureOf(ERROR_FILE_TOO_LARGE);
    }
    std::string bytes(std::size_t(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        if (!::ReadFile(file.get(), bytes.data() + done, DWORD(bytes.size() - done), &read,
                        nullptr)) {
            return lastFailure();
        }
        if (read == 0) {
            break;
        }
        done += read;
    }
    bytes.resize(done);
    return bytes;
}

platform::Outcome Win32FileBytes::write(const std::wstring& path, const std::string& bytes) {
    // A name of its own, made with exclusive access, in the same folder: the move that
    // puts it in place is then a rename on one volume.
    wchar_t temporary[MAX_PATH + 1] = {};
    if (::GetTempFileNameW(folderOf(path).c_str(), L"pk", 0, temporary) == 0) {
        return lastFailure();
    }
    platform::Outcome written = [&]() -> platform::Outcome {
        UniqueFile file(::CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            return lastFailure();
        }
        return writeAll(file.get(), bytes);
    }();
    if (written) {
        written = outcomeOf(::MoveFileExW(temporary, path.c_str(),
                                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    }
    if (!written) {
        ::DeleteFileW(temporary);
    }
    return written;
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
