#include "platform/win32/file_bytes_win32.hpp"

#include "platform/win32/error_text.hpp"
#include "platform/win32/handles.hpp"
#include "platform/win32/write_all.hpp"

#include <windows.h>

#include <climits>
#include <cwchar>

namespace parcelkit::win32 {

namespace {

// The files read whole are registry files, undo files and records; anything near this
// size is none of them.
constexpr LONGLONG kLargestFile = 64LL * 1024 * 1024;

platform::Outcome writeWhole(HANDLE file, const std::string& bytes) {
    if (!writeAll(file, bytes.data(), bytes.size())) {
        return lastFailure();
    }
    // On the disk before it takes the old file's place.
    return outcomeOf(::FlushFileBuffers(file));
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
    // A name of its own beside the target, made with exclusive access: the move that puts
    // it in place is then a rename on one volume. A copy that an ended run left behind is
    // found by its name (temporaryCopiesOf).
    UniqueFile file;
    std::wstring temporary;
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100 && !file; ++attempt) {
        wchar_t unique[32] = {};
        std::swprintf(unique, 32, L".%lx-%x.tmp", ::GetCurrentProcessId(), ++counter);
        temporary = path + unique;
        file.reset(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file && ::GetLastError() != ERROR_FILE_EXISTS) {
            break;
        }
    }
    if (!file) {
        return lastFailure();
    }
    platform::Outcome written = writeWhole(file.get(), bytes);
    file.reset();
    if (written) {
        written = outcomeOf(::MoveFileExW(temporary.c_str(), path.c_str(),
                                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    }
    if (!written) {
        ::DeleteFileW(temporary.c_str());
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
