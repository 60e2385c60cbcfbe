#include "windows/rich_text.hpp"

#include "platform/win32/read_all.hpp"
#include "platform/win32/system_library.hpp"

#include <richedit.h>

#include <algorithm>
#include <string>
#include <string_view>

namespace parcelkit::windows {

RichTextLibrary::RichTextLibrary()
    : module_(win32::loadSystemLibrary(L"msftedit.dll")), className_(L"RICHEDIT50W") {
    if (!module_) {
        module_ = win32::loadSystemLibrary(L"riched20.dll");
        className_ = RICHEDIT_CLASSW;
    }
}

namespace {

std::string readWholeFile(const std::wstring& path) {
    const win32::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file ? win32::readToEnd(file.get()) : std::string();
}

struct StreamSource {
    std::string_view rest;
};

DWORD CALLBACK streamIn(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
    auto* source = reinterpret_cast<StreamSource*>(cookie);
    const std::size_t count = std::min(source->rest.size(), static_cast<std::size_t>(wanted));
    std::copy_n(source->rest.data(), count, buffer);
    source->rest.remove_prefix(count);
    *given = static_cast<LONG>(count);
    return 0;
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

} // namespace

bool loadRichText(HWND control, const std::wstring& path) {
    const std::string bytes = readWholeFile(path);
    if (bytes.empty()) {
        return false;
    }
    StreamSource source{std::string_view(bytes.data(), bytes.size())};
    WPARAM format = SF_TEXT;
    if (startsWith(source.rest, "{\\rtf")) {
        format = SF_RTF;
    } else if (startsWith(source.rest, "\xFF\xFE")) {
        source.rest.remove_prefix(2);
        format = SF_TEXT | SF_UNICODE;
    } else if (startsWith(source.rest, "\xEF\xBB\xBF")) {
        source.rest.remove_prefix(3);
        format = (CP_UTF8 << 16) | SF_USECODEPAGE | SF_TEXT;
    }
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    stream.pfnCallback = &streamIn;
    ::SendMessageW(control, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
    return stream.dwError == 0;
}

} // namespace parcelkit::windows
