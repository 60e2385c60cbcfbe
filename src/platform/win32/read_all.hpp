#pragma once

#include <windows.h>

#include <string>

namespace parcelkit::win32 {

// Every byte until the end of the file or the pipe; what came before a failure.
inline std::string readToEnd(HANDLE file) {
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) != FALSE && read > 0) {
        bytes.append(buffer, read);
    }
    return bytes;
}

} // namespace parcelkit::win32
