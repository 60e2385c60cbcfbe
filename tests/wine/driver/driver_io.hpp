#pragma once

#include <windows.h>

#include <string>

namespace pkdriver {

// What every step of the driver shares: its output, and memory inside the program under
// test for the messages whose parameters point to a structure.

inline void writeUtf8(const std::wstring& text) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string bytes(std::size_t(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), bytes.data(), size, nullptr,
                          nullptr);
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), DWORD(bytes.size()), &written,
                nullptr);
}

// One value per line: backslash, tab and line breaks inside a text are escaped.
inline std::wstring escaped(const std::wstring& text) {
    std::wstring out;
    for (const wchar_t c : text) {
        switch (c) {
        case L'\\':
            out += L"\\\\";
            break;
        case L'\r':
            out += L"\\r";
            break;
        case L'\n':
            out += L"\\n";
            break;
        case L'\t':
            out += L"\\t";
            break;
        default:
            out += c;
        }
    }
    return out;
}

inline std::wstring className(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, int(std::size(name)));
    return name;
}

inline std::wstring windowText(HWND window) {
    wchar_t buffer[4096] = {};
    ::SendMessageW(window, WM_GETTEXT, WPARAM(std::size(buffer)), LPARAM(buffer));
    return buffer;
}

// A block of memory inside the program under test.
class RemoteBlock {
public:
    RemoteBlock(HANDLE process, std::size_t size)
        : process_(process), address_(::VirtualAllocEx(process, nullptr, size,
                                                       MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;
    ~RemoteBlock() {
        if (address_ != nullptr) {
            ::VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        }
    }

    explicit operator bool() const { return address_ != nullptr; }
    char* at(std::size_t offset) const { return static_cast<char*>(address_) + offset; }
    LPARAM param(std::size_t offset = 0) const { return reinterpret_cast<LPARAM>(at(offset)); }
    bool write(std::size_t offset, const void* data, std::size_t size) const {
        return ::WriteProcessMemory(process_, at(offset), data, size, nullptr) != FALSE;
    }
    bool read(std::size_t offset, void* data, std::size_t size) const {
        return ::ReadProcessMemory(process_, at(offset), data, size, nullptr) != FALSE;
    }

private:
    HANDLE process_;
    void* address_;
};

} // namespace pkdriver
