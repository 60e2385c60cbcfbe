#include "platform/win32/unicode_file_win32.hpp"

#include "base/error.hpp"
#include "platform/win32/error_text.hpp"
#include "platform/win32/file_bytes_win32.hpp"
#include "platform/win32/handles.hpp"

#include <windows.h>

#include <climits>
#include <optional>
#include <string_view>

namespace parcelkit::win32 {

namespace {

[[noreturn]] void fail(const std::wstring& operation, const std::wstring& path, DWORD code) {
    throw base::PlatformError(operation, path, errorText(code));
}

bool startsWith(const std::string& bytes, std::string_view mark) {
    return bytes.compare(0, mark.size(), mark) == 0;
}

// Removes a half-written file unless the step that needs it has succeeded.
class DeleteUnlessKept {
public:
    explicit DeleteUnlessKept(std::wstring path) : path_(std::move(path)) {}
    DeleteUnlessKept(const DeleteUnlessKept&) = delete;
    DeleteUnlessKept& operator=(const DeleteUnlessKept&) = delete;
    ~DeleteUnlessKept() {
        if (!kept_) {
            ::DeleteFileW(path_.c_str());
        }
    }
    void keep() { kept_ = true; }

private:
    std::wstring path_;
    bool kept_ = false;
};

std::wstring fromCodePage(UINT codePage, std::string_view bytes, const std::wstring& path) {
    if (bytes.empty()) {
        return {};
    }
    if (bytes.size() > std::size_t(INT_MAX)) {
        fail(L"Cannot convert", path, ERROR_FILE_TOO_LARGE);
    }
    const int length =
        ::MultiByteToWideChar(codePage, 0, bytes.data(), int(bytes.size()), nullptr, 0);
    if (length == 0) {
        fail(L"Cannot convert", path, ::GetLastError());
    }
    std::wstring text(std::size_t(length), L'\0');
    ::MultiByteToWideChar(codePage, 0, bytes.data(), int(bytes.size()), text.data(), length);
    return text;
}

// The text of a profile file as the private-profile functions would read it.
std::wstring decode(const std::string& bytes, const std::wstring& path) {
    if (startsWith(bytes, "\xEF\xBB\xBF")) {
        return fromCodePage(CP_UTF8, std::string_view(bytes).substr(3), path);
    }
    if (startsWith(bytes, "\xFE\xFF")) {
        std::wstring text;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            text.push_back(wchar_t((static_cast<unsigned char>(bytes[i]) << 8) |
                                   static_cast<unsigned char>(bytes[i + 1])));
        }
        return text;
    }
    return fromCodePage(CP_ACP, bytes, path);
}

// The mark and the text, flushed to the disk before the call returns.
void writeUtf16(HANDLE file, const std::wstring& text, const std::wstring& path) {
    std::string bytes = "\xFF\xFE";
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data() + done, DWORD(bytes.size() - done), &written,
                         nullptr)) {
            fail(L"Cannot write", path, ::GetLastError());
        }
        done += written;
    }
    if (!::FlushFileBuffers(file)) {
        fail(L"Cannot write", path, ::GetLastError());
    }
}

void createWithMark(const std::wstring& path) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        fail(L"Cannot create", path, ::GetLastError());
    }
    DeleteUnlessKept undo(path);
    writeUtf16(file.get(), L"", path);
    undo.keep();
}

// Written beside the original and moved over it, so that a failure leaves the original.
void replaceWithUtf16(const std::wstring& path, const std::wstring& text) {
    const auto slash = path.find_last_of(L"\\/");
    const std::wstring directory = slash == std::wstring::npos ? L"." : path.substr(0, slash);
    wchar_t temporary[MAX_PATH + 1] = {};
    if (::GetTempFileNameW(directory.c_str(), L"$$$", 0, temporary) == 0) {
        fail(L"Cannot create a temporary file in", directory, ::GetLastError());
    }
    DeleteUnlessKept undo(temporary);
    {
        UniqueFile file(::CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            fail(L"Cannot write", temporary, ::GetLastError());
        }
        writeUtf16(file.get(), text, temporary);
    }
    if (!::MoveFileExW(temporary, path.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        fail(L"Cannot replace", path, ::GetLastError());
    }
    undo.keep();
}

} // namespace

void convertToUtf16File(const std::wstring& path) {
    const auto bytes = Win32FileBytes().read(path);
    if (!bytes) {
        createWithMark(path);
        return;
    }
    if (startsWith(*bytes, "\xFF\xFE")) {
        return;
    }
    replaceWithUtf16(path, decode(*bytes, path));
}

} // namespace parcelkit::win32
