#pragma once

#include <windows.h>

#include <algorithm>
#include <cstddef>

namespace parcelkit::win32 {

// Writes every byte, however many calls that takes. False with the last error set when the
// system refuses, or writes nothing.
inline bool writeAll(HANDLE file, const char* data, std::size_t size) {
    while (size > 0) {
        const auto chunk = DWORD(std::min<std::size_t>(size, 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file, data, chunk, &written, nullptr)) {
            return false;
        }
        if (written == 0) {
            ::SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

} // namespace parcelkit::win32
