#include "platform/win32/error_text.hpp"

namespace parcelkit::win32 {

std::wstring errorText(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length != 0 ? std::wstring(buffer, length) : std::wstring();
    if (buffer != nullptr) {
        ::LocalFree(buffer);
    }
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
        text.pop_back();
    }
    if (text.empty()) {
        text = L"System error " + std::to_wstring(code) + L".";
    }
    return text;
}

platform::Failure failureOf(DWORD code) {
    return {code, errorText(code)};
}

platform::Failure lastFailure() {
    return failureOf(::GetLastError());
}

} // namespace parcelkit::win32
